#pragma once

// Land-file text for a square land whose ground follows a height function, so tests and
// benchmarks can load a Terrain without land files: two right triangles along the diagonal,
// each bisected down to the requested depth, every child inside its parent.

#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace synthetic {

using HeightFunction = std::function<float(float x, float y)>;

struct LandShape {
    float originX = 0.0f;
    float originY = 0.0f;
    float size = 1000.0f; // side of the square, metres
    int depth = 8;        // bisection levels below the two top triangles (even)
    HeightFunction height = [](float, float) { return 0.0f; };
    float northDegrees = 90.0f;
};

class LandBuilder {
  public:
    explicit LandBuilder(const LandShape& landShape) : shape(landShape) {}

    std::string text() {
        const int n = 1 << (shape.depth / 2);
        // Clockwise seen from above, as land files list them; the root record comes last.
        const int t1 = addTriangle({n, 0}, {0, 0}, {n, n}, -1, 0);
        tree.push_back({-1, t1, addTriangle({0, n}, {n, n}, {0, 0}, -1, 0), -1});
        std::string coordinates;
        char buffer[96];
        for (const Cell& c : order) {
            const float x = shape.originX + shape.size * c.first / n;
            const float y = shape.originY + shape.size * c.second / n;
            std::snprintf(buffer, sizeof buffer, "%.4f %.4f %.4f ", x, y, shape.height(x, y));
            coordinates += buffer;
        }
        return "terrain.northdir = \"" + std::to_string(shape.northDegrees) +
               "\"\nterrain.points = \"" + coordinates + "\"\nterrain.triangles = \"" +
               joined(triangles) + "\"\nterrain.tree = \"" + joined(tree) + "\"\n";
    }

  private:
    using Cell = std::pair<int, int>;

    // Triangle (apex, a, b) with its right angle at apex; returns its index.
    int addTriangle(Cell apex, Cell a, Cell b, int parent, int level) {
        const int index = static_cast<int>(triangles.size());
        triangles.push_back({pointIndex(apex), pointIndex(b), pointIndex(a)});
        tree.push_back({index, -1, -1, parent});
        if (level < shape.depth) {
            const Cell mid{(a.first + b.first) / 2, (a.second + b.second) / 2};
            const int left = addTriangle(mid, a, apex, index, level + 1);
            const int right = addTriangle(mid, apex, b, index, level + 1);
            tree[index] = {index, left, right, parent};
        }
        return index;
    }

    int pointIndex(Cell cell) {
        const auto [found, added] = points.emplace(cell, static_cast<int>(points.size()));
        if (added) order.push_back(cell);
        return found->second;
    }

    template <std::size_t N>
    static std::string joined(const std::vector<std::array<int, N>>& rows) {
        std::string text;
        for (const auto& row : rows)
            for (int v : row)
                text += std::to_string(v) + " ";
        return text;
    }

    LandShape shape;
    std::map<Cell, int> points;
    std::vector<Cell> order;
    std::vector<std::array<int, 3>> triangles;
    std::vector<std::array<int, 4>> tree;
};

// False when the terrain refused the land.
inline bool loadLand(Terrain& terrain, const LandShape& shape) {
    KeyValueFile file;
    file.openText(LandBuilder(shape).text());
    return terrain.Load(file);
}

} // namespace synthetic
