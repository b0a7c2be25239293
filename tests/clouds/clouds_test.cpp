#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/clouds/CloudLayer.h"
#include "world/clouds/NoiseTexture.h"
#include "world/terrain/Terrain.h"

namespace {

// Uniform values without a GL context: the texture is never uploaded here.
const NoiseTexture& noise() {
    static const NoiseTexture texture(20240611u);
    return texture;
}

// The cubic B-spline at a lattice point weighs the point 4/6 and its two
// neighbours 1/6 along each axis.
float smoothedLatticeValue(int x, int y, int z) {
    const float w[3] = {1.0f / 6.0f, 4.0f / 6.0f, 1.0f / 6.0f};
    float sum = 0.0f;
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            for (int c = 0; c < 3; ++c)
                sum +=
                    w[a] * w[b] * w[c] *
                    noise().latticeValue((x + a + 31) % 32, (y + b + 31) % 32, (z + c + 31) % 32);
    return sum;
}

} // namespace

TEST(CloudNoise, LatticeIsFilledWithUnitValuesFromTheSeed) {
    float low = 1.0f, high = 0.0f;
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 32; ++y)
            for (int z = 0; z < 32; ++z) {
                low = std::min(low, noise().latticeValue(x, y, z));
                high = std::max(high, noise().latticeValue(x, y, z));
            }
    EXPECT_GE(low, 0.0f);
    EXPECT_LE(high, 1.0f);
    EXPECT_LT(low, 0.01f);
    EXPECT_GT(high, 0.99f);

    const NoiseTexture same(20240611u), other(7u);
    EXPECT_EQ(same.latticeValue(3, 17, 29), noise().latticeValue(3, 17, 29));
    EXPECT_NE(other.latticeValue(3, 17, 29), noise().latticeValue(3, 17, 29));
}

TEST(CloudNoise, SplineWeightsPartitionUnity) {
    for (float f : {0.0f, 0.25f, 0.5f, 0.8f, 0.999f}) {
        float w[4];
        NoiseTexture::splineWeights(f, w);
        EXPECT_NEAR(w[0] + w[1] + w[2] + w[3], 1.0f, 1e-6f) << f;
        for (float weight : w)
            EXPECT_GE(weight, 0.0f) << f;
    }
}

TEST(CloudNoise, IsTheBSplineOfTheLatticeAndRepeatsEvery32) {
    const int points[][3] = {{0, 0, 0}, {5, 17, 30}, {31, 2, 9}};
    for (const auto& p : points) {
        EXPECT_NEAR(noise().noise(p[0], p[1], p[2]), smoothedLatticeValue(p[0], p[1], p[2]), 1e-5f)
            << p[0] << " " << p[1] << " " << p[2];
    }
    const float x = 3.7f, y = 12.25f, z = 0.6f;
    const float value = noise().noise(x, y, z);
    EXPECT_NEAR(noise().noise(x + 32.0f, y, z), value, 1e-5f);
    EXPECT_NEAR(noise().noise(x, y + 64.0f, z), value, 1e-5f);
    EXPECT_NEAR(noise().noise(x, y, z - 32.0f), value, 1e-5f);
    EXPECT_NEAR(noise().noise(x - 96.0f, y - 32.0f, z + 32.0f), value, 1e-5f);
    // Continuous across whole coordinates and across the period's seam.
    EXPECT_NEAR(noise().noise(31.9999f, y, z), noise().noise(0.0f, y, z), 1e-3f);
    EXPECT_NEAR(noise().noise(-0.0001f, y, z), noise().noise(0.0f, y, z), 1e-3f);
    EXPECT_EQ(noise().noise(std::nanf(""), y, z), 0.0f);
}

TEST(CloudNoise, FourOctavesNeverExceedTheirBound) {
    float highest = 0.0f, lowest = 2.0f;
    for (int r = 0; r < 256; r += 3)
        for (int c = 0; c < 256; c += 3) {
            const float n = noise().fractal(c * 0.25f, r * 0.25f, 0.0f, 4, 0.2f);
            highest = std::max(highest, n);
            lowest = std::min(lowest, n);
        }
    EXPECT_LE(highest, 1.248f);
    EXPECT_GE(lowest, 0.0f);
    EXPECT_GT(highest, 0.6f) << "the octaves must add up";
    EXPECT_EQ(noise().fractal(1.0f, 2.0f, 3.0f, 0, 0.2f), 0.0f);
    EXPECT_NEAR(noise().fractal(1.3f, 2.0f, 3.0f, 1, 0.2f), noise().noise(1.3f, 2.0f, 3.0f), 1e-7f);
}

TEST(CloudPicture, TilesWithoutSeams) {
    for (float r : {0.0f, 10.5f, 40.25f}) {
        EXPECT_NEAR(noise().fractal(0.0f, r, 0.0f, 4, 0.2f),
                    noise().fractal(64.0f, r, 0.0f, 4, 0.2f), 1e-5f);
        EXPECT_NEAR(noise().fractal(r, 0.0f, 0.0f, 4, 0.2f),
                    noise().fractal(r, 64.0f, 0.0f, 4, 0.2f), 1e-5f);
    }
}

