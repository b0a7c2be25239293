#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <numbers>

#include "gfx/GlTestWindow.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/wind/LiftMap.h"
#include "world/wind/WindField.h"

namespace {

// Red minus blue of a pixel, origin bottom-left.
int warmth(const std::vector<std::uint8_t>& pixels, int width, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return static_cast<int>(pixels[at]) - static_cast<int>(pixels[at + 2]);
}

} // namespace

// A slope the wind blows straight up lifts everywhere: what is drawn while the
// map is bound turns red, and the colour bar runs from blue up to red.
TEST(LiftMapGl, TintsTheGroundWhileBoundAndDrawsItsColourBar) {
    GlTestWindow window{200, 200};
    Terrain terrain;
    synthetic::LandShape shape;
    shape.depth = 6;
    shape.height = [](float x, float) { return 0.2f * x; };
    ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    WindField field{terrain}; // the default grid
    field.setWind(-std::numbers::pi_v<float> / 2.0f, 10.0f);
    ASSERT_TRUE(field.compute());
    LiftMap map;
    map.setHeight(40.0f);
    map.follow(field, terrain);

    window.begin2D();
    glScalef(0.2f, 0.2f, 1.0f); // the land over the window, 5 m a pixel
    map.bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRectf(0.0f, 0.0f, 1000.0f, 1000.0f);
    map.unbind();
    auto pixels = window.readPixels();
    EXPECT_GT(warmth(pixels, 200, 100, 100), 60) << "lift shows red over what is drawn";

    glClear(GL_COLOR_BUFFER_BIT);
    map.drawLegend(200, 200, nullptr);
    pixels = window.readPixels();
    // The bar stands 80 px from the right edge, 160 px high, centred.
    EXPECT_GT(warmth(pixels, 200, 128, 175), 60) << "+3 m/s at the top";
    EXPECT_LT(warmth(pixels, 200, 128, 25), -60) << "-3 m/s at the bottom";
    EXPECT_NEAR(warmth(pixels, 200, 128, 100), 0, 25) << "about 0 in the middle";
}
