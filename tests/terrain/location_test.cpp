// Point location, interpolation and normals on small hand-made lands.
#include <gtest/gtest.h>

#include <cmath>

#include "io/KeyValueFile.h"
#include "terrain/LandText_helpers.h"
#include "world/terrain/Terrain.h"

namespace {
bool load(Terrain& terrain, const LandText& land) {
    KeyValueFile file;
    file.openText(land.text());
    return terrain.Load(file);
}

float plane(float x, float y) {
    return 0.1f * x + 0.2f * y + 5.0f;
}

// Height of the plane through three points at (x, y), computed independently.
float planeThrough(const float a[3], const float b[3], const float c[3], float x, float y) {
    const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
    const float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    return a[2] - (nx * (x - a[0]) + ny * (y - a[1])) / nz;
}
} // namespace

TEST(TerrainLocation, PlanarLandGivesThePlaneEverywhereInside) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand()));
    for (float x = 0.0f; x <= 100.0f; x += 12.5f)
        for (float y = 0.0f; y <= 100.0f; y += 7.0f)
            EXPECT_NEAR(terrain.HeightAt(x, y), plane(x, y), 1e-3f) << x << ", " << y;
}

TEST(TerrainLocation, EdgeSharedByTheTopTrianglesBelongsToTheLeftOne) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand()));
    for (float t : {0.0f, 25.0f, 50.0f, 99.0f}) {
        const TriangleNode* leaf = terrain.LocateLeaf(t, t);
        ASSERT_NE(leaf, nullptr);
        EXPECT_EQ(leaf->triangle, 0) << "on the diagonal at " << t;
    }
    // Clearly above the diagonal only the right triangle holds the point.
    ASSERT_NE(terrain.LocateLeaf(20.0f, 60.0f), nullptr);
    EXPECT_EQ(terrain.LocateLeaf(20.0f, 60.0f)->triangle, 1);
}

TEST(TerrainLocation, MarginAroundTheBorderExtrapolatesAndFartherOutIsOutside) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand()));
    // Leaf 3 is (50,50,50), (100,100,35), (100,0,15); grown by 1 % about its
    // centroid its edge x = 100 moves out by about 0.17 m.
    const float a[3] = {50, 50, 50}, b[3] = {100, 100, 35}, c[3] = {100, 0, 15};
    const float inside = terrain.HeightAt(100.1f, 60.0f);
    EXPECT_NEAR(inside, planeThrough(a, b, c, 100.1f, 60.0f), 1e-3f);
    EXPECT_EQ(terrain.HeightAt(100.5f, 60.0f), -1.0f);
    EXPECT_EQ(terrain.HeightAt(-30.0f, 140.0f), -1.0f);
    const auto up = terrain.NormalAt(100.5f, 60.0f);
    EXPECT_EQ(up[0], 0.0f);
    EXPECT_EQ(up[1], 0.0f);
    EXPECT_EQ(up[2], 1.0f);
}

TEST(TerrainLocation, LeavesInterpolateTheirOwnPlane) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand()));
    const float origin[3] = {0, 0, 5}, middle[3] = {50, 50, 50}, east[3] = {100, 0, 15};
    const float north[3] = {0, 100, 25}, corner[3] = {100, 100, 35};
    EXPECT_NEAR(terrain.HeightAt(50.0f, 20.0f), planeThrough(origin, middle, east, 50, 20), 1e-3f);
    EXPECT_NEAR(terrain.HeightAt(30.0f, 60.0f), planeThrough(origin, north, middle, 30, 60), 1e-3f);
    EXPECT_NEAR(terrain.HeightAt(50.0f, 80.0f), planeThrough(middle, north, corner, 50, 80), 1e-3f);
    EXPECT_NEAR(terrain.HeightAt(50.0f, 50.0f), 50.0f, 1e-3f);
}

TEST(TerrainLocation, ClockwiseLandHasUnitDownwardNormals) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand()));
    // z = 0.1 x + 0.2 y + 5 has the downward normal (0.1, 0.2, -1) / |...|.
    const float length = std::sqrt(0.01f + 0.04f + 1.0f);
    for (const auto& n : terrain.mesh().pointNormals) {
        EXPECT_NEAR(n[0], 0.1f / length, 1e-5f);
        EXPECT_NEAR(n[1], 0.2f / length, 1e-5f);
        EXPECT_NEAR(n[2], -1.0f / length, 1e-5f);
    }
    const auto n = terrain.NormalAt(37.0f, 81.0f);
    EXPECT_NEAR(n[2], -1.0f / length, 1e-5f);
}

TEST(TerrainLocation, FaceNormalsAreTwiceTheAreaAndOnlyForLeaves) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand()));
    const auto& faces = terrain.mesh().faceNormals;
    for (int inner : {0, 1})
        EXPECT_EQ(faces[inner][2], 0.0f) << "inner triangle " << inner;
    // Leaf 2 spans (0,0), (50,50), (100,0): horizontal area 2500, clockwise.
    EXPECT_NEAR(faces[2][2], -5000.0f, 1e-2f);
}

TEST(TerrainLocation, TextureCoordinatesSpanTheBoundingBox) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand()));
    const auto& uv = terrain.mesh().textureCoordinates;
    EXPECT_FLOAT_EQ(uv[0][0], 0.0f);
    EXPECT_FLOAT_EQ(uv[0][1], 0.0f);
    EXPECT_FLOAT_EQ(uv[2][0], 1.0f);
    EXPECT_FLOAT_EQ(uv[2][1], 1.0f);
    EXPECT_FLOAT_EQ(uv[4][0], 0.5f);
    EXPECT_FLOAT_EQ(uv[4][1], 0.5f);
}

TEST(TerrainTree, LeafListsRunLeftSubtreeFirst) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand()));
    const auto& root = terrain.treeRoot();
    ASSERT_EQ(root.leaves.size(), 4u);
    const int expected[] = {2, 3, 4, 5};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(root.leaves[i]->triangle, expected[i]);
    ASSERT_NE(root.right, nullptr);
    ASSERT_EQ(root.right->leaves.size(), 2u);
    EXPECT_EQ(root.right->leaves[0]->triangle, 4);
    EXPECT_TRUE(root.right->left->isLeaf());
    EXPECT_EQ(root.right->left->leaves.size(), 1u);
    EXPECT_EQ(root.right->left->parent, root.right);
    EXPECT_EQ(terrain.leafCount(), 4u);
}

TEST(TerrainTree, CullSendsWholeSubtreesAndSkipsWhatLiesOutside) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand()));
    std::vector<std::vector<int>> sent;
    auto record = [&sent](std::span<const TriangleNode* const> leaves) {
        sent.emplace_back();
        for (const TriangleNode* leaf : leaves)
            sent.back().push_back(leaf->triangle);
    };
    const Terrain::Plane everything{0, 0, 1, 1000};
    terrain.VisitVisible(everything, everything, record);
    ASSERT_EQ(sent.size(), 2u) << "each top triangle lies wholly inside: one list each";
    EXPECT_EQ(sent[0], (std::vector<int>{2, 3}));
    EXPECT_EQ(sent[1], (std::vector<int>{4, 5}));

    sent.clear();
    // x > 60: every leaf with a corner at x = 100 is sent on its own, the
    // south-west leaf 4 (corners at x 0, 0 and 50) not at all.
    terrain.VisitVisible({1, 0, 0, -60}, everything, record);
    EXPECT_EQ(sent, (std::vector<std::vector<int>>{{2}, {3}, {5}}));

    sent.clear();
    terrain.VisitVisible(everything, {-1, 0, 0, -150}, record);
    EXPECT_TRUE(sent.empty());
}
