// landsketch: writes the height maps of the sample lands as 16-bit PGM files.
// The heights are sketched from a few shapes and noise, so that the samples can
// be made again; real sites would start from survey data instead.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "HeightMap.h"
#include "Noise.h"

namespace {
constexpr int sampleCount = 257;

float smooth(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// A ridge running south to north; its steep face looks west over a plain,
// with a shoulder turning west by north at its north end and a bowl facing
// south-west in its southern half. Heights 0 (plain) to 1 (highest crest).
float ridgeHeight(float u, float v) {
    const float crest = 0.60f + 0.05f * std::sin(v * 2.6f + 0.4f) +
                        0.03f * (fractalNoise(v * 3.0f, 0.5f, 5, 3) - 0.5f);
    const float across = u - crest;
    const float crestHeight = 0.88f + 0.12f * smooth(0.15f, 0.55f, v) -
                              0.10f * std::exp(-std::pow((v - 0.68f) / 0.05f, 2.0f));
    float h;
    if (across < 0.0f) { // windward face: a gentle foot steepening up to a sharp brow
        const float t = std::clamp((across + 0.26f) / 0.26f, 0.0f, 1.0f);
        h = crestHeight * std::pow(t, 1.7f);
    } else // lee side falls to a rolling plateau
        h = crestHeight * (0.42f + 0.58f * (1.0f - smooth(0.0f, 0.30f, across)));
    // The bowl: a hollow scooped out of the face, open to the south-west.
    const float bowlU = u - (crest - 0.07f), bowlV = v - 0.27f;
    h *= 1.0f - 0.5f * std::exp(-(bowlU * bowlU + bowlV * bowlV) / (0.075f * 0.075f));
    // The shoulder: a spur running west by north from the north end of the crest.
    const float spurAxis = (u - crest) * 0.34f + (v - 0.80f) * 0.94f;
    const float spurAlong = (u - crest) * -0.94f + (v - 0.80f) * 0.34f;
    const float spurTop = 0.88f * std::exp(-3.2f * std::max(spurAlong, 0.0f));
    const float spur =
        spurTop * std::exp(-std::pow(spurAxis / 0.07f, 2.0f)) * smooth(-0.06f, 0.04f, spurAlong);
    h = std::max(h, spur);
    const float rolling = 0.05f * fractalNoise(u * 6.0f, v * 6.0f, 17, 5);
    const float texture = 0.012f * fractalNoise(u * 40.0f, v * 40.0f, 19, 3);
    return std::clamp(0.02f + h * 0.9f + rolling + texture, 0.0f, 1.0f);
}

// An almost flat field with a soft swell and a shallow drain to the south-east.
float fieldHeight(float u, float v) {
    const float swell = 0.35f * fractalNoise(u * 2.5f, v * 2.5f, 23, 4);
    const float drain = -0.25f * std::exp(-std::pow(((u - v) - 0.35f) / 0.08f, 2.0f));
    return std::clamp(0.3f + swell + drain + 0.05f * fractalNoise(u * 30, v * 30, 29, 2), 0.0f,
                      1.0f);
}

template <typename Shape> bool write(const std::string& path, Shape shape) {
    std::vector<float> heights(std::size_t(sampleCount) * sampleCount);
    for (int row = 0; row < sampleCount; ++row)
        for (int column = 0; column < sampleCount; ++column) {
            const float u = float(column) / (sampleCount - 1);
            const float v = 1.0f - float(row) / (sampleCount - 1); // row 0 is north
            heights[std::size_t(row) * sampleCount + column] = shape(u, v);
        }
    return writePgm16(path, HeightMap(sampleCount, sampleCount, heights), 0.0f, 1.0f);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::puts("usage: landsketch LANDSDIR  (writes LANDSDIR/ridge/ridge.pgm and "
                  "LANDSDIR/field/field.pgm)");
        return 2;
    }
    const std::string lands = argv[1];
    const bool ok = write(lands + "/ridge/ridge.pgm", ridgeHeight) &&
                    write(lands + "/field/field.pgm", fieldHeight);
    if (!ok) std::fprintf(stderr, "landsketch: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
