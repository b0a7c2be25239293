#include "scene/SceneFixtures.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scenetest {

namespace fs = std::filesystem;

namespace {

// Appends key = "value" lines, numbers as a land file writes them.
struct Entries {
    std::string text;
    Entries& operator()(const std::string& key, const std::string& value) {
        text += key + " = \"" + value + "\"\n";
        return *this;
    }
    Entries& operator()(const std::string& key, float value) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%f", value);
        return (*this)(key, std::string(buffer));
    }
};

} // namespace

std::string landFileText(const TestLand& land) {
    Entries e;
    e("terrain.northdir", land.northDegrees)("terrain.longitud", "6.5")("terrain.latitud", "45.2")(
        "terrain.basetimezone", "1");
    const float x0 = land.originX, y0 = land.originY;
    const float x1 = x0 + land.size, y1 = y0 + land.size;
    std::string points;
    for (const auto& [x, y] : {std::pair{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}})
        points += std::to_string(x) + " " + std::to_string(y) + " " +
                  std::to_string(land.groundAt(x)) + " ";
    // Clockwise seen from above, as land files list them; the diagonal splits the square.
    e("terrain.points", points)("terrain.triangles",
                                "0 3 1 2 1 3")("terrain.tree", "-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1");
    for (std::size_t i = 0; i < land.sceneries.size(); ++i) {
        const TestScenery& s = land.sceneries[i];
        const std::string d = "decor" + std::to_string(i + 1) + ".";
        e(d + "name", "object " + std::to_string(i + 1))(d + "type", std::to_string(s.type))(
            d + "x", s.x)(d + "y", s.y)(d + "z", s.z)(d + "width", s.width)(d + "depth", s.depth)(
            d + "height", s.height)(d + "roofheight", s.roofHeight);
    }
    e.text += "[Spot]\n";
    for (std::size_t i = 0; i < land.spots.size(); ++i) {
        const TestSpot& s = land.spots[i];
        const std::string p = "spot" + std::to_string(i + 1) + ".";
        e(p + "name", s.name)(p + "x", s.x)(p + "y", s.y)(p + "z", s.z)(p + "orientation",
                                                                        s.orientationDegrees)(
            p + "wind.speed", s.windSpeed)(p + "wind.dir", s.windDirectionDegrees);
        e.text += "\n";
    }
    return land.preamble + e.text;
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
