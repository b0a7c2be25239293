// Baking the sun into the ground picture, for every texel depth.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "gfx/Image.h"
#include "io/KeyValueFile.h"
#include "terrain/LandText_helpers.h"
#include "world/terrain/Terrain.h"

namespace {
// An uncompressed TGA of a single repeated texel.
void writeTga(const std::filesystem::path& path, int size, const std::vector<uint8_t>& texel) {
    const int depth = int(texel.size()) * 8;
    uint8_t header[18] = {};
    header[2] = texel.size() < 3 ? 3 : 2;
    header[12] = uint8_t(size);
    header[14] = uint8_t(size);
    header[16] = uint8_t(depth);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), 18);
    std::vector<uint8_t> stored = texel;
    if (stored.size() >= 3) std::swap(stored[0], stored[2]); // files keep blue first
    for (int i = 0; i < size * size; ++i)
        out.write(reinterpret_cast<const char*>(stored.data()), std::streamsize(stored.size()));
}

// Loads a land named "shade" from a folder that holds its ground picture.
class GroundShading : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        folder = makeTemporaryDirectory();
        ASSERT_FALSE(folder.empty());
        std::filesystem::current_path(folder);
        std::filesystem::create_directories("lands/shade");
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    void loadWith(const std::vector<uint8_t>& texel, const LandText& land, int size = 4) {
        terrain.Clear();
        writeTga("lands/shade/ground.tga", size, texel);
        KeyValueFile file;
        file.openText(land.text() + "terrain.texture.ground = \"ground.tga\"\n");
        terrain.SetName("shade");
        ASSERT_TRUE(terrain.Load(file));
        ASSERT_NE(terrain.groundImage(), nullptr);
        ASSERT_EQ(terrain.groundImage()->BytesPerPixel(), int(texel.size()));
    }

    std::filesystem::path previous;
    std::string folder;
    Terrain terrain;
};

LandText flatLand() {
    LandText land = twoTriangleLand();
    for (std::size_t i = 2; i < land.points.size(); i += 3)
        land.points[i] = 10.0f;
    return land;
}

// The sun's four numbers for an elevation and a direction from +x, radians.
Terrain::SunAngles sunAt(float elevation, float direction) {
    return {std::sin(elevation), std::cos(elevation), std::sin(direction), std::cos(direction)};
}
} // namespace

TEST_F(GroundShading, FlatGroundTakesTheSineOfTheSunPlusTheLift) {
    loadWith({200, 100, 250}, flatLand());
    const auto shaded = terrain.ShadedGround({0.8f, 0.6f, 0.0f, 1.0f});
    ASSERT_NE(shaded, nullptr);
    const uint8_t* p = shaded->Pixels();
    // Flat clockwise ground faces straight down: factor = s0 = 0.8, lift 50.
    EXPECT_EQ(p[0], int(200 * 0.8f) + 50);
    EXPECT_EQ(p[1], int(100 * 0.8f) + 50);
    EXPECT_EQ(p[2], std::min(255, int(250 * 0.8f) + 50));
    // The unshaded picture is kept for the next sun.
    EXPECT_EQ(terrain.groundImage()->Pixels()[0], 200);
}

