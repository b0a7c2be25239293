// Reading land files (count rules, defaults, the load/clear life cycle, what
// is refused), point location, normals and the triangle tree.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "io/KeyValueFile.h"
#include "terrain/LandText_helpers.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"

namespace {

bool load(Terrain& terrain, const std::string& text) {
    KeyValueFile file;
    file.openText(text);
    return terrain.Load(file);
}

void expectEmpty(const Terrain& terrain) {
    EXPECT_TRUE(terrain.needsLoad());
    EXPECT_FALSE(terrain.justLoaded());
    EXPECT_TRUE(terrain.spots().empty());
    EXPECT_EQ(terrain.mesh().pointCount(), 0);
    EXPECT_EQ(terrain.HeightAt(50.0f, 20.0f), -1.0f);
}

// Height at (x, y) of the plane through a leaf's three corners, worked out on its own.
float planeOfLeaf(const Terrain& terrain, const TriangleNode& leaf, float x, float y) {
    const auto& t = terrain.mesh().triangles[leaf.triangle];
    const auto& a = terrain.mesh().points[t[0]];
    const auto& b = terrain.mesh().points[t[1]];
    const auto& c = terrain.mesh().points[t[2]];
    const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
    const float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    return a[2] - (nx * (x - a[0]) + ny * (y - a[1])) / nz;
}

} // namespace

TEST(TerrainLoading, BadLandsAreRefusedAndLeaveNothing) {
    const auto without = [](int drop) {
        LandText land = twoTriangleLand();
        if (drop == 0) land.points.clear();
        if (drop == 1) land.triangles.clear();
        if (drop == 2) land.tree.clear();
        if (drop == 2) land.extra = "terrain.tree = \"\"\nspot1.name = \"never read\"\n";
        return land.text();
    };
    const auto withTree = [](std::vector<int> tree) {
        LandText land = twoTriangleLand();
        land.points.insert(land.points.end(), {60, 20, 10});
        // Triangle 2 lies inside triangle 0; triangle 3 is a copy of triangle 0.
        land.triangles.insert(land.triangles.end(), {0, 4, 1, 0, 2, 1});
        land.tree = std::move(tree);
        return land.text();
    };
    LandText outOfRange = twoTriangleLand();
    outOfRange.triangles[4] = 4;
    std::string notANumber = twoTriangleLand().text(); // ends the points before the first whole one
    notANumber.replace(notANumber.find("0 0 5"), 5, "0 0 nan");
    const std::pair<const char*, std::string> cases[] = {
        {"no points", without(0)},
        {"no triangles", without(1)},
        {"empty tree", without(2)},
        {"point index out of range", outOfRange.text()},
        {"a height that is no number", notANumber},
        {"child index out of range", withTree({-1, 0, 9, -1, 0, -1, -1, -1})},
        {"record for a missing triangle",
         withTree({-1, 0, 1, -1, 0, -1, -1, -1, 1, -1, -1, -1, 7, -1, -1, -1})},
        {"no root record", withTree({0, -1, -1, -1, 1, -1, -1, -1})},
        {"two root records", withTree({-1, 0, 1, -1, -1, 0, 1, -1, 0, -1, -1, -1, 1, -1, -1, -1})},
        {"node reached without a record", withTree({-1, 0, 1, -1, 0, -1, -1, -1})},
        {"cycle", withTree({-1, 0, -1, -1, 0, 3, -1, -1, 3, 0, -1, 0})},
        {"child outside its parent", withTree({-1, 0, -1, -1, 0, 1, -1, -1, 1, -1, -1, 0})},
        {"child shared by two parents",
         withTree({-1, 0, 3, -1, 0, 2, -1, -1, 3, 2, -1, -1, 2, -1, -1, 0})},
        {"right child without a left one", withTree({-1, 0, -1, -1, 0, -1, 1, -1, 1, -1, -1, 0})},
        {"root without children", withTree({-1, -1, -1, -1, 0, -1, -1, -1})},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        Terrain terrain;
        EXPECT_FALSE(load(terrain, text));
        expectEmpty(terrain);
        EXPECT_TRUE(load(terrain, twoTriangleLand().text())) << "a good land loads afterwards";
    }
}

