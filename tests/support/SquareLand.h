#pragma once

// A small land for tests that build real worlds: a flat 1000 m square at 50 m, north
// along +y, with the spots "north" (500, 800; wind 3 m/s from 90) and "south" (500, 200;
// 7 m/s), written under lands/<name>/ of the current folder; and the files around it.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport {

inline std::string readFile(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Returns the land file's path.
inline std::filesystem::path writeSquareLand(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path("lands") / name / (name + ".map");
    std::filesystem::create_directories(path.parent_path());
    writeFile(path, "terrain.northdir = \"90\"\nterrain.longitud = \"6.5\"\n"
                    "terrain.latitud = \"45.2\"\nterrain.basetimezone = \"1\"\n"
                    "terrain.points = \"0 0 50 1000 0 50 1000 1000 50 0 1000 50\"\n"
                    "terrain.triangles = \"0 3 1 2 1 3\"\n"
                    "terrain.tree = \"-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1\"\n[Spot]\n"
                    "spot1.name = \"north\"\nspot1.x = \"500\"\nspot1.y = \"800\"\n"
                    "spot1.wind.speed = \"3\"\nspot1.wind.dir = \"90\"\n"
                    "spot2.name = \"south\"\nspot2.x = \"500\"\nspot2.y = \"200\"\n"
                    "spot2.wind.speed = \"7\"\nspot2.wind.dir = \"90\"\n");
    return path;
}

// A saved game on that land with the observer at (x, y), walking at 10 m/s.
inline std::string squareSavedGame(const std::string& land, int x, int y) {
    return "terrain.name = \"" + land + "\"\nobs.speed = \"10\"\nobs.x = \"" + std::to_string(x) +
           "\"\nobs.y = \"" + std::to_string(y) + "\"\n";
}

} // namespace testsupport
