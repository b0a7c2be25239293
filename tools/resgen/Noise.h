#pragma once

#include <cstdint>

/*
Deterministic value noise for the generated pictures and sound: the same seed
always gives the same picture, so builds are reproducible. The periodic
variants wrap at the given lattice period, for pictures that tile.
*/
class Noise {
  public:
    explicit Noise(std::uint32_t start) : seed(start) {}

    // Smooth noise in -1..1; period 0 means no wrapping.
    float value(float x, float y, int period = 0) const;
    // Sum of octaves, each twice the frequency and `gain` times the amplitude.
    float fractal(float x, float y, int octaves, float gain = 0.5f, int period = 0) const;
    // Hash of lattice coordinates in 0..1.
    float hash(int x, int y) const;

  private:
    std::uint32_t seed;
};

// Small deterministic generator for scattering things (Park-Miller style).
class Scatter {
  public:
    explicit Scatter(std::uint32_t seed) : state(seed ? seed : 1) {}
    float next(); // 0..1
    float range(float low, float high) { return low + (high - low) * next(); }

  private:
    std::uint32_t state;
};
