// Reading land files (count rules, defaults, the load/clear life cycle, what
// is refused), point location, normals, the triangle tree and the spot list.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "shell/Accessors.h"
#include "terrain/LandText_helpers.h"
#include "wind/SyntheticLand.h"

namespace {

bool load(Terrain& terrain, const std::string& text) {
    KeyValueFile file;
    file.openText(text);
    return terrain.Load(file);
}

void expectEmpty(const Terrain& terrain) {
    EXPECT_TRUE(terrain.needsLoad() && !terrain.justLoaded() && terrain.spots().empty());
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

const std::string spotLines = "[Spot]\nspot1.name = \"Launch\"\n"
                              "spot1.x = \"20\"\nspot1.y = \"30\"\nspot1.z = \"12.5\"\n"
                              "spot1.orientation = \"90\"\nspot1.wind.speed = \"7\"\n"
                              "spot1.wind.dir = \"180\"\nspot2.name = \"Bare\"\n";

std::vector<float> numbers(const Spot& s) {
    return {s.x, s.y, s.z, s.orientation, s.windSpeed, s.windDirection};
}

} // namespace

TEST(TerrainLoading, BadLandsAreRefusedAndLeaveNothing) {
    const auto without = [](std::vector<float> points, std::vector<int> triangles,
                            std::string extra) {
        return LandText{points, triangles, twoTriangleLand().tree, extra}.text();
    };
    const LandText good = twoTriangleLand();
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
        {"no points", without({}, good.triangles, "")},
        {"no triangles", without(good.points, {}, "")},
        {"empty tree",
         LandText{good.points, good.triangles, {}, "terrain.tree = \"\"\nspot1.name = \"x\"\n"}
             .text()},
        {"point index out of range", outOfRange.text()},
        {"a height that is no number", notANumber},
        {"child index out of range", withTree({-1, 0, 4, -1, 0, -1, -1, -1})}, // 4 triangles
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
        {"leaf outside every ancestor with area", // triangle 1, inside 0, has no area
         "terrain.points = \"0 0 0 100 0 0 0 100 0 10 10 0 20 20 0 30 30 0 200 200 0 200 0 0\"\n"
         "terrain.triangles = \"0 1 2 3 4 5 3 6 7\"\n"
         "terrain.tree = \"-1 0 -1 -1 0 1 -1 -1 1 2 -1 0 2 -1 -1 1\"\n"}};
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
    // Triangle 0 lies on the south edge with no area and holds triangle 2 (corners 0, 1, 3).
    terrain.Clear();
    ASSERT_TRUE(load(terrain, "terrain.points = \"0 0 10 100 0 20 100 100 30 0 100 15 50 0 15\"\n"
                              "terrain.triangles = \"0 4 1 1 2 3 0 1 3\"\n"
                              "terrain.tree = \"-1 0 1 -1 0 2 -1 -1 1 -1 -1 -1 2 -1 -1 0\"\n"));
    EXPECT_NEAR(terrain.HeightAt(20.0f, 20.0f), 13.0f, 1e-3f) << "z = 10 + 0.1 x + 0.05 y";
    EXPECT_NEAR(terrain.HeightAt(90.0f, 90.0f), 5.0f + 0.15f * 90.0f + 0.1f * 90.0f, 1e-3f);
    for (float x = 0.0f; x <= 100.0f; x += 10.0f)
        EXPECT_NE(terrain.HeightAt(x, 1.0f), -1.0f) << x;
}

// A loaded terrain keeps its land and spots until cleared.
TEST(TerrainLoading, GeographyBoxAndTheLoadLifeCycle) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand().text() + "terrain.latitud = \"52.25\"\n"
                                                      "terrain.basetimezone = \"-2\"\n"));
    EXPECT_NEAR(terrain.latitude(), 52.25f * 0.01745329252f, 1e-6f);
    EXPECT_EQ(terrain.baseTimeZone(), -2);
    EXPECT_EQ(terrain.extents(), (std::array<float, 3>{100, 100, 45}));
    EXPECT_EQ(terrain.centre(), (std::array<float, 3>{50, 50, 27.5f}));
    EXPECT_TRUE(terrain.containsXY(100.0f, 0.0f) && !terrain.containsXY(100.01f, 0.0f));
    EXPECT_TRUE(terrain.justLoaded() && !terrain.needsLoad());
    terrain.AddSpot("added", 10, 10, 0, 0, 0, 0);
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    EXPECT_FALSE(terrain.justLoaded());
    EXPECT_EQ(terrain.mesh().pointCount() * 10 + terrain.spots().size(), 52u);
    terrain.Clear();
    expectEmpty(terrain);
}

