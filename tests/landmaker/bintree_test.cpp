// The land maker's triangulation: it loads, it has no cracks, it keeps its
// tolerance, and it refines only where the ground asks for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "Bintree.h"
#include "LandMaker.h"
#include "Noise.h"
#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace {
constexpr float landSize = 640.0f;

HeightMap bumpyGrid(int size, uint32_t seed) {
    std::vector<float> heights(std::size_t(size) * size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            heights[std::size_t(r) * size + c] =
                120.0f * fractalNoise(c / 9.0f, r / 9.0f, seed, 4) + 30.0f * (c > size / 2);
    return HeightMap(size, size, std::move(heights));
}

// Flat, with one sharp spike: refinement happens in one spot only, so every
// split around it has to drag its neighbours along.
HeightMap spikeGrid(int size) {
    std::vector<float> heights(std::size_t(size) * size, 50.0f);
    heights[std::size_t(size / 3) * size + size / 3 + 1] = 90.0f;
    return HeightMap(size, size, std::move(heights));
}

struct LoadedLand {
    Terrain terrain;
    bool loaded = false;
};

void loadGeometry(LoadedLand& land, const Bintree& tree) {
    KeyValueFile file;
    file.openText(landGeometryText(tree, landSize, landSize));
    land.loaded = land.terrain.Load(file);
}

using Edge = std::pair<int32_t, int32_t>;

std::map<Edge, int> leafEdges(const Terrain& terrain) {
    std::map<Edge, int> edges;
    for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
        const auto& t = terrain.mesh().triangles[leaf->triangle];
        for (int i = 0; i < 3; ++i) {
            const int32_t a = t[i], b = t[(i + 1) % 3];
            ++edges[{std::min(a, b), std::max(a, b)}];
        }
    }
    return edges;
}

bool onBorder(const Terrain& terrain, int32_t a, int32_t b) {
    const auto& p = terrain.mesh().points[a];
    const auto& q = terrain.mesh().points[b];
    for (int axis = 0; axis < 2; ++axis)
        for (float side : {0.0f, landSize})
            if (p[axis] == side && q[axis] == side) return true;
    return false;
}

void expectCrackFree(const Terrain& terrain) {
    for (const auto& [edge, count] : leafEdges(terrain)) {
        if (onBorder(terrain, edge.first, edge.second))
            EXPECT_EQ(count, 1) << "border edge " << edge.first << "-" << edge.second;
        else
            EXPECT_EQ(count, 2) << "interior edge " << edge.first << "-" << edge.second
                                << " is not shared by exactly two leaves";
    }
}

// The largest gap between a leaf's plane and the grid samples inside it.
float worstError(const Terrain& terrain, const HeightMap& grid) {
    const float cell = landSize / float(grid.width() - 1);
    float worst = 0.0f;
    for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
        const auto& t = terrain.mesh().triangles[leaf->triangle];
        const auto& a = terrain.mesh().points[t[0]];
        const auto& b = terrain.mesh().points[t[1]];
        const auto& c = terrain.mesh().points[t[2]];
        const double area =
            double(b[0] - a[0]) * (c[1] - a[1]) - double(c[0] - a[0]) * (b[1] - a[1]);
        for (int row = 0; row < grid.height(); ++row)
            for (int column = 0; column < grid.width(); ++column) {
                const double x = column * cell, y = (grid.height() - 1 - row) * cell;
                const double wa = ((b[0] - x) * (c[1] - y) - (c[0] - x) * (b[1] - y)) / area;
                const double wb = ((c[0] - x) * (a[1] - y) - (a[0] - x) * (c[1] - y)) / area;
                const double wc = 1.0 - wa - wb;
                if (wa < -1e-9 || wb < -1e-9 || wc < -1e-9) continue;
                const double plane = wa * a[2] + wb * b[2] + wc * c[2];
                worst = std::max(worst, float(std::abs(plane - grid.at(column, row))));
            }
    }
    return worst;
}
} // namespace

TEST(LandMakerTriangulation, OutputLoadsWithEveryTriangleClockwise) {
    const HeightMap grid = bumpyGrid(33, 3);
    Bintree tree(grid);
    tree.refine(2.0f);
    LoadedLand land;
    loadGeometry(land, tree);
    ASSERT_TRUE(land.loaded);
    EXPECT_EQ(land.terrain.leafCount(), tree.leafCount());
    EXPECT_EQ(land.terrain.mesh().triangleCount(), int(tree.nodes().size()));
    for (const auto& t : land.terrain.mesh().triangles) {
        const auto& a = land.terrain.mesh().points[t[0]];
        const auto& b = land.terrain.mesh().points[t[1]];
        const auto& c = land.terrain.mesh().points[t[2]];
        EXPECT_LT((b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]), 0.0f);
    }
    EXPECT_FLOAT_EQ(land.terrain.box().maxX, landSize);
    EXPECT_FLOAT_EQ(land.terrain.box().minY, 0.0f);
}

TEST(LandMakerTriangulation, LeavesShareEveryInteriorEdgeWithExactlyOneOther) {
    for (const HeightMap& grid : {bumpyGrid(65, 7), spikeGrid(65)}) {
        Bintree tree(grid);
        tree.refine(0.5f);
        LoadedLand land;
        loadGeometry(land, tree);
        ASSERT_TRUE(land.loaded);
        expectCrackFree(land.terrain);
    }
}

TEST(LandMakerTriangulation, EveryLeafKeepsTheTolerance) {
    const HeightMap grid = bumpyGrid(65, 11);
    for (float tolerance : {0.25f, 1.0f, 4.0f}) {
        Bintree tree(grid);
        tree.refine(tolerance);
        LoadedLand land;
        loadGeometry(land, tree);
        ASSERT_TRUE(land.loaded);
        EXPECT_LE(worstError(land.terrain, grid), tolerance + 1e-3f) << "tolerance " << tolerance;
    }
}

TEST(LandMakerTriangulation, GroundHeightMatchesTheSamplesAtTheVertices) {
    const HeightMap grid = bumpyGrid(33, 5);
    Bintree tree(grid);
    tree.refine(1.0f);
    LoadedLand land;
    loadGeometry(land, tree);
    ASSERT_TRUE(land.loaded);
    const float cell = landSize / 32.0f;
    for (int row = 1; row < 32; row += 4)
        for (int column = 1; column < 32; column += 3) {
            const float h = land.terrain.HeightAt(column * cell, (32 - row) * cell);
            EXPECT_NEAR(h, grid.at(column, row), 1.0f + 1e-3f) << column << ", " << row;
        }
}

TEST(LandMakerTriangulation, RefinesOnlyWhereTheGroundAsksForIt) {
    const HeightMap flat(33, 33, std::vector<float>(33 * 33, 12.0f));
    Bintree plain(flat);
    plain.refine(0.0f);
    EXPECT_EQ(plain.leafCount(), 2u) << "a flat land needs nothing but the two halves";

    Bintree spiked(spikeGrid(33));
    spiked.refine(0.1f);
    Bintree full(spikeGrid(33));
    full.refine(-1.0f); // every triangle splits: the finest grid
    EXPECT_GT(spiked.leafCount(), 2u);
    EXPECT_LT(spiked.leafCount(), full.leafCount() / 4);
    EXPECT_EQ(full.leafCount(), 2u * 32 * 32);

    Bintree coarse(bumpyGrid(33, 9)), fine(bumpyGrid(33, 9));
    coarse.refine(8.0f);
    fine.refine(0.5f);
    EXPECT_LT(coarse.leafCount(), fine.leafCount());
}
