#include <gtest/gtest.h>

#include <GL/glu.h>

#include "gfx/GlTestWindow.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/thermals/Thermal.h"
#include "world/thermals/Thermals.h"
#include "world/wind/WindField.h"

namespace {

// Looks at the thermal column born at (500, 500): down from above, or from the side.
void look(const GlTestWindow& window, bool fromTheSide) {
    glViewport(0, 0, window.width, window.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (fromTheSide)
        glOrtho(-150, 150, -30, 270, 1, 5000);
    else
        glOrtho(-60, 60, -60, 60, 1, 5000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (fromTheSide)
        gluLookAt(500, -1000, 0, 500, 500, 0, 0, 0, 1);
    else
        gluLookAt(500, 500, 2000, 500, 500, 0, 0, 1, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
}

int countColour(const std::vector<std::uint8_t>& pixels, int channel) {
    int n = 0;
    for (std::size_t p = 0; p < pixels.size(); p += 3)
        n += pixels[p + channel] > 100;
    return n;
}

} // namespace

TEST(ThermalCircles, ColumnsAreRedOrBlueRingStacksInDisplayListsThatFollowTheContext) {
    GlTestWindow window{200, 200};
    Terrain terrain;
    synthetic::LandShape shape;
    shape.depth = 4;
    ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    WindField wind{terrain};
    wind.compute();
    for (float speed : {10.0f, -5.0f}) {
        Thermal thermal({500.0f, 500.0f, 2.0f, 40.0f, speed, 200.0f, 1000.0f}, terrain, wind);
        look(window, false);
        thermal.draw();
        auto pixels = window.readPixels();
        EXPECT_GT(countColour(pixels, speed > 0 ? 0 : 2), 50) << "rising red, sinking blue";
        EXPECT_EQ(countColour(pixels, speed > 0 ? 2 : 0), 0);
        // An octagon of radius 40 m around the centre: its rim, not its middle.
        PixelView view{pixels, window.width};
        EXPECT_EQ(view.brightness(100, 100), 0);
        EXPECT_GT(view.countLit(160, 90, 175, 110, 100), 0);
        if (speed < 0) break;
        while (thermal.growing())
            thermal.update(1.0);
        ASSERT_GE(thermal.headIndex(), 5);
        look(window, true); // seen from the side: one ring per point
        thermal.draw();
        pixels = window.readPixels();
        int rings = 0;
        bool previous = false;
        for (int y = 0; y < window.height; ++y) {
            const bool lit = view.countLit(0, y, window.width, y + 1, 100) > 10;
            rings += lit && !previous;
            previous = lit;
        }
        EXPECT_EQ(rings, thermal.headIndex() - thermal.tailIndex() + 1);
    }

    Thermals thermals(terrain, wind);
    thermals.setMaxCount(3);
    thermals.random().seed(3);
    thermals.update(0.0);
    const auto lists = [&](bool made) {
        for (const auto& t : thermals.list())
            EXPECT_EQ(t->displayList() != 0 && glIsList(t->displayList()), made);
    };
    lists(false);
    look(window, false);
    thermals.draw();
    lists(true);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    const GLuint old = thermals.list().front()->displayList();
    thermals.releaseDisplayLists();
    EXPECT_FALSE(glIsList(old));
    lists(false);
    window.recreate();
    thermals.rebuildDisplayLists();
    lists(true);
}
