#include "world/terrain/Terrain.h"

#include <cmath>
#include <cstdio>

#include "gfx/Image.h"
#include "gfx/LandPath.h"
#include "gfx/Texture.h"
#include "io/KeyValueFile.h"
#include "shell/Accessors.h"

namespace {
constexpr float degreesToRadians = 0.01745329252f;
constexpr float radiansToDegrees = 57.29577951f;
constexpr int landCentreTextId = 11;
constexpr int defaultGroundPicture = 401;

int32_t wholeGroups(std::size_t count, double perNumber) {
    return static_cast<int32_t>(static_cast<double>(count) * perNumber);
}

bool allFinite(const std::vector<float>& values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}
} // namespace

Terrain::Terrain() : texture(std::make_unique<Texture>()) {}

Terrain::~Terrain() {
    Clear();
}

void Terrain::SetName(KeyValueFile& file) {
    landName = file.getString("terrain.name");
}

void Terrain::SetName(const std::string& name) {
    landName = name;
}

void Terrain::WriteName(KeyValueFile& file) const {
    file.setValue("terrain.name", landName);
}

void Terrain::ResetDefaults() {
    north = 1.5707964f;
    longitudeRadians = 0.0f;
    latitudeRadians = 0.0f;
    timeZone = 1;
    currentSpotIndex = 0;
}

void Terrain::Clear() {
    spotList.clear();
    currentSpotIndex = 0;
    terrainMesh.Clear();
    nodes.clear();
    nodes.shrink_to_fit();
    leafOrder.clear();
    leafOrder.shrink_to_fit();
    root = TriangleNode{};
    texture->ReleaseGl();
    ground.reset();
    loadNeeded = true;
    loadedNow = false;
}

bool Terrain::Load(KeyValueFile& landFile) {
    if (!loadNeeded) {
        loadedNow = false;
        return true;
    }
    Clear();
    ResetDefaults();
    longitudeRadians = landFile.getFloat("terrain.longitud", longitudeRadians * radiansToDegrees) *
                       degreesToRadians;
    latitudeRadians =
        landFile.getFloat("terrain.latitud", latitudeRadians * radiansToDegrees) * degreesToRadians;
    north = landFile.getFloat("terrain.northdir", north * radiansToDegrees) * degreesToRadians;
    timeZone = landFile.getInt("terrain.basetimezone", timeZone);
    if (!ReadGeometry(landFile)) {
        Clear();
        return false;
    }
    AddSpot(text(landCentreTextId), terrainMesh.centre[0], terrainMesh.centre[1], 0.0f, north, 0.0f,
            0.0f);
    ReadSpots(landFile);
    ReadGroundPicture(landFile);
    loadedNow = true;
    loadNeeded = false;
    return true;
}

bool Terrain::ReadGeometry(KeyValueFile& landFile) {
    std::vector<float> coordinates;
    std::vector<int> indices;
    std::vector<int> records;
    coordinates = landFile.getFloatArray("terrain.points", coordinates);
    const int32_t pointCount = wholeGroups(coordinates.size(), 0.33333334);
    if (pointCount == 0) return false;
    indices = landFile.getIntArray("terrain.triangles", indices);
    const int32_t triangleCount = wholeGroups(indices.size(), 0.33333334);
    if (triangleCount == 0) return false;
    records = landFile.getIntArray("terrain.tree", records);
    const int32_t recordCount = wholeGroups(records.size(), 0.25);
    if (recordCount == 0) return false;
    coordinates.resize(static_cast<std::size_t>(pointCount) * 3);
    if (!allFinite(coordinates)) return false;
    for (int32_t i = 0; i < triangleCount * 3; ++i)
        if (indices[i] < 0 || indices[i] >= pointCount) return false;
    if (!terrainMesh.Build(coordinates.data(), pointCount, indices.data(), triangleCount))
        return false;
    return BuildTree(std::span<const int32_t>(records.data(), std::size_t(recordCount) * 4));
}

void Terrain::ReadSpots(KeyValueFile& landFile) {
    char key[64];
    for (int number = 1;; ++number) {
        // A spot exists while its name key does, even with an empty name.
        std::snprintf(key, sizeof key, "spot%d.name", number);
        if (!landFile.find(key)) break;
        const std::string spotName = landFile.value();
        auto number_key = [&](const char* suffix) {
            std::snprintf(key, sizeof key, "spot%d.%s", number, suffix);
            return std::string_view(key);
        };
        const float x = landFile.getFloat(number_key("x"), terrainMesh.centre[0]);
        const float y = landFile.getFloat(number_key("y"), terrainMesh.centre[1]);
        const float z = landFile.getFloat(number_key("z"), 0.0f);
        const float orientation = landFile.getFloat(number_key("orientation"), 0.0f);
        const float windSpeed = landFile.getFloat(number_key("wind.speed"), 0.0f);
        const float windDirection = landFile.getFloat(number_key("wind.dir"), 0.0f);
        AddSpot(spotName, x, y, z, orientation * degreesToRadians, windSpeed,
                windDirection * degreesToRadians);
    }
}

void Terrain::ReadGroundPicture(KeyValueFile& landFile) {
    const std::string fileName = landFile.getString("terrain.texture.ground");
    auto picture = std::make_unique<TgaImage>();
    bool loaded = false;
    if (!fileName.empty())
        loaded = picture->LoadFile(LandPath(landName, fileName).c_str(), 0, 0, 3);
    if (!loaded) picture->LoadResource(defaultGroundPicture, 0, 0, 3);
    ground = std::move(picture);
}
