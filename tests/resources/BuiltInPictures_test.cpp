// The embedded resources: every picture decodes at the size its users draw it,
// the right way up; the ambient sound is audible and loops without a click.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gfx/Image.h"
#include "platform/Resources.h"

namespace {

TgaImage load(int id) {
    TgaImage image;
    image.LoadResource(id, 0, 0, 3);
    return image;
}

int grey(const Image& image, int column, int row) {
    const std::uint8_t* p =
        image.Pixels() + (std::size_t(row) * image.Width() + column) * image.BytesPerPixel();
    return (p[0] + p[1] + p[2]) / 3;
}

double rms(const std::uint8_t* samples, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += std::pow(samples[i] - 128.0, 2);
    return std::sqrt(sum / count);
}

} // namespace

TEST(BuiltInResources, PicturesDecodeAtTheirSizesAndAreLookedUpExactly) {
    const int sizes[][3] = {
        {199, 16, 16},   {200, 64, 64},   {201, 64, 64},   {401, 256, 256}, {402, 256, 256},
        {403, 256, 256}, {404, 256, 256}, {405, 64, 64},   {406, 64, 64},   {407, 256, 256},
        {408, 128, 32},  {409, 128, 32},  {410, 256, 128}, {412, 256, 64},  {413, 256, 64},
        {414, 128, 256}, {415, 256, 256}, {416, 256, 64},  {417, 256, 64},  {418, 256, 64},
        {419, 256, 256}, {420, 256, 128}, {421, 256, 256}, {422, 256, 256}, {423, 256, 256},
        {424, 256, 256}, {425, 256, 64},  {426, 256, 256}, {427, 256, 128}, {428, 256, 256},
        {429, 256, 256}, {430, 256, 64},  {431, 64, 64},   {432, 256, 256}};
    for (const auto& [id, width, height] : sizes) {
        const TgaImage image = load(id);
        EXPECT_EQ(image.Width(), width) << id;
        EXPECT_EQ(image.Height(), height) << id;
        EXPECT_EQ(image.BytesPerPixel(), 3) << id;
    }
    ResourceBytes bytes;
    EXPECT_FALSE(findResource(411, "RT_RCDATA", bytes)) << "411 is the sound, not a picture";
    EXPECT_FALSE(findResource(401, "rt_rcdata", bytes));
    EXPECT_FALSE(findResource(401, nullptr, bytes));
    EXPECT_FALSE(findResource(433, "RT_RCDATA", bytes));
    ASSERT_TRUE(findResource(IconResourceId, "ICON", bytes));
    TgaImage icon;
    icon.Decode(bytes.data(), bytes.size());
    ASSERT_EQ(icon.BytesPerPixel(), 4);
    EXPECT_EQ(icon.Pixels()[3], 0) << "a transparent corner";
    EXPECT_EQ(icon.Pixels()[(icon.Width() * icon.Height() / 2 + icon.Width() / 2) * 4 + 3], 255);
}

// Panels and the pointer put t = 0 at their top, trees stand on t = 1, sky
// walls have sky on top: the first stored row is the picture's top.
TEST(BuiltInResources, PicturesLieTheRightWayUp) {
    const TgaImage arrow = load(199);
    EXPECT_GT(grey(arrow, 0, 0), 128) << "the pointer's tip is its first pixel";
    EXPECT_LT(grey(arrow, 15, 0), 16);
    EXPECT_LT(grey(arrow, 0, 15), 16);
    const TgaImage tree = load(404);
    EXPECT_GT(grey(tree, 128, 255), 0) << "the trunk reaches the last row";
    EXPECT_EQ(grey(tree, 0, 255), 0) << "on pure black";
    EXPECT_EQ(grey(tree, 128, 0), 0) << "nothing above the crown";
    const TgaImage skyline = load(403);
    for (int x : {10, 128, 250}) {
        const std::uint8_t* top = skyline.Pixels() + x * 3;
        EXPECT_GT(top[2], top[0] + 60) << "blue sky at the top, column " << x;
        EXPECT_LT(grey(skyline, x, 255), grey(skyline, x, 0)) << "land below, column " << x;
    }
}

TEST(BuiltInResources, AmbientSoundIsAudibleUnclippedAndLoopsWithoutAClick) {
    ResourceBytes bytes;
    ASSERT_TRUE(findResource(411, "WAVE", bytes));
    ASSERT_GT(bytes.size(), 44u);
    ASSERT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0) << "8-bit mono PCM with a plain header";
    EXPECT_EQ(bytes.data()[22], 1) << "mono";
    EXPECT_EQ(bytes.data()[34], 8) << "8 bits";
    const std::uint8_t* s = bytes.data() + 44;
    const std::size_t n = bytes.size() - 44;
    EXPECT_NEAR(n / 8000.0, 15.6, 0.1) << "about 15 s at 8 kHz";
    EXPECT_GT(rms(s, n), 8.0);
    std::size_t clipped = 0;
    for (std::size_t i = 0; i < n; ++i)
        clipped += s[i] == 0 || s[i] == 255;
    EXPECT_LT(clipped, n / 1000);
    // Looping plays the last sample then the first: no larger a step than around it.
    int largestNearbyStep = 0;
    for (std::size_t i = 1; i < 400; ++i)
        largestNearbyStep = std::max(
            {largestNearbyStep, std::abs(s[i] - s[i - 1]), std::abs(s[n - i] - s[n - i - 1])});
    EXPECT_LE(std::abs(s[0] - s[n - 1]), largestNearbyStep);
    const double before = rms(s + n - 800, 800), after = rms(s, 800);
    EXPECT_LT(std::max(before, after) / std::min(before, after), 1.6);
}
