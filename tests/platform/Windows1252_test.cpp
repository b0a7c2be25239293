#include <gtest/gtest.h>

#include <iconv.h>

#include <random>
#include <string>

#include "platform/Windows1252.h"

namespace {

struct Row {
    const char* name;
    std::string utf8;
    std::string expected;
};

// glibc's own converter, an independent reference; empty when it refuses the text.
std::string iconvConvert(const char* from, const char* to, std::string text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return "no converter";
    std::string out(text.size() * 4 + 4, '\0');
    char* in = text.data();
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return "";
    out.resize(out.size() - outLeft);
    return out;
}

std::string encodeUtf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

} // namespace

TEST(Windows1252, TypedUtf8BecomesTheCodePagesBytes) {
    const Row rows[] = {
        {"plain ascii", "my_game.sav", "my_game.sav"},
        {"shifted and AltGr signs", ":1!?@#{}|\\", ":1!?@#{}|\\"},
        {"latin-1 letters", "\xC3\xA9\xC3\xA0\xC3\xA7\xC3\xBF", "\xE9\xE0\xE7\xFF"},
        {"superscript two", "\xC2\xB2", "\xB2"},
        {"euro from the upper row", "\xE2\x82\xAC", "\x80"},
        {"oe ligature and dagger", "\xC5\x93\xE2\x80\xA0", "\x9C\x86"},
        {"outside the code page", "\xD0\x96", ""},
        {"emoji between letters",
         "a\xF0\x9F\x98\x80"
         "b",
         "ab"},
        {"C1 control the code page leaves unused", "\xC2\x81", ""},
        {"truncated sequence", "a\xC3", "a"},
        {"broken sequence keeps the next character", "\xC3(", "("},
        {"lone continuation byte", "\x80z", "z"},
        {"overlong slash", "\xC0\xAF", ""},
        {"surrogate half", "\xED\xA0\x80x", "x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(utf8ToWindows1252(row.utf8), row.expected);
    }
}

// Every code point converts as glibc's converter does: to the same one byte, or
// refused where glibc refuses it.
TEST(Windows1252, AgreesWithTheSystemConverter) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        const std::string utf8 = iconvConvert("CP1252", "UTF-8", original);
        if (utf8.empty()) continue; // a byte the code page leaves unused
        EXPECT_EQ(utf8ToWindows1252(utf8), original) << "byte " << byte;
    }
    std::mt19937 random(1252);
    std::uniform_int_distribution<std::uint32_t> bmp(0x80, 0x2FFF);
    std::uniform_int_distribution<std::uint32_t> any(0x80, 0x10FFFF);
    for (int i = 0; i < 20000; ++i) {
        const char32_t c = (i % 2) ? bmp(random) : any(random);
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const std::string utf8 = encodeUtf8(c);
        EXPECT_EQ(utf8ToWindows1252(utf8), iconvConvert("UTF-8", "CP1252", utf8))
            << "code point " << static_cast<std::uint32_t>(c);
    }
}
