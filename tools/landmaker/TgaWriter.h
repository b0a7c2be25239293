#pragma once

#include <cstdint>
#include <string>
#include <vector>

/*
===============================================================================
Writes uncompressed TGA files: 24-bit colour (type 2) from RGB rows or 8-bit
grey (type 3), with the TGA 2.0 footer. Rows are written in the order given;
topFirst only sets the origin bit so that picture viewers show them the right
way up (the game keeps rows in file order whatever the bit says).
===============================================================================
*/
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // rows one after another, 3 bytes per pixel

    RgbPicture() = default;
    RgbPicture(int w, int h) : width(w), height(h), rgb(std::size_t(w) * h * 3, 0) {}
    std::uint8_t* at(int column, int row) { return &rgb[(std::size_t(row) * width + column) * 3]; }
};

bool writeTga(const std::string& path, const RgbPicture& picture, bool topFirst);
bool writeGreyTga(const std::string& path, int width, int height,
                  const std::vector<std::uint8_t>& grey, bool topFirst);
