#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "world/terrain/Terrain.h"

// Every leaf clockwise seen from above, and every edge shared by exactly two
// leaves unless it lies on the land's border: no cracks in the ground.
inline void expectClockwiseAndCrackFree(const Terrain& terrain) {
    const auto& points = terrain.mesh().points;
    std::map<std::pair<int, int>, int> edges;
    for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
        const auto& t = terrain.mesh().triangles[leaf->triangle];
        const auto &a = points[t[0]], &b = points[t[1]], &p = points[t[2]];
        ASSERT_LT((b[0] - a[0]) * (p[1] - a[1]) - (p[0] - a[0]) * (b[1] - a[1]), 0.0f);
        for (int i = 0; i < 3; ++i)
            ++edges[{std::min(t[i], t[(i + 1) % 3]), std::max(t[i], t[(i + 1) % 3])}];
    }
    const TerrainBox& box = terrain.box();
    for (const auto& [edge, count] : edges) {
        const auto &p = points[edge.first], &q = points[edge.second];
        const bool border = (p[0] == q[0] && (p[0] == box.minX || p[0] == box.maxX)) ||
                            (p[1] == q[1] && (p[1] == box.minY || p[1] == box.maxY));
        ASSERT_EQ(count, border ? 1 : 2) << "edge " << edge.first << "-" << edge.second;
    }
}
