#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>

#include "gfx/Image.h"
#include "gfx/LandPath.h"
#include "gfx/ResourceTextureCache.h"
#include "gfx/Texture.h"
#include "gfx/TgaBytes.h"
#include "platform/FatalError.h"
#include "support/WorkingFolder.h"

namespace {

std::vector<std::uint8_t> sequence(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t(1));
    return bytes;
}

// The message a decode throws, or "" when it does not throw.
std::string decodeError(Image& image, const std::vector<std::uint8_t>& data) {
    try {
        image.Decode(data.data(), data.size());
    } catch (const FatalError& error) {
        return error.what();
    }
    return "";
}

std::vector<int> pixels(const Image& image, int count) {
    return {image.Pixels(), image.Pixels() + count};
}

void write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace

// BGR in the file becomes RGB, grey and indexed pixels stay as stored, rows
// stay in file order whatever the origin, and the ID and colour map are skipped.
TEST(TgaDecode, PixelsAreReadAfterIdAndColourMapInFileOrder) {
    const auto tga = [](std::uint8_t type, std::uint8_t depth, std::vector<std::uint8_t> px) {
        TgaBytes t;
        t.imageType = type;
        t.depth = depth;
        t.width = 1;
        t.height = int(px.size() * 8 / depth);
        t.pixels = std::move(px);
        return t;
    };
    TgaBytes withId = tga(2, 24, {10, 20, 30, 40, 50, 60});
    withId.id = "V" + std::string(41, 'x');
    TgaBytes topFirst = tga(2, 24, {0, 0, 255, 0, 255, 0});
    topFirst.descriptor = 0x20;
    TgaBytes mapped = tga(1, 8, {3, 2, 1, 0});
    mapped.colourMapType = 1;
    mapped.colourMapLength = 4;
    mapped.colourMapEntryBits = 24;
    const struct {
        const char* name;
        TgaBytes tga;
        int depth;
        std::vector<int> expected;
    } rows[] = {
        {"id", withId, 3, {30, 20, 10, 60, 50, 40}},
        {"bottom origin", tga(2, 24, {0, 0, 255, 0, 255, 0}), 3, {255, 0, 0, 0, 255, 0}},
        {"top origin", topFirst, 3, {255, 0, 0, 0, 255, 0}},
        {"alpha", tga(2, 32, {1, 2, 3, 4, 5, 6, 7, 8}), 4, {3, 2, 1, 4, 7, 6, 5, 8}},
        {"grey and alpha", tga(3, 16, {1, 2, 3, 4}), 2, {1, 2, 3, 4}},
        {"colour map", mapped, 1, {3, 2, 1, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TgaImage image;
        const auto data = row.tga.bytes();
        image.Decode(data.data(), data.size());
        ASSERT_EQ(image.BytesPerPixel(), row.depth);
        EXPECT_EQ(pixels(image, int(row.expected.size())), row.expected);
    }
    TgaImage image;
    const auto data = withId.bytes();
    image.Decode(data.data(), data.size());
    EXPECT_EQ(image.IdText().substr(0, 2), "Vx");
    EXPECT_EQ(image.Header().idLength, 42);
    const GLenum formats[] = {GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA, GL_RGB};
    for (int depth = 1; depth <= 5; ++depth) {
        EXPECT_EQ(TextureFormat(depth), formats[depth - 1]) << depth;
        EXPECT_EQ(TextureComponents(depth), depth <= 2 ? depth : 4) << depth;
    }
}

TEST(TgaDecode, MalformedOrShortDataIsRefusedWithItsMessage) {
    const auto tga = [](auto change) {
        TgaBytes t;
        t.pixels = sequence(12);
        change(t);
        return t.bytes();
    };
    auto longId = tga([](TgaBytes& t) { t.id = std::string(200, 'i'); });
    longId.resize(40);
    auto longMap = tga([](TgaBytes& t) {
        t.colourMapType = 1;
        t.colourMapLength = 1000;
        t.colourMapEntryBits = 32;
    });
    longMap.resize(100);
    const std::pair<std::vector<std::uint8_t>, const char*> cases[] = {
        {tga([](TgaBytes& t) { t.imageType = 0; }), "No image data included"},
        {tga([](TgaBytes& t) { t.imageType = 10; }),
         "Unreadable image data type (RLE compressed ?)"},
        {tga([](TgaBytes& t) { t.depth = 15; }), "Unexpected pixel size (15)"},
        {tga([](TgaBytes& t) { t.width = t.height = 64; }), "Bitmap size (64,64) not good"},
        {longId, "Bitmap size (2,2) not good"},
        {longMap, "Bitmap size (2,2) not good"},
        {{0, 0, 2, 0, 0}, "*"},
        {{}, "*"},
    };
    for (const auto& [data, message] : cases) {
        TgaImage image;
        const std::string error = decodeError(image, data);
        if (std::string(message) == "*")
            EXPECT_FALSE(error.empty());
        else
            EXPECT_EQ(error, message);
        EXPECT_FALSE(image.HasPixels()) << "a refused picture keeps no stale pixels";
    }
}

TEST(ImageFiles, LoadersReportUnreadableFilesAndKeepTheAnnouncedLayout) {
    testsupport::WorkingFolder folder("image");
    write("ground.raw", sequence(12));
    RawImage raw;
    EXPECT_TRUE(raw.LoadFile("ground.raw", 2, 2, 3));
    EXPECT_EQ(pixels(raw, 12), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    try {
        raw.LoadFile("ground.raw", 4, 4, 3);
        ADD_FAILURE() << "a 4 x 4 raw picture from 12 bytes must be refused";
    } catch (const FatalError& error) {
        EXPECT_STREQ(error.what(), "Bitmap size (4,4) not good (ImRaw::create)");
    }
    EXPECT_FALSE(raw.LoadFile("none.raw", 7, 5, 1));
    EXPECT_EQ(raw.Width(), 7);
    EXPECT_EQ(raw.Height(), 5);
    EXPECT_EQ(raw.BytesPerPixel(), 1);

    write("empty.tga", {});
    std::filesystem::create_directory("folder.tga"); // opens, but cannot be read whole
    TgaImage image;
    for (const char* path :
         {static_cast<const char*>(nullptr), "missing.tga", "empty.tga", "folder.tga"})
        EXPECT_FALSE(image.LoadFile(path, 0, 0, 3)) << (path ? path : "null");
    EXPECT_FALSE(image.HasPixels());
    TgaBytes tga;
    tga.width = 3;
    tga.height = 1;
    tga.pixels = sequence(9);
    write("pic.tga", tga.bytes());
    EXPECT_TRUE(image.LoadFile("pic.tga", 40, 50, 1));
    EXPECT_EQ(image.Width(), 3) << "the TGA header replaces the announced size";
    EXPECT_EQ(image.BytesPerPixel(), 3);

    // Unknown extension or missing file: false without any decoding or GL work.
    write("sky.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
    Texture texture;
    EXPECT_FALSE(texture.LoadFile("sky.png", 0, 0, 3));
    EXPECT_FALSE(texture.LoadFile(nullptr, 0, 0, 3));
    EXPECT_FALSE(texture.LoadFile("missing.tga", 0, 0, 3));
    EXPECT_FALSE(texture.LoadFile("missing.raw", 2, 2, 3));
    EXPECT_FALSE(texture.IsCreated() || texture.Picture().HasPixels());
    EXPECT_EQ(LandPath("Puy de Dome", "sky.tga"), "lands/Puy de Dome/sky.tga");
}

TEST(AddAlpha, EveryModeOnEveryDepth) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> pixels;
        int depth, mode;
        float value;
        std::vector<int> expected;
    } rows[] = {
        {"constant above one", {9, 8, 7}, 3, AlphaConstant, 2.0f, {9, 8, 7, 255}},
        {"constant half", {9, 8, 7}, 3, AlphaConstant, 0.5f, {9, 8, 7, 127}},
        {"constant below zero", {9, 8, 7}, 3, AlphaConstant, -1.0f, {9, 8, 7, 0}},
        {"grey",
         {30, 60, 91, 255, 255, 255},
         3,
         AlphaGrey,
         0,
         {30, 60, 91, 60, 255, 255, 255, 255}},
        {"inverse grey",
         {30, 60, 91, 255, 255, 255},
         3,
         AlphaInverseGrey,
         0,
         {30, 60, 91, 195, 255, 255, 255, 0}},
        {"grey on grey", {40, 0}, 1, AlphaGrey, 0, {40, 40, 0, 0}},
        // (1 + 0 + 0) / 3 is 0 in whole numbers: nearly black counts as black.
        {"black clear",
         {0, 0, 0, 1, 0, 0, 200, 100, 50},
         3,
         AlphaBlackClear,
         0,
         {0, 0, 0, 0, 1, 0, 0, 0, 200, 100, 50, 255}},
        {"rewritten in place", {10, 20, 30, 99}, 4, AlphaBlackClear, 0, {10, 20, 30, 255}},
        {"grey alpha in place", {0, 77}, 2, AlphaBlackClear, 0, {0, 0}},
        {"unknown mode", {10, 20, 30, 99}, 4, 9, 0, {10, 20, 30, 99}},
    };
    for (const auto& row : rows) {
        Image image(int(row.pixels.size()) / row.depth, 1, row.pixels, row.depth);
        image.AddAlpha(row.mode, row.value);
        EXPECT_EQ(image.BytesPerPixel(), int(row.expected.size() * row.depth / row.pixels.size()))
            << row.name;
        EXPECT_EQ(pixels(image, int(row.expected.size())), row.expected) << row.name;
    }
    Image empty;
    empty.AddAlpha(AlphaConstant, 1);
    EXPECT_FALSE(empty.HasPixels());
    Image source(1, 1, {1, 2, 3}, 3), copy;
    copy = source;
    source.Pixels()[0] = 99;
    EXPECT_EQ(copy.Pixels()[0], 1) << "copies are deep";
    copy = empty;
    EXPECT_FALSE(copy.HasPixels());
}

// Without a GL context the textures cannot be created, but the cache and the
// pictures behave the same.
TEST(ResourceTextureCache, LoadsEachBuiltInPictureOnceAndRefusesOtherIds) {
    ResourceTextureCache cache;
    Texture* first = cache.Get(402);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Width(), 256);
    EXPECT_EQ(cache.Get(402), first);
    EXPECT_NE(cache.Get(199), first);
    EXPECT_EQ(cache.Count(), 2);
    try {
        cache.Get(398);
        ADD_FAILURE() << "an unknown picture id must throw";
    } catch (const FatalError& error) {
        EXPECT_NE(std::string(error.what()).find("398"), std::string::npos) << error.what();
    }
    EXPECT_THROW(cache.Get(411), FatalError) << "the sound is not a picture";
    EXPECT_EQ(cache.Count(), 2);
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0);
    TgaImage image;
    EXPECT_TRUE(image.LoadResource(405, 0, 0, 3));
    EXPECT_EQ(image.Width(), 64);
    EXPECT_EQ(image.Height(), 64);
    RawImage raw; // a raw decoder refuses a TGA file of another size
    EXPECT_THROW(raw.LoadResource(405, 64, 64, 3), FatalError);
}
