// The embedded resources: every picture decodes at a size GL 1.x can take as a
// texture, the right way up; the icon has its transparency; the sound is audible.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gfx/Image.h"
#include "platform/Resources.h"

TEST(BuiltInResources, PicturesDecodeToPowersOfTwoTheRightWayUpAndTheSoundIsAudible) {
    ResourceBytes bytes;
    for (int id = 199; id <= 433; ++id) {
        const bool picture = (id >= 199 && id <= 201) || (id >= 401 && id <= 432 && id != 411);
        EXPECT_EQ(findResource(id, "RT_RCDATA", bytes), picture) << id;
        TgaImage image;
        if (!picture) continue;
        ASSERT_TRUE(image.LoadResource(id, 0, 0, 3)) << id;
        const int w = image.Width(), h = image.Height();
        const std::uint8_t* p = image.Pixels();
        EXPECT_TRUE(w >= 16 && h >= 16 && (w & (w - 1)) == 0 && (h & (h - 1)) == 0) << id;
        EXPECT_EQ(image.BytesPerPixel(), 3) << id;
        // The first stored row is the top: the pointer's tip, the sky of the skyline,
        // nothing above the tree's crown, whose trunk reaches the last row.
        EXPECT_TRUE(id == 199   ? p[0] > 128
                    : id == 403 ? p[2] > p[0] + 60
                    : id == 404
                        ? p[w / 2 * 3] == 0 && p[(std::size_t(h - 1) * w + w / 2) * 3 + 1] > 0
                        : true)
            << id;
    }
    ASSERT_TRUE(findResource(IconResourceId, "ICON", bytes));
    TgaImage icon;
    icon.Decode(bytes.data(), bytes.size());
    ASSERT_EQ(icon.BytesPerPixel(), 4);
    EXPECT_EQ(icon.Pixels()[3], 0) << "a transparent corner";
    EXPECT_EQ(icon.Pixels()[(icon.Width() * icon.Height() / 2 + icon.Width() / 2) * 4 + 3], 255);

    ASSERT_TRUE(findResource(411, "WAVE", bytes));
    ASSERT_GT(bytes.size(), 44u);
    EXPECT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0) << "PCM with a plain header";
    EXPECT_EQ(bytes.data()[22] * 100 + bytes.data()[34], 108) << "mono, 8 bits";
    double sum = 0;
    for (std::size_t i = 44; i < bytes.size(); ++i)
        sum += std::pow(bytes.data()[i] - 128.0, 2);
    EXPECT_GT(std::sqrt(sum / (bytes.size() - 44)), 8.0) << "audible";
}
