#pragma once

#include <string>
#include <vector>

// Builds land file texts for tests: points (x y z each), triangles (three
// point indices each), tree records (four numbers each) and any extra lines.
struct LandText {
    std::vector<float> points;
    std::vector<int> triangles;
    std::vector<int> tree;
    std::string extra;

    std::string text() const;
};

// The square 0..100 x 0..100 as two top-level triangles sharing the diagonal
// from (0, 0) to (100, 100): triangle 0 below it (left child of the root),
// triangle 1 above it. Heights follow z = 0.1 x + 0.2 y + 5, so every leaf
// lies in that plane. Triangles are clockwise seen from above.
LandText twoTriangleLand();

// The same square with each top triangle split at the middle of the diagonal
// (point 4, raised to z = 50): leaves 2, 3 under triangle 0 and 4, 5 under 1.
LandText fourLeafLand();
