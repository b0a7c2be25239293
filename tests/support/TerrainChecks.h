#pragma once

// Checks on a loaded land's triangle tree shared by the terrain, land maker
// and sample land tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "world/terrain/Terrain.h"

namespace testsupport {

// Every leaf edge on the bounding box's border belongs to one leaf, every
// other edge to exactly two: no cracks, no overlaps.
inline void expectCrackFree(const Terrain& terrain) {
    std::map<std::pair<int, int>, int> edges;
    for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
        const auto& t = terrain.mesh().triangles[leaf->triangle];
        for (int i = 0; i < 3; ++i)
            ++edges[{std::min(t[i], t[(i + 1) % 3]), std::max(t[i], t[(i + 1) % 3])}];
    }
    const TerrainBox& box = terrain.box();
    int interior = 0;
    for (const auto& [edge, count] : edges) {
        const auto& p = terrain.mesh().points[edge.first];
        const auto& q = terrain.mesh().points[edge.second];
        const bool border = (p[0] == q[0] && (p[0] == box.minX || p[0] == box.maxX)) ||
                            (p[1] == q[1] && (p[1] == box.minY || p[1] == box.maxY));
        EXPECT_EQ(count, border ? 1 : 2) << "edge " << edge.first << "-" << edge.second;
        interior += border ? 0 : 1;
    }
    EXPECT_GT(interior, 0);
}

} // namespace testsupport
