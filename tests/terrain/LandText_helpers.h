#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Land file texts for tests: points (x y z each), triangles (three point
// indices each), tree records (four numbers each) and any extra lines.
struct LandText {
    std::vector<float> points;
    std::vector<int> triangles;
    std::vector<int> tree;
    std::string extra;

    std::string text() const {
        return entry("terrain.points", points) + entry("terrain.triangles", triangles) +
               entry("terrain.tree", tree) + extra;
    }

    template <typename T> static std::string entry(const char* key, const std::vector<T>& values) {
        std::string joined;
        char number[32];
        for (const T& v : values) {
            std::snprintf(number, sizeof number, joined.empty() ? "%g" : " %g", double(v));
            joined += number;
        }
        return values.empty() ? "" : std::string(key) + " = \"" + joined + "\"\n";
    }
};

// The square 0..100 x 0..100 as two clockwise top-level triangles sharing the
// diagonal from (0, 0) to (100, 100): triangle 0 below it (left child of the
// root), triangle 1 above it, both in the plane z = 0.1 x + 0.2 y + 5.
inline LandText twoTriangleLand() {
    return {{0, 0, 5, 100, 0, 15, 100, 100, 35, 0, 100, 25},
            {0, 2, 1, 0, 3, 2},
            {-1, 0, 1, -1, 0, -1, -1, -1, 1, -1, -1, -1},
            ""};
}

// The same square, each top triangle split at point 4 (50, 50, 50): leaves 2, 3 under 0, 4, 5
// under 1.
inline LandText fourLeafLand() {
    LandText land = twoTriangleLand();
    land.points.insert(land.points.end(), {50, 50, 50});
    land.triangles.insert(land.triangles.end(), {0, 4, 1, 4, 2, 1, 0, 3, 4, 4, 3, 2});
    land.tree = {-1, 0, 1, -1, 0,  2, 3, -1, 1,  4, 5, -1, 2,  -1,
                 -1, 0, 3, -1, -1, 0, 4, -1, -1, 1, 5, -1, -1, 1};
    return land;
}
