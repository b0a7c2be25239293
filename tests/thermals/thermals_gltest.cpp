#include <gtest/gtest.h>

#include <GL/glu.h>

#include "gfx/GlTestWindow.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/thermals/Thermal.h"
#include "world/thermals/Thermals.h"
#include "world/wind/WindField.h"

namespace {

// Looks down on the thermal column born at (500, 500).
void lookDown(const GlTestWindow& window) {
    glViewport(0, 0, window.width, window.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-60, 60, -60, 60, 1, 5000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(500, 500, 2000, 500, 500, 0, 0, 1, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
}

class ThermalCircles : public ::testing::Test {
  protected:
    void SetUp() override {
        synthetic::LandShape shape;
        shape.depth = 4;
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));
        wind.compute();
    }
    Thermal::Birth birth(float speed) const {
        Thermal::Birth b;
        b.x = b.y = 500.0f;
        b.foot = 2.0f;
        b.radius = 40.0f;
        b.speed = speed;
        b.height = 200.0f;
        b.lifetime = 1000.0f;
        return b;
    }
    GlTestWindow window{200, 200};
    Terrain terrain;
    WindField wind{terrain};
};

int countColour(const std::vector<std::uint8_t>& pixels, int channel) {
    int n = 0;
    for (std::size_t p = 0; p < pixels.size(); p += 3)
        n += pixels[p + channel] > 100;
    return n;
}

} // namespace

TEST_F(ThermalCircles, RisingAirIsRedAndSinkingAirBlue) {
    Thermal up(birth(5.0f), terrain, wind);
    lookDown(window);
    up.draw();
    auto pixels = window.readPixels();
    EXPECT_GT(countColour(pixels, 0), 50);
    EXPECT_EQ(countColour(pixels, 2), 0);
    // An octagon of radius 40 m around the centre: its rim, not its middle.
    PixelView view{pixels, window.width};
    EXPECT_EQ(view.brightness(100, 100), 0);
    EXPECT_GT(view.countLit(160, 90, 175, 110, 100), 0);

    Thermal down(birth(-5.0f), terrain, wind);
    lookDown(window);
    down.draw();
    pixels = window.readPixels();
    EXPECT_GT(countColour(pixels, 2), 50);
    EXPECT_EQ(countColour(pixels, 0), 0);
}

TEST_F(ThermalCircles, DisplayListsFollowTheContext) {
    Thermals thermals(terrain, wind);
    thermals.setMaxCount(3);
    thermals.random().seed(3);
    thermals.update(0.0);
    for (const auto& t : thermals.list())
        EXPECT_EQ(t->displayList(), 0u) << "none before a draw";

    lookDown(window);
    thermals.draw();
    for (const auto& t : thermals.list())
        EXPECT_TRUE(glIsList(t->displayList()));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    const GLuint old = thermals.list().front()->displayList();
    thermals.releaseDisplayLists();
    EXPECT_FALSE(glIsList(old));
    for (const auto& t : thermals.list())
        EXPECT_EQ(t->displayList(), 0u);

    window.recreate();
    thermals.rebuildDisplayLists();
    for (const auto& t : thermals.list())
        EXPECT_TRUE(glIsList(t->displayList()));
}

TEST_F(ThermalCircles, AColumnIsAStackOfCirclesUpToItsHead) {
    Thermal up(birth(10.0f), terrain, wind);
    while (up.growing())
        up.update(1.0);
    ASSERT_GE(up.headIndex(), 5);
    // Seen from the side the column shows one ring per point.
    glViewport(0, 0, window.width, window.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-150, 150, -30, 270, 1, 5000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(500, -1000, 0, 500, 500, 0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    up.draw();
    const auto pixels = window.readPixels();
    PixelView view{pixels, window.width};
    int rows = 0;
    bool previous = false;
    for (int y = 0; y < window.height; ++y) {
        const bool lit = view.countLit(0, y, window.width, y + 1, 100) > 10;
        rows += lit && !previous;
        previous = lit;
    }
    EXPECT_EQ(rows, up.headIndex() - up.tailIndex() + 1);
}
