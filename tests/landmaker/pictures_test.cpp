// Which way up the painted pictures lie, as the game maps them: the ground's
// first row along the south edge, the skyline's first row at the walls' top.
#include <gtest/gtest.h>

#include <filesystem>

#include "LandRecipe.h"
#include "Painter.h"
#include "gfx/Image.h"

namespace {
int brightness(const uint8_t* p) {
    return p[0] + p[1] + p[2];
}

int rowBlueExcess(const Image& image, int row) {
    int excess = 0;
    const int bpp = image.BytesPerPixel();
    for (int column = 0; column < image.Width(); ++column) {
        const uint8_t* p = image.Pixels() + (std::size_t(row) * image.Width() + column) * bpp;
        excess += p[2] - p[0];
    }
    return excess / image.Width();
}
} // namespace

TEST(LandMakerPictures, GroundRowZeroIsTheSouthEdge) {
    LandRecipe recipe;
    recipe.sizeX = recipe.sizeY = 1000;
    recipe.forests.push_back({500, 150, 140, 0, 12}); // a wood near the south edge only
    const HeightMap flat(5, 5, std::vector<float>(25, 0.0f));
    const Painter painter(recipe, flat);
    RgbPicture ground = painter.paintGround(64);
    // Row 9 lies at y = 148 m, row 54 at y = 852 m, both at x = 500.
    EXPECT_LT(brightness(ground.at(32, 9)), brightness(ground.at(32, 54)))
        << "the dark wood shows in the first rows";
}

TEST(LandMakerPictures, SkylineHasSkyInItsFirstRowsAndHillsInItsLast) {
    LandRecipe recipe;
    const HeightMap flat(5, 5, std::vector<float>(25, 0.0f));
    RgbPicture skyline = Painter(recipe, flat).paintSkyline(128, 64, 0.3f);
    const uint8_t* top = skyline.at(10, 0);
    const uint8_t* bottom = skyline.at(10, 63);
    EXPECT_GT(top[2], top[0] + 20) << "blue sky at the walls' top";
    EXPECT_GT(brightness(top), brightness(bottom) + 60) << "dark hills at their foot";
}

TEST(LandMakerPictures, SampleSkylinesDecodeTheRightWayUp) {
    const std::filesystem::path lands = std::filesystem::path(VENTRIX_SOURCE_DIR) / "data/lands";
    for (const char* file : {"ridge/ridge_skyline.tga", "field/field_skyline.tga"}) {
        TgaImage image;
        ASSERT_TRUE(image.LoadFile((lands / file).string().c_str(), 0, 0, 3)) << file;
        EXPECT_GT(rowBlueExcess(image, 0), 30) << file << ": the first row must be sky";
        EXPECT_LT(rowBlueExcess(image, image.Height() - 1), rowBlueExcess(image, 0) - 15)
            << file << ": the last row must be hills";
    }
}
