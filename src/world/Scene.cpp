#include "world/Scene.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "io/KeyValueFile.h"
#include "shell/Accessors.h"
#include "ui/text/Font.h"

namespace {

constexpr float pi = 3.1415926535f;
constexpr float degreesToRadians = 0.01745329252f;
constexpr float radiansToDegrees = 57.29577951f;
// A spot's wind applies to an observer standing closer than this (horizontally).
constexpr float spotRadiusSquared = 100.0f;
// Share of the land's extent kept clear along each edge by the observer.
constexpr float bandShare = 0.05f;

constexpr int textLoadingLand = 1;
constexpr int textComputingWind = 2;
constexpr int textComputingThermals = 3;
constexpr int textLoadCompleted = 4;

const char* boolText(bool value) {
    return value ? "TRUE" : "FALSE";
}

float length3(const WindField::Vec3& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

} // namespace

Scene::Scene() : wind(land.terrain), thermals(land.terrain, wind), observer(land.terrain, &wind) {}

Scene::~Scene() = default;

// ---------------------------------------------------------------------------
// Element slots

void Scene::setActive(bool isActive) {
    if (isActive && !active) pointerUnanchored = true;
    Element::setActive(isActive);
}

void Scene::mouseEnter() {
    pointerUnanchored = true;
}

bool Scene::keyUp(int) {
    return true;
}

// Every key is published (the menu runs the shortcuts) and left to the
// application, so Escape and the console key still work over the scene.
bool Scene::keyDown(int key) {
    publish(Event(keyEvent, static_cast<uintptr_t>(key)));
    return true;
}

bool Scene::mouseMove(int px, int py) {
    if (!pointerUnanchored) {
        observer.rotateByPixels(static_cast<float>(lastMouseX - px),
                                static_cast<float>(lastMouseY - py));
    }
    pointerUnanchored = false;
    lastMouseX = px;
    lastMouseY = py;
    return false;
}

bool Scene::update(double elapsed) {
    if (!loaded) return false;
    land.update(wind.baseWind(), elapsed);
    thermals.update(elapsed);
    return true;
}

void Scene::setProjection() const {
    const double f = observer.tanHalfField();
    const double w = width > 0 ? width : 1;
    const double h = height > 0 ? height : 1;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-f, f, -f * h / w, f * h / w, 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void Scene::draw() {
    if (!loaded) return;
    glEnable(GL_DEPTH_TEST);
    setProjection();
    observer.applyView();
    if (showWind) {
        wind.draw(observer.leftPlane(), observer.rightPlane(), land.terrain.extents()[0] * 0.001f);
    }
    if (showThermals) thermals.draw();
    if (lift.shown()) lift.follow(wind, land.terrain);
    land.groundTint = lift.shown() ? &lift : nullptr;
    land.draw(observer);
    if (lift.shown()) lift.drawLegend(width, height, font("Arial", 14, false, false));
}

// ---------------------------------------------------------------------------
// Building

void Scene::reportProgress(const char* message, float percent) {
    const ProgressReport report{message, percent};
    publish(Event(progressEvent, reinterpret_cast<uintptr_t>(&report)));
}

bool Scene::build() {
    setRect(0, 0, clientWidth(), clientHeight());
    date.takeChange();
    reportProgress(text(textLoadingLand), 5.0f);
    land.load(date);
    reportProgress(text(textComputingWind), 60.0f);
    if (windToApply) {
        // A wind of its own (a saved game's, or one set before the world).
        wind.setWind((*windToApply)[1] * degreesToRadians + pi, (*windToApply)[0]);
        windToApply.reset();
    } else if (const Spot* spot = spotAtPlacement(); spot != nullptr && !windCloseTo(*spot)) {
        // A game saved at a spot comes back with that spot's wind.
        applySpotWind(*spot);
    }
    wind.compute();
    sound.LoadResource(ambientSoundId);
    reportProgress(text(textComputingThermals), 85.0f);
    thermals.compute();
    observer.placeAfterLoad(&sound);
    // The info bar shows the heading and the wind at once, not after the first turn.
    observer.updateOrientation();
    if (soundOn) observer.setSoundPlaying(true);
    reportProgress(text(textLoadCompleted), 100.0f);
    loaded = true;
    return true;
}

// Where placeAfterLoad will put the observer: its stored position when that lies
// in the inner band of the land, else the land-centre spot; the spot closer than
// 10 m to it, if any.
const Spot* Scene::spotAtPlacement() const {
    const Terrain& ground = land.terrain;
    const std::vector<Spot>& spots = ground.spots();
    if (spots.empty()) return nullptr;
    const TerrainBox& box = ground.box();
    const float mx = bandShare * ground.extents()[0];
    const float my = bandShare * ground.extents()[1];
    float atX = observer.positionX();
    float atY = observer.positionY();
    const bool inBand = atX >= box.minX + mx && atX <= box.maxX - mx && atY >= box.minY + my &&
                        atY <= box.maxY - my;
    if (!inBand) {
        atX = spots.front().x;
        atY = spots.front().y;
    }
    for (const Spot& spot : spots) {
        const float dx = spot.x - atX;
        const float dy = spot.y - atY;
        if (dx * dx + dy * dy < spotRadiusSquared) return &spot;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Saved games

void Scene::readParams(KeyValueFile& savedGame) {
    if (savedGame.text().empty()) return;
    showWind = showThermals = soundOn = false;
    fileName = savedGame.fileName();
    showWind = savedGame.getBool("wind.show", false);
    showThermals = savedGame.getBool("pompes.show", false);
    soundOn = savedGame.getBool("sound.play", false);
    observer.readParams(savedGame);
    date.readParams(savedGame);
    land.readParams(savedGame);
    wind.readParams(savedGame);
    readWind(savedGame);
    thermals.readParams(savedGame);
    observer.readParams(savedGame);
    boundObserver();
}

// Both keys or neither: half a wind is no wind, and the spot's applies.
void Scene::readWind(KeyValueFile& savedGame) {
    windToApply.reset();
    const float none = std::nanf("");
    const float speed = savedGame.getFloat("wind.speed", none);
    const float from = savedGame.getFloat("wind.dir", none);
    if (std::isfinite(speed) && std::isfinite(from) && std::fabs(from) <= 1e6f)
        windToApply = std::array<float, 2>{std::clamp(speed, 0.0f, 25.0f), from};
}

// Values a hand-edited saved game could make harmful: a field of view that
// divides by zero, turning rates that divide by zero, a negative walking speed,
// angles too large for the float turn arithmetic.
void Scene::boundObserver() {
    constexpr double turn = 2.0 * 3.141592653589793;
    constexpr float largestAzimuth = 1000.0f;
    const float azimuth = observer.azimuth();
    if (std::fabs(azimuth) > largestAzimuth) {
        observer.setAzimuth(static_cast<float>(std::remainder(static_cast<double>(azimuth), turn)));
    }
    observer.setElevation(observer.elevation());
    observer.setFieldOfView(std::clamp(observer.fieldOfView(), 1.0f, 179.0f));
    observer.setSpeed(std::max(observer.movementSpeed(), 0.0f));
    observer.setAzimuthSpeed(std::max(observer.azimuthPixelsPerRadian(), 1.0f));
    observer.setElevationSpeed(std::max(observer.elevationPixelsPerRadian(), 1.0f));
}

void Scene::saveParams(KeyValueFile& savedGame) {
    savedGame.setValue("wind.show", boolText(showWind));
    savedGame.setValue("pompes.show", boolText(showThermals));
    savedGame.setValue("sound.play", boolText(soundOn));
    date.saveParams(savedGame);
    land.saveParams(savedGame);
    wind.saveParams(savedGame);
    char number[64];
    std::snprintf(number, sizeof number, "%f", windSpeed());
    savedGame.setValue("wind.speed", number);
    std::snprintf(number, sizeof number, "%f", windFromDegrees());
    savedGame.setValue("wind.dir", number);
    thermals.saveParams(savedGame);
    observer.saveParams(savedGame);
}

bool Scene::readSavedGame(const std::string& path) {
    KeyValueFile savedGame;
    if (!savedGame.open(path) || savedGame.text().empty()) return false;
    readParams(savedGame);
    return true;
}

bool Scene::writeSavedGame(const std::string& path) {
    KeyValueFile savedGame;
    saveParams(savedGame);
    if (!savedGame.write(path)) return false;
    fileName = path;
    return true;
}

bool Scene::saveLandSpots() {
    return land.saveSpots();
}

// ---------------------------------------------------------------------------
// Spots and sound

void Scene::setSound(bool on) {
    soundOn = on;
    observer.setSoundPlaying(on);
}

// The wind's angle as a spot stores it: the direction it comes from, counted
// from the land's north.
float Scene::windAngleFromNorth() const {
    const WindField::Vec3& w = wind.baseWind();
    return std::atan2(w[1], w[0]) - pi - land.terrain.northDirection();
}

bool Scene::spotNameStorable(const std::string& name) {
    return !name.empty() && name.find_first_of("\"[\r\n") == std::string::npos &&
           name.find("//") == std::string::npos;
}

bool Scene::addSpot(const std::string& name) {
    if (!spotNameStorable(name)) return false;
    Terrain& ground = land.terrain;
    const float atX = observer.positionX();
    const float atY = observer.positionY();
    const float z = ground.containsXY(atX, atY) ? ground.HeightAt(atX, atY) : -1.0f;
    ground.AddSpot(name, atX, atY, z, observer.azimuth() - ground.northDirection(),
                   length3(wind.baseWind()), windAngleFromNorth());
    return true;
}

bool Scene::windMatches(const Spot& spot) const {
    return spot.windSpeed == length3(wind.baseWind()) && spot.windDirection == windAngleFromNorth();
}

// The same wind up to float rounding: a rebuild at a spot whose wind is
// already applied keeps the field instead of computing it again.
bool Scene::windCloseTo(const Spot& spot) const {
    const float speed = length3(wind.baseWind());
    if (std::fabs(spot.windSpeed - speed) > 1e-3f) return false;
    if (speed < 1e-3f) return true; // no wind has no direction
    return std::fabs(std::remainder(spot.windDirection - windAngleFromNorth(), 2.0f * pi)) < 1e-4f;
}

void Scene::applySpotWind(const Spot& spot) {
    wind.setWind(spot.windDirection + pi, spot.windSpeed);
}

void Scene::nextSpot() {
    const Spot* spot = land.terrain.NextSpot();
    if (spot == nullptr) return;
    observer.goToSpot(*spot);
    observer.setHeading(spot->orientation, 0.0f);
    if (windMatches(*spot)) return;
    applySpotWind(*spot);
    wind.compute();
    // The wind indicator follows the new field.
    observer.refreshWind();
}

// ---------------------------------------------------------------------------
// The air, set directly

void Scene::rebuildWind() {
    wind.compute();
    observer.refreshWind();
}

void Scene::setWindFrom(float speed, float fromDegrees) {
    if (!loaded) {
        windToApply = std::array<float, 2>{std::clamp(speed, 0.0f, 25.0f), fromDegrees};
        return;
    }
    windToApply.reset();
    wind.setWind(fromDegrees * degreesToRadians + pi, speed);
    rebuildWind();
}

float Scene::windSpeed() const {
    if (windToApply) return (*windToApply)[0]; // what the next build applies
    return length3(wind.baseWind());
}

float Scene::windFromDegrees() const {
    if (windToApply) return (*windToApply)[1];
    if (windSpeed() == 0.0f) return 0.0f;
    const float degrees = std::fmod(windAngleFromNorth() * radiansToDegrees, 360.0f);
    const float turned = degrees < 0.0f ? degrees + 360.0f : degrees;
    // Rounding in the turn may land just short of a whole degree.
    const float whole = std::round(turned);
    return std::fabs(turned - whole) < 1e-3f ? std::fmod(whole, 360.0f) : turned;
}

void Scene::relight() {
    if (!loaded) return;
    date.takeChange();
    land.relight(date);
}

void Scene::setDayAndMonth(int day, int month) {
    date.set(day, month, date.year(), date.hour(), date.minute());
    relight();
}

void Scene::setClock(int hour, int minute) {
    date.set(date.day(), date.month(), date.year(), hour, minute);
    relight();
}

void Scene::setWindSolver(WindField::Solve kind) {
    wind.setSolver(kind);
    if (loaded) rebuildWind();
}

// ---------------------------------------------------------------------------
// Graphics around a re-creation of the window

void Scene::releaseGraphics() {
    if (!loaded) return;
    lift.releaseGl();
    land.releaseGraphics();
    thermals.releaseDisplayLists();
}

void Scene::restoreGraphics() {
    if (!loaded) return;
    thermals.rebuildDisplayLists();
    land.restoreGraphics();
}
