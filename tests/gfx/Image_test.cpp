#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/Image.h"
#include "gfx/LandPath.h"
#include "gfx/ResourceTextureCache.h"
#include "gfx/Texture.h"
#include "platform/FatalError.h"
#include "support/WorkingFolder.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

// TGA file bytes: the header's fields, the ID text, a colour map of filler, the pixels.
Bytes tga(std::uint8_t type, std::uint8_t depth, std::uint8_t descriptor, int width, int height,
          const Bytes& pixels, const std::string& id = "", int mapLength = 0, int mapBits = 0) {
    Bytes out = {std::uint8_t(id.size()), std::uint8_t(mapLength ? 1 : 0), type, 0, 0};
    for (const int v : {mapLength, mapBits, 0, 0, width, height})
        out.insert(out.end(), {std::uint8_t(v & 255), std::uint8_t(v >> 8)});
    out.erase(out.begin() + 8); // the map's entry size is a single byte
    out.insert(out.end(), {depth, descriptor});
    out.insert(out.end(), id.begin(), id.end());
    out.insert(out.end(), std::size_t(mapLength) * ((mapBits + 7) / 8), 0xEE);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<int> pixels(const Image& image, std::size_t count) {
    return {image.Pixels(), image.Pixels() + count};
}

// The message a decode or load throws, or "" when it does not throw.
template <typename Load> std::string errorOf(Load load) {
    try {
        load();
    } catch (const FatalError& error) {
        return error.what();
    }
    return "";
}

void write(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace

// BGR in the file becomes RGB, grey and indexed pixels stay as stored, rows stay in file
// order whatever the origin, the ID and colour map are skipped; malformed or short data is
// refused with its message (any, when shorter than a header) and leaves no stale pixels.
TEST(TgaDecode, PixelsAreReadInFileOrderAndMalformedDataIsRefused) {
    const Bytes bgr = {0, 0, 255, 0, 255, 0}, twelve = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    Bytes longId = tga(2, 24, 0, 2, 2, twelve, std::string(200, 'i'));
    longId.resize(40);
    Bytes longMap = tga(2, 24, 0, 2, 2, twelve, "", 1000, 32);
    longMap.resize(100);
    const struct {
        Bytes data;
        std::vector<int> expected;
        const char* error;
    } rows[] = {
        {tga(2, 24, 0, 1, 2, {10, 20, 30, 40, 50, 60}, "V" + std::string(41, 'x')),
         {30, 20, 10, 60, 50, 40},
         ""},
        {tga(2, 24, 0, 1, 2, bgr), {255, 0, 0, 0, 255, 0}, ""},
        {tga(2, 24, 0x20, 1, 2, bgr), {255, 0, 0, 0, 255, 0}, ""},
        {tga(2, 32, 0, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}), {3, 2, 1, 4, 7, 6, 5, 8}, ""},
        {tga(3, 16, 0, 1, 2, {1, 2, 3, 4}), {1, 2, 3, 4}, ""},
        {tga(1, 8, 0, 1, 4, {3, 2, 1, 0}, "", 4, 24), {3, 2, 1, 0}, ""},
        {tga(0, 24, 0, 2, 2, twelve), {}, "No image data included"},
        {tga(10, 24, 0, 2, 2, twelve), {}, "Unreadable image data type (RLE compressed ?)"},
        {tga(2, 15, 0, 2, 2, twelve), {}, "Unexpected pixel size (15)"},
        {tga(2, 24, 0, 64, 64, twelve), {}, "Bitmap size (64,64) not good"},
        {longId, {}, "Bitmap size (2,2) not good"},
        {longMap, {}, "Bitmap size (2,2) not good"},
        {{0, 0, 2, 0, 0}, {}, nullptr},
        {{}, {}, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.expected) + (row.error ? row.error : "any"));
        TgaImage image;
        const std::string error = errorOf([&] { image.Decode(row.data.data(), row.data.size()); });
        EXPECT_TRUE(row.error ? error == row.error : !error.empty()) << error;
        EXPECT_EQ(image.HasPixels() ? pixels(image, row.expected.size()) : std::vector<int>{},
                  row.expected);
        EXPECT_EQ(image.Width() * image.Height() * image.BytesPerPixel() * image.HasPixels(),
                  int(row.expected.size()));
    }
    TgaImage image;
    image.Decode(rows[0].data.data(), rows[0].data.size());
    EXPECT_EQ(image.IdText(), "V" + std::string(41, 'x'));
    errorOf([&] { image.Decode(rows[9].data.data(), rows[9].data.size()); });
    EXPECT_FALSE(image.HasPixels()) << "a refused picture keeps no stale pixels";
    const GLenum formats[] = {GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA, GL_RGB};
    for (int depth = 1; depth <= 5; ++depth)
        EXPECT_EQ(std::pair(TextureFormat(depth), TextureComponents(depth)),
                  std::pair(formats[depth - 1], depth <= 2 ? depth : 4));
}

