#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx/GlTestWindow.h"
#include "gfx/ResourceTextureCache.h"
#include "gfx/Texture.h"

namespace {
// Draws the texture over (x, y, w, h) as a widget panel does: the picture's first row on top.
std::vector<std::uint8_t> drawPanel(const GlTestWindow& window, const Texture& texture, int x,
                                    int y, int w, int h) {
    glEnable(GL_TEXTURE_2D);
    texture.Bind();
    glBegin(GL_QUADS);
    for (const auto& [s, t, dx, dy] :
         {std::tuple{0, 1, 0, 0}, {0, 0, 0, h}, {1, 0, w, h}, {1, 1, w, 0}}) {
        glTexCoord2f(float(s), float(t));
        glVertex2i(x + dx, y + dy);
    }
    glEnd();
    return window.readPixels();
}
} // namespace

// Pictures show the right way up, texel for texel, in their own format, with their alpha,
// and come back the same after the context is made anew.
TEST(TextureDrawing, PicturesShowTheRightWayUpInTheirFormatAndComeBackAfterANewContext) {
    GlTestWindow window(320, 240);
    ResourceTextureCache cache;
    Texture* button = cache.Get(412);
    ASSERT_TRUE(button->IsCreated());
    window.begin2D();
    auto pixels = drawPanel(window, *button, 32, 64, 256, 64);
    PixelView view{pixels, window.width};
    const Image& picture = button->Picture();
    // Screen row y + h - 1 - r shows picture row r.
    for (const auto& [column, row] : {std::pair{128, 31}, {100, 5}, {100, 58}}) {
        const std::uint8_t* p =
            picture.Pixels() + (row * picture.Width() + column) * picture.BytesPerPixel();
        for (int c = 0; c < 3; ++c)
            EXPECT_LE(std::abs(view.at(32 + column, 64 + 63 - row)[c] - p[c]), 6) << row;
    }

    const std::vector<std::uint8_t> before = pixels;
    cache.ReleaseAll();
    EXPECT_FALSE(button->IsCreated());
    EXPECT_TRUE(button->Picture().HasPixels()) << "the picture survives the release";
    window.recreate();
    cache.RestoreAll();
    EXPECT_EQ(cache.Get(412), button);
    window.begin2D();
    EXPECT_EQ(drawPanel(window, *button, 32, 64, 256, 64), before);

    Texture texture; // a picture set again replaces the first; one taller than wide uploads
    const Image light(1, 2, {200, 200}, 1), dark(1, 2, {60, 60}, 1), empty;
    ASSERT_TRUE(texture.SetImage(&light) && texture.SetImage(&dark) && texture.Upload());
    window.begin2D();
    pixels = drawPanel(window, texture, 0, 0, 64, 64);
    EXPECT_NEAR(view.at(32, 32)[0], 60, 2) << "grey uploads as luminance";
    EXPECT_FALSE(texture.SetImage(nullptr) || texture.SetImage(&empty));
}
