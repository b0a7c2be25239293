#include "world/observer/Observer.h"

#include <GL/glu.h>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "io/KeyValueFile.h"
#include "platform/Keys.h"
#include "world/terrain/Terrain.h"
#include "world/wind/WindField.h"

namespace {
constexpr float pi = 3.1415926535f;
constexpr float degreesToRadians = 0.01745329252f;
constexpr float radiansToDegrees = 57.29577951f;
constexpr float inverseTurn = 0.15915494309644432f;
constexpr float elevationLimit = 1.5707964f;
constexpr float elevationThreshold = 1.57079632675f;

void setFloat(KeyValueFile& file, const char* key, float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", value);
    file.setValue(key, text);
}
} // namespace

void Observer::WindProbe::update() {
    wind = field != nullptr ? field->windAtPoint(position[0], position[1], position[2])
                            : Vec3{0.0f, 0.0f, 0.0f};
}

float Observer::WindProbe::speed() const {
    return std::sqrt(wind[0] * wind[0] + wind[1] * wind[1] + wind[2] * wind[2]);
}

Observer::Observer(Terrain& ground, WindField* wind) : terrain(ground) {
    probe.field = wind;
    resetDefaults();
}

Observer::~Observer() {
    ambient.Stop();
}

void Observer::resetDefaults() {
    fieldOfViewDegrees = 50.0f;
    x = y = z = 0.0f;
    azimuthAngle = 0.0f;
    elevationAngle = 0.0f;
    speed = 10.0f;
    azimuthSpeed = 80.0f;
    elevationSpeed = 80.0f;
}

void Observer::readParams(KeyValueFile& file) {
    resetDefaults();
    x = file.getFloat("obs.x", x);
    y = file.getFloat("obs.y", y);
    z = file.getFloat("obs.z", z);
    speed = file.getFloat("obs.speed", speed);
    fieldOfViewDegrees = file.getFloat("obs.fov", fieldOfViewDegrees);
    azimuthAngle = file.getFloat("obs.alpha", azimuthAngle);
    elevationAngle = file.getFloat("obs.beta", elevationAngle);
    azimuthSpeed = file.getFloat("obs.alphaspeed", azimuthSpeed);
    elevationSpeed = file.getFloat("obs.betaspeed", elevationSpeed);
}

void Observer::saveParams(KeyValueFile& file) const {
    setFloat(file, "obs.x", x);
    setFloat(file, "obs.y", y);
    setFloat(file, "obs.z", z);
    setFloat(file, "obs.speed", speed);
    setFloat(file, "obs.fov", fieldOfViewDegrees);
    setFloat(file, "obs.alpha", azimuthAngle);
    setFloat(file, "obs.beta", elevationAngle);
    setFloat(file, "obs.alphaspeed", azimuthSpeed);
    setFloat(file, "obs.betaspeed", elevationSpeed);
}

void Observer::cacheAngles() {
    cosAzimuth = std::cos(azimuthAngle);
    sinAzimuth = std::sin(azimuthAngle);
    cosElevation = std::cos(elevationAngle);
    sinElevation = std::sin(elevationAngle);
    direction = {cosAzimuth * cosElevation, sinAzimuth * cosElevation, -sinElevation};
}

void Observer::cacheFieldOfView() {
    const float half = (fieldOfViewDegrees * degreesToRadians - pi) * 0.5f;
    cosHalf = std::cos(half);
    sinHalf = std::sin(half);
    tanHalfFov = std::tan(fieldOfViewDegrees * 0.008726646259722222f);
}

void Observer::placeAfterLoad(SoundBuffer* sound) {
    cacheAngles();
    cacheFieldOfView();
    if (!insideBandX(x) || !insideBandY(y))
        if (const Spot* centre = terrain.FirstSpot()) {
            x = centre->x;
            y = centre->y;
        }
    // A game saved at a spot comes back at it: the next spot is the one after it.
    terrain.SelectSpotNear(x, y);
    z = groundHeight(x, y);
    ear.setOrientation(direction, {0.0f, 0.0f, 1.0f});
    ear.setVelocity({0.0f, 0.0f, 0.0f});
    ear.setPosition({x, y, z});
    ambient.SetLooping(true);
    if (sound != nullptr) ambient.Attach(sound);
    setPosition(x, y, z);
}

void Observer::setFieldOfView(float degrees) {
    fieldOfViewDegrees = degrees;
    cacheFieldOfView();
}

void Observer::rotateByPixels(float dx, float dy) {
    if (azimuthSpeed > 0.0f) azimuthAngle += dx / azimuthSpeed;
    if (elevationSpeed > 0.0f) elevationAngle += dy / elevationSpeed;
    setAzimuth(azimuthAngle);
    setElevation(elevationAngle);
    updateOrientation();
}

