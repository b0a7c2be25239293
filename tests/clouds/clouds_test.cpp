#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/clouds/CloudLayer.h"
#include "world/clouds/NoiseTexture.h"
#include "world/terrain/Terrain.h"

// The noise is the cubic B-spline of a seeded unit lattice (at a lattice point
// 4/6 of the point, 1/6 of each neighbour per axis), repeating every 32, and
// its four octaves stay within their bound.
TEST(CloudNoise, IsTheSeededLatticesBSplineRepeatingEvery32) {
    const NoiseTexture noise(20240611u), same(20240611u), other(7u);
    float low = 1.0f, high = 0.0f;
    for (int i = 0; i < 32 * 32 * 32; ++i) {
        low = std::min(low, noise.latticeValue(i % 32, i / 32 % 32, i / 1024));
        high = std::max(high, noise.latticeValue(i % 32, i / 32 % 32, i / 1024));
    }
    EXPECT_TRUE(low >= 0.0f && low < 0.01f && high > 0.99f && high <= 1.0f);
    EXPECT_EQ(same.latticeValue(3, 17, 29), noise.latticeValue(3, 17, 29));
    EXPECT_NE(other.latticeValue(3, 17, 29), noise.latticeValue(3, 17, 29));
    const float w[3] = {1.0f / 6.0f, 4.0f / 6.0f, 1.0f / 6.0f};
    for (const auto& p : {std::array{0, 0, 0}, {5, 17, 30}, {31, 2, 9}}) {
        float sum = 0.0f;
        for (int a = 0; a < 27; ++a)
            sum += w[a % 3] * w[a / 3 % 3] * w[a / 9] *
                   noise.latticeValue((p[0] + a % 3 + 31) % 32, (p[1] + a / 3 % 3 + 31) % 32,
                                      (p[2] + a / 9 + 31) % 32);
        EXPECT_NEAR(noise.noise(p[0], p[1], p[2]), sum, 1e-5f) << p[0] << " " << p[1];
    }
    const float x = 3.7f, y = 12.25f, z = 0.6f, value = noise.noise(x, y, z);
    EXPECT_NEAR(noise.noise(x - 96.0f, y + 64.0f, z + 32.0f), value, 1e-5f);
    EXPECT_NEAR(noise.noise(31.9999f, y, z), noise.noise(0.0f, y, z), 1e-3f) << "no seam";
    EXPECT_EQ(noise.noise(std::nanf(""), y, z), 0.0f);
    float highest = 0.0f, lowest = 2.0f;
    for (int i = 0; i < 86 * 86; ++i) {
        const float n = noise.fractal(i % 86 * 0.75f, i / 86 * 0.75f, 0.0f, 4, 0.2f);
        highest = std::max(highest, n);
        lowest = std::min(lowest, n);
    }
    EXPECT_TRUE(highest <= 1.248f && highest > 0.6f && lowest >= 0.0f) << lowest << " " << highest;
    EXPECT_NEAR(noise.fractal(1.3f, 2.0f, 3.0f, 1, 0.2f), noise.noise(1.3f, 2.0f, 3.0f), 1e-7f);
    EXPECT_NEAR(noise.fractal(0.0f, 10.5f, 0.0f, 4, 0.2f),
                noise.fractal(64.0f, 74.5f, 0.0f, 4, 0.2f), 1e-5f)
        << "the picture tiles without seams";
}

