// Text from the glyph texture lights exactly the pixels the glyph bitmaps
// would, glyph by glyph at the pen positions, for each font the menu uses.
#include <gtest/gtest.h>

#include "gfx/GlTestWindow.h"
#include "platform/FontRaster.h"
#include "ui/text/Font.h"

TEST(GlyphTexture, LightsExactlyTheBitsOfEachGlyphAtItsPenPosition) {
    GlTestWindow window{320, 120};
    const float white[3] = {1, 1, 1};
    const char* text = "Wg%\xB0 Mq_1|";
    for (const auto& [face, height, bold] :
         {std::tuple{"Arial", 24, true}, {"Courier New", 14, false}, {"Arial", 20, false}}) {
        SCOPED_TRACE(face);
        const auto raster = FontRaster::open(face, height, bold, false);
        ASSERT_NE(raster, nullptr);
        std::vector<int> expected(static_cast<std::size_t>(window.width) * window.height, 0);
        int pen = 7;
        for (const char* c = text; *c != '\0'; ++c) {
            const GlyphBitmap g = raster->glyph(static_cast<std::uint8_t>(*c));
            for (int row = 0; row < g.rows; ++row)
                for (int column = 0; column < g.width; ++column)
                    if (g.bits[row * g.bytesPerRow() + column / 8] & (0x80 >> column % 8))
                        expected[(40 + g.top - g.rows + row) * window.width + pen + g.left +
                                 column] = 1;
            pen += g.advance;
        }
        FontCache fonts;
        window.begin2D();
        drawString(fonts.get(face, height, bold, false), 7, 40, white, text);
        const auto pixels = window.readPixels();
        const PixelView view{pixels, window.width};
        int wrong = 0;
        for (int y = 0; y < window.height; ++y)
            for (int x = 0; x < window.width; ++x)
                wrong += (view.brightness(x, y) == 765) != (expected[y * window.width + x] == 1);
        EXPECT_EQ(wrong, 0);
    }
}