TEST(CloudPicture, DensityClearsAndBlurHardensTheCover) {
    const Image clear = noise().cloudPicture(0, 256, 319.0f, 0.98f, 0.0f);
    ASSERT_EQ(clear.Width(), 256);
    ASSERT_EQ(clear.Height(), 256);
    ASSERT_EQ(clear.BytesPerPixel(), 4);
    const std::uint8_t* p = clear.Pixels();
    EXPECT_TRUE(std::all_of(p, p + clear.PixelBytes(), [](std::uint8_t v) { return v == 0; }));

    // With blur 0 a texel is either clear or fully white and opaque.
    const Image hard = noise().cloudPicture(0, 256, 120.0f, 0.0f, 0.0f);
    int white = 0, empty = 0;
    const std::uint8_t* h = hard.Pixels();
    for (std::size_t t = 0; t < hard.PixelBytes(); t += 4) {
        EXPECT_TRUE(h[t] == 0 || h[t] == 255) << int(h[t]);
        EXPECT_TRUE(h[t] == h[t + 1] && h[t] == h[t + 2] && h[t] == h[t + 3]);
        white += h[t] == 255;
        empty += h[t] == 0;
    }
    EXPECT_GT(white, 0);
    EXPECT_GT(empty, 0);

    // Softer blur, same density: no texel gets more opaque.
    const Image soft = noise().cloudPicture(0, 256, 120.0f, 0.98f, 0.0f);
    for (std::size_t t = 0; t < soft.PixelBytes(); t += 4)
        EXPECT_LE(soft.Pixels()[t], h[t]);

    EXPECT_EQ(NoiseTexture::coverValue(0.9f, 100.0f, 0.98f),
              static_cast<std::uint8_t>(255.0f - 255.0f * std::pow(0.98f, 255.0f * 0.9f - 100.0f)));
    EXPECT_EQ(NoiseTexture::coverValue(0.9f, 100.0f, -0.5f), 255) << "negative blur is hard";
    EXPECT_EQ(NoiseTexture::coverValue(0.9f, 100.0f, 1.5f), 0) << "blur above 1 is clear";
}

class CloudsOverLand : public ::testing::Test {
  protected:
    void load(float size, float top) {
        synthetic::LandShape shape;
        shape.originX = -300.0f;
        shape.originY = 100.0f;
        shape.size = size;
        shape.depth = 2;
        shape.height = [size, top](float x, float) { return top * (x + 300.0f) / size; };
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    }
    Terrain terrain;
    CloudLayer clouds{5u};
};

TEST_F(CloudsOverLand, FitsTheConeToTheLand) {
    load(2000.0f, 150.0f);
    clouds.Fit(terrain);
    EXPECT_FLOAT_EQ(clouds.Radius(), 10000.0f);
    EXPECT_FLOAT_EQ(clouds.LayerHeight(), 350.0f);
    EXPECT_FLOAT_EQ(clouds.CentreX(), 700.0f);
    EXPECT_FLOAT_EQ(clouds.CentreY(), 1100.0f);
    EXPECT_FLOAT_EQ(clouds.S1(), 1.0f) << "no texture extent: one picture across the layer";

    Terrain deep;
    synthetic::LandShape shape;
    shape.size = 8000.0f;
    shape.depth = 2;
    ASSERT_TRUE(synthetic::loadLand(deep, shape));
    clouds.SetTextureExtent(4000.0f);
    clouds.Fit(deep);
    EXPECT_FLOAT_EQ(clouds.Radius(), 16000.0f);
    EXPECT_FLOAT_EQ(clouds.S1(), 8.0f);
    EXPECT_FLOAT_EQ(clouds.T1(), 8.0f);
}

TEST_F(CloudsOverLand, DriftsWithTheWind) {
    load(2000.0f, 0.0f);
    clouds.Fit(terrain);
    clouds.Move(10.0f * 1.0f, 0.0f); // 10 m/s along x for one second
    EXPECT_FLOAT_EQ(clouds.S0(), -10.0f / 20000.0f);
    EXPECT_FLOAT_EQ(clouds.S1(), 1.0f - 10.0f / 20000.0f);
    EXPECT_FLOAT_EQ(clouds.T0(), 0.0f);
    clouds.Move(0.0f, -4.0f);
    EXPECT_FLOAT_EQ(clouds.T1(), 1.0f + 4.0f / 20000.0f);

    clouds.SetTextureExtent(500.0f);
    clouds.Fit(terrain);
    const float s0 = clouds.S0();
    clouds.Move(10.0f, 0.0f);
    EXPECT_FLOAT_EQ(clouds.S0(), s0 - 10.0f / 500.0f);
    // Fitting keeps the drift; only reading parameters resets it.
    clouds.Fit(terrain);
    EXPECT_FLOAT_EQ(clouds.S0(), s0 - 10.0f / 500.0f);
    KeyValueFile file;
    clouds.ReadParams(file);
    EXPECT_FLOAT_EQ(clouds.S0(), 0.0f);
    EXPECT_FLOAT_EQ(clouds.S1(), 1.0f);
}

TEST(CloudParams, RoundTripAndEveryReadMarksTheLayerDirty) {
    CloudLayer clouds(1u);
    clouds.SetDensity(140.0f);
    clouds.SetBlur(0.9f);
    clouds.SetAltitude(450.0f);
    clouds.SetTextureExtent(3000.0f);
    KeyValueFile file;
    clouds.WriteParams(file);
    EXPECT_EQ(file.getString("clouds.blur"), "0.900000");

    CloudLayer back(2u);
    back.ReadParams(file);
    EXPECT_FLOAT_EQ(back.Density(), 140.0f);
    EXPECT_FLOAT_EQ(back.Blur(), 0.9f);
    EXPECT_FLOAT_EQ(back.Altitude(), 450.0f);
    EXPECT_FLOAT_EQ(back.TextureExtent(), 3000.0f);
    EXPECT_TRUE(back.Dirty());

    KeyValueFile empty;
    back.ReadParams(empty);
    EXPECT_FLOAT_EQ(back.Density(), 160.0f);
    EXPECT_FLOAT_EQ(back.Blur(), 0.98f);
    EXPECT_FLOAT_EQ(back.Altitude(), 200.0f);
    EXPECT_FLOAT_EQ(back.TextureExtent(), 0.0f);
}
