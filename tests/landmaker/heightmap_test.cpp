// Reading height maps: 16-bit binary PGM and 8-bit greyscale TGA.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HeightMap.h"
#include "LandMaker.h"

namespace {
std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> pgm16(int width, int height, const std::vector<unsigned>& samples) {
    auto data = bytes("P5\n# written by hand\n" + std::to_string(width) + " " +
                      std::to_string(height) + "\n65535\n");
    for (unsigned v : samples) {
        data.push_back(uint8_t(v >> 8));
        data.push_back(uint8_t(v & 0xFF));
    }
    return data;
}

std::vector<uint8_t> greyTga(int width, int height, bool topFirst,
                             const std::vector<uint8_t>& rows) {
    std::vector<uint8_t> data(18, 0);
    data[2] = 3;
    data[12] = uint8_t(width);
    data[14] = uint8_t(height);
    data[16] = 8;
    data[17] = topFirst ? 0x20 : 0x00;
    data.insert(data.end(), rows.begin(), rows.end());
    return data;
}
} // namespace

TEST(HeightMapReading, SixteenBitPgmSpreadsSamplesOverTheHeightRange) {
    HeightMap map;
    std::string error;
    ASSERT_TRUE(map.loadPgm(pgm16(3, 2, {0, 32768, 65535, 65535, 0, 16384}), 100, 200, error))
        << error;
    EXPECT_EQ(map.width(), 3);
    EXPECT_EQ(map.height(), 2);
    EXPECT_FLOAT_EQ(map.at(0, 0), 100.0f);
    EXPECT_NEAR(map.at(1, 0), 150.0f, 0.01f);
    EXPECT_FLOAT_EQ(map.at(2, 0), 200.0f);
    EXPECT_NEAR(map.at(2, 1), 125.0f, 0.01f) << "big-endian samples, row after row";
}

TEST(HeightMapReading, EightBitPgmIsAcceptedToo) {
    HeightMap map;
    std::string error;
    auto data = bytes("P5 2 2 255\n");
    data.insert(data.end(), {0, 51, 255, 102});
    ASSERT_TRUE(map.loadPgm(data, 0, 10, error)) << error;
    EXPECT_FLOAT_EQ(map.at(1, 0), 2.0f);
    EXPECT_FLOAT_EQ(map.at(1, 1), 4.0f);
}

TEST(HeightMapReading, MalformedPgmFilesAreRefusedWithAReason) {
    HeightMap map;
    std::string error;
    auto shortData = pgm16(4, 4, {1, 2, 3});
    EXPECT_FALSE(map.loadPgm(shortData, 0, 1, error));
    EXPECT_NE(error.find("shorter"), std::string::npos) << error;
    EXPECT_FALSE(map.loadPgm(bytes("P2\n2 2\n255\n0 0 0 0\n"), 0, 1, error));
    EXPECT_FALSE(map.loadPgm(bytes("P5\n2 2\n70000\n"), 0, 1, error));
    EXPECT_FALSE(map.loadPgm(bytes("P5\n1 9\n255\n123456789"), 0, 1, error)) << "a single column";
}

TEST(HeightMapReading, TgaRowsFollowTheOriginBitSoRowZeroIsNorth) {
    HeightMap map;
    std::string error;
    // Bottom-left origin: the file's first row is the south edge.
    ASSERT_TRUE(map.loadTga(greyTga(2, 2, false, {10, 10, 250, 250}), 0, 255, error)) << error;
    EXPECT_FLOAT_EQ(map.at(0, 0), 250.0f);
    EXPECT_FLOAT_EQ(map.at(0, 1), 10.0f);
    ASSERT_TRUE(map.loadTga(greyTga(2, 2, true, {10, 10, 250, 250}), 0, 255, error)) << error;
    EXPECT_FLOAT_EQ(map.at(0, 0), 10.0f);
}

TEST(HeightMapReading, ColourOrShortTgaFilesAreRefused) {
    HeightMap map;
    std::string error;
    auto colour = greyTga(2, 2, false, std::vector<uint8_t>(12, 0));
    colour[2] = 2;
    colour[16] = 24;
    EXPECT_FALSE(map.loadTga(colour, 0, 1, error));
    EXPECT_NE(error.find("greyscale"), std::string::npos) << error;
    EXPECT_FALSE(map.loadTga(greyTga(4, 4, false, {1, 2, 3}), 0, 1, error));
    EXPECT_FALSE(map.loadTga(bytes("tiny"), 0, 1, error));
}

TEST(HeightMapReading, ResamplingKeepsCornersAndInterpolatesBetween) {
    const HeightMap map(2, 2, {0, 10, 20, 30});
    const HeightMap fine = map.resampled(3);
    EXPECT_FLOAT_EQ(fine.at(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(fine.at(2, 2), 30.0f);
    EXPECT_FLOAT_EQ(fine.at(1, 1), 15.0f);
    EXPECT_FLOAT_EQ(fine.at(1, 0), 5.0f);
}

TEST(HeightMapReading, GridSizeIsTheNextPowerOfTwoPlusOne) {
    EXPECT_EQ(gridSizeFor(257, 257, 0), 257);
    EXPECT_EQ(gridSizeFor(300, 200, 0), 513);
    EXPECT_EQ(gridSizeFor(2, 2, 0), 3);
    EXPECT_EQ(gridSizeFor(1000, 1000, 100), 129);
    EXPECT_EQ(gridSizeFor(60000, 10, 0), 4097);
}
