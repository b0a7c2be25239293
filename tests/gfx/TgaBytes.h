#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds TGA file bytes for decoder tests: header fields as given, then the ID
// text, a colour map of mapBytes zero bytes, and the pixel bytes as stored.
struct TgaBytes {
    std::uint8_t imageType = 2;
    std::uint8_t depth = 24;
    std::uint8_t descriptor = 0;
    int width = 2;
    int height = 2;
    std::string id;
    std::uint8_t colourMapType = 0;
    int colourMapLength = 0;
    int colourMapEntryBits = 0;
    std::vector<std::uint8_t> pixels;

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        auto put16 = [&out](int v) {
            out.push_back(static_cast<std::uint8_t>(v & 255));
            out.push_back(static_cast<std::uint8_t>((v >> 8) & 255));
        };
        out.push_back(static_cast<std::uint8_t>(id.size()));
        out.push_back(colourMapType);
        out.push_back(imageType);
        put16(0);
        put16(colourMapLength);
        out.push_back(static_cast<std::uint8_t>(colourMapEntryBits));
        put16(0);
        put16(0);
        put16(width);
        put16(height);
        out.push_back(depth);
        out.push_back(descriptor);
        out.insert(out.end(), id.begin(), id.end());
        out.insert(out.end(),
                   static_cast<std::size_t>(colourMapLength) * ((colourMapEntryBits + 7) / 8),
                   0xEE);
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};
