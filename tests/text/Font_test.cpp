#include <gtest/gtest.h>

#include <algorithm>

#include "platform/FontRaster.h"
#include "ui/text/Font.h"

// No GL context here: fonts are opened and measured, their lists come later.
TEST(FontCache, SameRequestGivesSameFontAndAnotherStyleAnother) {
    FontCache cache;
    Font* boldArial = cache.get("Arial", 24, true, false);
    ASSERT_NE(boldArial, nullptr);
    EXPECT_EQ(cache.get("Arial", 24, true, false), boldArial);
    Font* plainArial = cache.get("Arial", 24, false, false);
    EXPECT_NE(plainArial, boldArial);
    EXPECT_NE(cache.get("Arial", 18, true, false), boldArial);
    EXPECT_NE(cache.get("Arial", 24, true, true), boldArial);
    EXPECT_NE(cache.get("Courier New", 24, true, false), boldArial);
    EXPECT_EQ(cache.count(), 5);
    EXPECT_EQ(cache.get("Arial", 24, false, false), plainArial);
    EXPECT_EQ(cache.count(), 5);
    cache.clear();
    EXPECT_EQ(cache.count(), 0);
}

TEST(FontCache, FaceThatCannotBeOpenedIsStillCachedOnce) {
    FontCache cache;
    Font* none = cache.get("", 18, false, false);
    ASSERT_NE(none, nullptr);
    EXPECT_FALSE(none->hasFace());
    EXPECT_EQ(none->textExtent("abc").width, 0);
    EXPECT_EQ(cache.get("", 18, false, false), none);
    EXPECT_EQ(cache.get(nullptr, 18, false, false), none);
    EXPECT_EQ(cache.count(), 1);
}

TEST(Font, WindowsFacesResolveToInstalledMetricCompatibleFaces) {
    const auto sans = FontRaster::open("Arial", 18, false, false);
    const auto mono = FontRaster::open("Courier New", 14, false, false);
    ASSERT_TRUE(sans && mono);
    EXPECT_NE(sans->family(), mono->family());
    // Monospaced: every printable character advances the same.
    EXPECT_EQ(mono->advance('i'), mono->advance('W'));
    EXPECT_LT(sans->advance('i'), sans->advance('W'));
}

TEST(Font, ExtentGrowsWithTextAndHeight) {
    FontCache cache;
    Font* small = cache.get("Arial", 18, false, false);
    Font* large = cache.get("Arial", 24, false, false);
    const TextSize empty = small->textExtent("");
    const TextSize word = small->textExtent("Load");
    const TextSize phrase = small->textExtent("Load completed");
    EXPECT_EQ(empty.width, 0);
    EXPECT_GT(word.width, 0);
    EXPECT_GT(phrase.width, word.width);
    EXPECT_GT(large->textExtent("Load").width, word.width);
    EXPECT_GT(large->textExtent("Load").height, word.height);
    // The cell height is the requested height, as a GDI font's is.
    EXPECT_NEAR(word.height, 18, 1);
    EXPECT_NEAR(large->textExtent("x").height, 24, 1);
}

TEST(Font, Windows1252BytesMeasureAsTheirGlyphs) {
    FontCache cache;
    Font* font = cache.get("Arial", 18, false, false);
    EXPECT_GT(font->textExtent("\xB0").width, 0); // degree sign
    EXPECT_GT(font->textExtent("\xB2").width, 0); // superscript two
    EXPECT_GT(font->textExtent("\x80").width, 0); // euro sign, from 0x80
    EXPECT_EQ(font->textExtent("\x81").width, 0); // unassigned
    EXPECT_EQ(font->textExtent("\x01").width, 0); // control character
    EXPECT_EQ(windows1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(windows1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(windows1252ToUnicode(0xE9), U'\u00E9');
    EXPECT_EQ(windows1252ToUnicode(0x8D), 0u);
}

TEST(Font, GlyphBitmapsSitOnTheBaseline) {
    const auto raster = FontRaster::open("Arial", 24, false, false);
    ASSERT_TRUE(raster);
    const GlyphBitmap x = raster->glyph('x');
    const GlyphBitmap p = raster->glyph('p');
    const GlyphBitmap space = raster->glyph(' ');
    EXPECT_GT(x.rows, 0);
    EXPECT_EQ(x.bits.size(), static_cast<std::size_t>(x.bytesPerRow() * x.rows));
    EXPECT_EQ(x.top, x.rows) << "'x' rests on the baseline";
    EXPECT_LT(p.top, p.rows) << "'p' descends below it";
    EXPECT_TRUE(std::all_of(space.bits.begin(), space.bits.end(), [](auto b) { return b == 0; }))
        << "a space draws nothing";
    EXPECT_GT(space.advance, 0);
}
