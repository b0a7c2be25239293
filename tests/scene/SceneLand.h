#pragma once

// Small hand-made lands for the scene's tests: a square whose ground is the plane
// z = 100 + slope * (x - originX), split along its diagonal, with spots, houses
// and a comment before the spot section that rewrites must keep.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/SquareLand.h"
#include "support/WorkingFolder.h"

namespace scenetest {

using testsupport::readFile;
using testsupport::WorkingFolder;
using testsupport::writeFile;

struct TestSpot {
    std::string name;
    float x, y, orientationDegrees, windSpeed, windDirectionDegrees;
};

struct TestLand {
    std::string name = "hill";
    float originX = 0.0f, size = 1000.0f, slope = 0.1f, northDegrees = 90.0f;
    std::vector<TestSpot> spots;
    std::vector<std::pair<int, float>> houses; // type and x, on the line y = 450
    std::string preamble = "// hand-made test land\nauthor = \"tests\"\n";

    float groundAt(float x) const { return 100.0f + slope * (x - originX); }

    std::string text() const {
        std::string t = preamble;
        const auto add = [&t](const std::string& key, float value) {
            char number[64];
            std::snprintf(number, sizeof number, "%f", value);
            t += key + " = \"" + number + "\"\n";
        };
        add("terrain.northdir", northDegrees);
        const float x0 = originX, x1 = originX + size;
        char points[256];
        std::snprintf(points, sizeof points, "%f 0 %f %f 0 %f %f %f %f %f %f %f", x0, groundAt(x0),
                      x1, groundAt(x1), x1, size, groundAt(x1), x0, size, groundAt(x0));
        // Clockwise seen from above, as land files list them; the diagonal splits the square.
        t += "terrain.points = \"" + std::string(points) + "\"\nterrain.triangles = \"0 3 1 2 1 " +
             "3\"\nterrain.tree = \"-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1\"\n";
        for (std::size_t i = 0; i < houses.size(); ++i) {
            const std::string d = "decor" + std::to_string(i + 1) + ".";
            t += d + "name = \"house\"\n" + d + "type = \"" + std::to_string(houses[i].first) +
                 "\"\n";
            add(d + "x", houses[i].second);
            add(d + "y", 450.0f);
            add(d + "z", groundAt(houses[i].second));
            for (const char* measure : {"width", "depth", "height"})
                add(d + measure, 6.0f);
        }
        t += "[Spot]\n";
        for (std::size_t i = 0; i < spots.size(); ++i) {
            const std::string p = "spot" + std::to_string(i + 1) + ".";
            const TestSpot& s = spots[i];
            t += p + "name = \"" + s.name + "\"\n";
            add(p + "x", s.x);
            add(p + "y", s.y);
            add(p + "orientation", s.orientationDegrees);
            add(p + "wind.speed", s.windSpeed);
            add(p + "wind.dir", s.windDirectionDegrees);
        }
        return t;
    }
    // Writes lands/<name>/<name>.map under the working directory; returns its path.
    std::filesystem::path write() const {
        const std::filesystem::path path = "lands/" + name + "/" + name + ".map";
        std::filesystem::create_directories(path.parent_path());
        writeFile(path, text());
        return path;
    }
};

inline std::string gameAt(const std::string& land, float x, float y) {
    return "terrain.name = \"" + land + "\"\nobs.x = \"" + std::to_string(x) + "\"\nobs.y = \"" +
           std::to_string(y) + "\"\nobs.alpha = \"1.0\"\n";
}

} // namespace scenetest
