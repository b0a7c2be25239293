// From a side file to a land file: spots and sceneries on the ground, woods
// where the picture shows them, the spot section last; bad side files refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "LandMaker.h"
#include "LandRecipe.h"
#include "Noise.h"
#include "Painter.h"
#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace {
const char* sideFile =
    "land.name = \"test\"\n"
    "land.heightmap = \"test.pgm\"\n"
    "land.size.x = \"400\"\nland.size.y = \"400\"\n"
    "land.height.min = \"10\"\nland.height.max = \"60\"\n"
    "land.tolerance = \"0.5\"\nland.northdir = \"80\"\n"
    "spot1.name = \"Top\"\nspot1.x = \"300\"\nspot1.y = \"200\"\n"
    "spot1.orientation = \"90\"\nspot1.wind.speed = \"6\"\nspot1.wind.dir = \"45\"\n"
    "spot2.name = \"Fixed\"\nspot2.x = \"50\"\nspot2.y = \"50\"\nspot2.z = \"99\"\n"
    "decor1.name = \"house\"\ndecor1.type = \"21\"\ndecor1.x = \"100\"\n"
    "decor1.y = \"100\"\ndecor1.width = \"10\"\ndecor1.depth = \"8\"\n"
    "decor1.height = \"6\"\ndecor1.roofheight = \"2\"\n"
    "forest1.x = \"200\"\nforest1.y = \"300\"\nforest1.radius = \"60\"\n"
    "forest1.trees = \"25\"\n"
    "treeline1.x0 = \"20\"\ntreeline1.y0 = \"20\"\ntreeline1.x1 = \"380\"\n"
    "treeline1.y1 = \"20\"\ntreeline1.trees = \"10\"\n";

// A slope rising to the east.
HeightMap slope() {
    std::vector<float> heights(33 * 33);
    for (int r = 0; r < 33; ++r)
        for (int c = 0; c < 33; ++c)
            heights[std::size_t(r) * 33 + c] =
                10.0f + 50.0f * c / 32.0f + 3.0f * std::sin(r * 0.7f);
    return HeightMap(33, 33, std::move(heights));
}

bool readRecipe(const std::string& text, LandRecipe& recipe, std::string& error) {
    KeyValueFile file;
    file.openText(text);
    return recipe.read(file, "", error);
}
} // namespace

TEST(LandMakerRecipe, MadeLandPutsSpotsAndSceneriesOnTheGround) {
    LandRecipe recipe;
    std::string error;
    ASSERT_TRUE(readRecipe(sideFile, recipe, error)) << error;
    MadeLandSummary summary;
    const std::string text = makeLandText(recipe, slope(), summary, error);
    ASSERT_FALSE(text.empty()) << error;

    KeyValueFile file;
    file.openText(text);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(file));
    ASSERT_EQ(terrain.spots().size(), 3u);
    const Spot& top = terrain.spots()[1];
    EXPECT_NEAR(top.z, terrain.HeightAt(300, 200), 1e-3f);
    EXPECT_NEAR(top.windDirection, 45 * 0.01745329252f, 1e-5f);
    EXPECT_EQ(terrain.spots()[2].z, 99.0f) << "a given height is kept";
    EXPECT_NEAR(terrain.northDirection(), 80 * 0.01745329252f, 1e-5f);

    // The house sits at the lowest of its corners, a little sunk.
    float lowest = 1e9f;
    for (float dx : {0.0f, 10.0f})
        for (float dy : {0.0f, 8.0f})
            lowest = std::min(lowest, terrain.HeightAt(100 + dx, 100 + dy));
    EXPECT_NEAR(file.getFloat("decor1.z", 0), lowest - 0.2f, 1e-3f);
    EXPECT_EQ(file.getInt("decor1.type", 0), 21);
    EXPECT_EQ(file.getFloat("decor1.roofheight", 0), 2.0f);

    const Painter painter(recipe, slope());
    int trees = 0;
    for (int n = 2; file.find("decor" + std::to_string(n) + ".name"); ++n, ++trees) {
        const std::string key = "decor" + std::to_string(n) + ".";
        EXPECT_EQ(file.getInt(key + "type", 0), 1);
        const float x = file.getFloat(key + "x", -1), y = file.getFloat(key + "y", -1);
        EXPECT_NEAR(file.getFloat(key + "z", 0), terrain.HeightAt(x, y) - 0.4f, 1e-3f);
        if (n <= 26) {
            EXPECT_TRUE(painter.inForest(recipe.forests[0], 0, x, y))
                << "tree " << n << " off its wood";
        }
    }
    EXPECT_EQ(trees, 25 + 10);
    EXPECT_EQ(summary.sceneries, 36u);
    EXPECT_GT(text.rfind("[Spot]"), text.rfind("decor")) << "the spot section comes last";
    EXPECT_EQ(text.substr(text.rfind("[Spot]")), terrain.SpotSectionText())
        << "saving spots in the game changes nothing";
}

TEST(LandMakerRecipe, BadSideFilesAreRefusedWithAReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"land.heightmap = \"a.pgm\"\n", "no name"},
        {"land.name = \"x\"\n", "no height map"},
        {"land.name = \"../x\"\nland.heightmap = \"a.pgm\"\n", "a path for a name"},
        {"land.name = \"x\"\nland.heightmap = \"a.pgm\"\nland.size.x = \"-5\"\n", "negative size"},
        {"land.name = \"x\"\nland.heightmap = \"a.pgm\"\nland.height.min = \"9\"\n"
         "land.height.max = \"3\"\n",
         "heights upside down"},
    };
    LandRecipe recipe;
    std::string error;
    for (const auto& [text, what] : cases) {
        error.clear();
        EXPECT_FALSE(readRecipe(text, recipe, error)) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
    MadeLandSummary summary;
    recipe = LandRecipe();
    ASSERT_TRUE(readRecipe("land.name = \"x\"\nland.heightmap = \"missing.pgm\"\n", recipe, error));
    recipe.folder = "/nonexistent-folder";
    EXPECT_FALSE(makeLand(recipe, summary, error));
    EXPECT_NE(error.find("missing.pgm"), std::string::npos) << error;
}

// The ground's first row lies along the south edge; the skyline's first row at the walls' top.
TEST(LandMakerPictures, GroundRowZeroIsTheSouthEdgeAndTheSkylineHasSkyOnTop) {
    LandRecipe recipe;
    recipe.sizeX = recipe.sizeY = 1000;
    recipe.forests.push_back({500, 150, 140, 0, 12}); // a wood near the south edge only
    const Painter painter(recipe, HeightMap(5, 5, std::vector<float>(25, 0.0f)));
    const auto brightness = [](const uint8_t* p) { return p[0] + p[1] + p[2]; };
    RgbPicture ground = painter.paintGround(64);
    // Row 9 lies at y = 148 m, row 54 at y = 852 m, both at x = 500: the dark wood shows first.
    EXPECT_LT(brightness(ground.at(32, 9)), brightness(ground.at(32, 54)));
    RgbPicture skyline = painter.paintSkyline(128, 64, 0.3f);
    const uint8_t *top = skyline.at(10, 0), *bottom = skyline.at(10, 63);
    EXPECT_GT(top[2], top[0] + 20) << "blue sky at the walls' top";
    EXPECT_GT(brightness(top), brightness(bottom) + 60) << "dark hills at their foot";
}
