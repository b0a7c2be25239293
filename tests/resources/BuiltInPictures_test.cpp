#include <gtest/gtest.h>

#include <cstring>

#include "gfx/Image.h"
#include "platform/Resources.h"

namespace {

struct PictureSize {
    int id, width, height;
};

// Every built-in picture with the size its users draw it at.
const PictureSize pictures[] = {
    {199, 16, 16},   {200, 64, 64},   {201, 64, 64},   {401, 256, 256}, {402, 256, 256},
    {403, 256, 256}, {404, 256, 256}, {405, 64, 64},   {406, 64, 64},   {407, 256, 256},
    {408, 128, 32},  {409, 128, 32},  {410, 256, 128}, {412, 256, 64},  {413, 256, 64},
    {414, 128, 256}, {415, 256, 256}, {416, 256, 64},  {417, 256, 64},  {418, 256, 64},
    {419, 256, 256}, {420, 256, 128}, {421, 256, 256}, {422, 256, 256}, {423, 256, 256},
    {424, 256, 256}, {425, 256, 64},  {426, 256, 256}, {427, 256, 128}, {428, 256, 256},
    {429, 256, 256}, {430, 256, 64},  {431, 64, 64},   {432, 256, 256},
};

TgaImage load(int id) {
    TgaImage image;
    image.LoadResource(id, 0, 0, 3);
    return image;
}

const std::uint8_t* pixel(const Image& image, int column, int row) {
    return image.Pixels() +
           (static_cast<std::size_t>(row) * image.Width() + column) * image.BytesPerPixel();
}

int grey(const std::uint8_t* p) {
    return (p[0] + p[1] + p[2]) / 3;
}

} // namespace

TEST(BuiltInPictures, EachDecodesAtItsSizeAsUncompressedTrueColour) {
    for (const PictureSize& expected : pictures) {
        SCOPED_TRACE("picture " + std::to_string(expected.id));
        ResourceBytes bytes;
        ASSERT_TRUE(findResource(expected.id, "RT_RCDATA", bytes));
        const TgaImage image = load(expected.id);
        EXPECT_EQ(image.Width(), expected.width);
        EXPECT_EQ(image.Height(), expected.height);
        EXPECT_EQ(image.BytesPerPixel(), 3);
        EXPECT_EQ(image.Header().imageType, 2);
        EXPECT_EQ(image.Header().pixelDepth, 24);
        // TGA 2.0 footer: the signature ends the file.
        ASSERT_GT(bytes.size(), 26u);
        EXPECT_EQ(std::memcmp(bytes.data() + bytes.size() - 18, "TRUEVISION-XFILE.", 18), 0);
    }
}

TEST(BuiltInPictures, TypesAndIdsAreLookedUpExactly) {
    ResourceBytes bytes;
    EXPECT_FALSE(findResource(411, "RT_RCDATA", bytes)) << "411 is the sound, not a picture";
    EXPECT_TRUE(findResource(411, "WAVE", bytes));
    EXPECT_FALSE(findResource(401, "rt_rcdata", bytes));
    EXPECT_FALSE(findResource(401, nullptr, bytes));
    EXPECT_FALSE(findResource(433, "RT_RCDATA", bytes));
}

// Panels and the pointer put t = 0 at their top: the first stored row is the
// picture's top. The pointer's hot spot (its tip) is its top-left corner.
TEST(BuiltInPictures, PointerTipIsInTheFirstRowAtTheLeft) {
    const TgaImage arrow = load(199);
    EXPECT_GT(grey(pixel(arrow, 0, 0)), 128) << "the tip is the first pixel";
    EXPECT_LT(grey(pixel(arrow, 15, 0)), 16) << "the first row is empty right of the tip";
    EXPECT_LT(grey(pixel(arrow, 0, 15)), 16) << "the last row is empty at the left edge";
    EXPECT_LT(grey(pixel(arrow, 15, 15)), 16);
    // The arrow widens downwards from the tip.
    int firstRowLit = 0, fifthRowLit = 0;
    for (int x = 0; x < 16; ++x) {
        firstRowLit += grey(pixel(arrow, x, 0)) > 64;
        fifthRowLit += grey(pixel(arrow, x, 5)) > 64;
    }
    EXPECT_GT(fifthRowLit, firstRowLit);
}

