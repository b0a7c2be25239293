#include "world/thermals/Thermals.h"

#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"
#include "world/wind/WindField.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace {

std::string formatFloat(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

float readFinite(KeyValueFile& file, const char* key, float current) {
    const float value = file.getFloat(key, current);
    return std::isfinite(value) ? value : current;
}

// Far beyond any real thermal, and small enough that squares and sums of
// these values stay finite.
constexpr float largestRange = 1e7f;

// Negative values become 0; a minimum above its maximum raises the maximum.
void order(float& low, float& high) {
    low = std::clamp(low, 0.0f, largestRange);
    high = std::clamp(high, low, largestRange);
}

} // namespace

Thermals::Thermals(const Terrain& ground, WindField& windField) : terrain(ground), wind(windField) {
    resetDefaults();
}

Thermals::~Thermals() = default;

void Thermals::resetDefaults() {
    range = Ranges{};
    targetCount = 20;
    dirtyFlag = true;
}

void Thermals::readParams(KeyValueFile& file) {
    resetDefaults();
    const float count = readFinite(file, "pompe.nbmax", static_cast<float>(targetCount));
    Ranges r = range;
    r.rayonMin = readFinite(file, "pompe.rayonmin", r.rayonMin);
    r.rayonMax = readFinite(file, "pompe.rayonmax", r.rayonMax);
    r.timeMin = readFinite(file, "pompe.timemin", r.timeMin);
    r.timeMax = readFinite(file, "pompe.timemax", r.timeMax);
    r.altitudeMin = readFinite(file, "pompe.altitudemin", r.altitudeMin);
    r.altitudeMax = readFinite(file, "pompe.altitudemax", r.altitudeMax);
    r.vitesseMin = readFinite(file, "pompe.vitessemin", r.vitesseMin);
    r.vitesseMax = readFinite(file, "pompe.vitessemax", r.vitesseMax);
    targetCount = static_cast<int>(std::clamp(count, 0.0f, static_cast<float>(maxCount)));
    range = bounded(r);
}

void Thermals::saveParams(KeyValueFile& file) const {
    file.setValue("pompe.nbmax", std::to_string(targetCount));
    file.setValue("pompe.rayonmin", formatFloat(range.rayonMin));
    file.setValue("pompe.rayonmax", formatFloat(range.rayonMax));
    file.setValue("pompe.timemin", formatFloat(range.timeMin));
    file.setValue("pompe.timemax", formatFloat(range.timeMax));
    file.setValue("pompe.altitudemin", formatFloat(range.altitudeMin));
    file.setValue("pompe.altitudemax", formatFloat(range.altitudeMax));
    file.setValue("pompe.vitessemin", formatFloat(range.vitesseMin));
    file.setValue("pompe.vitessemax", formatFloat(range.vitesseMax));
}

Thermals::Ranges Thermals::bounded(Ranges r) {
    order(r.rayonMin, r.rayonMax);
    order(r.timeMin, r.timeMax);
    order(r.vitesseMin, r.vitesseMax);
    order(r.altitudeMin, r.altitudeMax);
    return r;
}

void Thermals::setRanges(const Ranges& ranges) {
    range = bounded(ranges);
    dirtyFlag = true;
}

void Thermals::setMaxCount(int count) {
    targetCount = std::clamp(count, 0, maxCount);
    dirtyFlag = true;
}

bool Thermals::compute() {
    if (!dirtyFlag && !terrain.justLoaded() && !wind.changed()) {
        changedFlag = false;
        return true;
    }
    generator.seedFromClock();
    clear();
    update(0.0);
    dirtyFlag = false;
    changedFlag = true;
    return true;
}

void Thermals::clear() {
    thermals.clear();
}

int Thermals::livingCount() const {
    return static_cast<int>(
        std::count_if(thermals.begin(), thermals.end(), [](const auto& t) { return t->alive(); }));
}

void Thermals::update(double dt) {
    int living = 0;
    auto dead = thermals.end();
    for (auto it = thermals.begin(); it != thermals.end(); ++it) {
        if ((*it)->alive()) {
            (*it)->update(dt);
            ++living;
        } else {
            dead = it;
        }
    }
    // Dead columns leave one per frame, the latest first.
    if (dead != thermals.end()) thermals.erase(dead);
    // Without a land there is no ground to be born on.
    if (terrain.box().inverted()) return;
    for (; living < targetCount; ++living)
        spawn();
}

void Thermals::spawn() {
    generator.seed(static_cast<uint32_t>(generator.next()));
    const float r1 = static_cast<float>(generator.next());
    const float r2 = static_cast<float>(generator.next());
    const float r3 = static_cast<float>(generator.next());
    const float r4 = static_cast<float>(generator.next());
    constexpr float top = static_cast<float>(Random::maxValue);

    const TerrainBox& box = terrain.box();
    Thermal::Birth birth;
    birth.x = (box.maxX - box.minX - 20.0f) * r1 / top + box.minX + 10.0f;
    birth.y = (box.maxY - box.minY - 20.0f) * r2 / top + box.minY + 10.0f;
    birth.foot = terrain.HeightAt(birth.x, birth.y) + 2.0f;
    const float t = r3 / top;
    birth.radius = range.rayonMin + (range.rayonMax - range.rayonMin) * t;
    birth.speed = range.vitesseMin + (range.vitesseMax - range.vitesseMin) * t;
    birth.height = range.altitudeMin + (range.altitudeMax - range.altitudeMin) * t;
    birth.lifetime = range.timeMin + (range.timeMax - range.timeMin) * t;
    if (r4 * (2.0f / top) - 1.0f < 0.0f) birth.speed = -birth.speed;
    thermals.push_back(std::make_unique<Thermal>(birth, terrain, wind));
}

void Thermals::draw() {
    glDisable(GL_TEXTURE_2D);
    for (auto& thermal : thermals)
        thermal->draw();
    glEnable(GL_TEXTURE_2D);
}

void Thermals::releaseDisplayLists() {
    for (auto& thermal : thermals)
        thermal->releaseDisplayList();
}

void Thermals::rebuildDisplayLists() {
    for (auto& thermal : thermals)
        thermal->rebuildDisplayList();
}
