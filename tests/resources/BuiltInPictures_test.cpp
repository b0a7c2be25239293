// The embedded resources: every picture decodes at a size GL 1.x can take as a
// texture, the right way up; the icon has its transparency; the sound is audible.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gfx/Image.h"
#include "platform/Resources.h"

// The first stored row is the picture's top: sky walls have blue sky there.
TEST(BuiltInResources, PicturesDecodeToPowersOfTwoTheRightWayUpAndTheSoundIsAudible) {
    ResourceBytes bytes;
    for (int id = 199; id <= 433; ++id) {
        const bool picture = (id >= 199 && id <= 201) || (id >= 401 && id <= 432 && id != 411);
        EXPECT_EQ(findResource(id, "RT_RCDATA", bytes), picture) << id;
        TgaImage image;
        if (!picture) continue;
        ASSERT_TRUE(image.LoadResource(id, 0, 0, 3)) << id;
        const int w = image.Width(), h = image.Height(),
                  top = id == 403 ? image.Pixels()[2] - image.Pixels()[0] : 99;
        EXPECT_TRUE(w >= 16 && h >= 16 && (w & (w - 1)) == 0 && (h & (h - 1)) == 0) << id;
        EXPECT_EQ(image.BytesPerPixel(), 3) << id;
        EXPECT_GT(top, 60) << "blue sky at the top of the skyline";
    }
    EXPECT_FALSE(findResource(401, "rt_rcdata", bytes) || findResource(401, nullptr, bytes));
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
