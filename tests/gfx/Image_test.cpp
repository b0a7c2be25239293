#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <numeric>
#include <string>

#include "gfx/Image.h"
#include "gfx/LandPath.h"
#include "gfx/Texture.h"
#include "gfx/TgaBytes.h"
#include "platform/FatalError.h"

namespace {

std::vector<std::uint8_t> sequence(std::size_t count, int start = 1) {
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(start));
    return bytes;
}

// The message a decode throws, or "" when it does not throw.
template <typename Decoder>
std::string decodeError(Decoder& image, const std::vector<std::uint8_t>& data) {
    try {
        image.Decode(data.data(), data.size());
    } catch (const FatalError& error) {
        return error.what();
    }
    return "";
}

class TempDir : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            std::filesystem::temp_directory_path() /
            ("ventrix_image_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const auto path = dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::filesystem::path dir;
};

} // namespace

std::vector<int> pixelsOf(const Image& image) {
    if (!image.HasPixels()) return {};
    const std::uint8_t* p = image.Pixels();
    return {p, p + std::size_t(image.Width()) * image.Height() * image.BytesPerPixel()};
}

TgaBytes tgaWith(std::function<void(TgaBytes&)> change) {
    TgaBytes tga;
    tga.pixels = sequence(12);
    change(tga);
    return tga;
}