TEST(CloudPicture, DensityClearsAndBlurHardensTheCover) {
    const NoiseTexture noise(20240611u);
    const Image clear = noise.cloudPicture(0, 256, 319.0f, 0.98f, 0.0f);
    ASSERT_EQ(clear.Width(), 256);
    ASSERT_EQ(clear.BytesPerPixel(), 4);
    EXPECT_TRUE(std::all_of(clear.Pixels(), clear.Pixels() + clear.PixelBytes(),
                            [](std::uint8_t v) { return v == 0; }));
    // With blur 0 a texel is either clear or fully white and opaque; softer is never more opaque.
    const Image hard = noise.cloudPicture(0, 256, 120.0f, 0.0f, 0.0f);
    const Image soft = noise.cloudPicture(0, 256, 120.0f, 0.98f, 0.0f);
    const std::uint8_t* h = hard.Pixels();
    int white = 0;
    for (std::size_t t = 0; t < hard.PixelBytes(); t += 4) {
        ASSERT_TRUE(h[t] == 0 || h[t] == 255) << int(h[t]);
        ASSERT_TRUE(h[t] == h[t + 1] && h[t] == h[t + 2] && h[t] == h[t + 3]);
        ASSERT_LE(soft.Pixels()[t], h[t]);
        white += h[t] == 255;
    }
    EXPECT_GT(white, 0);
    EXPECT_LT(white, 256 * 256);
    EXPECT_EQ(NoiseTexture::coverValue(0.9f, 100.0f, 0.98f),
              static_cast<std::uint8_t>(255.0f - 255.0f * std::pow(0.98f, 255.0f * 0.9f - 100.0f)));
    EXPECT_EQ(NoiseTexture::coverValue(0.9f, 100.0f, -0.5f), 255) << "negative blur is hard";
    EXPECT_EQ(NoiseTexture::coverValue(0.9f, 100.0f, 1.5f), 0) << "blur above 1 is clear";
}

// The cone is 10 km around the land's centre (more for a larger land), 200 m
// over its highest ground plus the altitude; the picture repeats every texture
// extent (once across the layer without one) and drifts with the wind until
// parameters are read again.
TEST(CloudsOverLand, TheConeFitsTheLandAndDriftsWithTheWindUntilParametersAreRead) {
    Terrain terrain;
    ASSERT_TRUE(synthetic::loadLand(terrain, {-300.0f, 100.0f, 2000.0f, 2, [](float x, float) {
                                                  return 150.0f * (x + 300.0f) / 2000.0f;
                                              }}));
    CloudLayer clouds(5u);
    clouds.Fit(terrain);
    EXPECT_EQ(std::vector<float>({clouds.Radius(), clouds.LayerHeight(), clouds.CentreX(),
                                  clouds.CentreY(), clouds.S0(), clouds.S1()}),
              std::vector<float>({10000, 350, 700, 1100, 0, 1}));
    clouds.Move(10.0f, -4.0f); // 10 m/s along x, 4 m/s against y, for one second
    EXPECT_FLOAT_EQ(clouds.S0(), -10.0f / 20000.0f);
    EXPECT_FLOAT_EQ(clouds.S1(), 1.0f - 10.0f / 20000.0f);
    EXPECT_FLOAT_EQ(clouds.T1(), 1.0f + 4.0f / 20000.0f);
    clouds.SetTextureExtent(500.0f);
    clouds.Fit(terrain);
    const float s0 = clouds.S0();
    clouds.Move(10.0f, 0.0f);
    clouds.Fit(terrain);
    EXPECT_FLOAT_EQ(clouds.S0(), s0 - 10.0f / 500.0f) << "fitting keeps the drift";
    KeyValueFile empty;
    clouds.ReadParams(empty);
    EXPECT_EQ(std::pair(clouds.S0(), clouds.S1()), std::pair(0.0f, 1.0f));

    Terrain deep;
    ASSERT_TRUE(synthetic::loadLand(deep, synthetic::LandShape{0.0f, 500.0f, 8000.0f, 2}));
    clouds.SetTextureExtent(4000.0f);
    clouds.Fit(deep);
    EXPECT_EQ(std::vector<float>({clouds.Radius(), clouds.S1(), clouds.T1()}),
              std::vector<float>({16000, 8, 8}));
}

TEST(CloudParams, RoundTripAndEveryReadMarksTheLayerDirty) {
    CloudLayer clouds(1u), back(2u);
    clouds.SetDensity(140.0f);
    clouds.SetBlur(0.9f);
    clouds.SetAltitude(450.0f);
    clouds.SetTextureExtent(3000.0f);
    KeyValueFile file;
    clouds.WriteParams(file);
    back.ReadParams(file);
    EXPECT_EQ(
        std::vector<float>({back.Density(), back.Blur(), back.Altitude(), back.TextureExtent()}),
        std::vector<float>({140.0f, 0.9f, 450.0f, 3000.0f}));
    EXPECT_TRUE(back.Dirty());
}