TEST(TerrainLoading, CountsCutDownToWholeGroupsAndDegenerateTrianglesGiveNoNaN) {
    LandText land = fourLeafLand();
    land.points.push_back(7.0f);                         // 16 numbers: 5 points
    land.triangles.insert(land.triangles.end(), {1, 2}); // 20 numbers: 6 triangles
    land.tree.insert(land.tree.end(), {3, 3, 3});        // 31 numbers: 7 records
    Terrain terrain;
    ASSERT_TRUE(load(terrain, land.text()));
    EXPECT_EQ(terrain.mesh().pointCount(), 5);
    EXPECT_EQ(terrain.mesh().triangleCount(), 6);
    EXPECT_EQ(terrain.leafCount(), 4u);

    LandText flat = twoTriangleLand();
    flat.points.insert(flat.points.end(), {50, 50, 30, 70, 10, 99}); // 4 on the diagonal, 5 unused
    flat.triangles.insert(flat.triangles.end(), {0, 4, 2});          // triangle 2: no area
    flat.tree = {-1, 2, 0, -1, 2, -1, -1, -1, 0, -1, -1, -1};        // the flat one searched first
    terrain.Clear(); // a loaded terrain keeps its land until cleared
    ASSERT_TRUE(load(terrain, flat.text()));
    ASSERT_EQ(terrain.mesh().pointCount(), 6);
    for (float x = -5.0f; x <= 105.0f; x += 2.5f)
        for (float y = -5.0f; y <= 105.0f; y += 2.5f) {
            ASSERT_TRUE(std::isfinite(terrain.HeightAt(x, y))) << x << ", " << y;
            for (float v : terrain.NormalAt(x, y))
                ASSERT_TRUE(std::isfinite(v)) << x << ", " << y;
        }
    for (int unused : {4, 5})
        for (float v : terrain.mesh().pointNormals[unused])
            EXPECT_TRUE(std::isfinite(v));
}

TEST(TerrainLoading, GeographyBoxAndTheLoadLifeCycle) {
    Terrain terrain;
    EXPECT_TRUE(terrain.box().inverted());
    ASSERT_TRUE(load(terrain, fourLeafLand().text() +
                                  "terrain.longitud = \"-3.5\"\nterrain.latitud = \"52.25\"\n"
                                  "terrain.northdir = \"45\"\nterrain.basetimezone = \"-2\"\n"));
    EXPECT_NEAR(terrain.longitude(), -3.5f * 0.01745329252f, 1e-6f);
    EXPECT_NEAR(terrain.latitude(), 52.25f * 0.01745329252f, 1e-6f);
    EXPECT_NEAR(terrain.northDirection(), 0.785398f, 1e-5f);
    EXPECT_EQ(terrain.baseTimeZone(), -2);
    EXPECT_EQ(terrain.box().maxZ, 50.0f);
    EXPECT_EQ(terrain.extents()[2], 45.0f);
    EXPECT_FLOAT_EQ(terrain.relief(), 45.0f);
    EXPECT_EQ(terrain.centre()[0], 50.0f);
    EXPECT_EQ(terrain.centre()[2], 27.5f);
    EXPECT_TRUE(terrain.containsXY(100.0f, 0.0f));
    EXPECT_FALSE(terrain.containsXY(100.01f, 0.0f));
    EXPECT_TRUE(terrain.justLoaded() && !terrain.needsLoad());

    terrain.AddSpot("added", 10, 10, 0, 0, 0, 0);
    ASSERT_TRUE(load(terrain, twoTriangleLand().text())); // loaded already: kept
    EXPECT_FALSE(terrain.justLoaded());
    EXPECT_EQ(terrain.mesh().pointCount(), 5);
    EXPECT_EQ(terrain.spots().size(), 2u);
    terrain.Clear();
    expectEmpty(terrain);
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    EXPECT_FLOAT_EQ(terrain.northDirection(), 1.5707964f) << "defaults";
    EXPECT_EQ(terrain.baseTimeZone(), 1);
    EXPECT_EQ(terrain.longitude(), 0.0f);
}

// Over many random points of hand-made and generated lands, the leaf found
// holds the point and the height is its own plane's; the diagonal shared by
// the top triangles belongs to the left one; a margin of about 1 % is still
// the land and farther out is outside.
TEST(TerrainLocation, HeightsAreTheLocatedLeafsPlaneAndOutsideIsMinusOne) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> along(0.0f, 100.0f);
    Terrain terrain;
    synthetic::LandShape shape;
    shape.size = 100.0f;
    shape.depth = 6;
    shape.height = [](float x, float y) { return 20.0f + 10.0f * std::sin(x / 13.0f) + y * 0.3f; };
    for (const std::string& text :
         {twoTriangleLand().text(), fourLeafLand().text(), synthetic::LandBuilder(shape).text()}) {
        ASSERT_TRUE(load(terrain, text));
        for (int n = 0; n < 500; ++n) {
            const float x = along(random), y = along(random);
            const TriangleNode* leaf = terrain.LocateLeaf(x, y);
            ASSERT_NE(leaf, nullptr) << x << ", " << y;
            ASSERT_TRUE(leaf->isLeaf());
            ASSERT_NEAR(terrain.HeightAt(x, y), planeOfLeaf(terrain, *leaf, x, y), 1e-3f);
        }
        for (float t : {0.0f, 25.0f, 50.0f, 99.0f}) {
            const TriangleNode* leaf = terrain.LocateLeaf(t, t);
            while (leaf->parent->triangle != -1)
                leaf = leaf->parent;
            EXPECT_EQ(leaf->triangle, 0) << "on the diagonal at " << t;
        }
        EXPECT_EQ(terrain.HeightAt(-30.0f, 140.0f), -1.0f);
        terrain.Clear();
    }
    ASSERT_TRUE(load(terrain, fourLeafLand().text()));
    EXPECT_EQ(terrain.LocateLeaf(20.0f, 60.0f)->triangle, 4);
    // Leaf 3 grown by 1 % about its centroid: its edge x = 100 moves out by about 0.17 m.
    const TriangleNode* edge = terrain.LocateLeaf(100.1f, 60.0f);
    ASSERT_NE(edge, nullptr);
    EXPECT_NEAR(terrain.HeightAt(100.1f, 60.0f), planeOfLeaf(terrain, *edge, 100.1f, 60.0f), 1e-3f);
    EXPECT_EQ(terrain.HeightAt(100.5f, 60.0f), -1.0f);
    const auto up = terrain.NormalAt(100.5f, 60.0f);
    EXPECT_EQ(up, (decltype(up){0.0f, 0.0f, 1.0f}));
}