TEST(TgaDecode, DecodesEachLayoutAndRefusesMalformedDataWithItsMessage) {
    struct Case {
        const char* name;
        TgaBytes tga;
        std::size_t keep; // bytes of the file that are decoded
        std::string error;
        int bytesPerPixel;
        std::vector<int> pixels;
    };
    constexpr std::size_t all = SIZE_MAX;
    const std::string anyError = "?";
    const std::vector<Case> cases = {
        {"ID kept, BGR read as RGB",
         tgaWith([](TgaBytes& t) { t.id = "V" + std::string(41, 'x'); }), all, "", 3,
         {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}},
        {"32 bits keep alpha",
         tgaWith([](TgaBytes& t) { t.depth = 32, t.width = 1, t.pixels = sequence(8); }), all, "", 4,
         {3, 2, 1, 4, 7, 6, 5, 8}},
        {"grey is not swapped",
         tgaWith([](TgaBytes& t) { t.imageType = 3, t.depth = 16, t.pixels = sequence(8); }), all,
         "", 2, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"bottom-left origin: rows in file order",
         tgaWith([](TgaBytes& t) { t.width = 1, t.pixels = {0, 0, 255, 0, 255, 0}; }), all, "", 3,
         {255, 0, 0, 0, 255, 0}},
        {"top-left origin: rows in file order",
         tgaWith([](TgaBytes& t) { t.descriptor = 0x20, t.width = 1, t.pixels = {0, 0, 255, 0, 255, 0}; }),
         all, "", 3, {255, 0, 0, 0, 255, 0}},
        {"colour map skipped, indices kept", tgaWith([](TgaBytes& t) {
             t.imageType = 1, t.depth = 8, t.colourMapType = 1, t.colourMapLength = 4,
             t.colourMapEntryBits = 24, t.pixels = {3, 2, 1, 0};
         }),
         all, "", 1, {3, 2, 1, 0}},
        {"no data", tgaWith([](TgaBytes& t) { t.imageType = 0; }), all, "No image data included"},
        {"RLE", tgaWith([](TgaBytes& t) { t.imageType = 10; }), all,
         "Unreadable image data type (RLE compressed ?)"},
        {"15 bits", tgaWith([](TgaBytes& t) { t.depth = 15, t.pixels = sequence(8); }), all,
         "Unexpected pixel size (15)"},
        {"short pixels",
         tgaWith([](TgaBytes& t) { t.width = t.height = 64, t.pixels = sequence(64 * 64 * 3 - 1); }),
         all, "Bitmap size (64,64) not good"},
        {"ID past the end", tgaWith([](TgaBytes& t) { t.id = std::string(200, 'i'); }), 40,
         "Bitmap size (2,2) not good"},
        {"colour map past the end", tgaWith([](TgaBytes& t) {
             t.colourMapType = 1, t.colourMapLength = 1000, t.colourMapEntryBits = 32;
         }),
         100, "Bitmap size (2,2) not good"},
        {"shorter than the header", {}, 5, anyError},
        {"empty", {}, 0, anyError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TgaImage image;
        auto data = c.tga.bytes();
        data.resize(std::min(data.size(), c.keep));
        const std::string error = decodeError(image, data);
        if (c.error == anyError) {
            EXPECT_FALSE(error.empty());
        } else {
            EXPECT_EQ(error, c.error);
        }
        if (!error.empty()) {
            EXPECT_FALSE(image.HasPixels());
            continue;
        }
        EXPECT_EQ(image.BytesPerPixel(), c.bytesPerPixel);
        EXPECT_EQ(pixelsOf(image), c.pixels);
        EXPECT_EQ(image.IdText(), c.tga.id);
        EXPECT_EQ(image.Header().idLength, c.tga.id.size());
    }
}

TEST(TgaDecode, FormatAndComponentsFollowTheDepth) {
    const struct {
        int bytesPerPixel;
        GLenum format;
        int components;
    } cases[] = {{1, GL_LUMINANCE, 1}, {2, GL_LUMINANCE_ALPHA, 2}, {3, GL_RGB, 4},
                 {4, GL_RGBA, 4},      {7, GL_RGB, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(TextureFormat(c.bytesPerPixel), c.format) << c.bytesPerPixel;
        EXPECT_EQ(TextureComponents(c.bytesPerPixel), c.components) << c.bytesPerPixel;
    }
}

TEST_F(TempDir, RawPicturesMustHaveTheAnnouncedSize) {
    const std::string path = write("ground.raw", sequence(12));
    RawImage good;
    EXPECT_TRUE(good.LoadFile(path.c_str(), 2, 2, 3));
    EXPECT_EQ(good.Width(), 2);
    EXPECT_EQ(std::vector<std::uint8_t>(good.Pixels(), good.Pixels() + 12), sequence(12));
    RawImage bad;
    try {
        bad.LoadFile(path.c_str(), 4, 4, 3);
        FAIL() << "a 4 x 4 raw picture from 12 bytes must be refused";
    } catch (const FatalError& error) {
        EXPECT_STREQ(error.what(), "Bitmap size (4,4) not good (ImRaw::create)");
    }
}

TEST_F(TempDir, FilesThatCannotBeReadReportFalse) {
    TgaImage image;
    EXPECT_FALSE(image.LoadFile(nullptr, 0, 0, 3));
    EXPECT_FALSE(image.LoadFile((dir / "missing.tga").c_str(), 0, 0, 3));
    const std::string empty = write("empty.tga", {});
    EXPECT_FALSE(image.LoadFile(empty.c_str(), 0, 0, 3));
    EXPECT_FALSE(image.HasPixels());
    // A folder opens but cannot be read whole.
    EXPECT_FALSE(image.LoadFile(dir.c_str(), 0, 0, 3));
}

TEST_F(TempDir, LoadersStoreTheAnnouncedLayoutBeforeDecoding) {
    TgaBytes tga;
    tga.width = 3;
    tga.height = 1;
    tga.pixels = sequence(9);
    const std::string path = write("pic.tga", tga.bytes());
    TgaImage image;
    EXPECT_TRUE(image.LoadFile(path.c_str(), 40, 50, 1));
    EXPECT_EQ(image.Width(), 3) << "the TGA header replaces the announced size";
    EXPECT_EQ(image.BytesPerPixel(), 3);
    RawImage raw;
    EXPECT_FALSE(raw.LoadFile((dir / "none.raw").c_str(), 7, 5, 1));
    EXPECT_EQ(raw.Width(), 7);
    EXPECT_EQ(raw.Height(), 5);
    EXPECT_EQ(raw.BytesPerPixel(), 1);
}

TEST_F(TempDir, TextureRefusesPathsWithoutAKnownExtension) {
    // Garbage that would throw if anything tried to decode it.
    const std::string png = write("sky.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
    Texture texture;
    EXPECT_FALSE(texture.LoadFile(png.c_str(), 0, 0, 3));
    EXPECT_FALSE(texture.LoadFile(nullptr, 0, 0, 3));
    EXPECT_FALSE(texture.IsCreated());
    // Known extension, file missing: an empty picture, so false without GL work.
    EXPECT_FALSE(texture.LoadFile((dir / "missing.tga").c_str(), 0, 0, 3));
    EXPECT_FALSE(texture.LoadFile((dir / "missing.raw").c_str(), 2, 2, 3));
    EXPECT_FALSE(texture.Picture().HasPixels());
}

TEST(AddAlpha, EachModeOnEachDepth) {
    struct Case {
        const char* name;
        int width;
        std::vector<std::uint8_t> pixels;
        int bytesPerPixel, mode;
        float value;
        std::vector<int> expected;
    };
    const std::vector<std::uint8_t> rgb = {30, 60, 91, 255, 255, 255};
    const std::vector<Case> cases = {
        {"constant above 1", 1, {9, 8, 7}, 3, AlphaConstant, 2.0f, {9, 8, 7, 255}},
        {"constant 1", 1, {9, 8, 7}, 3, AlphaConstant, 1.0f, {9, 8, 7, 255}},
        {"constant half", 1, {9, 8, 7}, 3, AlphaConstant, 0.5f, {9, 8, 7, 127}},
        {"constant 0", 1, {9, 8, 7}, 3, AlphaConstant, 0.0f, {9, 8, 7, 0}},
        {"constant below 0", 1, {9, 8, 7}, 3, AlphaConstant, -1.0f, {9, 8, 7, 0}},
        // (30 + 60 + 91) / 3 in whole numbers
        {"grey of RGB", 2, rgb, 3, AlphaGrey, 0, {30, 60, 91, 60, 255, 255, 255, 255}},
        {"inverse grey", 2, rgb, 3, AlphaInverseGrey, 0, {30, 60, 91, 195, 255, 255, 255, 0}},
        {"grey of grey", 2, {40, 0}, 1, AlphaGrey, 0, {40, 40, 0, 0}},
        // (1 + 0 + 0) / 3 is 0 in whole numbers: nearly black counts as black.
        {"black clear", 3, {0, 0, 0, 1, 0, 0, 200, 100, 50}, 3, AlphaBlackClear, 0,
         {0, 0, 0, 0, 1, 0, 0, 0, 200, 100, 50, 255}},
        {"RGBA rewritten in place", 1, {10, 20, 30, 99}, 4, AlphaBlackClear, 0, {10, 20, 30, 255}},
        {"grey and alpha in place", 1, {0, 77}, 2, AlphaBlackClear, 0, {0, 0}},
        {"unknown mode", 1, {10, 20, 30, 99}, 4, 9, 0, {10, 20, 30, 99}},
    };
    for (const Case& c : cases) {
        Image image(c.width, 1, c.pixels, c.bytesPerPixel);
        image.AddAlpha(c.mode, c.value);
        EXPECT_EQ(pixelsOf(image), c.expected) << c.name;
    }
    Image empty;
    empty.AddAlpha(AlphaConstant, 1);
    EXPECT_FALSE(empty.HasPixels());
}

TEST(ImageCopy, IsDeepAndCopiesAbsentPixels) {
    Image source(1, 1, {1, 2, 3}, 3);
    Image copy;
    copy = source;
    source.Pixels()[0] = 99;
    EXPECT_EQ(copy.Pixels()[0], 1);
    Image empty;
    copy = empty;
    EXPECT_FALSE(copy.HasPixels());
    EXPECT_EQ(copy.BytesPerPixel(), 3);
}

TEST(LandPath, JoinsTheLandFolderAndFile) {
    EXPECT_EQ(LandPath("ridge", "ridge.map"), "lands/ridge/ridge.map");
    EXPECT_EQ(LandPath("Puy de Dome", "sky.tga"), "lands/Puy de Dome/sky.tga");
}
