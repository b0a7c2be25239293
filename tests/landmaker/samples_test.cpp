// The sample lands as shipped: they load, have no cracks, and carry what a
// flying site needs (spots with different winds, sceneries, their own ground,
// a skyline the right way up: sky in its first row, hills in its last).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "LandChecks.h"
#include "gfx/Image.h"
#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace {
int rowBlueExcess(const Image& image, int row) {
    int excess = 0;
    for (int column = 0; column < image.Width(); ++column) {
        const uint8_t* p = image.Pixels() + (std::size_t(row) * image.Width() + column) * 3;
        excess += p[2] - p[0];
    }
    return excess / image.Width();
}
} // namespace

TEST(SampleLands, LoadCrackFreeWithSpotsSceneriesAndTheirOwnGround) {
    const struct {
        std::string name;
        float minRelief, maxRelief;
        std::size_t spots, winds;
        std::set<int> types;
    } samples[] = {{"ridge", 80.0f, 1e6f, 5, 4, {1, 11, 21, 22, 23}},
                   {"field", 0.0f, 5.0f, 4, 1, {1}}};
    const auto previous = std::filesystem::current_path();
    for (const auto& s : samples) {
        SCOPED_TRACE(s.name);
        // Loaded from the data folder, as the game does from its working folder.
        std::filesystem::current_path(std::filesystem::path(VENTRIX_SOURCE_DIR) / "data");
        KeyValueFile file;
        Terrain terrain;
        terrain.SetName(s.name);
        const std::string folder = "lands/" + s.name + "/" + s.name;
        const bool loaded = file.open(folder + ".map") && terrain.Load(file);
        TgaImage skyline;
        const bool decoded = skyline.LoadFile((folder + "_skyline.tga").c_str(), 0, 0, 3);
        std::filesystem::current_path(previous);
        ASSERT_TRUE(loaded && decoded);
        expectClockwiseAndCrackFree(terrain);
        EXPECT_GE(terrain.relief(), s.minRelief);
        EXPECT_LE(terrain.relief(), s.maxRelief);
        const auto& spots = terrain.spots();
        ASSERT_GE(spots.size(), s.spots);
        std::set<std::pair<float, float>> winds;
        for (std::size_t i = 1; i < spots.size(); ++i) {
            winds.insert({spots[i].windSpeed, spots[i].windDirection});
            EXPECT_GE(spots[i].z, terrain.HeightAt(spots[i].x, spots[i].y) - 0.01f)
                << spots[i].name << " is not under the ground";
        }
        EXPECT_GE(winds.size(), s.winds) << "the spots' winds differ";
        std::set<int> types;
        for (int n = 1; file.find("decor" + std::to_string(n) + ".name"); ++n)
            types.insert(file.getInt("decor" + std::to_string(n) + ".type", 0));
        EXPECT_TRUE(std::includes(types.begin(), types.end(), s.types.begin(), s.types.end()));
        ASSERT_NE(terrain.groundImage(), nullptr);
        EXPECT_EQ(terrain.groundImage()->Width(), 1024) << "its own ground picture";
        EXPECT_GT(rowBlueExcess(skyline, 0), 30);
        EXPECT_LT(rowBlueExcess(skyline, skyline.Height() - 1), rowBlueExcess(skyline, 0) - 15);
    }
}
