// The land maker's triangulation and height maps: the output loads, every
// triangle is clockwise, no cracks, every leaf keeps the tolerance, and it
// refines only where the ground asks for it; PGM and TGA height maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Bintree.h"
#include "LandChecks.h"
#include "HeightMap.h"
#include "LandMaker.h"
#include "Noise.h"
#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace {

constexpr float landSize = 640.0f;

HeightMap bumpyGrid(int size, uint32_t seed) {
    std::vector<float> heights(std::size_t(size) * size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            heights[std::size_t(r) * size + c] =
                120.0f * fractalNoise(c / 9.0f, r / 9.0f, seed, 4) + 30.0f * (c > size / 2);
    return HeightMap(size, size, std::move(heights));
}

// Flat, with one sharp spike: every split around it has to drag its neighbours along.
HeightMap spikeGrid(int size) {
    std::vector<float> heights(std::size_t(size) * size, 50.0f);
    heights[std::size_t(size / 3) * size + size / 3 + 1] = 90.0f;
    return HeightMap(size, size, std::move(heights));
}

std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> pgm16(int width, int height, const std::vector<unsigned>& samples) {
    auto data = bytes("P5\n# by hand\n" + std::to_string(width) + " " + std::to_string(height) +
                      "\n65535\n");
    for (unsigned v : samples)
        data.insert(data.end(), {uint8_t(v >> 8), uint8_t(v & 0xFF)});
    return data;
}

std::vector<uint8_t> greyTga(int width, int height, bool topFirst, std::vector<uint8_t> rows) {
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

// It refines only where the ground asks for it: a flat land needs nothing but
// the two halves, a spike a few splits, a negative tolerance the finest grid.
TEST(LandMakerTriangulation, LoadsClockwiseCrackFreeWithinTheToleranceRefiningWhereAsked) {
    const HeightMap flat(33, 33, std::vector<float>(33 * 33, 12.0f));
    const struct {
        HeightMap grid;
        float tolerance;
        std::size_t fewest, most;
    } cases[] = {{bumpyGrid(65, 7), 0.5f, 3, 8192},
                 {bumpyGrid(33, 11), 4.0f, 3, 2048},
                 {bumpyGrid(33, 11), 0.5f, 3, 2048},
                 {spikeGrid(65), 0.5f, 3, 8192},
                 {flat, 0.0f, 2, 2},
                 {spikeGrid(33), -1.0f, 2048, 2048},
                 {spikeGrid(33), 0.1f, 3, 511}};
    std::vector<std::size_t> counts;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tolerance);
        Bintree tree(c.grid);
        tree.refine(c.tolerance);
        counts.push_back(tree.leafCount());
        EXPECT_GE(tree.leafCount(), c.fewest);
        EXPECT_LE(tree.leafCount(), c.most);
        KeyValueFile file;
        file.openText(landGeometryText(tree, landSize, landSize));
        Terrain terrain;
        ASSERT_TRUE(terrain.Load(file));
        EXPECT_EQ(terrain.leafCount(), tree.leafCount());
        EXPECT_EQ(terrain.mesh().triangleCount(), int(tree.nodes().size()));
        EXPECT_FLOAT_EQ(terrain.box().maxX, landSize);
        expectClockwiseAndCrackFree(terrain);
        // Every grid sample lies within the tolerance of the ground over it.
        const int n = c.grid.width();
        const float cell = landSize / float(n - 1);
        for (int at = 0; at < n * n; ++at)
            ASSERT_NEAR(terrain.HeightAt(at % n * cell, (n - 1 - at / n) * cell),
                        c.grid.at(at % n, at / n), std::max(c.tolerance, 0.0f) + 1e-3f)
                << at;
    }
    EXPECT_LT(counts[1], counts[2]) << "a finer tolerance, more leaves";
}

TEST(HeightMapReading, PgmAndTgaSamplesSpreadOverTheHeightRangeRowZeroNorth) {
    HeightMap map;
    std::string error;
    ASSERT_TRUE(map.loadPgm(pgm16(3, 2, {0, 32768, 65535, 65535, 0, 16384}), 100, 200, error));
    EXPECT_EQ(map.width(), 3);
    EXPECT_EQ(map.height(), 2);
    EXPECT_FLOAT_EQ(map.at(0, 0), 100.0f);
    EXPECT_NEAR(map.at(1, 0), 150.0f, 0.01f);
    EXPECT_NEAR(map.at(2, 1), 125.0f, 0.01f) << "big-endian samples, row after row";
    auto eight = bytes("P5 2 2 255\n");
    eight.insert(eight.end(), {0, 51, 255, 102});
    ASSERT_TRUE(map.loadPgm(eight, 0, 10, error)) << error;
    EXPECT_FLOAT_EQ(map.at(1, 1), 4.0f);
    // Bottom-left origin: the file's first row is the south edge.
    ASSERT_TRUE(map.loadTga(greyTga(2, 2, false, {10, 10, 250, 250}), 0, 255, error)) << error;
    EXPECT_FLOAT_EQ(map.at(0, 0), 250.0f);
    EXPECT_FLOAT_EQ(map.at(0, 1), 10.0f);
    ASSERT_TRUE(map.loadTga(greyTga(2, 2, true, {10, 10, 250, 250}), 0, 255, error)) << error;
    EXPECT_FLOAT_EQ(map.at(0, 0), 10.0f);

    auto colour = greyTga(2, 2, false, std::vector<uint8_t>(12, 0));
    colour[2] = 2;
    colour[16] = 24;
    const struct {
        const char* what;
        bool pgm;
        std::vector<uint8_t> data;
        const char* reason;
    } bad[] = {
        {"short", true, pgm16(4, 4, {1, 2, 3}), "shorter"},
        {"text", true, bytes("P2\n2 2\n255\n0 0 0 0\n"), ""},
        {"too deep", true, bytes("P5\n2 2\n70000\n"), ""},
        {"one column", true, bytes("P5\n1 9\n255\n123456789"), ""},
        {"colour", false, colour, "greyscale"},
        {"short tga", false, greyTga(4, 4, false, {1, 2, 3}), ""},
        {"tiny", false, bytes("tiny"), ""},
    };
    for (const auto& b : bad) {
        error.clear();
        EXPECT_FALSE(b.pgm ? map.loadPgm(b.data, 0, 1, error) : map.loadTga(b.data, 0, 1, error))
            << b.what;
        EXPECT_NE(error.find(b.reason), std::string::npos) << b.what << ": " << error;
        EXPECT_FALSE(error.empty()) << b.what;
    }
}

TEST(HeightMapReading, ResamplingInterpolatesAndGridsArePowersOfTwoPlusOne) {
    const HeightMap fine = HeightMap(2, 2, {0, 10, 20, 30}).resampled(3);
    EXPECT_FLOAT_EQ(fine.at(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(fine.at(2, 2), 30.0f);
    EXPECT_FLOAT_EQ(fine.at(1, 1), 15.0f);
    EXPECT_FLOAT_EQ(fine.at(1, 0), 5.0f);
    const int sizes[][4] = {{257, 257, 0, 257},
                            {300, 200, 0, 513},
                            {2, 2, 0, 3},
                            {1000, 1000, 100, 129},
                            {60000, 10, 0, 4097}};
    for (const auto& s : sizes)
        EXPECT_EQ(gridSizeFor(s[0], s[1], s[2]), s[3]) << s[0] << "x" << s[1];
}
