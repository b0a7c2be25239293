#pragma once

#include <cstdint>
#include <string>
#include <vector>

/*
===============================================================================
HeightMap: a grid of ground heights in metres, row 0 along the north edge and
column 0 along the west edge (a map as it is usually looked at).

Reads binary PGM ("P5", 8 or 16 bits per sample, big-endian as the format
says) and uncompressed 8-bit greyscale TGA (type 3; the origin bit of the
descriptor is honoured). Sample values are spread linearly between the lowest
and highest height asked for: 0 gives minHeight, the format's maximum gives
maxHeight. Unreadable or malformed files give false and an error text.
===============================================================================
*/
class HeightMap {
  public:
    HeightMap() = default;
    HeightMap(int width, int height, std::vector<float> metres);

    bool load(const std::string& path, float minHeight, float maxHeight, std::string& error);
    bool loadPgm(const std::vector<std::uint8_t>& bytes, float minHeight, float maxHeight,
                 std::string& error);
    bool loadTga(const std::vector<std::uint8_t>& bytes, float minHeight, float maxHeight,
                 std::string& error);

    // Bilinear resampling to size x size samples over the same area.
    HeightMap resampled(int size) const;

    int width() const { return columns; }
    int height() const { return rows; }
    float at(int column, int row) const { return samples[std::size_t(row) * columns + column]; }
    // Bilinear height at fractional sample coordinates, clamped to the grid.
    float sample(float column, float row) const;
    const std::vector<float>& values() const { return samples; }

  private:
    int columns = 0;
    int rows = 0;
    std::vector<float> samples;
};

// Writes a 16-bit binary PGM of the heights, 0 for minHeight and 65535 for maxHeight.
bool writePgm16(const std::string& path, const HeightMap& map, float minHeight, float maxHeight);
