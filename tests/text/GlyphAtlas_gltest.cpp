// Text lights exactly the pixels its glyph bitmaps would, in its colour, in every menu font.
#include <gtest/gtest.h>

#include <string>

#include "gfx/GlTestWindow.h"
#include "platform/FontRaster.h"
#include "ui/text/Font.h"

namespace {
// The pixels (x + y * width) the raster's bitmaps light for text drawn with its pen at (x, y).
std::vector<bool> expectedInk(const FontRaster& raster, const std::string& text, int x, int y,
                              const GlTestWindow& window) {
    std::vector<bool> lit(static_cast<std::size_t>(window.width) * window.height);
    for (const char c : text) {
        const GlyphBitmap g = raster.glyph(static_cast<std::uint8_t>(c));
        for (int row = 0; row < g.rows; ++row)
            for (int column = 0; column < g.width; ++column)
                if (g.bits[row * g.bytesPerRow() + column / 8] & (0x80 >> column % 8))
                    lit[(y + g.top - g.rows + row) * window.width + x + g.left + column] = true;
        x += g.advance;
    }
    return lit;
}

// Pixels that are not in the colour where ink is expected, or not black where none is.
int wrongPixels(const GlTestWindow& window, const std::vector<bool>& expected,
                const float* colour) {
    const auto pixels = window.readPixels();
    int wrong = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        for (int c = 0; c < 3; ++c)
            if (pixels[i * 3 + c] != (expected[i] ? colour[c] * 255 : 0)) {
                ++wrong;
                break;
            }
    return wrong;
}
} // namespace

TEST(GlyphTexture, LightsExactlyTheBitsOfEachGlyphAtItsPenPositionInItsColour) {
    GlTestWindow window{320, 120};
    const float white[3] = {1, 1, 1}, green[3] = {0, 1, 0};
    const std::string text = "Wg%\xB0 Mq_1|";
    for (const auto& [face, height, bold] :
         {std::tuple{"Arial", 24, true}, {"Courier New", 14, false}, {"Arial", 20, false}}) {
        SCOPED_TRACE(face);
        const auto raster = FontRaster::open(face, height, bold, false);
        ASSERT_NE(raster, nullptr);
        FontCache fonts;
        Font* font = fonts.get(face, height, bold, false);
        const auto expected = expectedInk(*raster, text, 7, 40, window);
        window.begin2D();
        drawString(font, 7, 40, white, (text + "\xFF").c_str()); // code 255 draws nothing
        EXPECT_EQ(wrongPixels(window, expected, white), 0);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing is left on";
        const GLuint glyphs = font->glyphTexture();
        fonts.deleteAllLists();
        EXPECT_FALSE(glIsTexture(glyphs)) << "the old context's glyphs are given back";
        window.recreate();
        fonts.rebuildAllLists();
        std::copy(green, green + 3, font->colour);
        window.begin2D();
        drawText(font, 7, 40, nullptr, "%s%c%s", "Wg%", 0xB0, " Mq_1|");
        EXPECT_EQ(wrongPixels(window, expected, green), 0) << "formatted, in the font's colour";
        drawText(font, 7, 40, white, "%s", text.c_str());
        EXPECT_EQ(wrongPixels(window, expected, white), 0) << "the colour given wins";
        EXPECT_EQ(font->colour[0], 0.0f) << "and leaves the font's";
    }
    // Control characters neither draw nor advance: only what fits the buffer shows.
    FontCache fonts;
    Font* font = fonts.get("Courier New", 14, false, false);
    const std::vector<bool> none(static_cast<std::size_t>(window.width) * window.height);
    const std::string filler(DrawTextBufferSize - 2, '\x01');
    window.begin2D();
    drawText(font, 10, 20, white, "%sX", filler.c_str());
    EXPECT_GT(wrongPixels(window, none, white), 0);
    window.begin2D();
    drawText(font, 10, 20, white, "%s\x01X", filler.c_str());
    EXPECT_EQ(wrongPixels(window, none, white), 0);
    drawText(font, -1, 20, white, "X"); // starting left of the view, the string is left out
    EXPECT_EQ(wrongPixels(window, none, white), 0);
    drawText(font, 0, 20, white, "X"); // at its edge, drawn
    EXPECT_GT(wrongPixels(window, none, white), 0);
}
