#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "support/WorkingFolder.h"
#include "ui/text/Font.h"
#include "ui/text/StringTable.h"

TEST(StringTable, BuiltInTextsAreTheExactWindows1252BytesAndStayPut) {
    StringTable table;
    ASSERT_TRUE(table.bind());
    EXPECT_TRUE(table.text(0) == nullptr && table.text(154) == nullptr);
    EXPECT_EQ(table.count(), 0) << "an unknown id caches nothing";
    const char* quit = table.text(25);
    for (int id = 1; id <= 153; ++id)
        ASSERT_GT(std::strlen(table.text(id)), 0u) << "id " << id;
    EXPECT_EQ(table.count(), 153);
    EXPECT_EQ(table.text(25), quit) << "growing the table moves nothing";
    EXPECT_STREQ(table.text(47), "Direction (\xB0)");
    table.clear();
    EXPECT_EQ(table.count(), 0);
}

// A bound file overrides ids it holds (CR LF or LF, texts cut at 1,023 bytes, bad lines
// skipped); the built-in texts fill the rest, also when the file is missing.
TEST(StringTable, BoundFileOverridesAndBuiltInTextsFillTheRest) {
    testsupport::WorkingFolder work("ventrix-texts");
    std::ofstream("texts.txt", std::ios::binary)
        << "5\tFermer\r\n6\tOui\nnot a line\n7x\tbad id\n9\t" << std::string(1500, 'y') << "\n";
    StringTable table;
    EXPECT_TRUE(table.bind("texts.txt"));
    EXPECT_EQ(std::string(table.text(5)) + table.text(6) + table.text(7), "FermerOuiNo");
    EXPECT_EQ(std::strlen(table.text(9)), 1023u);
    StringTable missing;
    EXPECT_FALSE(missing.bind("/nonexistent/ventrix/texts.txt"));
    EXPECT_STREQ(missing.text(5), "Close");
}

// One font per face, height and style; a face that cannot be opened is cached once and
// measures nothing. Extents grow with the text and the height (the cell is the height).
TEST(FontCache, OneFontPerRequestAndExtentsGrowWithTextAndHeight) {
    FontCache cache;
    Font* bold = cache.get("Arial", 24, true, false);
    EXPECT_EQ(cache.get("Arial", 24, true, false), bold);
    for (Font* other :
         {cache.get("Arial", 24, false, false), cache.get("Arial", 18, true, false),
          cache.get("Arial", 24, true, true), cache.get("Courier New", 24, true, false)})
        EXPECT_NE(other, bold);
    EXPECT_EQ(cache.count(), 5);
    Font font;
    EXPECT_TRUE(font.create("Arial", 18, false, false) && !font.create("", 18, false, false));
    Font* none = cache.get("", 18, false, false);
    EXPECT_FALSE(none->hasFace());
    EXPECT_EQ(std::pair(none->textExtent("abc").width, cache.get(nullptr, 18, false, false)),
              std::pair(0, none));
    EXPECT_EQ(cache.count(), 6);

    Font* small = cache.get("Arial", 18, false, false);
    const TextSize word = small->textExtent("Load");
    EXPECT_EQ(small->textExtent("").width + small->textExtent(nullptr).width, 0);
    EXPECT_GT(small->textExtent("Load completed").width, word.width);
    EXPECT_GT(cache.get("Arial", 24, false, false)->textExtent("Load").width, word.width);
    EXPECT_NEAR(word.height, 18, 1);
    cache.clear();
    EXPECT_EQ(cache.count(), 0);
}
