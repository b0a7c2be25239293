#include "terrain/LandText_helpers.h"

#include <sstream>

namespace {
template <typename T> std::string joined(const std::vector<T>& values) {
    std::ostringstream out;
    for (std::size_t i = 0; i < values.size(); ++i)
        out << (i == 0 ? "" : " ") << values[i];
    return out.str();
}

float plane(float x, float y) {
    return 0.1f * x + 0.2f * y + 5.0f;
}
} // namespace

std::string LandText::text() const {
    std::string result;
    if (!points.empty()) result += "terrain.points = \"" + joined(points) + "\"\n";
    if (!triangles.empty()) result += "terrain.triangles = \"" + joined(triangles) + "\"\n";
    if (!tree.empty()) result += "terrain.tree = \"" + joined(tree) + "\"\n";
    return result + extra;
}

LandText twoTriangleLand() {
    LandText land;
    const float corners[4][2] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    for (const auto& c : corners)
        land.points.insert(land.points.end(), {c[0], c[1], plane(c[0], c[1])});
    land.triangles = {0, 2, 1, 0, 3, 2};
    land.tree = {-1, 0, 1, -1, 0, -1, -1, -1, 1, -1, -1, -1};
    return land;
}

LandText fourLeafLand() {
    LandText land = twoTriangleLand();
    land.points.insert(land.points.end(), {50, 50, 50});
    land.triangles.insert(land.triangles.end(), {0, 4, 1, 4, 2, 1, 0, 3, 4, 4, 3, 2});
    land.tree = {-1, 0, 1, -1, 0,  2, 3, -1, 1,  4, 5, -1, 2,  -1,
                 -1, 0, 3, -1, -1, 0, 4, -1, -1, 1, 5, -1, -1, 1};
    return land;
}
