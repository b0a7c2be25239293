#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
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

TEST(TgaDecode, ImageIdIsKeptAndPixelsStartAfterIt) {
    TgaBytes tga;
    tga.id = std::string(42, 'x');
    tga.id[0] = 'V';
    tga.pixels = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    const auto data = tga.bytes();
    ASSERT_EQ(data.size(), 60u + 12u);
    TgaImage image;
    image.Decode(data.data(), data.size());
    EXPECT_EQ(image.IdText().size(), 42u);
    EXPECT_EQ(image.IdText()[0], 'V');
    EXPECT_EQ(image.Header().idLength, 42);
    ASSERT_EQ(image.BytesPerPixel(), 3);
    // BGR in the file becomes RGB; the first stored pixel comes first.
    const std::uint8_t* p = image.Pixels();
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(p[11], 100);
}

TEST(TgaDecode, ThirtyTwoBitPicturesKeepAlphaAndUploadAsRgba) {
    TgaBytes tga;
    tga.depth = 32;
    tga.width = 1;
    tga.height = 2;
    tga.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto data = tga.bytes();
    TgaImage image;
    image.Decode(data.data(), data.size());
    ASSERT_EQ(image.BytesPerPixel(), 4);
    const std::uint8_t* p = image.Pixels();
    EXPECT_EQ(std::vector<int>(p, p + 8), (std::vector<int>{3, 2, 1, 4, 7, 6, 5, 8}));
    EXPECT_EQ(TextureFormat(image.BytesPerPixel()), static_cast<GLenum>(GL_RGBA));
    EXPECT_EQ(TextureComponents(image.BytesPerPixel()), 4);
}

TEST(TgaDecode, FormatAndComponentsFollowTheDepth) {
    EXPECT_EQ(TextureFormat(1), static_cast<GLenum>(GL_LUMINANCE));
    EXPECT_EQ(TextureFormat(2), static_cast<GLenum>(GL_LUMINANCE_ALPHA));
    EXPECT_EQ(TextureFormat(3), static_cast<GLenum>(GL_RGB));
    EXPECT_EQ(TextureFormat(7), static_cast<GLenum>(GL_RGB));
    EXPECT_EQ(TextureComponents(1), 1);
    EXPECT_EQ(TextureComponents(2), 2);
    EXPECT_EQ(TextureComponents(3), 4); // RGB stored with four components
}

TEST(TgaDecode, GreyPicturesAreNotSwapped) {
    TgaBytes tga;
    tga.imageType = 3;
    tga.depth = 16;
    tga.pixels = sequence(8);
    const auto data = tga.bytes();
    TgaImage image;
    image.Decode(data.data(), data.size());
    ASSERT_EQ(image.BytesPerPixel(), 2);
    EXPECT_EQ(std::vector<std::uint8_t>(image.Pixels(), image.Pixels() + 8), tga.pixels);
}

TEST(TgaDecode, RowsStayInFileOrderWhateverTheOrigin) {
    for (std::uint8_t descriptor : {std::uint8_t(0), std::uint8_t(0x20)}) {
        TgaBytes tga;
        tga.descriptor = descriptor;
        tga.width = 1;
        tga.pixels = {0, 0, 255, 0, 255, 0}; // first row red, second green (BGR)
        const auto data = tga.bytes();
        TgaImage image;
        image.Decode(data.data(), data.size());
        EXPECT_EQ(image.Pixels()[0], 255) << "descriptor " << int(descriptor);
        EXPECT_EQ(image.Pixels()[4], 255) << "descriptor " << int(descriptor);
    }
}

TEST(TgaDecode, ColourMapIsSkippedAndIndicesKept) {
    TgaBytes tga;
    tga.imageType = 1;
    tga.depth = 8;
    tga.colourMapType = 1;
    tga.colourMapLength = 4;
    tga.colourMapEntryBits = 24;
    tga.pixels = {3, 2, 1, 0};
    const auto data = tga.bytes();
    TgaImage image;
    image.Decode(data.data(), data.size());
    ASSERT_EQ(image.BytesPerPixel(), 1);
    EXPECT_EQ(std::vector<std::uint8_t>(image.Pixels(), image.Pixels() + 4), tga.pixels);
}

