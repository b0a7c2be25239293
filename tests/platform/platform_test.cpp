#include "platform/DisplayModes.h"
#include "platform/FileSearch.h"
#include "platform/FontRaster.h"
#include "platform/Windows1252.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include <iconv.h>

#include "support/WorkingFolder.h"

using Names = std::vector<std::string>;

// Missing sizes follow the other at 4:3 (truncated), nothing at all is 640 x 480 x 24;
// only full screen raises depths below 15 bits to 16.
TEST(DisplayModes, WindowRequestsFillInWhatIsMissing) {
    const std::tuple<int, int, int, bool, DisplayMode> cases[] = {
        {0, 0, 0, false, {640, 480, 24}},     {1000, 0, 32, false, {1000, 750, 32}},
        {0, 600, 16, false, {800, 600, 16}},  {-5, -1, -8, false, {640, 480, 24}},
        {101, 0, 24, false, {101, 75, 24}},   {640, 200, 24, false, {640, 200, 24}},
        {800, 600, 8, false, {800, 600, 8}},  {800, 600, 14, true, {800, 600, 16}},
        {800, 600, 15, true, {800, 600, 15}}, {1, 0, 0, false, {1, 0, 24}},
        {0, 1, 0, false, {1, 1, 24}}};
    for (const auto& [width, height, bits, fullScreen, expected] : cases)
        EXPECT_EQ(resolveWindowRequest(width, height, bits, fullScreen), expected)
            << width << "x" << height << "x" << bits;
}

// Folders list "." and ".." first, then names without case; extensions match in any
// case; a trailing dot matches names without extension; a missing folder finds nothing.
TEST(FileSearch, SearchesListAsTheOldFindFilesDid) {
    testsupport::WorkingFolder work("ventrix-search");
    std::filesystem::create_directories("lands/Coast");
    std::filesystem::create_directories("lands/alps");
    for (const char* name :
         {"Run1.SAV", "beta.sav", "Alpha.sav", "notes.txt", "lands/wing.cfg", "lands/Zephyr"})
        std::ofstream(name) << "x";
    EXPECT_EQ(searchFiles("lands/*"), (Names{".", "..", "alps", "Coast", "wing.cfg", "Zephyr"}));
    EXPECT_EQ(searchFiles("lands/*."), (Names{".", "..", "alps", "Coast", "Zephyr"}));
    EXPECT_EQ(searchFiles("*.SAV"), (Names{"Alpha.sav", "beta.sav", "Run1.SAV"}));
    EXPECT_TRUE(searchFiles("nowhere/*").empty());
    EXPECT_TRUE(searchFiles("notes.txt/*").empty());
}

// Typed UTF-8 keeps what the code page holds and drops the rest, broken sequences too;
// every byte glibc's converter reads as a character maps to that character and back.
TEST(Windows1252, TypedUtf8BecomesTheCodePagesBytesAndBack) {
    for (const auto& [utf8, expected] :
         {std::pair<std::string, std::string>{"my_game:1@{|\\", "my_game:1@{|\\"},
          {"a\xD0\x96\xC3(b\x80", "a(b"},
          {"\xC0\xAF\xED\xA0\x80x", "x"}})
        EXPECT_EQ(utf8ToWindows1252(utf8), expected) << utf8;
    const auto convert = [](const char* to, char byte) {
        iconv_t converter = iconv_open(to, "CP1252");
        char out[8], *outPtr = out, *in = &byte;
        std::size_t inLeft = 1, outLeft = sizeof out;
        const bool ok = iconv(converter, &in, &inLeft, &outPtr, &outLeft) != std::size_t(-1);
        iconv_close(converter);
        return ok ? std::string(out, outPtr) : std::string();
    };
    for (int byte = 32; byte < 256; ++byte) {
        const std::string utf8 = convert("UTF-8", char(byte)),
                          utf32 = convert("UTF-32LE", char(byte));
        char32_t unicode = 0;
        std::memcpy(&unicode, utf32.data(), std::min<std::size_t>(utf32.size(), 4));
        EXPECT_EQ(windows1252ToUnicode(std::uint8_t(byte)), unicode) << byte;
        if (!utf8.empty()) {
            EXPECT_EQ(utf8ToWindows1252(utf8), std::string(1, char(byte))) << byte;
        }
    }
}