// The tree stands on the ground at t = 1: trunk in the last row, crown above.
TEST(BuiltInPictures, TreeStandsOnItsLastRowOnPureBlack) {
    TgaImage tree = load(404);
    const int last = tree.Height() - 1;
    EXPECT_GT(grey(pixel(tree, 128, last)), 0) << "the trunk reaches the last row";
    EXPECT_EQ(grey(pixel(tree, 0, last)), 0);
    EXPECT_EQ(grey(pixel(tree, 255, last)), 0);
    EXPECT_EQ(grey(pixel(tree, 128, 0)), 0) << "nothing above the crown";
    int crownWidth = 0;
    for (int x = 0; x < tree.Width(); ++x)
        crownWidth += grey(pixel(tree, x, 90)) > 0;
    EXPECT_GT(crownWidth, 100) << "the crown is wide near the top";
    // Black becomes transparent: the background, and none of the tree.
    tree.AddAlpha(AlphaBlackClear, 0);
    int transparent = 0;
    for (int y = 0; y < tree.Height(); ++y)
        for (int x = 0; x < tree.Width(); ++x)
            transparent += pixel(tree, x, y)[3] == 0;
    const double share = transparent / double(tree.Width() * tree.Height());
    EXPECT_GT(share, 0.25);
    EXPECT_LT(share, 0.85);
}

// Sky walls put t = 0 at the top: sky in the first rows, land in the last.
TEST(BuiltInPictures, SkylineHasSkyOnTopAndHillsBelow) {
    const TgaImage skyline = load(403);
    const int last = skyline.Height() - 1;
    for (int x : {10, 128, 250}) {
        const std::uint8_t* top = pixel(skyline, x, 0);
        const std::uint8_t* bottom = pixel(skyline, x, last);
        EXPECT_GT(top[2], top[0] + 60) << "blue sky at the top, column " << x;
        EXPECT_GE(bottom[1], bottom[2]) << "green land at the bottom, column " << x;
        EXPECT_LT(grey(bottom), grey(top)) << "column " << x;
    }
}

TEST(BuiltInPictures, GroundIsGrassGreen) {
    const TgaImage ground = load(401);
    long red = 0, green = 0, blue = 0;
    for (int y = 0; y < ground.Height(); ++y)
        for (int x = 0; x < ground.Width(); ++x) {
            red += pixel(ground, x, y)[0];
            green += pixel(ground, x, y)[1];
            blue += pixel(ground, x, y)[2];
        }
    EXPECT_GT(green, red);
    EXPECT_GT(green, 2 * blue);
}

// Buttons carry dark brown text: their faces must be light, the pressed one darker.
TEST(BuiltInPictures, ButtonFacesAreLightAndPressedIsDarker) {
    auto meanGrey = [](const Image& image) {
        long sum = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                sum += grey(pixel(image, x, y));
        return sum / (image.Width() * image.Height());
    };
    for (int normal : {412, 416})
        EXPECT_GT(meanGrey(load(normal)), 170) << normal;
    EXPECT_LT(meanGrey(load(413)), meanGrey(load(412)));
    EXPECT_LT(meanGrey(load(418)), meanGrey(load(416)));
    // Page backgrounds carry white text: they must be dark.
    for (int background : {414, 420, 428, 429, 431})
        EXPECT_LT(meanGrey(load(background)), 90) << background;
}

TEST(BuiltInPictures, IconHasTransparentCornersAndAnOpaqueMiddle) {
    ResourceBytes bytes;
    ASSERT_TRUE(findResource(IconResourceId, "ICON", bytes));
    TgaImage icon;
    icon.Decode(bytes.data(), bytes.size());
    ASSERT_EQ(icon.BytesPerPixel(), 4);
    EXPECT_EQ(pixel(icon, 0, 0)[3], 0);
    EXPECT_EQ(pixel(icon, icon.Width() - 1, icon.Height() - 1)[3], 0);
    EXPECT_EQ(pixel(icon, icon.Width() / 2, icon.Height() / 2)[3], 255);
}
