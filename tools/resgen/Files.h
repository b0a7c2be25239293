#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"

// Uncompressed true-colour TGA (type 2) with the TGA 2.0 footer. The origin bit
// of the descriptor tells which row comes first, so viewers show the picture as
// it is stored; the program itself keeps rows in file order.
std::vector<std::uint8_t> tgaFile(const Canvas& canvas, bool bottomFirst);
// 32-bit TGA with alpha, top row first (the window icon).
std::vector<std::uint8_t> tgaFileWithAlpha(const Canvas& canvas, const std::vector<float>& alpha);
// RIFF WAVE, PCM, mono, 8 bits unsigned.
std::vector<std::uint8_t> waveFile(const std::vector<std::uint8_t>& samples, int rate);

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
