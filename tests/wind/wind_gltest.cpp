#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "gfx/GlTestWindow.h"
#include "wind/SyntheticLand.h"
#include "world/wind/LiftMap.h"
#include "world/wind/WindField.h"

namespace {

// Looks down on the whole 1 km land from above its centre.
void lookDown(const GlTestWindow& window) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-20, 1020, -20, 1020, -2000, 3000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, window.width, window.height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
}

// Pixels clearly blue and clearly red in the columns [left, right).
std::pair<int, int> blueAndRed(const std::vector<std::uint8_t>& pixels, int left, int right) {
    int blue = 0, red = 0;
    for (std::size_t p = 0; p < pixels.size(); p += 3) {
        const int x = static_cast<int>(p / 3) % 200;
        if (x < left || x >= right) continue;
        blue += pixels[p + 2] > 60 && pixels[p + 2] > pixels[p];
        red += pixels[p] > 60 && pixels[p] > pixels[p + 2];
    }
    return {blue, red};
}

// Red minus blue of a pixel, origin bottom-left.
int warmth(const std::vector<std::uint8_t>& pixels, int x, int y) {
    return pixels[(y * 200 + x) * 3] - pixels[(y * 200 + x) * 3 + 2];
}

} // namespace

// A slope the wind blows straight up lifts everywhere.
TEST(WindGl, ArrowsAndTheLiftMapShowTheFieldInsideTheView) {
    GlTestWindow window{200, 200};
    Terrain terrain;
    synthetic::LandShape shape;
    shape.depth = 6;
    shape.height = [](float x, float) { return 0.2f * x; };
    ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    WindField field{terrain};
    field.setGrid(10, 20);
    field.setWind(-std::numbers::pi_v<float> / 2.0f, 10.0f);
    ASSERT_TRUE(field.compute());
    const WindField::Plane all{0, 0, 0, 1}, eastHalf{1, 0, 0, -500}, none{0, 0, 0, 0},
        north{0, 1, 0, -500};
    const struct {
        const WindField::Plane &left, &right;
        int westLit, eastLit; // at least that many in the east, exactly that many in the west
    } views[] = {
        {all, all, 20, 20}, {all, north, 20, 20}, {eastHalf, all, 0, 20}, {all, none, 0, 0}};
    glEnable(GL_TEXTURE_2D); // drawing arrows leaves it as it found it
    for (const auto& v : views) {
        lookDown(window);
        field.draw(v.left, v.right, 3.0f);
        const auto pixels = window.readPixels();
        const auto west = blueAndRed(pixels, 0, 90), east = blueAndRed(pixels, 110, 200);
        EXPECT_EQ(std::min(west.first, 20) + std::min(west.second, 20), 2 * v.westLit);
        EXPECT_GE(std::min(east.first, east.second), v.eastLit) << "blue feet and red heads";
        EXPECT_TRUE(v.eastLit > 0 || east.first + east.second == 0);
    }
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    LiftMap map;
    map.setHeight(40.0f);
    map.follow(field, terrain);
    window.begin2D();
    glScalef(0.2f, 0.2f, 1.0f); // the land over the window, 5 m a pixel
    map.bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRectf(0.0f, 0.0f, 1000.0f, 1000.0f);
    map.unbind();
    EXPECT_GT(warmth(window.readPixels(), 100, 100), 60) << "lift shows red while bound";
    glClear(GL_COLOR_BUFFER_BIT);
    map.drawLegend(200, 200, nullptr);
    auto pixels = window.readPixels();
    // The bar stands 80 px from the right edge, 160 px high, centred.
    EXPECT_GT(warmth(pixels, 128, 175), 60) << "+3 m/s at the top";
    EXPECT_LT(warmth(pixels, 128, 25), -60) << "-3 m/s at the bottom";
}
