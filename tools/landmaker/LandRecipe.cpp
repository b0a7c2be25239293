#include "LandRecipe.h"

#include <algorithm>
#include <charconv>
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

// Whitespace-separated numbers, all of them, in full double precision.
bool parseNumbers(const std::string& text, std::vector<double>& numbers) {
    const char* at = text.data();
    const char* end = at + text.size();
    while (at != end) {
        if (*at == ' ' || *at == '\t' || *at == ',') {
            ++at;
            continue;
        }
        double value = 0;
        const auto [next, failure] = std::from_chars(at, end, value);
        if (failure != std::errc() || !std::isfinite(value)) return false;
        numbers.push_back(value);
        at = next;
    }
    return true;
}

bool readCenter(KeyValueFile& file, std::optional<std::array<double, 2>>& center,
                std::string& error) {
    const std::string text = file.getString("land.center");
    if (text.empty()) return true;
    std::vector<double> numbers;
    if (!parseNumbers(text, numbers) || numbers.size() != 2 || std::abs(numbers[0]) > 90.0 ||
        std::abs(numbers[1]) > 180.0) {
        error = "\"land.center\" must be a latitude and a longitude in degrees, e.g. \"46.05 "
                "6.32\", not \"" +
                text + "\"";
        return false;
    }
    center = std::array<double, 2>{numbers[0], numbers[1]};
    return true;
}

bool readBands(KeyValueFile& file, std::array<int, 3>& bands, std::string& error) {
    const std::string text = file.getString("land.photo.bands");
    if (text.empty()) return true;
    std::vector<double> numbers;
    if (!parseNumbers(text, numbers) || numbers.size() != 3 ||
        std::any_of(numbers.begin(), numbers.end(),
                    [](double n) { return n < 1.0 || n != std::floor(n); })) {
        error = "\"land.photo.bands\" must be three band numbers from 1, e.g. \"1 2 3\"";
        return false;
    }
    for (int i = 0; i < 3; ++i)
        bands[i] = int(numbers[i]);
    return true;
}
} // namespace

bool LandRecipe::read(KeyValueFile& file, const std::string& folderPath, std::string& error) {
    folder = folderPath;
    name = file.getString("land.name");
    heightMap = file.getString("land.heightmap");
    dem = file.getString("land.dem");
    if (name.empty() || (heightMap.empty() && dem.empty())) {
        error = "the side file needs \"land.name\" and \"land.heightmap\" or \"land.dem\"";
        return false;
    }
    if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..") {
        error = "a land name cannot hold a path separator";
        return false;
    }
    sizeGiven = !file.getString("land.size.x").empty() && !file.getString("land.size.y").empty();
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
    longitude = file.getFloat("land.longitud", float(longitude));
    latitude = file.getFloat("land.latitud", float(latitude));
    northDirection = file.getFloat("land.northdir", northDirection);
    timeZoneGiven = !file.getString("land.basetimezone").empty();
    baseTimeZone = file.getInt("land.basetimezone", baseTimeZone);
    photo = file.getString("land.photo");
    horizon = file.getFloat("land.horizon", horizon);
    if (!positive(horizon)) {
        error = "\"land.horizon\" must be a positive distance in metres";
        return false;
    }
    if (!readCenter(file, center, error) || !readBands(file, photoBands, error)) return false;
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
