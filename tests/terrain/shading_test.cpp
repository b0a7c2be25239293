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
    for (std::size_t i = 0; i < land.points.size(); i += 3) {
        if (i < 12) land.points[i + 2] = 10.0f + slope * land.points[i];
        land.points[i] += 1000.0f; // away from the origin, which would hide a lost offset
        land.points[i + 1] += 2000.0f;
    }
    KeyValueFile file;
    file.openText(land.text() + "terrain.texture.ground = \"" + ground + "\"\n");
    terrain.Clear();
    terrain.SetName("shade");
    ASSERT_TRUE(terrain.Load(file));
    ASSERT_NE(terrain.groundImage(), nullptr);
}

} // namespace

// Shading walks the leaves' texels; every texel of every depth must still get the normal the
// point search gives its centre: factor the sine of the sun's angle to the ground, plus a lift
// of 50 at its highest, capped at white; alpha kept. A sun under the horizon lights only slopes
// that face it.
TEST(GroundShading, EveryTexelTakesTheNormalThePointSearchGivesIt) {
    testsupport::WorkingFolder folder("shade");
    Terrain terrain;
    const std::vector<uint8_t> texels[] = {{180}, {180, 77}, {90, 160, 230}, {250, 180, 20, 33}};
    for (const auto& texel : texels)
        for (float slope : {0.4f, 2.0f}) {
            const int depth = int(texel.size()), colours = depth == 2 ? 1 : std::min(depth, 3);
            loadWith(terrain, texel, slope, "ground.tga", fourLeafLand(), 61);
            for (int round = 0; round < 6; ++round) {
                const float up = round < 4 ? 0.05f + 0.4f * round : -0.0872665f,
                            around = 0.9f + 1.7f * round;
                const Terrain::SunAngles sun{std::sin(up), std::cos(up), std::sin(around),
                                             std::cos(around)};
                const auto shaded = terrain.ShadedGround(sun);
                ASSERT_EQ(shaded->BytesPerPixel(), depth);
                int wrong = 0, lit = 0;
                for (int at = 0; at < 61 * 61 * depth; ++at) {
                    const int x = at / depth % 61, y = at / depth / 61, byte = at % depth;
                    const auto n = terrain.NormalAt(1000 + (x + 0.5f) * 100 / 61,
                                                    2000 + (y + 0.5f) * 100 / 61);
                    const float d = n[2] * sun[0] + n[1] * sun[1] * sun[2] + n[0] * sun[1] * sun[3];
                    const int lift = sun[0] <= 0.1f ? std::max(0, int(50 * 10 * sun[0])) : 50;
                    const int expected =
                        byte >= colours
                            ? texel[byte]
                            : std::min(255, int(texel[byte] * std::max(-d, 0.0f)) + lift);
                    wrong += shaded->Pixels()[at] != expected;
                    lit += byte < colours && expected > 0;
                }
                EXPECT_EQ(wrong, 0) << "sun " << round << ", " << depth << " bytes";
                EXPECT_GT(lit, 0) << "sun " << round;
            }
            EXPECT_EQ(terrain.groundImage()->Pixels()[0], texel[0]) << "the picture is kept";
        }
}
