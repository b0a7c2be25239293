#include "LandRecipe.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "io/KeyValueFile.h"

namespace {
std::string numbered(const char* group, int number, const char* field) {
    return std::string(group) + std::to_string(number) + "." + field;
}

std::optional<float> optionalFloat(KeyValueFile& file, const std::string& key) {
    if (file.getString(key).empty()) return std::nullopt;
    return file.getFloat(key, 0.0f);
}

// Entries are numbered from 1 and read while their first key is present.
template <typename Reader>
void readNumbered(KeyValueFile& file, const char* group, const char* presence, Reader read) {
    for (int n = 1; file.find(numbered(group, n, presence)); ++n)
        read(n, [&](const char* field) { return numbered(group, n, field); });
}

bool positive(float value) {
    return std::isfinite(value) && value > 0.0f;
}
} // namespace

bool LandRecipe::read(KeyValueFile& file, const std::string& folderPath, std::string& error) {
    folder = folderPath;
    name = file.getString("land.name");
    heightMap = file.getString("land.heightmap");
    if (name.empty() || heightMap.empty()) {
        error = "the side file needs \"land.name\" and \"land.heightmap\"";
        return false;
    }
    if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..") {
        error = "a land name cannot hold a path separator";
        return false;
    }
    sizeX = file.getFloat("land.size.x", sizeX);
    sizeY = file.getFloat("land.size.y", sizeY);
    minHeight = file.getFloat("land.height.min", minHeight);
    maxHeight = file.getFloat("land.height.max", maxHeight);
    tolerance = file.getFloat("land.tolerance", tolerance);
    grid = file.getInt("land.grid", grid);
    if (!positive(sizeX) || !positive(sizeY) || !(maxHeight >= minHeight) || !(tolerance >= 0.0f)) {
        error = "sizes must be positive, the tolerance not negative and max height >= min height";
        return false;
    }
    longitude = file.getFloat("land.longitud", longitude);
    latitude = file.getFloat("land.latitud", latitude);
    northDirection = file.getFloat("land.northdir", northDirection);
    baseTimeZone = file.getInt("land.basetimezone", baseTimeZone);
    ground = file.getString("land.ground");
    groundSize = file.getInt("land.ground.paint", 0);
    sky = file.getString("land.sky");
    skySize = file.getInt("land.sky.paint", 0);
    skyline = file.getString("land.skyline");
    skylineSize = file.getInt("land.skyline.paint", 0);
    seed = file.getInt("paint.seed", seed);

    readNumbered(file, "spot", "name", [&](int, auto key) {
        SpotEntry s;
        s.name = file.getString(key("name"));
        s.x = file.getFloat(key("x"), sizeX * 0.5f);
        s.y = file.getFloat(key("y"), sizeY * 0.5f);
        s.z = optionalFloat(file, key("z"));
        s.orientation = file.getFloat(key("orientation"), 0.0f);
        s.windSpeed = file.getFloat(key("wind.speed"), 0.0f);
        s.windDirection = file.getFloat(key("wind.dir"), 0.0f);
        spots.push_back(s);
    });
    readNumbered(file, "decor", "name", [&](int, auto key) {
        SceneryEntry d;
        d.name = file.getString(key("name"));
        d.type = file.getInt(key("type"), 0);
        d.x = file.getFloat(key("x"), 0.0f);
        d.y = file.getFloat(key("y"), 0.0f);
        d.z = optionalFloat(file, key("z"));
        d.rx = file.getFloat(key("rx"), 0.0f);
        d.ry = file.getFloat(key("ry"), 0.0f);
        d.rz = file.getFloat(key("rz"), 0.0f);
        d.height = file.getFloat(key("height"), 0.0f);
        d.width = file.getFloat(key("width"), 0.0f);
        d.depth = file.getFloat(key("depth"), 0.0f);
        d.roofHeight = file.getFloat(key("roofheight"), 0.0f);
        sceneries.push_back(d);
    });
    readNumbered(file, "forest", "x", [&](int, auto key) {
        Forest f;
        f.x = file.getFloat(key("x"), 0.0f);
        f.y = file.getFloat(key("y"), 0.0f);
        f.radius = file.getFloat(key("radius"), 50.0f);
        f.trees = file.getInt(key("trees"), 0);
        f.treeSize = file.getFloat(key("treesize"), f.treeSize);
        forests.push_back(f);
    });
    readNumbered(file, "treeline", "x0", [&](int, auto key) {
        TreeLine t;
        t.x0 = file.getFloat(key("x0"), 0.0f);
        t.y0 = file.getFloat(key("y0"), 0.0f);
        t.x1 = file.getFloat(key("x1"), 0.0f);
        t.y1 = file.getFloat(key("y1"), 0.0f);
        t.trees = file.getInt(key("trees"), 0);
        t.treeSize = file.getFloat(key("treesize"), t.treeSize);
        treeLines.push_back(t);
    });
    readNumbered(file, "track", "points", [&](int, auto key) {
        Track t;
        const std::vector<float> xy = file.getFloatArray(key("points"), {});
        for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
            t.points.push_back({xy[i], xy[i + 1]});
        t.width = file.getFloat(key("width"), t.width);
        tracks.push_back(t);
    });
    readNumbered(file, "strip", "x", [&](int, auto key) {
        Strip s;
        s.x = file.getFloat(key("x"), 0.0f);
        s.y = file.getFloat(key("y"), 0.0f);
        s.length = file.getFloat(key("length"), 100.0f);
        s.width = file.getFloat(key("width"), 20.0f);
        s.angle = file.getFloat(key("angle"), 0.0f);
        strips.push_back(s);
    });
    readNumbered(file, "fields", "x0", [&](int, auto key) {
        FieldArea a;
        a.x0 = file.getFloat(key("x0"), 0.0f);
        a.y0 = file.getFloat(key("y0"), 0.0f);
        a.x1 = file.getFloat(key("x1"), sizeX);
        a.y1 = file.getFloat(key("y1"), sizeY);
        a.fieldSize = std::max(10.0f, file.getFloat(key("size"), a.fieldSize));
        a.angle = file.getFloat(key("angle"), 0.0f);
        a.maxSlope = file.getFloat(key("maxslope"), a.maxSlope);
        fieldAreas.push_back(a);
    });
    return true;
}
