#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "platform/Windows1252.h"

TEST(Windows1252, TypedUtf8BecomesTheCodePagesBytes) {
    const struct {
        const char* name;
        std::string utf8, expected;
    } rows[] = {
        {"shifted and AltGr signs", "my_game:1@{|\\", "my_game:1@{|\\"},
        {"outside the code page", "\xD0\x96", ""},
        {"emoji between letters",
         "a\xF0\x9F\x98\x80"
         "b",
         "ab"},
        {"truncated sequence", "a\xC3", "a"},
        {"broken sequence keeps the next character", "\xC3(", "("},
        {"lone continuation byte", "\x80z", "z"},
        {"overlong slash", "\xC0\xAF", ""},
        {"surrogate half", "\xED\xA0\x80x", "x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(utf8ToWindows1252(row.utf8), row.expected);
    }
}

// Every byte glibc's converter reads as a character comes back from that character's UTF-8.
TEST(Windows1252, EveryCharacterOfTheCodePageConvertsBack) {
    iconv_t toUtf8 = iconv_open("UTF-8", "CP1252");
    ASSERT_NE(toUtf8, reinterpret_cast<iconv_t>(-1));
    for (int byte = 32; byte < 256; ++byte) {
        char in[1] = {static_cast<char>(byte)}, out[8];
        char *inPtr = in, *outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(toUtf8, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            continue; // a byte the code page leaves unused
        EXPECT_EQ(utf8ToWindows1252(std::string(out, outPtr)), std::string(in, 1)) << byte;
    }
    iconv_close(toUtf8);
}