// Over hand-made and seeded generated lands: a node's leaves are its children's, left first;
// the leaf found holds the point, the height is its plane's; the diagonal is the left one's.
TEST(TerrainTree, InvariantsHoldAndHeightsAreTheLocatedLeafsPlane) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> along(0.0f, 100.0f), wave(3.0f, 30.0f);
    std::vector<std::string> lands = {twoTriangleLand().text(), fourLeafLand().text()};
    for (int n = 0; n < 4; ++n) {
        synthetic::LandShape shape;
        shape.size = 100.0f;
        shape.depth = 2 * n + 2;
        shape.height = [w = wave(random)](float x, float y) {
            return 20 + 9 * std::sin(x / w) + y * 0.3f;
        };
        lands.push_back(synthetic::LandBuilder(shape).text());
    }
    Terrain terrain;
    for (const std::string& text : lands) {
        terrain.Clear();
        ASSERT_TRUE(load(terrain, text));
        std::vector<const TriangleNode*> nodes{&terrain.treeRoot()};
        for (std::size_t n = 0; n < nodes.size(); ++n) {
            const TriangleNode* node = nodes[n];
            if (node->isLeaf()) {
                ASSERT_EQ(node->leaves.size(), 1u);
                continue;
            }
            std::vector<const TriangleNode*> joined;
            for (const TriangleNode* child : {node->left, node->right})
                if (child != nullptr) {
                    ASSERT_EQ(child->parent, node);
                    joined.insert(joined.end(), child->leaves.begin(), child->leaves.end());
                    nodes.push_back(child);
                }
            ASSERT_TRUE(
                std::equal(joined.begin(), joined.end(), node->leaves.begin(), node->leaves.end()));
        }
        for (int n = 0; n < 300; ++n) {
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
    }
    terrain.Clear();
    ASSERT_TRUE(load(terrain, fourLeafLand().text()));
    EXPECT_EQ(terrain.HeightAt(100.5f, 60.0f), -1.0f);
    EXPECT_EQ(terrain.NormalAt(100.5f, 60.0f), (Terrain::Vec3{0.0f, 0.0f, 1.0f}));
    // Culling sends each wholly visible top triangle as one list, a cut one leaf by leaf.
    std::vector<std::vector<int>> sent;
    auto record = [&sent](std::span<const TriangleNode* const> list) {
        sent.emplace_back();
        for (const TriangleNode* leaf : list)
            sent.back().push_back(leaf->triangle);
    };
    const Terrain::Plane all{0, 0, 1, 1000}, beyond60{1, 0, 0, -60}, behind{-1, 0, 0, -150};
    const std::vector<std::vector<int>> inside{{2, 3}, {4, 5}}, cut{{2}, {3}, {5}};
    for (const auto& [left, right, expected] :
         {std::tuple(all, all, inside), std::tuple(beyond60, all, cut),
          std::tuple(all, behind, decltype(cut){})}) {
        sent.clear();
        terrain.VisitVisible(left, right, record);
        EXPECT_EQ(sent, expected);
    }
}

// z = 0.1 x + 0.2 y + 5 has the downward normal (0.1, 0.2, -1) / |...|, also on
// a land under a metre whose sums of face normals are shorter than 1.
TEST(TerrainTree, NormalsPointDownOnClockwiseLand) {
    const float length = std::sqrt(0.01f + 0.04f + 1.0f);
    for (float scale : {1.0f, 0.005f}) {
        LandText land = twoTriangleLand();
        for (float& v : land.points)
            v *= scale;
        Terrain terrain;
        ASSERT_TRUE(load(terrain, land.text()));
        for (const auto& n : terrain.mesh().pointNormals)
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(n[k], (k == 2 ? -1.0f : 0.1f * (k + 1)) / length, 1e-5f) << scale;
        EXPECT_NEAR(terrain.NormalAt(37.0f * scale, 81.0f * scale)[2], -1.0f / length, 1e-5f);
    }
    Terrain terrain;
    ASSERT_TRUE(load(terrain, fourLeafLand().text()));
    EXPECT_EQ(terrain.mesh().textureCoordinates[4], (std::array<float, 2>{0.5f, 0.5f}));
}

