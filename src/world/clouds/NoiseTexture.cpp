#include "world/clouds/NoiseTexture.h"

#include "world/Random.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

// Lattice index of a whole coordinate, in 0 ... 31 for negative values too.
int wrapIndex(int i) {
    return ((i % 32) + 32) % 32;
}

// Splits a coordinate into the four lattice indices around it and the
// fraction; the coordinate is first brought into the period.
void axis(float v, int indices[4], float& fraction) {
    v = std::fmod(v, 32.0f);
    if (v < 0.0f) v += 32.0f;
    const int whole = static_cast<int>(v);
    fraction = v - static_cast<float>(whole);
    for (int n = 0; n < 4; ++n)
        indices[n] = wrapIndex(whole - 1 + n);
}

} // namespace

NoiseTexture::NoiseTexture() : NoiseTexture(static_cast<uint32_t>(std::time(nullptr))) {}

NoiseTexture::NoiseTexture(uint32_t seed) {
    wrapS = GL_REPEAT;
    wrapT = GL_REPEAT;
    fillLattice(seed);
}

void NoiseTexture::fillLattice(uint32_t seed) {
    Random random(seed);
    lattice.resize(latticeSize * latticeSize * latticeSize);
    for (float& value : lattice)
        value = random.next() * 3.051851e-5f;
}

void NoiseTexture::splineWeights(float f, float weights[4]) {
    const float f2 = f * f, f3 = f2 * f, g = 1.0f - f;
    weights[0] = g * g * g / 6.0f;
    weights[1] = (3.0f * f3 - 6.0f * f2 + 4.0f) / 6.0f;
    weights[2] = (-3.0f * f3 + 3.0f * f2 + 3.0f * f + 1.0f) / 6.0f;
    weights[3] = f3 / 6.0f;
}

float NoiseTexture::noise(float x, float y, float z) const {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return 0.0f;
    int ix[4], iy[4], iz[4];
    float fx, fy, fz, wx[4], wy[4], wz[4];
    axis(x, ix, fx);
    axis(y, iy, fy);
    axis(z, iz, fz);
    splineWeights(fx, wx);
    splineWeights(fy, wy);
    splineWeights(fz, wz);

    float result = 0.0f;
    for (int c = 0; c < 4; ++c) {
        float alongY = 0.0f;
        for (int b = 0; b < 4; ++b) {
            float alongX = 0.0f;
            for (int a = 0; a < 4; ++a)
                alongX += wx[a] * latticeValue(ix[a], iy[b], iz[c]);
            alongY += wy[b] * alongX;
        }
        result += wz[c] * alongY;
    }
    return result;
}

float NoiseTexture::fractal(float x, float y, float z, int octaves, float persistence) const {
    float sum = 0.0f, amplitude = 1.0f, scale = 1.0f;
    for (int k = 0; k < octaves; ++k) {
        sum += amplitude * noise(scale * x, scale * y, scale * z);
        amplitude *= persistence;
        scale *= 2.0f;
    }
    return sum;
}

std::uint8_t NoiseTexture::coverValue(float noiseSum, float density, float blur) {
    const float cover = std::max(255.0f * noiseSum - density, 0.0f);
    // A negative blur has no real power; it is read as the hardest edge.
    const float opacity = 255.0f - 255.0f * std::pow(std::max(blur, 0.0f), cover);
    return static_cast<std::uint8_t>(std::clamp(opacity, 0.0f, 255.0f));
}

Image NoiseTexture::cloudPicture(int firstRow, int rowEnd, float density, float blur,
                                 float depth) const {
    std::vector<std::uint8_t> pixels(pictureSize * pictureSize * 4, 0);
    firstRow = std::clamp(firstRow, 0, pictureSize);
    rowEnd = std::clamp(rowEnd, firstRow, pictureSize);
    for (int r = firstRow; r < rowEnd; ++r) {
        for (int c = 0; c < pictureSize; ++c) {
            const float n = fractal(c * 0.25f, r * 0.25f, depth, 4, 0.2f);
            const std::uint8_t value = coverValue(n, density, blur);
            std::fill_n(&pixels[(r * pictureSize + c) * 4], 4, value);
        }
    }
    return Image(pictureSize, pictureSize, std::move(pixels), 4);
}
