#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx/GlTestWindow.h"
#include "gfx/ResourceTextureCache.h"
#include "gfx/Texture.h"

namespace {
// Draws the texture over (x, y, w, h) as a widget panel does: the picture's first row
// (t = 0) at the top.
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
    EXPECT_GT(view.brightness(32 + 128, 64 + 62), view.brightness(32 + 128, 65))
        << "a raised button: light upper edge, dark lower edge";
    EXPECT_EQ(view.brightness(10, 10), 0) << "nothing outside the panel";

    const std::vector<std::uint8_t> before = pixels;
    cache.ReleaseAll();
    EXPECT_FALSE(button->IsCreated());
    EXPECT_TRUE(button->Picture().HasPixels()) << "the picture survives the release";
    window.recreate();
    cache.RestoreAll();
    EXPECT_EQ(cache.Get(412), button);
    window.begin2D();
    EXPECT_EQ(drawPanel(window, *button, 32, 64, 256, 64), before);

    Texture texture;
    const Image grey(2, 2, {200, 200, 200, 200}, 1), greyAlpha(1, 1, {100, 255}, 2);
    for (const Image* image : {&grey, &greyAlpha}) {
        ASSERT_TRUE(texture.SetImage(image));
        window.begin2D();
        pixels = drawPanel(window, texture, 0, 0, 64, 64);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(view.at(32, 32)[c], image->Pixels()[0], 2) << "grey uploads as luminance";
    }
    const Image empty;
    EXPECT_FALSE(texture.SetImage(nullptr) || texture.SetImage(&empty));
    EXPECT_TRUE(texture.IsCreated()) << "a refused picture leaves the texture as it was";

    Texture* tree = cache.Get(404);
    tree->Picture().AddAlpha(AlphaBlackClear, 0);
    ASSERT_TRUE(tree->Upload());
    window.begin2D(1, 0, 0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    pixels = drawPanel(window, *tree, 0, 0, 240, 240);
    EXPECT_EQ(view.at(2, 234)[0] * 1000 + view.at(2, 234)[1], 255000)
        << "the black corner is clear";
    const std::uint8_t* trunk = view.at(120, 2); // ground level: bottom of the window
    EXPECT_FALSE(trunk[0] == 255 && trunk[1] == 0) << "the trunk hides the background";
}
