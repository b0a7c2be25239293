#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cmath>
#include <numbers>

#include "gfx/GlTestWindow.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/wind/LiftMap.h"
#include "world/wind/WindField.h"

namespace {

// Looks down on the whole 1 km land from above its centre.
void lookDown(const GlTestWindow& window) {
    glViewport(0, 0, window.width, window.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-520, 520, -520, 520, 1, 5000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(500, 500, 2000, 500, 500, 0, 0, 1, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
}

// Pixels clearly blue and clearly red in [left, right) x [0, top).
std::pair<int, int> blueAndRed(const std::vector<std::uint8_t>& pixels, int width, int left = 0,
                               int right = 200) {
    int blue = 0, red = 0;
    for (std::size_t p = 0; p < pixels.size(); p += 3) {
        const int x = static_cast<int>(p / 3) % width;
        if (x < left || x >= right) continue;
        blue += pixels[p + 2] > 60 && pixels[p + 2] > pixels[p];
        red += pixels[p] > 60 && pixels[p] > pixels[p + 2];
    }
    return {blue, red};
}

// Red minus blue of a pixel, origin bottom-left.
int warmth(const std::vector<std::uint8_t>& pixels, int width, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return static_cast<int>(pixels[at]) - static_cast<int>(pixels[at + 2]);
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
    const WindField::Plane everything{0.0f, 0.0f, 0.0f, 1.0f};
    const WindField::Plane eastHalf{1.0f, 0.0f, 0.0f, -500.0f}; // x >= 500 only
    const WindField::Plane nowhere{0.0f, 0.0f, 0.0f, 0.0f};     // no point strictly inside

    lookDown(window);
    glEnable(GL_TEXTURE_2D);
    field.draw(everything, everything, 3.0f);
    auto [blue, red] = blueAndRed(window.readPixels(), 200);
    EXPECT_GT(blue, 20) << "arrows run from a blue foot";
    EXPECT_GT(red, 20) << "to a red head";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    const struct {
        const char* name;
        const WindField::Plane &left, &right;
        int westLit, eastLit;
    } culls[] = {{"left plane", eastHalf, everything, 0, 20},
                 {"right plane", everything, nowhere, 0, 0}};
    for (const auto& c : culls) {
        lookDown(window);
        field.draw(c.left, c.right, 3.0f);
        const auto pixels = window.readPixels();
        const auto west = blueAndRed(pixels, 200, 0, 90), east = blueAndRed(pixels, 200, 110, 200);
        EXPECT_EQ(west.first + west.second, c.westLit) << c.name;
        EXPECT_GE(east.first + east.second, c.eastLit) << c.name;
        if (c.eastLit == 0) {
            EXPECT_EQ(east.first + east.second, 0) << c.name;
        }
    }

    LiftMap map;
    map.setHeight(40.0f);
    map.follow(field, terrain);
    window.begin2D();
    glScalef(0.2f, 0.2f, 1.0f); // the land over the window, 5 m a pixel
    map.bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRectf(0.0f, 0.0f, 1000.0f, 1000.0f);
    map.unbind();
    EXPECT_GT(warmth(window.readPixels(), 200, 100, 100), 60) << "lift shows red while bound";
    glClear(GL_COLOR_BUFFER_BIT);
    map.drawLegend(200, 200, nullptr);
    auto pixels = window.readPixels();
    // The bar stands 80 px from the right edge, 160 px high, centred.
    EXPECT_GT(warmth(pixels, 200, 128, 175), 60) << "+3 m/s at the top";
    EXPECT_LT(warmth(pixels, 200, 128, 25), -60) << "-3 m/s at the bottom";
    EXPECT_NEAR(warmth(pixels, 200, 128, 100), 0, 25) << "about 0 in the middle";

    field.setWind(0.0f, 0.0f);
    field.compute();
    lookDown(window);
    field.draw(everything, everything, 3.0f);
    std::tie(blue, red) = blueAndRed(window.readPixels(), 200);
    EXPECT_EQ(blue + red, 0) << "no wind draws nothing";
}
