#pragma once

// Small hand-made lands for the scene's tests: a square whose ground is the plane
// z = 100 + slope * (x - originX), split along its diagonal, with spots, houses
// on the line y = 450 and a comment before the spot section that rewrites must keep.

#include <filesystem>
#include <string>
#include <vector>

#include "support/SquareLand.h"
#include "support/WorkingFolder.h"

namespace scenetest {

using testsupport::readFile;
using testsupport::WorkingFolder;
using testsupport::writeFile;

struct TestLand {
    struct Spot {
        std::string name;
        float x, y, orientationDegrees, windSpeed, windDirectionDegrees;
    };
    std::string name = "hill";
    float originX = 0.0f, size = 1000.0f, slope = 0.1f, northDegrees = 90.0f;
    std::vector<Spot> spots;
    std::vector<std::pair<int, float>> houses; // type and x
    std::string text = "// hand-made test land\nauthor = \"tests\"\n";

    float groundAt(float x) const { return 100.0f + slope * (x - originX); }
    std::string fileText() const {
        std::string t = text;
        const auto add = [&t](const std::string& prefix, std::initializer_list<const char*> keys,
                              std::initializer_list<float> values) {
            for (auto value = values.begin(); const char* key : keys)
                t += prefix + key + " = \"" + std::to_string(*value++) + "\"\n";
        };
        const float x0 = originX, x1 = originX + size;
        add("terrain.", {"northdir"}, {northDegrees});
        // Clockwise seen from above, as land files list them; the diagonal splits the square.
        for (float v : {x0, 0.0f, groundAt(x0), x1, 0.0f, groundAt(x1), x1, size, groundAt(x1), x0,
                        size, groundAt(x0)})
            t += (t.back() == '\n' ? "terrain.points = \"" : " ") + std::to_string(v);
        t += "\"\nterrain.triangles = \"0 3 1 2 1 3\"\n"
             "terrain.tree = \"-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1\"\n";
        for (std::size_t i = 0; i < houses.size(); ++i) {
            const std::string d = "decor" + std::to_string(i + 1) + ".";
            t += d + "name = \"house\"\n" + d + "type = \"" + std::to_string(houses[i].first) +
                 "\"\n";
            add(d, {"x", "y", "z", "width", "depth", "height"},
                {houses[i].second, 450.0f, groundAt(houses[i].second), 6.0f, 6.0f, 6.0f});
        }
        t += "[Spot]\n";
        for (std::size_t i = 0; i < spots.size(); ++i) {
            const std::string p = "spot" + std::to_string(i + 1) + ".";
            const Spot& s = spots[i];
            t += p + "name = \"" + s.name + "\"\n";
            add(p, {"x", "y", "orientation", "wind.speed", "wind.dir"},
                {s.x, s.y, s.orientationDegrees, s.windSpeed, s.windDirectionDegrees});
        }
        return t;
    }
    // Writes lands/<name>/<name>.map under the working directory; returns its path.
    std::filesystem::path write() const {
        const std::filesystem::path path = "lands/" + name + "/" + name + ".map";
        std::filesystem::create_directories(path.parent_path());
        writeFile(path, fileText());
        return path;
    }
};

inline std::string gameAt(const std::string& land, float x, float y) {
    return "terrain.name = \"" + land + "\"\nobs.x = \"" + std::to_string(x) + "\"\nobs.y = \"" +
           std::to_string(y) + "\"\nobs.alpha = \"1.0\"\n";
}

} // namespace scenetest
