#include "scene/SceneFixtures.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scenetest {

namespace fs = std::filesystem;

namespace {

std::string entry(const std::string& key, const std::string& value) {
    return key + " = \"" + value + "\"\n";
}

std::string number(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

std::string indexed(const char* prefix, std::size_t index, const char* suffix) {
    return std::string(prefix) + std::to_string(index) + suffix;
}

std::string geometryText(const TestLand& land) {
    const float x0 = land.originX;
    const float y0 = land.originY;
    const float x1 = x0 + land.size;
    const float y1 = y0 + land.size;
    std::string points;
    for (const auto& [x, y] : {std::pair{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}) {
        points += number(x) + " " + number(y) + " " + number(land.groundAt(x)) + " ";
    }
    // Clockwise seen from above, as land files list them; the diagonal splits the square.
    return entry("terrain.points", points) + entry("terrain.triangles", "0 3 1 2 1 3") +
           entry("terrain.tree", "-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1");
}

std::string sceneryText(const TestLand& land) {
    std::string text;
    for (std::size_t i = 0; i < land.sceneries.size(); ++i) {
        const TestScenery& s = land.sceneries[i];
        const std::size_t n = i + 1;
        text += entry(indexed("decor", n, ".name"), "object " + std::to_string(n));
        text += entry(indexed("decor", n, ".type"), std::to_string(s.type));
        text += entry(indexed("decor", n, ".x"), number(s.x));
        text += entry(indexed("decor", n, ".y"), number(s.y));
        text += entry(indexed("decor", n, ".z"), number(s.z));
        text += entry(indexed("decor", n, ".width"), number(s.width));
        text += entry(indexed("decor", n, ".depth"), number(s.depth));
        text += entry(indexed("decor", n, ".height"), number(s.height));
        text += entry(indexed("decor", n, ".roofheight"), number(s.roofHeight));
    }
    return text;
}

std::string spotText(const TestLand& land) {
    std::string text = "[Spot]\n";
    for (std::size_t i = 0; i < land.spots.size(); ++i) {
        const TestSpot& s = land.spots[i];
        const std::size_t n = i + 1;
        text += entry(indexed("spot", n, ".name"), s.name);
        text += entry(indexed("spot", n, ".x"), number(s.x));
        text += entry(indexed("spot", n, ".y"), number(s.y));
        text += entry(indexed("spot", n, ".z"), number(s.z));
        text += entry(indexed("spot", n, ".orientation"), number(s.orientationDegrees));
        text += entry(indexed("spot", n, ".wind.speed"), number(s.windSpeed));
        text += entry(indexed("spot", n, ".wind.dir"), number(s.windDirectionDegrees));
        text += "\n";
    }
    return text;
}

} // namespace

std::string landFileText(const TestLand& land) {
    return land.preamble + entry("terrain.northdir", number(land.northDegrees)) +
           entry("terrain.longitud", "6.5") + entry("terrain.latitud", "45.2") +
           entry("terrain.basetimezone", "1") + geometryText(land) + sceneryText(land) +
           spotText(land);
}

std::string landFilePath(const std::string& name) {
    return "lands/" + name + "/" + name + ".map";
}

fs::path writeLand(const TestLand& land) {
    const fs::path path = landFilePath(land.name);
    fs::create_directories(path.parent_path());
    writeFile(path, landFileText(land));
    return path;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

} // namespace scenetest
