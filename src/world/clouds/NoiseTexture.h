#pragma once

#include <cstdint>
#include <vector>

#include "gfx/Texture.h"

/*
===============================================================================
NoiseTexture

A texture whose picture is generated from a periodic three-dimensional value
noise: a 32 x 32 x 32 lattice of random values in 0 ... 1, interpolated with
uniform cubic B-splines (so the noise stays within 0 ... 1 and repeats every
32 units on every axis). The lattice is filled once at construction; seeding
from the clock makes each run's clouds different.

The cloud picture is 256 x 256 RGBA with all four bytes equal: four octaves of
noise at 4 texels per lattice unit, turned into cover by the density and into
opacity by the blur. With every octave's period dividing 256 it tiles without
seams under GL_REPEAT, which the constructor sets.
===============================================================================
*/
class NoiseTexture : public Texture {
  public:
    static constexpr int latticeSize = 32;
    static constexpr int pictureSize = 256;

    NoiseTexture();
    explicit NoiseTexture(uint32_t seed);

    void fillLattice(uint32_t seed);
    float latticeValue(int x, int y, int z) const { return lattice[(x * 32 + y) * 32 + z]; }

    float noise(float x, float y, float z) const;
    float fractal(float x, float y, float z, int octaves, float persistence) const;
    // Rows firstRow ... rowEnd - 1 of the cloud picture; other rows stay 0.
    Image cloudPicture(int firstRow, int rowEnd, float density, float blur, float depth) const;

    // Uniform cubic B-spline weights for a fraction f in 0 ... 1.
    static void splineWeights(float f, float weights[4]);
    // One texel value for a noise sum.
    static std::uint8_t coverValue(float noiseSum, float density, float blur);

  private:
    std::vector<float> lattice;
};
