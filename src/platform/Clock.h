#pragma once

#include <cstdint>

// The high-resolution counter behind the frame timer.
std::uint64_t performanceCounter();
std::uint64_t performanceFrequency();