void Observer::setHeading(float azimuthFromNorth, float newElevation) {
    setAzimuth(terrain.northDirection() + azimuthFromNorth);
    setElevation(newElevation);
    updateOrientation();
}

void Observer::setAzimuth(float value) {
    const float north = terrain.northDirection();
    const float offset = value - north;
    const float turns = std::trunc(offset * inverseTurn);
    azimuthAngle = offset >= 0.0f ? value - 2.0f * turns * pi : value + 2.0f * (1.0f - turns) * pi;
}

void Observer::setElevation(float value) {
    if (value > elevationThreshold)
        value = elevationLimit;
    else if (value < -elevationThreshold)
        value = -elevationLimit;
    elevationAngle = value;
}

void Observer::moveByKey(int key, float dt) {
    const float s = dt * speed;
    const float dx = s * direction[0], dy = s * direction[1], dz = s * direction[2];
    switch (key) {
    case Key::Up:
        setPosition(x + dx, y + dy, z + dz);
        break;
    case Key::Down:
        setPosition(x - dx, y - dy, z - dz);
        break;
    case Key::Left:
        setPosition(x - dy, y + dx, z);
        break;
    case Key::Right:
        setPosition(x + dy, y - dx, z);
        break;
    default:
        break;
    }
}

void Observer::goToSpot(const Spot& target) {
    setPosition(target.x, target.y, target.z);
    setAzimuth(terrain.northDirection() + target.orientation);
    updateOrientation();
    spot = target.name;
}

bool Observer::insideBandX(float value) const {
    const float margin = 0.05f * terrain.extents()[0];
    return value >= terrain.box().minX + margin && value <= terrain.box().maxX - margin;
}

bool Observer::insideBandY(float value) const {
    const float margin = 0.05f * terrain.extents()[1];
    return value >= terrain.box().minY + margin && value <= terrain.box().maxY - margin;
}

float Observer::groundHeight(float atX, float atY) const {
    return terrain.containsXY(atX, atY) ? terrain.HeightAt(atX, atY) : -1.0f;
}

void Observer::setPosition(float newX, float newY, float newZ) {
    // Each axis keeps its old value when the new one would leave the inner band,
    // and the height when the new one is not a number (a huge walking speed).
    if (insideBandX(newX)) x = newX;
    if (insideBandY(newY)) y = newY;
    if (std::isfinite(newZ)) z = newZ;
    z = std::max(z, groundHeight(x, y) + eyeHeight);
    computePlanes();
    probe.position = {x, y, z};
    probe.update();
    ear.setPosition({x, y, z});
    spot = terrain.SpotNameNear(x, y);
    publish(Event(spotNameEvent, reinterpret_cast<uintptr_t>(spot.c_str())));
    publishFloat(xEvent, x);
    publishFloat(yEvent, y);
    publishFloat(zEvent, z);
    publishWind();
}

void Observer::updateOrientation() {
    cacheAngles();
    ear.setOrientation(direction, {0.0f, 0.0f, 1.0f});
    computePlanes();
    probe.update();
    publishFloat(azimuthEvent, azimuthAngle * radiansToDegrees);
    publishFloat(elevationEvent, elevationAngle * radiansToDegrees);
    publishWind();
}

void Observer::refreshWind() {
    probe.update();
    publishWind();
}

void Observer::computePlanes() {
    const float ce = cosElevation, se = sinElevation, ca = cosAzimuth, sa = sinAzimuth;
    const float ch = cosHalf, sh = sinHalf;
    right = {ce * ch * ca + sh * sa, ce * ch * sa - sh * ca, -se * ch, 0.0f};
    left = {ce * ch * ca - sh * sa, ce * ch * sa + sh * ca, -se * ch, 0.0f};
    for (Plane* plane : {&right, &left})
        (*plane)[3] = -((*plane)[0] * x + (*plane)[1] * y + (*plane)[2] * z);
}

void Observer::publishFloat(uint32_t type, float value) {
    publish(Event(type, reinterpret_cast<uintptr_t>(&value)));
}

void Observer::publishWind() {
    const Vec3& w = probe.wind;
    const float speedHere = probe.speed();
    const float indicator[2] = {(std::atan2(w[1], w[0]) - azimuthAngle + terrain.northDirection()) *
                                    radiansToDegrees,
                                speedHere * 0.04f};
    publish(Event(windIndicatorEvent, reinterpret_cast<uintptr_t>(indicator)));
    publishFloat(windSpeedEvent, speedHere);
}

void Observer::applyView() const {
    gluLookAt(x, y, z, x + direction[0], y + direction[1], z + direction[2], 0.0, 0.0, 1.0);
}

void Observer::setSoundPlaying(bool on) {
    if (on)
        ambient.Play();
    else
        ambient.Stop();
}
