// Faults that fuzzing found in reading key-value files and land files.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace {

KeyValueFile fromText(const std::string& text) {
    KeyValueFile file;
    file.openText(text);
    return file;
}

std::string scratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("ventrix-proof-") + std::to_string(getpid()) + "-" + name))
        .string();
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A square of 100 m: two top triangles split into four leaves; heights 10, 20,
// 30, 15 at the corners and 25 in the middle.
const char* const squareGeometry =
    "terrain.points = \"0 0 10  100 0 20  100 100 30  0 100 15  50 50 25\"\n"
    "terrain.triangles = \"1 3 0  3 1 2  0 1 4  3 0 4  1 2 4  2 3 4\"\n";
const char* const squareTree = "terrain.tree = \"-1 0 1 -1  0 2 3 -1  1 4 5 -1\n"
                               "2 -1 -1 0  3 -1 -1 0  4 -1 -1 1  5 -1 -1 1\"\n";

} // namespace

TEST(KeyValueFindings, KeysHoldingANulByteAreFoundByTheIndexAsByTheScan) {
    const std::string text = std::string("a\0b = \"1\"\nc = \"2\"\n", 18);
    KeyValueFile file = fromText(text);
    const std::string key("a\0b", 3);
    ASSERT_TRUE(file.findByScan(key));
    EXPECT_TRUE(file.find(key));
    EXPECT_EQ(file.getString(key), "1");
    EXPECT_FALSE(file.find("a")) << "the key is the whole word, NUL included";
    EXPECT_EQ(file.getString("c"), "2");
}

TEST(KeyValueFindings, DoubledCarriageReturnsEndLinesAndTheTextReadsBackTheSame) {
    KeyValueFile file = fromText("a = \"1\"\r\r\nb = \"2\"\r\nc = \"x\ry\"\r");
    EXPECT_EQ(file.text(), "a = \"1\"\nb = \"2\"\nc = \"x\ry\"\r")
        << "returns that end no line stay";
    EXPECT_EQ(file.getString("a"), "1");

    const std::string path = scratchFile("crcrlf.txt");
    ASSERT_TRUE(file.write(path));
    KeyValueFile reread;
    ASSERT_TRUE(reread.open(path));
    EXPECT_EQ(reread.text(), file.text());
    EXPECT_EQ(bytesOf(path), file.text());
    std::filesystem::remove(path);
}

TEST(LandFindings, AFlatInnerTriangleLeavesItsChildrenToAnswer) {
    // Triangle 0 lies on the south edge (no area) and holds triangle 2 (A B D);
    // triangle 1 (B C D) is a top-level leaf.
    const std::string land =
        "terrain.points = \"0 0 10  100 0 20  100 100 30  0 100 15  50 0 15\"\n"
        "terrain.triangles = \"0 4 1  1 2 3  0 1 3\"\n"
        "terrain.tree = \"-1 0 1 -1  0 2 -1 -1  1 -1 -1 -1  2 -1 -1 0\"\n";
    KeyValueFile file = fromText(land);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(file));
    // The plane through A, B and D: z = 10 + 0.1 x + 0.05 y.
    EXPECT_NEAR(terrain.HeightAt(20.0f, 20.0f), 13.0f, 1e-3f);
    EXPECT_NEAR(terrain.HeightAt(5.0f, 80.0f), 14.5f, 1e-3f);
    // The other half keeps its own leaf, and outside stays outside.
    EXPECT_NEAR(terrain.HeightAt(90.0f, 90.0f), 5.0f + 0.15f * 90.0f + 0.1f * 90.0f, 1e-3f);
    EXPECT_EQ(terrain.HeightAt(500.0f, 500.0f), -1.0f);
    for (float x = 0.0f; x <= 100.0f; x += 10.0f) {
        EXPECT_TRUE(std::isfinite(terrain.HeightAt(x, 0.0f))) << x;
        EXPECT_NE(terrain.HeightAt(x, 1.0f), -1.0f) << x;
    }
}

