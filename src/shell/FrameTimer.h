#pragma once

#include <cstdint>

/*
===============================================================================
FrameTimer: seconds since start and seconds between the last two ticks, read
from the high-resolution counter in double precision. All zero until started.
startAt / tickAt take counter readings directly, so the arithmetic can be
checked without a clock.
===============================================================================
*/
class FrameTimer {
  public:
    void start();
    void tick();
    void startAt(std::uint64_t counterFrequency, std::uint64_t counter);
    void tickAt(std::uint64_t counter);

    std::uint64_t frequency = 0;
    std::uint64_t startCount = 0;
    std::uint64_t lastCount = 0;
    double now = 0.0;     // seconds since start
    double elapsed = 0.0; // seconds between the last two ticks
};
