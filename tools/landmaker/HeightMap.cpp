#include "HeightMap.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {
bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Reads one decimal field of a PGM header, skipping blanks and "#" comments.
bool pgmField(const std::vector<std::uint8_t>& bytes, std::size_t& pos, long& value) {
    for (;;) {
        while (pos < bytes.size() && std::isspace(bytes[pos]))
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '#') {
            while (pos < bytes.size() && bytes[pos] != '\n')
                ++pos;
            continue;
        }
        break;
    }
    if (pos >= bytes.size() || !std::isdigit(bytes[pos])) return false;
    value = 0;
    while (pos < bytes.size() && std::isdigit(bytes[pos]) && value < 1000000)
        value = value * 10 + (bytes[pos++] - '0');
    return true;
}

float spread(unsigned value, unsigned maximum, float minHeight, float maxHeight) {
    return minHeight + (maxHeight - minHeight) * float(value) / float(maximum);
}
} // namespace

HeightMap::HeightMap(int width, int height, std::vector<float> metres)
    : columns(width), rows(height), samples(std::move(metres)) {}

bool HeightMap::load(const std::string& path, float minHeight, float maxHeight,
                     std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!readFile(path, bytes)) {
        error = "cannot read " + path;
        return false;
    }
    if (bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] == '5')
        return loadPgm(bytes, minHeight, maxHeight, error);
    return loadTga(bytes, minHeight, maxHeight, error);
}

bool HeightMap::loadPgm(const std::vector<std::uint8_t>& bytes, float minHeight, float maxHeight,
                        std::string& error) {
    std::size_t pos = 2;
    long width = 0, height = 0, maximum = 0;
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '5' || !pgmField(bytes, pos, width) ||
        !pgmField(bytes, pos, height) || !pgmField(bytes, pos, maximum) || pos >= bytes.size() ||
        !std::isspace(bytes[pos])) {
        error = "not a binary PGM (P5) file";
        return false;
    }
    ++pos; // the single blank that ends the header
    if (width < 2 || height < 2 || maximum < 1 || maximum > 65535 || width > 16385 ||
        height > 16385) {
        error = "PGM size or maximum value out of range";
        return false;
    }
    const std::size_t bytesPerSample = maximum > 255 ? 2 : 1;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (bytes.size() - pos < count * bytesPerSample) {
        error = "PGM data shorter than its header announces";
        return false;
    }
    columns = int(width);
    rows = int(height);
    samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        unsigned value = bytes[pos + i * bytesPerSample];
        if (bytesPerSample == 2) value = value << 8 | bytes[pos + i * 2 + 1];
        samples[i] =
            spread(std::min<unsigned>(value, maximum), unsigned(maximum), minHeight, maxHeight);
    }
    return true;
}

bool HeightMap::loadTga(const std::vector<std::uint8_t>& bytes, float minHeight, float maxHeight,
                        std::string& error) {
    if (bytes.size() < 18) {
        error = "not a TGA file (too short)";
        return false;
    }
    const unsigned idLength = bytes[0];
    const unsigned colourMapType = bytes[1];
    const unsigned imageType = bytes[2];
    const unsigned width = bytes[12] | bytes[13] << 8;
    const unsigned height = bytes[14] | bytes[15] << 8;
    const unsigned depth = bytes[16];
    const bool topFirst = (bytes[17] & 0x20) != 0;
    if (imageType != 3 || depth != 8 || colourMapType != 0) {
        error = "height map TGA must be uncompressed 8-bit greyscale (type 3)";
        return false;
    }
    if (width < 2 || height < 2) {
        error = "height map TGA is smaller than 2 x 2";
        return false;
    }
    const std::size_t offset = 18 + idLength;
    const std::size_t count = std::size_t(width) * height;
    if (bytes.size() < offset || bytes.size() - offset < count) {
        error = "TGA data shorter than its header announces";
        return false;
    }
    columns = int(width);
    rows = int(height);
    samples.resize(count);
    for (unsigned fileRow = 0; fileRow < height; ++fileRow) {
        // Row 0 of the map is the north edge, the top of the picture.
        const unsigned row = topFirst ? fileRow : height - 1 - fileRow;
        for (unsigned column = 0; column < width; ++column)
            samples[std::size_t(row) * width + column] = spread(
                bytes[offset + std::size_t(fileRow) * width + column], 255, minHeight, maxHeight);
    }
    return true;
}

float HeightMap::sample(float column, float row) const {
    column = std::clamp(column, 0.0f, float(columns - 1));
    row = std::clamp(row, 0.0f, float(rows - 1));
    const int c0 = std::min(int(column), columns - 2);
    const int r0 = std::min(int(row), rows - 2);
    const float fc = column - float(c0);
    const float fr = row - float(r0);
    const float top = at(c0, r0) * (1 - fc) + at(c0 + 1, r0) * fc;
    const float bottom = at(c0, r0 + 1) * (1 - fc) + at(c0 + 1, r0 + 1) * fc;
    return top * (1 - fr) + bottom * fr;
}

HeightMap HeightMap::resampled(int size) const {
    std::vector<float> out(std::size_t(size) * size);
    const float scaleX = float(columns - 1) / float(size - 1);
    const float scaleY = float(rows - 1) / float(size - 1);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            out[std::size_t(r) * size + c] = sample(c * scaleX, r * scaleY);
    return HeightMap(size, size, std::move(out));
}

bool writePgm16(const std::string& path, const HeightMap& map, float minHeight, float maxHeight) {
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    out << "P5\n" << map.width() << ' ' << map.height() << "\n65535\n";
    const float range = maxHeight > minHeight ? maxHeight - minHeight : 1.0f;
    for (float h : map.values()) {
        const long v = std::lround(std::clamp((h - minHeight) / range, 0.0f, 1.0f) * 65535.0f);
        out.put(char(v >> 8)).put(char(v & 0xFF));
    }
    return bool(out);
}
