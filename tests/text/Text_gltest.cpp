#include <gtest/gtest.h>

#include <string>

#include "gfx/GlTestWindow.h"
#include "ui/text/Font.h"

namespace {

const float White[3] = {1, 1, 1};

class TextDrawing : public ::testing::Test {
  protected:
    GlTestWindow window{320, 240};
    FontCache fonts;
    PixelView view(const std::vector<std::uint8_t>& pixels) const { return {pixels, window.width}; }
};

struct Bounds {
    int left = 1 << 30, right = -1, bottom = 1 << 30, top = -1, count = 0;
};

Bounds litBounds(const PixelView& view, int width, int height) {
    Bounds b;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (view.brightness(x, y) > 300) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.bottom = std::min(b.bottom, y);
                b.top = std::max(b.top, y);
                ++b.count;
            }
    return b;
}

} // namespace

TEST_F(TextDrawing, TextAppearsOnItsBaselineWithinItsExtent) {
    Font* font = fonts.get("Arial", 24, true, false);
    ASSERT_NE(font->glyphTexture(), 0u);
    window.begin2D();
    drawText(font, 20, 100, White, "Ventrix %d.%d", 2, 0);
    const auto pixels = window.readPixels();
    const Bounds b = litBounds(view(pixels), window.width, window.height);
    const TextSize extent = font->textExtent("Ventrix 2.0");
    ASSERT_GT(b.count, 100) << "the text must be drawn";
    EXPECT_GE(b.left, 20);
    EXPECT_LE(b.right, 20 + extent.width);
    EXPECT_GT(b.right - b.left, extent.width * 3 / 4) << "the whole string is drawn";
    EXPECT_GE(b.bottom, 100) << "no descender in this text";
    EXPECT_LE(b.top, 100 + extent.height);
    EXPECT_GT(b.top, 110);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing is left on";
}

TEST_F(TextDrawing, ColourArgumentWinsAndLeavesTheFontColour) {
    Font* font = fonts.get("Arial", 24, false, false);
    const float red[3] = {1, 0, 0};
    window.begin2D();
    drawText(font, 10, 50, red, "%s", "Wind");
    auto pixels = window.readPixels();
    const PixelView v = view(pixels);
    int reddish = 0, other = 0;
    for (int y = 40; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            if (v.brightness(x, y) > 0)
                (v.at(x, y)[0] > 200 && v.at(x, y)[1] < 30 ? reddish : other)++;
    EXPECT_GT(reddish, 50);
    EXPECT_EQ(other, 0);
    EXPECT_FLOAT_EQ(font->colour[1], 1.0f) << "the font's own colour is unchanged";

    font->colour[0] = 0;
    font->colour[2] = 0;
    window.begin2D();
    drawText(font, 10, 50, nullptr, "%s", "Wind");
    pixels = window.readPixels();
    const PixelView own = view(pixels);
    int green = 0;
    for (int y = 40; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            green += own.at(x, y)[1] > 200 && own.at(x, y)[0] < 30;
    EXPECT_GT(green, 50) << "no colour given: the font's colour";
}

TEST_F(TextDrawing, VerbatimTextKeepsPercentSignsAndByte255DrawsNothing) {
    Font* font = fonts.get("Courier New", 14, false, false);
    auto litCount = [&](const char* text) {
        window.begin2D();
        drawString(font, 10, 20, White, text);
        const auto pixels = window.readPixels();
        return litBounds(view(pixels), window.width, window.height).count;
    };
    EXPECT_EQ(litCount("\xFF"), 0);
    EXPECT_EQ(litCount("A\xFF"), litCount("A"));
    EXPECT_GT(litCount("100%"), litCount("100")) << "the percent sign is drawn";
    EXPECT_GT(litCount("\xB0"), 0) << "the degree sign has a glyph";
    // Control characters draw nothing and do not advance, so a long run of
    // them keeps the pen at the start: what follows shows only if it fits.
    const std::string filler(DrawTextBufferSize - 2, '\x01');
    window.begin2D();
    drawText(font, 10, 20, White, "%sX", filler.c_str());
    auto pixels = window.readPixels();
    EXPECT_GT(litBounds(view(pixels), window.width, window.height).count, 0)
        << "the last character that fits the buffer is drawn";
    window.begin2D();
    drawText(font, 10, 20, White, "%s\x01X", filler.c_str());
    pixels = window.readPixels();
    EXPECT_EQ(litBounds(view(pixels), window.width, window.height).count, 0)
        << "text beyond the buffer is cut";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextDrawing, FontsDrawAgainAfterTheContextIsRecreated) {
    Font* font = fonts.get("Arial", 18, false, false);
    window.begin2D();
    drawText(font, 10, 100, White, "%s", "Load completed");
    auto pixels = window.readPixels();
    const int before = litBounds(view(pixels), window.width, window.height).count;
    ASSERT_GT(before, 50);

    fonts.deleteAllLists();
    window.recreate();
    fonts.rebuildAllLists();
    EXPECT_EQ(fonts.get("Arial", 18, false, false), font) << "the same font object";
    window.begin2D();
    drawText(font, 10, 100, White, "%s", "Load completed");
    pixels = window.readPixels();
    EXPECT_EQ(litBounds(view(pixels), window.width, window.height).count, before);
}
