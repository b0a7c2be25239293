// Baking the sun into the ground picture, for every texel depth.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "gfx/Image.h"
#include "io/KeyValueFile.h"
#include "support/WorkingFolder.h"
#include "terrain/LandText_helpers.h"
#include "world/terrain/Terrain.h"

namespace {

// An uncompressed TGA of a single repeated texel.
void writeTga(const std::string& path, int size, std::vector<uint8_t> texel) {
    uint8_t header[18] = {};
    header[2] = texel.size() < 3 ? 3 : 2;
    header[12] = header[14] = uint8_t(size);
    header[16] = uint8_t(texel.size() * 8);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), 18);
    if (texel.size() >= 3) std::swap(texel[0], texel[2]); // files keep blue first
    for (int i = 0; i < size * size; ++i)
        out.write(reinterpret_cast<const char*>(texel.data()), std::streamsize(texel.size()));
}

// A land named "shade" whose ground picture is one texel repeated; z = slope * x + 10.
void loadWith(Terrain& terrain, const std::vector<uint8_t>& texel, float slope = 0.0f,
              const char* ground = "ground.tga", LandText land = twoTriangleLand(), int size = 4) {
    std::filesystem::create_directories("lands/shade");
    writeTga("lands/shade/ground.tga", size, texel);
    for (std::size_t i = 0; i < 12; i += 3)
        land.points[i + 2] = 10.0f + slope * land.points[i];
    KeyValueFile file;
    file.openText(land.text() + "terrain.texture.ground = \"" + ground + "\"\n");
    terrain.Clear();
    terrain.SetName("shade");
    ASSERT_TRUE(terrain.Load(file));
    ASSERT_NE(terrain.groundImage(), nullptr);
}

} // namespace

// Flat clockwise ground faces straight down: factor = sine of the sun's
// elevation, plus a lift of 50 at its highest (25 when low), capped at white.
TEST(GroundShading, EveryTexelOfEveryDepthTakesTheSunAndKeepsItsAlpha) {
    testsupport::WorkingFolder folder("shade");
    Terrain terrain;
    const struct {
        std::vector<uint8_t> texel;
        Terrain::SunAngles sun;
        std::vector<int> expected;
    } rows[] = {
        {{200, 100, 250}, {0.8f, 0.6f, 0.0f, 1.0f}, {210, 130, 250}},
        {{100, 255, 0}, {0.05f, 0.99875f, 0.0f, 1.0f}, {30, 37, 25}},
        {{100, 255, 0}, {1.0f, 0.0f, 0.0f, 1.0f}, {150, 255, 50}},
        {{180}, {0.5f, 0.8660254f, 0.0f, 1.0f}, {140}},
        {{180, 77}, {0.5f, 0.8660254f, 0.0f, 1.0f}, {140, 77}},
        {{180, 180, 180, 33}, {0.5f, 0.8660254f, 0.0f, 1.0f}, {140, 140, 140, 33}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.texel.size() * 100 + row.texel[0]);
        loadWith(terrain, row.texel);
        const auto shaded = terrain.ShadedGround(row.sun);
        ASSERT_NE(shaded, nullptr);
        ASSERT_EQ(shaded->BytesPerPixel(), int(row.texel.size()));
        for (int texel = 0; texel < 16; ++texel)
            for (std::size_t c = 0; c < row.expected.size(); ++c)
                ASSERT_NEAR(shaded->Pixels()[texel * row.texel.size() + c], row.expected[c], 1)
                    << texel << " " << c;
        EXPECT_EQ(terrain.groundImage()->Pixels()[0], row.texel[0]) << "the picture is kept";
    }
}

// Shading walks the leaves' texels; every texel must still get the normal the
// point search gives its centre, on the shared and grown edges too, and a sun
// under the horizon lights only the slopes that face it.
TEST(GroundShading, EveryTexelTakesTheNormalThePointSearchGivesIt) {
    testsupport::WorkingFolder folder("shade");
    Terrain terrain;
    for (float slope : {0.4f, 2.0f}) {
        loadWith(terrain, {90, 160, 230}, slope, "ground.tga", fourLeafLand(), 61);
        const Image& ground = *terrain.groundImage();
        for (int round = 0; round < 6; ++round) {
            const float elevation = round < 4 ? 0.05f + 0.4f * round : -0.0872665f;
            const Terrain::SunAngles sun{std::sin(elevation), std::cos(elevation),
                                         std::sin(0.9f + 1.7f * round),
                                         std::cos(0.9f + 1.7f * round)};
            const auto shaded = terrain.ShadedGround(sun);
            int wrong = 0, lit = 0;
            for (int at = 0; at < 61 * 61 * 3; ++at) {
                const float x =
                    (at / 3 % 61 + 0.5f) * terrain.extents()[0] / 61 + terrain.box().minX;
                const float y =
                    (at / 3 / 61 + 0.5f) * terrain.extents()[1] / 61 + terrain.box().minY;
                const auto n = terrain.NormalAt(x, y);
                const float d = n[2] * sun[0] + n[1] * sun[1] * sun[2] + n[0] * sun[1] * sun[3];
                const int lift = sun[0] <= 0.1f ? std::max(0, int(50 * 10 * sun[0])) : 50;
                const int expected =
                    std::min(255, int(ground.Pixels()[at] * (d < 0 ? -d : 0.0f)) + lift);
                wrong += shaded->Pixels()[at] != expected;
                lit += expected > 0;
            }
            EXPECT_EQ(wrong, 0) << "sun " << round;
            EXPECT_GT(lit, 0) << "sun " << round;
        }
    }
    for (const char* ground : {"nowhere.tga", ""}) {
        loadWith(terrain, {1, 2, 3}, 0.0f, ground);
        EXPECT_EQ(terrain.groundImage()->Width(), 256) << "the built-in picture for " << ground;
        EXPECT_EQ(terrain.groundImage()->Height(), 256);
    }
}