TEST(TerrainLocation, NormalsPointDownOnClockwiseLandFacesOnlyForLeavesUvSpansTheBox) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    // z = 0.1 x + 0.2 y + 5 has the downward normal (0.1, 0.2, -1) / |...|.
    const float length = std::sqrt(0.01f + 0.04f + 1.0f);
    for (const auto& n : terrain.mesh().pointNormals) {
        EXPECT_NEAR(n[0], 0.1f / length, 1e-5f);
        EXPECT_NEAR(n[1], 0.2f / length, 1e-5f);
        EXPECT_NEAR(n[2], -1.0f / length, 1e-5f);
    }
    EXPECT_NEAR(terrain.NormalAt(37.0f, 81.0f)[2], -1.0f / length, 1e-5f);
    LandText tiny = twoTriangleLand(); // half a metre across: sums of face normals shorter than 1
    for (float& v : tiny.points)
        v *= 0.005f;
    terrain.Clear();
    ASSERT_TRUE(load(terrain, tiny.text()));
    for (const auto& n : terrain.mesh().pointNormals)
        EXPECT_NEAR(n[2], -1.0f / length, 1e-5f) << "scaled, not taken for level";

    terrain.Clear();
    ASSERT_TRUE(load(terrain, fourLeafLand().text()));
    const auto& faces = terrain.mesh().faceNormals;
    EXPECT_EQ(faces[0][2], 0.0f);
    EXPECT_EQ(faces[1][2], 0.0f);
    // Leaf 2 spans (0,0), (50,50), (100,0): horizontal area 2500, clockwise.
    EXPECT_NEAR(faces[2][2], -5000.0f, 1e-2f);
    const auto& uv = terrain.mesh().textureCoordinates;
    EXPECT_EQ(uv[0], (std::array<float, 2>{0.0f, 0.0f}));
    EXPECT_EQ(uv[2], (std::array<float, 2>{1.0f, 1.0f}));
    EXPECT_EQ(uv[4], (std::array<float, 2>{0.5f, 0.5f}));
}

TEST(TerrainTree, LeafListsRunLeftFirstAndCullingSendsWholeSubtrees) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand().text()));
    const auto& root = terrain.treeRoot();
    std::vector<int> leaves;
    for (const TriangleNode* leaf : root.leaves)
        leaves.push_back(leaf->triangle);
    EXPECT_EQ(leaves, (std::vector<int>{2, 3, 4, 5}));
    ASSERT_NE(root.right, nullptr);
    ASSERT_EQ(root.right->leaves.size(), 2u);
    EXPECT_EQ(root.right->leaves[0]->triangle, 4);
    EXPECT_TRUE(root.right->left->isLeaf());
    EXPECT_EQ(root.right->left->parent, root.right);

    std::vector<std::vector<int>> sent;
    auto record = [&sent](std::span<const TriangleNode* const> list) {
        sent.emplace_back();
        for (const TriangleNode* leaf : list)
            sent.back().push_back(leaf->triangle);
    };
    const Terrain::Plane everything{0, 0, 1, 1000};
    const struct {
        const char* name;
        Terrain::Plane left, right;
        std::vector<std::vector<int>> expected;
    } rows[] = {
        {"each top triangle wholly inside: one list each",
         everything,
         everything,
         {{2, 3}, {4, 5}}},
        // x > 60: every leaf with a corner at x = 100 on its own, leaf 4 not at all.
        {"cut by the left plane", {1, 0, 0, -60}, everything, {{2}, {3}, {5}}},
        {"all behind the right plane", everything, {-1, 0, 0, -150}, {}},
    };
    for (const auto& row : rows) {
        sent.clear();
        terrain.VisitVisible(row.left, row.right, record);
        EXPECT_EQ(sent, row.expected) << row.name;
    }
}
