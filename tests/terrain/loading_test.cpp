// Reading land files: count rules, defaults, the load/clear life cycle and
// rejection of malformed trees.
#include <gtest/gtest.h>

#include <cmath>

#include "io/KeyValueFile.h"
#include "terrain/LandText_helpers.h"
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
} // namespace

TEST(TerrainLoading, CountsCutDownToWholeGroups) {
    LandText land = fourLeafLand();
    land.points.push_back(7.0f);                         // 16 numbers: 5 points
    land.triangles.insert(land.triangles.end(), {1, 2}); // 20 numbers: 6 triangles
    land.tree.insert(land.tree.end(), {3, 3, 3});        // 31 numbers: 7 records
    Terrain terrain;
    ASSERT_TRUE(load(terrain, land.text()));
    EXPECT_EQ(terrain.mesh().pointCount(), 5);
    EXPECT_EQ(terrain.mesh().triangleCount(), 6);
    EXPECT_EQ(terrain.leafCount(), 4u);
}

TEST(TerrainLoading, SevenNumbersMakeTwoPoints) {
    // The seventh number is ignored; one flat triangle keeps the land loadable.
    LandText land = twoTriangleLand();
    land.points = {0, 0, 5, 100, 0, 15, 9};
    land.triangles = {0, 1, 1};
    land.tree = {-1, 0, -1, -1, 0, -1, -1, -1};
    Terrain terrain;
    ASSERT_TRUE(load(terrain, land.text()));
    EXPECT_EQ(terrain.mesh().pointCount(), 2);
}

TEST(TerrainLoading, MissingOrEmptyArraysFail) {
    for (int drop = 0; drop < 3; ++drop) {
        LandText land = twoTriangleLand();
        (drop == 0 ? land.points.clear() : drop == 1 ? land.triangles.clear() : land.tree.clear());
        Terrain terrain;
        EXPECT_FALSE(load(terrain, land.text())) << "array " << drop;
        expectEmpty(terrain);
    }
    LandText emptyTree = twoTriangleLand();
    emptyTree.tree.clear();
    emptyTree.extra = "terrain.tree = \"\"\nspot1.name = \"never read\"\n";
    Terrain terrain;
    EXPECT_FALSE(load(terrain, emptyTree.text()));
    expectEmpty(terrain);
}