TEST(TgaDecode, MalformedDataIsRefusedWithItsMessage) {
    TgaImage image;
    TgaBytes noData;
    noData.imageType = 0;
    EXPECT_EQ(decodeError(image, noData.bytes()), "No image data included");

    TgaBytes rle;
    rle.imageType = 10;
    rle.pixels = sequence(12);
    EXPECT_EQ(decodeError(image, rle.bytes()), "Unreadable image data type (RLE compressed ?)");

    TgaBytes depth15;
    depth15.depth = 15;
    depth15.pixels = sequence(8);
    EXPECT_EQ(decodeError(image, depth15.bytes()), "Unexpected pixel size (15)");

    TgaBytes shortFile;
    shortFile.width = 64;
    shortFile.height = 64;
    shortFile.pixels = sequence(64 * 64 * 3 - 1);
    EXPECT_EQ(decodeError(image, shortFile.bytes()), "Bitmap size (64,64) not good");
    EXPECT_FALSE(image.HasPixels()) << "a refused picture keeps no stale pixels";
}

TEST(TgaDecode, DataShorterThanItsHeaderOrIdIsRefused) {
    TgaImage image;
    const std::vector<std::uint8_t> tiny = {0, 0, 2, 0, 0};
    EXPECT_FALSE(decodeError(image, tiny).empty());
    EXPECT_FALSE(decodeError(image, {}).empty());
    // An ID or colour map announced past the end of the data.
    TgaBytes tga;
    tga.id = std::string(200, 'i');
    tga.pixels = sequence(12);
    auto data = tga.bytes();
    data.resize(40);
    EXPECT_EQ(decodeError(image, data), "Bitmap size (2,2) not good");
    TgaBytes mapped;
    mapped.colourMapType = 1;
    mapped.colourMapLength = 1000;
    mapped.colourMapEntryBits = 32;
    mapped.pixels = sequence(12);
    auto mappedData = mapped.bytes();
    mappedData.resize(100);
    EXPECT_EQ(decodeError(image, mappedData), "Bitmap size (2,2) not good");
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

TEST(AddAlpha, ConstantAlphaFromTheValue) {
    const struct {
        float value;
        int alpha;
    } cases[] = {{2.0f, 255}, {1.0f, 255}, {0.5f, 127}, {0.0f, 0}, {-1.0f, 0}};
    for (const auto& c : cases) {
        Image image(1, 1, {9, 8, 7}, 3);
        image.AddAlpha(AlphaConstant, c.value);
        ASSERT_EQ(image.BytesPerPixel(), 4);
        EXPECT_EQ(image.Pixels()[3], c.alpha) << "value " << c.value;
        EXPECT_EQ(image.Pixels()[0], 9);
    }
}

TEST(AddAlpha, GreyModesOnRgbAndOnGrey) {
    Image rgb(2, 1, {30, 60, 91, 255, 255, 255}, 3);
    rgb.AddAlpha(AlphaGrey, 0);
    EXPECT_EQ(rgb.Pixels()[3], 60); // (30 + 60 + 91) / 3 in whole numbers
    EXPECT_EQ(rgb.Pixels()[7], 255);
    Image inverse(2, 1, {30, 60, 91, 255, 255, 255}, 3);
    inverse.AddAlpha(AlphaInverseGrey, 0);
    EXPECT_EQ(inverse.Pixels()[3], 195);
    EXPECT_EQ(inverse.Pixels()[7], 0);
    Image grey(2, 1, {40, 0}, 1);
    grey.AddAlpha(AlphaGrey, 0);
    ASSERT_EQ(grey.BytesPerPixel(), 2);
    EXPECT_EQ(std::vector<int>(grey.Pixels(), grey.Pixels() + 4), (std::vector<int>{40, 40, 0, 0}));
}

TEST(AddAlpha, BlackBecomesTransparent) {
    Image image(3, 1, {0, 0, 0, 1, 0, 0, 200, 100, 50}, 3);
    image.AddAlpha(AlphaBlackClear, 0);
    ASSERT_EQ(image.BytesPerPixel(), 4);
    EXPECT_EQ(image.Pixels()[3], 0);
    // (1 + 0 + 0) / 3 is 0 in whole numbers: nearly black counts as black.
    EXPECT_EQ(image.Pixels()[7], 0);
    EXPECT_EQ(image.Pixels()[11], 255);
}

TEST(AddAlpha, PicturesWithAlphaAreRewrittenInPlace) {
    Image rgba(1, 1, {10, 20, 30, 99}, 4);
    rgba.AddAlpha(AlphaBlackClear, 0);
    EXPECT_EQ(rgba.BytesPerPixel(), 4);
    EXPECT_EQ(rgba.Pixels()[3], 255);
    Image greyAlpha(1, 1, {0, 77}, 2);
    greyAlpha.AddAlpha(AlphaBlackClear, 0);
    EXPECT_EQ(greyAlpha.Pixels()[1], 0);
    Image unknownMode(1, 1, {10, 20, 30, 99}, 4);
    unknownMode.AddAlpha(9, 0);
    EXPECT_EQ(unknownMode.Pixels()[3], 99);
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
