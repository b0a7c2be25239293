// Faults that fuzzing found in reading key-value files, land files and saved games.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "io/KeyValueFile.h"
#include "platform/Keys.h"
#include "world/observer/Observer.h"
#include "world/terrain/Terrain.h"

namespace {

KeyValueFile fromText(const std::string& text) {
    KeyValueFile file;
    file.openText(text);
    return file;
}

// A square of 100 m: two top triangles split into four leaves, heights 10 to 30.
const std::string squareGeometry =
    "terrain.points = \"0 0 10  100 0 20  100 100 30  0 100 15  50 50 25\"\n"
    "terrain.triangles = \"1 3 0  3 1 2  0 1 4  3 0 4  1 2 4  2 3 4\"\n";
const std::string squareTree = "terrain.tree = \"-1 0 1 -1  0 2 3 -1  1 4 5 -1\n"
                               "2 -1 -1 0  3 -1 -1 0  4 -1 -1 1  5 -1 -1 1\"\n";

} // namespace

TEST(KeyValueFindings, NulBytesInKeysAndDoubledCarriageReturns) {
    KeyValueFile file = fromText(std::string("a\0b = \"1\"\nc = \"2\"\n", 18));
    const std::string key("a\0b", 3);
    ASSERT_TRUE(file.findByScan(key));
    EXPECT_EQ(file.getString(key), "1") << "the index finds what the scan finds";
    EXPECT_FALSE(file.find("a")) << "the key is the whole word, NUL included";
    file.openText("a = \"1\"\r\r\nb = \"2\"\r\nc = \"x\ry\"\r");
    EXPECT_EQ(file.text(), "a = \"1\"\nb = \"2\"\nc = \"x\ry\"\r")
        << "returns that end no line stay";
    EXPECT_EQ(file.getString("a"), "1");
}

TEST(LandFindings, FlatTrianglesLeaveTheirChildrenToAnswerInsideTheNearestWithArea) {
    // Triangle 0 lies on the south edge (no area) and holds triangle 2 (A B D).
    KeyValueFile flat =
        fromText("terrain.points = \"0 0 10  100 0 20  100 100 30  0 100 15  50 0 15\"\n"
                 "terrain.triangles = \"0 4 1  1 2 3  0 1 3\"\n"
                 "terrain.tree = \"-1 0 1 -1  0 2 -1 -1  1 -1 -1 -1  2 -1 -1 0\"\n");
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(flat));
    EXPECT_NEAR(terrain.HeightAt(20.0f, 20.0f), 13.0f, 1e-3f) << "z = 10 + 0.1 x + 0.05 y";
    EXPECT_NEAR(terrain.HeightAt(90.0f, 90.0f), 5.0f + 0.15f * 90.0f + 0.1f * 90.0f, 1e-3f);
    for (float x = 0.0f; x <= 100.0f; x += 10.0f)
        EXPECT_NE(terrain.HeightAt(x, 1.0f), -1.0f) << x;

    // Triangle 1 inside triangle 0 has no area; triangle 2 under it reaches out to x = 200.
    const std::string points = "terrain.points = \"0 0 0  100 0 0  0 100 0  10 10 0  20 20 0  "
                               "30 30 0  200 200 0  200 0 0\"\n";
    std::string outside = points +
                          "terrain.triangles = \"0 1 2  3 4 5  3 6 7\"\n"
                          "terrain.tree = \"-1 0 -1 -1  0 1 -1 -1  1 2 -1 0  2 -1 -1 1\"\n";
    KeyValueFile refused = fromText(outside);
    terrain.Clear();
    EXPECT_FALSE(terrain.Load(refused)) << "a leaf outside every ancestor with area";
    outside.replace(outside.find("200 200 0  200 0 0"), 18, " 40 10 0   10 40 0");
    KeyValueFile accepted = fromText(outside);
    ASSERT_TRUE(terrain.Load(accepted));
    EXPECT_NE(terrain.LocateLeaf(15.0f, 15.0f), nullptr);
}

// The spot section may also hold the tree, a scenery, or an open value that
// runs over the tree's line: saving spots keeps what the reader finds there.
TEST(LandFindings, SavingSpotsKeepsTheOtherEntriesOfTheSpotSection) {
    const std::string lands[] = {
        squareGeometry +
            "[Spot]\nspot1.name = \"Old\"\nspot1.x = \"10.000000\"\n"
            "// the tree follows\n" +
            squareTree + "decor1.type = \"tree\"\n",
        squareGeometry + "[Spot]\nspot1.name = \"Old\"\nspot1.wind.dir = \"90\n" + squareTree,
    };
    for (const std::string& land : lands) {
        KeyValueFile file = fromText(land);
        Terrain terrain;
        ASSERT_TRUE(terrain.Load(file));
        terrain.AddSpot("New", 40.0f, 60.0f, 22.0f, 0.5f, 6.0f, 1.0f);
        terrain.WriteSpots(file);
        Terrain reread;
        ASSERT_TRUE(reread.Load(file)) << file.text();
        EXPECT_EQ(reread.leafCount(), terrain.leafCount());
        ASSERT_EQ(reread.spots().size(), 3u);
        EXPECT_EQ(reread.spots()[1].name, "Old");
        EXPECT_NEAR(reread.spots()[2].orientation, 0.5f, 1e-5f);
        EXPECT_EQ(file.getString("decor1.type"),
                  land.find("decor") != std::string::npos ? "tree" : "");
        const std::string once = file.text();
        reread.WriteSpots(file);
        EXPECT_EQ(file.text(), once) << "nothing is carried over twice";
    }
}

TEST(ObserverFindings, AHugeWalkingSpeedNeverTakesTheEyeToInfinity) {
    KeyValueFile land = fromText(squareGeometry + squareTree);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(land));
    Observer observer(terrain, nullptr);
    observer.placeAfterLoad(nullptr);
    observer.setSpeed(std::numeric_limits<float>::max()); // the largest a saved game holds
    observer.setHeading(0.3f, -1.0f);                     // looking up
    const auto finite = [&] {
        const auto p = observer.position();
        return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
    };
    for (int step = 0; step < 40; ++step) {
        observer.moveByKey(Key::Up, 0.1f);
        ASSERT_TRUE(finite()) << "after " << step + 1 << " steps up";
    }
    observer.moveByKey(Key::Up, 3.0f); // a step long enough to overflow the distance
    observer.moveByKey(Key::Down, 0.1f);
    EXPECT_TRUE(finite());
    EXPECT_GE(observer.positionZ(),
              terrain.HeightAt(observer.positionX(), observer.positionY()) + 2.0f);
    EXPECT_TRUE(terrain.containsXY(observer.positionX(), observer.positionY()));
}