TEST_F(GroundShading, LowSunLiftsLessAndSaturationStopsAtWhite) {
    loadWith({100, 255, 0}, flatLand());
    const auto low = terrain.ShadedGround({0.05f, 0.99875f, 0.0f, 1.0f});
    EXPECT_EQ(low->Pixels()[0], int(100 * 0.05f) + 25);
    const auto high = terrain.ShadedGround({1.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_EQ(high->Pixels()[1], 255);
    EXPECT_EQ(high->Pixels()[2], 50);
}

TEST_F(GroundShading, SunBelowTheHorizonLightsOnlySlopesFacingIt) {
    // A steep land rising towards +x: z = 2 x. Its downward normal leans to +x.
    LandText steep = twoTriangleLand();
    for (std::size_t i = 0; i < steep.points.size(); i += 3)
        steep.points[i + 2] = 2.0f * steep.points[i];
    loadWith({200, 200, 200}, steep);
    // Sun 5 degrees under the horizon towards +x: the slope faces away from it.
    const auto away = terrain.ShadedGround(sunAt(-0.0872665f, 0.0f));
    EXPECT_EQ(away->Pixels()[0], 0) << "no lift below the horizon";
    // The same sun towards -x: the slope looks at it and keeps some light.
    const auto facing = terrain.ShadedGround(sunAt(-0.0872665f, 3.1415927f));
    const float n = 2.0f / std::sqrt(5.0f),
                d = -(n * 0.9961947f) + (-1.0f / std::sqrt(5.0f)) * -0.0871557f;
    EXPECT_NEAR(facing->Pixels()[0], int(200 * -d), 1);
    EXPECT_GT(facing->Pixels()[0], 100);
}

TEST_F(GroundShading, GreyAndAlphaPicturesShadeTheirColourAndKeepTheirAlpha) {
    const Terrain::SunAngles sun{0.5f, 0.8660254f, 0.0f, 1.0f};
    const int lit = int(180 * 0.5f) + 50;
    loadWith({180}, flatLand());
    const auto grey = terrain.ShadedGround(sun);
    EXPECT_EQ(grey->Pixels()[0], lit);
    EXPECT_EQ(grey->Pixels()[15], lit) << "every texel, not a third of them";

    loadWith({180, 77}, flatLand());
    const auto greyAlpha = terrain.ShadedGround(sun);
    EXPECT_EQ(greyAlpha->Pixels()[0], lit);
    EXPECT_EQ(greyAlpha->Pixels()[1], 77);
    EXPECT_EQ(greyAlpha->Pixels()[31], 77);

    loadWith({180, 180, 180, 33}, flatLand());
    const auto rgba = terrain.ShadedGround(sun);
    EXPECT_EQ(rgba->BytesPerPixel(), 4);
    EXPECT_EQ(rgba->Pixels()[2], lit);
    EXPECT_EQ(rgba->Pixels()[3], 33);
    EXPECT_EQ(rgba->Pixels()[63], 33);
    EXPECT_EQ(rgba->Pixels()[60], lit);
}

TEST_F(GroundShading, MissingOrEmptyGroundFileFallsBackToTheBuiltInPicture) {
    KeyValueFile file;
    file.openText(flatLand().text() + "terrain.texture.ground = \"nowhere.tga\"\n");
    terrain.SetName("shade");
    ASSERT_TRUE(terrain.Load(file));
    ASSERT_NE(terrain.groundImage(), nullptr);
    EXPECT_EQ(terrain.groundImage()->Width(), 256);
    EXPECT_EQ(terrain.groundImage()->Height(), 256);

    Terrain plain;
    KeyValueFile noName;
    noName.openText(flatLand().text());
    ASSERT_TRUE(plain.Load(noName));
    EXPECT_EQ(plain.groundImage()->Width(), 256);
}

// Shading walks the leaves' texels; every texel must still get the normal the
// point search gives its centre, on the shared and grown edges too.
TEST_F(GroundShading, EveryTexelTakesTheNormalThePointSearchGivesIt) {
    LandText land = fourLeafLand();
    land.points[0 * 3 + 2] = 40.0f; // bend the outer corners too
    land.points[3 * 3 + 2] = -20.0f;
    loadWith({90, 160, 230}, land, 61);
    const Image& ground = *terrain.groundImage();
    for (int round = 0; round < 4; ++round) {
        const auto sun = sunAt(0.05f + 0.4f * round, 0.9f + 1.7f * round);
        const auto shaded = terrain.ShadedGround(sun);
        int wrong = 0;
        for (int row = 0; row < 61; ++row)
            for (int column = 0; column < 61; ++column) {
                const float x = (column + 0.5f) * terrain.extents()[0] / 61 + terrain.box().minX;
                const float y = (row + 0.5f) * terrain.extents()[1] / 61 + terrain.box().minY;
                const auto n = terrain.NormalAt(x, y);
                const float d = n[2] * sun[0] + n[1] * sun[1] * sun[2] + n[0] * sun[1] * sun[3];
                const int lift = sun[0] <= 0.1f ? int(50 * 10 * sun[0]) : 50;
                const int at = (row * 61 + column) * 3;
                for (int byte = 0; byte < 3; ++byte) {
                    const int expected =
                        std::min(255, int(ground.Pixels()[at + byte] * (d < 0 ? -d : 0.0f)) + lift);
                    wrong += shaded->Pixels()[at + byte] != expected;
                }
            }
        EXPECT_EQ(wrong, 0) << "sun " << round;
    }
}