TEST(ImageFiles, LoadersReportUnreadableFilesAndKeepTheAnnouncedLayout) {
    testsupport::WorkingFolder folder("image");
    write("ground.raw", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    RawImage raw;
    EXPECT_TRUE(raw.LoadFile("ground.raw", 2, 2, 3));
    EXPECT_EQ(pixels(raw, 12), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(errorOf([&] { raw.LoadFile("ground.raw", 4, 4, 3); }),
              "Bitmap size (4,4) not good (ImRaw::create)");
    EXPECT_FALSE(raw.LoadFile("none.raw", 7, 5, 1));
    EXPECT_EQ(std::tuple(raw.Width(), raw.Height(), raw.BytesPerPixel()), std::tuple(7, 5, 1));

    write("empty.tga", {});
    std::filesystem::create_directory("folder.tga"); // opens, but cannot be read whole
    TgaImage image;
    for (const char* path :
         {static_cast<const char*>(nullptr), "", "missing.tga", "empty.tga", "folder.tga"})
        EXPECT_FALSE(image.LoadFile(path, 0, 0, 3)) << (path ? path : "null");
    EXPECT_FALSE(image.HasPixels());
    write("pic.tga", tga(2, 24, 0, 3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(image.LoadFile("pic.tga", 40, 50, 1));
    EXPECT_EQ(std::tuple(image.Width(), image.Height(), image.BytesPerPixel()), std::tuple(3, 1, 3))
        << "the TGA header replaces the announced size";

    Texture texture; // unknown extension or missing file: false without any GL work
    EXPECT_FALSE(texture.LoadFile("sky.png", 2, 2, 3) || texture.LoadFile("missing.tga", 2, 2, 3));
    EXPECT_FALSE(texture.IsCreated() || texture.Picture().HasPixels());
    EXPECT_EQ(LandPath("Puy", "sky.tga"), "lands/Puy/sky.tga");
}

TEST(AddAlpha, EveryModeOnEveryDepth) {
    const Bytes rgb = {30, 60, 91, 255, 255, 255};
    const struct {
        const char* name;
        Bytes pixels;
        int depth, mode;
        float value;
        std::vector<int> expected;
    } rows[] = {
        {"constant above one", {9, 8, 7}, 3, AlphaConstant, 2.0f, {9, 8, 7, 255}},
        {"constant half", {9, 8, 7}, 3, AlphaConstant, 0.5f, {9, 8, 7, 127}},
        {"grey", rgb, 3, AlphaGrey, 0, {30, 60, 91, 60, 255, 255, 255, 255}},
        {"inverse grey", rgb, 3, AlphaInverseGrey, 0, {30, 60, 91, 195, 255, 255, 255, 0}},
        {"grey on grey", {40, 0}, 1, AlphaGrey, 0, {40, 40, 0, 0}},
        // (1 + 0 + 0) / 3 is 0 in whole numbers: nearly black counts as black.
        {"black clear",
         {0, 0, 0, 1, 0, 0, 2, 1, 9},
         3,
         AlphaBlackClear,
         0,
         {0, 0, 0, 0, 1, 0, 0, 0, 2, 1, 9, 255}},
        {"rewritten in place", {10, 20, 30, 99}, 4, AlphaBlackClear, 0, {10, 20, 30, 255}},
        {"unknown mode", {10, 20, 30, 99}, 4, 9, 0, {10, 20, 30, 99}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Image image(int(row.pixels.size()) / row.depth, 1, row.pixels, row.depth);
        image.AddAlpha(row.mode, row.value);
        EXPECT_EQ(image.BytesPerPixel(), int(row.expected.size() * row.depth / row.pixels.size()));
        EXPECT_EQ(pixels(image, row.expected.size()), row.expected);
    }
}

// Without a GL context textures are not created, but the cache holds each picture once.
TEST(ResourceTextureCache, LoadsEachBuiltInPictureOnceAndRefusesOtherIds) {
    ResourceTextureCache cache;
    Texture* first = cache.Get(402);
    EXPECT_EQ(std::pair(cache.Get(402), first->Width()), std::pair(first, 256));
    EXPECT_NE(errorOf([&] { cache.Get(398); }).find("398"), std::string::npos);
    EXPECT_NE(errorOf([&] { cache.Get(411); }), "") << "the sound is not a picture";
    EXPECT_EQ(cache.Count(), 1);
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0);
}
