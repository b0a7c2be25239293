#include "shell/FrameTimer.h"

#include "platform/Clock.h"

void FrameTimer::start() {
    startAt(performanceFrequency(), performanceCounter());
}

void FrameTimer::tick() {
    tickAt(performanceCounter());
}

void FrameTimer::startAt(std::uint64_t counterFrequency, std::uint64_t counter) {
    frequency = counterFrequency;
    startCount = counter;
    lastCount = counter;
    now = 0.0;
    elapsed = 0.0;
}

void FrameTimer::tickAt(std::uint64_t counter) {
    if (frequency == 0) return; // never started
    lastCount = counter;
    const double previous = now;
    now = static_cast<double>(counter - startCount) / static_cast<double>(frequency);
    elapsed = now - previous;
}
