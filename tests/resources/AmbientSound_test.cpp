#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "platform/Resources.h"

namespace {

struct Wave {
    int format = 0, channels = 0, rate = 0, bits = 0;
    const std::uint8_t* samples = nullptr;
    std::size_t count = 0;
};

std::uint32_t little32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}
int little16(const std::uint8_t* p) {
    return p[0] | p[1] << 8;
}

// Walks the RIFF chunks of a wave file in memory.
bool parse(ResourceBytes bytes, Wave& wave) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return false;
    std::size_t offset = 12;
    while (offset + 8 <= bytes.size()) {
        const std::uint8_t* chunk = bytes.data() + offset;
        const std::uint32_t size = little32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            wave.format = little16(chunk + 8);
            wave.channels = little16(chunk + 10);
            wave.rate = static_cast<int>(little32(chunk + 12));
            wave.bits = little16(chunk + 22);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            wave.samples = chunk + 8;
            wave.count = std::min<std::size_t>(size, bytes.size() - offset - 8);
        }
        offset += 8 + size + (size & 1);
    }
    return wave.samples != nullptr;
}

double rms(const std::uint8_t* samples, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += std::pow(samples[i] - 128.0, 2);
    return std::sqrt(sum / count);
}

Wave ambient() {
    ResourceBytes bytes;
    Wave wave;
    EXPECT_TRUE(findResource(411, "WAVE", bytes));
    EXPECT_TRUE(parse(bytes, wave));
    return wave;
}

} // namespace

TEST(AmbientSound, IsEightBitMonoPcmOfAboutFifteenSeconds) {
    const Wave wave = ambient();
    EXPECT_EQ(wave.format, 1);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.rate, 8000);
    EXPECT_EQ(wave.bits, 8);
    EXPECT_NEAR(wave.count / 8000.0, 15.6, 0.1);
}

TEST(AmbientSound, IsAudibleWithoutClipping) {
    const Wave wave = ambient();
    ASSERT_GT(wave.count, 0u);
    EXPECT_GT(rms(wave.samples, wave.count), 8.0);
    std::size_t clipped = 0;
    for (std::size_t i = 0; i < wave.count; ++i)
        clipped += wave.samples[i] == 0 || wave.samples[i] == 255;
    EXPECT_LT(clipped, wave.count / 1000);
    // The level moves with the gusts: quiet and loud seconds differ.
    double quietest = 1e9, loudest = 0;
    for (std::size_t second = 0; second + 8000 <= wave.count; second += 8000) {
        const double level = rms(wave.samples + second, 8000);
        quietest = std::min(quietest, level);
        loudest = std::max(loudest, level);
    }
    EXPECT_GT(loudest, quietest * 1.3);
}

// Looping plays the last sample then the first: the step there must be no
// larger than the steps around it, and the level must carry on.
TEST(AmbientSound, EndJoinsItsStartWithoutAClick) {
    const Wave wave = ambient();
    ASSERT_GT(wave.count, 4000u);
    const std::uint8_t* s = wave.samples;
    const std::size_t n = wave.count;
    int largestNearbyStep = 0;
    for (std::size_t i = 1; i < 400; ++i) {
        largestNearbyStep = std::max(largestNearbyStep, std::abs(s[i] - s[i - 1]));
        largestNearbyStep = std::max(largestNearbyStep, std::abs(s[n - i] - s[n - i - 1]));
    }
    EXPECT_LE(std::abs(s[0] - s[n - 1]), largestNearbyStep);
    const double before = rms(s + n - 800, 800), after = rms(s, 800);
    EXPECT_LT(std::max(before, after) / std::min(before, after), 1.6);
}