// The land's centre comes first, then the file's spots; missing keys put x and
// y at the centre and the rest at 0; an empty name does not end the list, a gap does.
TEST(TerrainSpots, LandCentreComesFirstThenTheFileSpotsWithDefaults) {
    Terrain terrain;
    EXPECT_TRUE(terrain.FirstSpot() == nullptr && terrain.NextSpot() == nullptr) << "before a load";
    ASSERT_TRUE(load(terrain, fourLeafLand().text() + "terrain.northdir = \"30\"\n" + spotLines));
    const auto& spots = terrain.spots();
    ASSERT_EQ(spots.size(), 3u);
    EXPECT_STREQ(spots[0].name.c_str(), text(11));
    const float degree = 0.01745329252f;
    const std::vector<float> expected[] = {{50, 50, 0, 30 * degree, 0, 0},
                                           {20, 30, 12.5f, 90 * degree, 7, 180 * degree},
                                           {50, 50, 0, 0, 0, 0}};
    for (int n = 0; n < 3; ++n)
        for (int k = 0; k < 6; ++k)
            EXPECT_NEAR(numbers(spots[n])[k], expected[n][k], 1e-5f) << n << " " << k;
    terrain.Clear();
    ASSERT_TRUE(load(terrain, twoTriangleLand().text() +
                                  "spot1.name = \"A\"\nspot2.name = \"\"\n"
                                  "spot3.name = \"C\"\nspot5.name = \"E\"\n"));
    ASSERT_EQ(terrain.spots().size(), 4u);
    EXPECT_EQ(terrain.spots()[3].name, "C");
}

// NextSpot wraps, FirstSpot rewinds, and a spot is near under ten metres, first in list order.
TEST(TerrainSpots, NextSpotWrapsFirstSpotRewindsAndNearMeansUnderTenMetres) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    const std::string first = terrain.FirstSpot()->name;
    EXPECT_EQ(terrain.NextSpot()->name, first) << "only the centre spot: it comes again";
    terrain.AddSpot("here", 20, 20, 0, 0, 0, 0);
    terrain.AddSpot("there", 40, 20, 0, 0, 0, 0);
    terrain.AddSpot("close by", 25, 20, 0, 0, 0, 0);
    for (const char* name : {"here", "there", "close by", first.c_str(), "here"})
        EXPECT_EQ(terrain.NextSpot()->name, name);
    EXPECT_EQ(terrain.FirstSpot()->name, first);
    EXPECT_EQ(terrain.currentSpot(), 0u);
    const std::tuple<float, float, const char*> near[] = {{30, 26, "close by"},
                                                          {20, 30, ""},
                                                          {20, 29.99f, "here"},
                                                          {22, 20, "here"},
                                                          {30.5f, 20, "there"}};
    for (const auto& [x, y, name] : near)
        EXPECT_EQ(terrain.SpotNameNear(x, y), name) << x << " " << y;
}

TEST(TerrainSpots, SavingWritesTheExactSectionInPlaceAndReadsBackTheSameList) {
    const std::string before = "// my land\nterrain.northdir = \"90\" // north is +y\n";
    const std::string after = "\n[Decor]\ndecor1.name = \"kept\"\n";
    LandText land = fourLeafLand(); // the spot section also holds the tree and a scenery
    const std::string tree =
        LandText::entry("terrain.tree", land.tree) + "decor9.type = \"tree\"\n";
    land.tree.clear();
    const std::string text = land.text() + before + spotLines + tree + after;
    KeyValueFile file;
    file.openText(text);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(file));
    terrain.AddSpot("Edge", 10.0f, 20.5f, 3.0f, 0.5f, 6.0f, 1.0f);
    const std::string section = terrain.SpotSectionText();
    EXPECT_NE(section.find("spot3.name = \"Edge\"\nspot3.x = \"10.000000\"\n"), std::string::npos);
    EXPECT_NE(section.find("spot3.orientation = \"28.647890\"\n"), std::string::npos) << "degrees";
    EXPECT_EQ(section.rfind("[Spot]\nspot1.name = \"Launch\"\n", 0), 0u)
        << "the centre is not written";
    terrain.WriteSpots(file);
    const std::string& saved = file.text();
    EXPECT_EQ(saved.substr(0, text.find("[Spot]")), text.substr(0, text.find("[Spot]")));
    EXPECT_EQ(saved.substr(saved.size() - after.size() + 1), after.substr(1));
    EXPECT_EQ(saved.find("spot4."), std::string::npos);
    Terrain reread;
    ASSERT_TRUE(load(reread, saved));
    EXPECT_EQ(reread.leafCount(), 4u);
    EXPECT_EQ(file.getString("decor9.type"), "tree");
    const std::string once = saved;
    reread.WriteSpots(file);
    EXPECT_EQ(file.text(), once) << "nothing is carried over twice";
    ASSERT_EQ(reread.spots().size(), terrain.spots().size());
    for (std::size_t i = 1; i < terrain.spots().size(); ++i) {
        EXPECT_EQ(reread.spots()[i].name, terrain.spots()[i].name);
        for (int k = 0; k < 6; ++k)
            EXPECT_NEAR(numbers(reread.spots()[i])[k], numbers(terrain.spots()[i])[k], 1e-5f);
    }
}
