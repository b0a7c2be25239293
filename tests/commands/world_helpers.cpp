#include "commands/TestWorld.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace commandtest {

namespace fs = std::filesystem;

namespace {

std::string entry(const std::string& key, const std::string& value) {
    return key + " = \"" + value + "\"\n";
}

std::string spot(int n, const char* name, float x, float y, float windSpeed) {
    const std::string prefix = "spot" + std::to_string(n) + ".";
    return entry(prefix + "name", name) + entry(prefix + "x", std::to_string(x)) +
           entry(prefix + "y", std::to_string(y)) + entry(prefix + "z", "50.000000") +
           entry(prefix + "orientation", "0.000000") +
           entry(prefix + "wind.speed", std::to_string(windSpeed)) +
           entry(prefix + "wind.dir", "90.000000");
}

} // namespace

fs::path writeSquareLand(const std::string& name) {
    const fs::path path = fs::path("lands") / name / (name + ".map");
    fs::create_directories(path.parent_path());
    const std::string text = "// test land\n" + entry("terrain.northdir", "90.000000") +
                             entry("terrain.longitud", "6.5") + entry("terrain.latitud", "45.2") +
                             entry("terrain.basetimezone", "1") +
                             entry("terrain.points", "0 0 50 1000 0 50 1000 1000 50 0 1000 50") +
                             entry("terrain.triangles", "0 3 1 2 1 3") +
                             entry("terrain.tree", "-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1") + "[Spot]\n" +
                             spot(1, "north", 500, 800, 3) + spot(2, "south", 500, 200, 7);
    writeFile(path, text);
    return path;
}

std::string savedGameText(const std::string& landName, float x, float y) {
    return entry("wind.show", "FALSE") + entry("pompes.show", "FALSE") +
           entry("sound.play", "FALSE") + entry("terrain.name", landName) +
           entry("obs.x", std::to_string(x)) + entry("obs.y", std::to_string(y)) +
           entry("obs.speed", "10.000000");
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

} // namespace commandtest
