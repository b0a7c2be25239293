#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ui/text/StringTable.h"

TEST(StringTable, TextsAreTheExactWindows1252Bytes) {
    StringTable table;
    ASSERT_TRUE(table.bind());
    EXPECT_STREQ(table.text(1), "Loading land...");
    EXPECT_STREQ(table.text(47), "Direction (\xB0)");
    EXPECT_STREQ(table.text(126), "Azimut(\xB0) %.0f");
    EXPECT_STREQ(table.text(148), "\xB2         : display console");
    EXPECT_STREQ(table.text(149), "Echap     : display / hide menu or console");
    EXPECT_STREQ(table.text(152), "Ventrix version 2.0.c");
    EXPECT_STREQ(table.text(153), "Z(m) %.0f");
    EXPECT_STREQ(table.text(86), "1");
    EXPECT_STREQ(table.text(141), "12");
}

TEST(StringTable, EveryIdFromOneTo153HasAText) {
    StringTable table;
    for (int id = 1; id <= 153; ++id) {
        const char* text = table.text(id);
        ASSERT_NE(text, nullptr) << "id " << id;
        EXPECT_GT(std::strlen(text), 0u) << "id " << id;
    }
    EXPECT_EQ(table.count(), 153);
}

TEST(StringTable, SecondLookUpReturnsTheSamePointer) {
    StringTable table;
    const char* first = table.text(25);
    for (int id = 1; id <= 153; ++id)
        table.text(id); // growing the table moves nothing
    EXPECT_EQ(table.text(25), first);
    EXPECT_STREQ(first, "Quit Ventrix ?");
    EXPECT_EQ(table.count(), 153);
}

TEST(StringTable, UnknownIdGivesNullAndCachesNothing) {
    StringTable table;
    EXPECT_EQ(table.text(0), nullptr);
    EXPECT_EQ(table.text(154), nullptr);
    EXPECT_EQ(table.text(-3), nullptr);
    EXPECT_EQ(table.count(), 0);
    table.text(5);
    EXPECT_EQ(table.count(), 1);
    table.clear();
    EXPECT_EQ(table.count(), 0);
    EXPECT_STREQ(table.text(5), "Close");
}

TEST(StringTable, BoundFileOverridesAndBuiltInTextsFillTheRest) {
    const auto path = std::filesystem::temp_directory_path() / "ventrix_texts_test.txt";
    std::ofstream(path, std::ios::binary)
        << "5\tFermer\r\n6\tOui\nnot a line\n7x\tbad id\n9\t" << std::string(1500, 'y') << "\n";
    StringTable table;
    EXPECT_TRUE(table.bind(path.c_str()));
    EXPECT_STREQ(table.text(5), "Fermer");
    EXPECT_STREQ(table.text(6), "Oui");
    EXPECT_STREQ(table.text(8), "Cancel");
    EXPECT_EQ(std::strlen(table.text(9)), 1023u) << "a text holds at most 1,023 bytes";
    std::filesystem::remove(path);

    StringTable missing;
    EXPECT_FALSE(missing.bind("/nonexistent/ventrix/texts.txt"));
    EXPECT_STREQ(missing.text(5), "Close") << "a failed bind keeps the built-in texts";
}
