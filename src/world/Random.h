#pragma once

#include <cstdint>

/*
===============================================================================
Random

The program's 15-bit linear congruential generator:
    state = state * 214013 + 2531011 (modulo 2^32), value = (state >> 16) & 32767.
Seeding replaces the state, so a given seed always yields the same sequence.
Each owner keeps its own generator; the thermals and the cloud lattice seed
theirs before every use, so nothing depends on sharing one state.
===============================================================================
*/
class Random {
  public:
    static constexpr int maxValue = 32767;

    explicit Random(uint32_t seed = 1) : state(seed) {}

    void seed(uint32_t newSeed) { state = newSeed; }
    // Next value in 0 ... 32767.
    int next();
    // Seed from the calendar time in whole seconds.
    void seedFromClock();

  private:
    uint32_t state;
};