TEST(TerrainLoading, MalformedTreesAreRejectedAndLeaveNothing) {
    struct Case {
        const char* what;
        std::vector<int> tree;
    };
    const Case cases[] = {
        {"child index out of range", {-1, 0, 9, -1, 0, -1, -1, -1}},
        {"record for a missing triangle",
         {-1, 0, 1, -1, 0, -1, -1, -1, 1, -1, -1, -1, 7, -1, -1, -1}},
        {"no root record", {0, -1, -1, -1, 1, -1, -1, -1}},
        {"two root records", {-1, 0, 1, -1, -1, 0, 1, -1, 0, -1, -1, -1, 1, -1, -1, -1}},
        {"node reached without a record", {-1, 0, 1, -1, 0, -1, -1, -1}},
        {"cycle", {-1, 0, -1, -1, 0, 3, -1, -1, 3, 0, -1, 0}},
        {"child outside its parent", {-1, 0, -1, -1, 0, 1, -1, -1, 1, -1, -1, 0}},
        {"child shared by two parents", {-1, 0, 3, -1, 0, 2, -1, -1, 3, 2, -1, -1, 2, -1, -1, 0}},
        {"right child without a left one", {-1, 0, -1, -1, 0, -1, 1, -1, 1, -1, -1, 0}},
        {"root without children", {-1, -1, -1, -1, 0, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        LandText land = twoTriangleLand();
        land.points.insert(land.points.end(), {60, 20, 10});
        // Triangle 2 lies inside triangle 0; triangle 3 is a copy of triangle 0.
        land.triangles.insert(land.triangles.end(), {0, 4, 1, 0, 2, 1});
        land.tree = c.tree;
        Terrain terrain;
        EXPECT_FALSE(load(terrain, land.text())) << c.what;
        expectEmpty(terrain);
        // The failed terrain still takes a good land afterwards.
        EXPECT_TRUE(load(terrain, twoTriangleLand().text())) << c.what;
    }
}

TEST(TerrainLoading, BadPointsAndIndicesAreRejected) {
    LandText outOfRange = twoTriangleLand();
    outOfRange.triangles[4] = 4;
    LandText notFinite = twoTriangleLand();
    Terrain terrain;
    EXPECT_FALSE(load(terrain, outOfRange.text()));
    std::string text = notFinite.text();
    text.replace(text.find("0 0 5"), 5, "0 0 nan");
    EXPECT_FALSE(load(terrain, text));
    expectEmpty(terrain);
}

TEST(TerrainLoading, DegenerateTrianglesAndUnusedPointsNeverGiveNaN) {
    LandText land = twoTriangleLand();
    land.points.insert(land.points.end(), {50, 50, 30, 70, 10, 99}); // 4 on the diagonal, 5 unused
    land.triangles.insert(land.triangles.end(), {0, 4, 2});          // triangle 2: no area
    land.tree = {-1, 2, 0, -1, 2, -1, -1, -1, 0, -1, -1, -1};        // the flat one searched first
    Terrain terrain;
    ASSERT_TRUE(load(terrain, land.text()));
    for (float x = -5.0f; x <= 105.0f; x += 2.5f)
        for (float y = -5.0f; y <= 105.0f; y += 2.5f) {
            EXPECT_TRUE(std::isfinite(terrain.HeightAt(x, y))) << x << ", " << y;
            for (float v : terrain.NormalAt(x, y))
                EXPECT_TRUE(std::isfinite(v)) << x << ", " << y;
        }
    // Points on the flat triangle's line are answered by its neighbour.
    EXPECT_NEAR(terrain.HeightAt(50.0f, 50.0f), 0.1f * 50 + 0.2f * 50 + 5, 1e-3f);
    for (int unused : {4, 5})
        for (float v : terrain.mesh().pointNormals[unused])
            EXPECT_TRUE(std::isfinite(v));
}

TEST(TerrainLoading, GeographyIsReadInDegreesAndKeptInRadians) {
    const std::string text = twoTriangleLand().text() +
                             "terrain.longitud = \"-3.5\"\nterrain.latitud = \"52.25\"\n"
                             "terrain.northdir = \"45\"\nterrain.basetimezone = \"-2\"\n";
    Terrain terrain;
    ASSERT_TRUE(load(terrain, text));
    EXPECT_NEAR(terrain.longitude(), -3.5f * 0.01745329252f, 1e-6f);
    EXPECT_NEAR(terrain.latitude(), 52.25f * 0.01745329252f, 1e-6f);
    EXPECT_NEAR(terrain.northDirection(), 0.785398f, 1e-5f);
    EXPECT_EQ(terrain.baseTimeZone(), -2);
    EXPECT_FLOAT_EQ(terrain.relief(), 35.0f - 5.0f);

    Terrain defaults;
    ASSERT_TRUE(load(defaults, twoTriangleLand().text()));
    EXPECT_FLOAT_EQ(defaults.northDirection(), 1.5707964f);
    EXPECT_EQ(defaults.baseTimeZone(), 1);
    EXPECT_EQ(defaults.longitude(), 0.0f);
}

TEST(TerrainLoading, SecondLoadKeepsEverythingAndClearsJustLoaded) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand().text()));
    EXPECT_TRUE(terrain.justLoaded());
    EXPECT_FALSE(terrain.needsLoad());
    terrain.AddSpot("added", 10, 10, 0, 0, 0, 0);
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    EXPECT_FALSE(terrain.justLoaded());
    EXPECT_EQ(terrain.mesh().pointCount(), 5);
    EXPECT_EQ(terrain.spots().size(), 2u);
    terrain.Clear();
    EXPECT_TRUE(terrain.needsLoad());
    EXPECT_TRUE(terrain.spots().empty());
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    EXPECT_EQ(terrain.mesh().pointCount(), 4);
}

TEST(TerrainLoading, BoundingBoxExtentsAndCentre) {
    Terrain terrain;
    EXPECT_TRUE(terrain.box().inverted());
    EXPECT_EQ(terrain.relief(), 0.0f);
    ASSERT_TRUE(load(terrain, fourLeafLand().text()));
    EXPECT_EQ(terrain.box().minX, 0.0f);
    EXPECT_EQ(terrain.box().maxY, 100.0f);
    EXPECT_EQ(terrain.box().maxZ, 50.0f);
    EXPECT_EQ(terrain.extents()[2], 45.0f);
    EXPECT_EQ(terrain.centre()[0], 50.0f);
    EXPECT_EQ(terrain.centre()[2], 27.5f);
    EXPECT_TRUE(terrain.containsXY(100.0f, 0.0f));
    EXPECT_FALSE(terrain.containsXY(100.01f, 0.0f));
}
