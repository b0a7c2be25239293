// The embedded resources: every picture decodes at a size GL 1.x can take as a
// texture, the right way up; the ambient sound is audible and loops without a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/Image.h"
#include "platform/Resources.h"

namespace {
int grey(const Image& image, int column, int row) {
    const std::uint8_t* p = image.Pixels() + (std::size_t(row) * image.Width() + column) * 3;
    return (p[0] + p[1] + p[2]) / 3;
}

double rms(const std::uint8_t* samples, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += std::pow(samples[i] - 128.0, 2);
    return std::sqrt(sum / count);
}
} // namespace

// Panels and the pointer put t = 0 at their top, trees stand on t = 1, sky
// walls have sky on top: the first stored row is the picture's top.
TEST(BuiltInResources, PicturesDecodeToPowersOfTwoTheRightWayUp) {
    TgaImage images[434];
    ResourceBytes bytes;
    for (int id = 199; id <= 433; ++id) {
        const bool picture = (id >= 199 && id <= 201) || (id >= 401 && id <= 432 && id != 411);
        EXPECT_EQ(findResource(id, "RT_RCDATA", bytes), picture) << id;
        if (!picture) continue;
        images[id].LoadResource(id, 0, 0, 3);
        const int w = images[id].Width(), h = images[id].Height();
        EXPECT_TRUE(w >= 16 && h >= 16 && (w & (w - 1)) == 0 && (h & (h - 1)) == 0) << id;
        EXPECT_EQ(images[id].BytesPerPixel(), 3) << id;
    }
    EXPECT_FALSE(findResource(401, "rt_rcdata", bytes));
    EXPECT_FALSE(findResource(401, nullptr, bytes));
    EXPECT_GT(grey(images[199], 0, 0), 128) << "the pointer's tip is its first pixel";
    EXPECT_LT(grey(images[199], 15, 0) + grey(images[199], 0, 15), 32);
    EXPECT_GT(grey(images[404], 128, 255), 0) << "the tree's trunk reaches the last row";
    EXPECT_EQ(grey(images[404], 0, 255) + grey(images[404], 128, 0), 0) << "on black, none above";
    for (int x : {10, 128, 250}) {
        const std::uint8_t* top = images[403].Pixels() + x * 3;
        EXPECT_GT(top[2], top[0] + 60) << "blue sky at the top, column " << x;
        EXPECT_LT(grey(images[403], x, 255), grey(images[403], x, 0)) << "land below, " << x;
    }
    ASSERT_TRUE(findResource(IconResourceId, "ICON", bytes));
    TgaImage icon;
    icon.Decode(bytes.data(), bytes.size());
    ASSERT_EQ(icon.BytesPerPixel(), 4);
    EXPECT_EQ(icon.Pixels()[3], 0) << "a transparent corner";
    EXPECT_EQ(icon.Pixels()[(icon.Width() * icon.Height() / 2 + icon.Width() / 2) * 4 + 3], 255);
}

TEST(BuiltInResources, AmbientSoundIsAudibleUnclippedAndLoopsWithoutAClick) {
    ResourceBytes bytes;
    ASSERT_TRUE(findResource(411, "WAVE", bytes));
    ASSERT_GT(bytes.size(), 44u);
    ASSERT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0) << "8-bit mono PCM with a plain header";
    EXPECT_EQ(bytes.data()[22] * 100 + bytes.data()[34], 108) << "mono, 8 bits";
    const std::uint8_t* s = bytes.data() + 44;
    const std::size_t n = bytes.size() - 44;
    EXPECT_NEAR(n / 8000.0, 15.6, 0.1) << "about 15 s at 8 kHz";
    EXPECT_GT(rms(s, n), 8.0);
    EXPECT_LT(
        std::size_t(std::count_if(s, s + n, [](std::uint8_t v) { return v == 0 || v == 255; })),
        n / 1000);
    // Looping plays the last sample then the first: no larger a step than around it.
    int largestNearbyStep = 0;
    for (std::size_t i = 1; i < 400; ++i)
        largestNearbyStep = std::max(
            {largestNearbyStep, std::abs(s[i] - s[i - 1]), std::abs(s[n - i] - s[n - i - 1])});
    EXPECT_LE(std::abs(s[0] - s[n - 1]), largestNearbyStep);
    const double before = rms(s + n - 800, 800), after = rms(s, 800);
    EXPECT_LT(std::max(before, after) / std::min(before, after), 1.6);
}
