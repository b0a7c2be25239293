#include "platform/Windows1252.h"

#include <array>

namespace {

// Unicode code points of the bytes 0x80 to 0x9F; 0 where the code page leaves the byte unused.
constexpr std::array<char32_t, 32> upperControlRow = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool valid = false;
};

// One UTF-8 sequence at the start of text; overlong forms and surrogates are invalid.
Decoded decodeOne(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return {lead, 1, true};
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, smallest = 0x10000;
    } else {
        return {};
    }
    if (text.size() < length) return {0, text.size(), false};
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return {0, i, false};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    const bool valid = codePoint >= smallest && codePoint <= 0x10FFFF && !surrogate;
    return {codePoint, length, valid};
}

} // namespace

std::optional<unsigned char> toWindows1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (std::size_t i = 0; i < upperControlRow.size(); ++i) {
        if (upperControlRow[i] != 0 && upperControlRow[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string converted;
    while (!utf8.empty()) {
        const Decoded one = decodeOne(utf8);
        if (one.valid) {
            if (const auto byte = toWindows1252(one.codePoint))
                converted += static_cast<char>(*byte);
        }
        utf8.remove_prefix(one.length);
    }
    return converted;
}
