#pragma once

#include <cstdint>
#include <vector>

// The ambient loop: wind in gusts with distant birds, 8-bit unsigned samples
// at 8000 Hz. Its last sample runs on into its first without a step.
constexpr int AmbientRate = 8000;
constexpr int AmbientSamples = 124783;
std::vector<std::uint8_t> ambientSound();
