#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx/GlTestWindow.h"
#include "gfx/ResourceTextureCache.h"
#include "gfx/Texture.h"
#include "app/CursorSprite.h"

namespace {

// Draws the texture over (x, y, w, h) as a widget panel does: the picture's
// first row (t = 0) at the top.
void drawPanel(const Texture& texture, int x, int y, int w, int h) {
    glEnable(GL_TEXTURE_2D);
    texture.Bind();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2i(x, y);
    glTexCoord2f(0, 0);
    glVertex2i(x, y + h);
    glTexCoord2f(1, 0);
    glVertex2i(x + w, y + h);
    glTexCoord2f(1, 1);
    glVertex2i(x + w, y);
    glEnd();
}

void expectNear(const std::uint8_t* drawn, const Image& image, int column, int row,
                const char* what) {
    const std::uint8_t* p =
        image.Pixels() + (std::size_t(row) * image.Width() + column) * image.BytesPerPixel();
    for (int c = 0; c < 3; ++c)
        EXPECT_LE(std::abs(drawn[c] - p[c]), 6) << what << " channel " << c;
}

} // namespace

TEST(TextureDrawing, PicturesShowTheRightWayUpInTheirFormatAndComeBackAfterANewContext) {
    GlTestWindow window(320, 240);
    ResourceTextureCache cache;
    Texture* button = cache.Get(412);
    ASSERT_TRUE(button->IsCreated());
    window.begin2D();
    drawPanel(*button, 32, 64, 256, 64); // at its own size, texel for texel
    auto pixels = window.readPixels();
    PixelView view{pixels, window.width};
    const Image& picture = button->Picture();
    expectNear(view.at(32 + 128, 64 + 32), picture, 128, 31, "middle");
    // Screen row y + h - 1 - r shows picture row r.
    expectNear(view.at(32 + 100, 64 + 63 - 5), picture, 100, 5, "near the top");
    expectNear(view.at(32 + 100, 64 + 5), picture, 100, 58, "near the bottom");
    EXPECT_GT(view.brightness(32 + 128, 64 + 62), view.brightness(32 + 128, 65))
        << "a raised button: light upper edge, dark lower edge";
    EXPECT_EQ(view.brightness(10, 10), 0) << "nothing outside the panel";

    const std::vector<std::uint8_t> before = pixels;
    cache.ReleaseAll();
    EXPECT_FALSE(button->IsCreated());
    EXPECT_TRUE(button->Picture().HasPixels()) << "the picture survives the release";
    window.recreate();
    cache.RestoreAll();
    EXPECT_TRUE(button->IsCreated());
    EXPECT_EQ(cache.Get(412), button);
    window.begin2D();
    drawPanel(*button, 32, 64, 256, 64);
    EXPECT_EQ(window.readPixels(), before);

    Texture texture;
    const Image grey(2, 2, {200, 200, 200, 200}, 1), greyAlpha(1, 1, {100, 255}, 2);
    for (const Image* image : {&grey, &greyAlpha}) {
        ASSERT_TRUE(texture.SetImage(image));
        window.begin2D();
        drawPanel(texture, 0, 0, 64, 64);
        pixels = window.readPixels();
        EXPECT_NEAR(view.at(32, 32)[1], image->Pixels()[0], 2) << "grey uploads as luminance";
        EXPECT_NEAR(view.at(32, 32)[2], image->Pixels()[0], 2);
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
    drawPanel(*tree, 0, 0, 240, 240);
    pixels = window.readPixels();
    EXPECT_EQ(view.at(2, 234)[0], 255) << "the black corner shows the red behind";
    EXPECT_EQ(view.at(2, 234)[1], 0);
    const std::uint8_t* trunk = view.at(120, 2); // ground level: bottom of the window
    EXPECT_FALSE(trunk[0] == 255 && trunk[1] == 0) << "the trunk hides the background";
}

// The application's pointer: picture 199 with its hot spot at the top-left
// corner, so the arrow hangs down and to the right of the pointer position.
TEST(TextureDrawing, PointerTipSitsAtThePointerPosition) {
    GlTestWindow window(200, 200);
    ResourceTextureCache cache;
    CursorSprite cursor;
    cursor.setTexture(cache.Get(199));
    window.begin2D();
    cursor.draw(100, 120, window.width, window.height);
    const auto pixels = window.readPixels();
    const PixelView view{pixels, window.width};
    EXPECT_GT(view.brightness(100, 119), 300) << "the tip is at the pointer";
    EXPECT_EQ(view.countLit(0, 121, 200, 200, 30), 0) << "nothing above the pointer";
    EXPECT_EQ(view.countLit(0, 0, 99, 200, 30), 0) << "nothing left of the pointer";
    EXPECT_GT(view.countLit(100, 104, 116, 120), 30) << "the arrow hangs below and right";
}