TEST(LandFindings, ChildrenOfAFlatTriangleMustLieInsideTheNearestTriangleWithArea) {
    // Triangle 0 covers the corner (0, 0) - (100, 0) - (0, 100); triangle 1 inside
    // it has no area; triangle 2 under triangle 1 reaches out to x = 200.
    const std::string points =
        "terrain.points = \"0 0 0  100 0 0  0 100 0  10 10 0  20 20 0  30 30 0  200 200 0  "
        "200 0 0\"\n";
    const std::string outside = points +
                                "terrain.triangles = \"0 1 2  3 4 5  3 6 7\"\n"
                                "terrain.tree = \"-1 0 -1 -1  0 1 -1 -1  1 2 -1 0  2 -1 -1 1\"\n";
    KeyValueFile refused = fromText(outside);
    Terrain terrain;
    EXPECT_FALSE(terrain.Load(refused)) << "a leaf outside every ancestor with area";
    EXPECT_EQ(terrain.leafCount(), 0u);

    // The same tree with the leaf inside triangle 0 loads, and the leaf answers.
    std::string inside = outside;
    inside.replace(inside.find("200 200 0  200 0 0"), 18, " 40 10 0   10 40 0");
    KeyValueFile accepted = fromText(inside);
    ASSERT_TRUE(terrain.Load(accepted));
    EXPECT_NE(terrain.LocateLeaf(15.0f, 15.0f), nullptr);
}

TEST(LandFindings, SavingSpotsKeepsTheOtherEntriesOfTheSpotSection) {
    // A hand-made land whose spot section also holds the tree (over two lines)
    // and a scenery; a comment and a stale spot block go.
    const std::string land = std::string(squareGeometry) +
                             "[Spot]\n"
                             "spot1.name = \"Old\"\n"
                             "spot1.x = \"10.000000\"\n"
                             "// the tree follows\n" +
                             squareTree + "decor1.type = \"tree\"\n";
    KeyValueFile file = fromText(land);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(file));
    const std::size_t leaves = terrain.leafCount();
    terrain.AddSpot("New", 40.0f, 60.0f, 22.0f, 0.5f, 6.0f, 1.0f);

    terrain.WriteSpots(file);

    EXPECT_EQ(file.getString("decor1.type"), "tree");
    EXPECT_EQ(file.text().find("the tree follows"), std::string::npos);
    Terrain reread;
    ASSERT_TRUE(reread.Load(file)) << file.text();
    EXPECT_EQ(reread.leafCount(), leaves);
    ASSERT_EQ(reread.spots().size(), 3u);
    EXPECT_EQ(reread.spots()[1].name, "Old");
    EXPECT_EQ(reread.spots()[2].name, "New");
    EXPECT_NEAR(reread.spots()[2].y, 60.0f, 1e-4f);
    EXPECT_NEAR(reread.spots()[2].orientation, 0.5f, 1e-5f);

    // Saving again keeps the same text: nothing is carried over twice.
    const std::string once = file.text();
    reread.WriteSpots(file);
    EXPECT_EQ(file.text(), once);
}

TEST(LandFindings, SavingSpotsKeepsAnEntryThatAnOpenSpotValueRunsOver) {
    // The spot's wind direction lacks its closing quote, so its value runs on
    // over the tree's line; the reader still finds the tree there, and so must
    // the saved file.
    const std::string land = std::string(squareGeometry) +
                             "[Spot]\n"
                             "spot1.name = \"Launch\"\n"
                             "spot1.wind.dir = \"90\n" +
                             squareTree;
    KeyValueFile file = fromText(land);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(file));
    const std::size_t leaves = terrain.leafCount();

    terrain.WriteSpots(file);

    Terrain reread;
    ASSERT_TRUE(reread.Load(file)) << file.text();
    EXPECT_EQ(reread.leafCount(), leaves);
    ASSERT_EQ(reread.spots().size(), 2u);
    EXPECT_EQ(reread.spots()[1].name, "Launch");
}
