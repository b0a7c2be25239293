#include <gtest/gtest.h>

#include "gfx/Image.h"
#include "gfx/ResourceTextureCache.h"
#include "gfx/Texture.h"
#include "platform/FatalError.h"

// Without a GL context the textures cannot be created, but the cache and the
// pictures behave the same.
TEST(ResourceTextureCache, LoadsEachPictureOnce) {
    ResourceTextureCache cache;
    Texture* first = cache.Get(402);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Width(), 256);
    EXPECT_EQ(cache.Get(402), first);
    EXPECT_EQ(cache.Count(), 1);
    Texture* other = cache.Get(199);
    EXPECT_NE(other, first);
    EXPECT_EQ(cache.Count(), 2);
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0);
}

TEST(ResourceTextureCache, UnknownPictureIsAnErrorAndNotCached) {
    ResourceTextureCache cache;
    try {
        cache.Get(398);
        FAIL() << "an unknown picture id must throw";
    } catch (const FatalError& error) {
        EXPECT_NE(std::string(error.what()).find("398"), std::string::npos) << error.what();
    }
    EXPECT_EQ(cache.Count(), 0);
    // The sound is a resource of another type, not a picture.
    EXPECT_THROW(cache.Get(411), FatalError);
}

TEST(ResourceTextureCache, ImageLoadResourceReadsTheBuiltInPicture) {
    TgaImage image;
    EXPECT_TRUE(image.LoadResource(405, 0, 0, 3));
    EXPECT_EQ(image.Width(), 64);
    EXPECT_EQ(image.Height(), 64);
    EXPECT_EQ(image.BytesPerPixel(), 3);
    RawImage raw; // a raw decoder refuses a TGA file of another size
    EXPECT_THROW(raw.LoadResource(405, 64, 64, 3), FatalError);
}
