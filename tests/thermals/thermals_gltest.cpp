#include <gtest/gtest.h>

#include <GL/glu.h>

#include "gfx/GlTestWindow.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/thermals/Thermal.h"
#include "world/thermals/Thermals.h"
#include "world/wind/WindField.h"

// Seen from above, a column born at (500, 500) is a ring of its radius: red
// when rising, blue when sinking. The rings live in display lists made at the
// first draw and released and rebuilt with the context.
TEST(ThermalCircles, ColumnsAreRedOrBlueRingsInDisplayListsThatFollowTheContext) {
    GlTestWindow window{200, 200};
    Terrain terrain;
    synthetic::LandShape shape;
    shape.depth = 4;
    ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    WindField wind{terrain};
    wind.compute();
    const auto look = [&window](double half) {
        glViewport(0, 0, window.width, window.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-half, half, -half, half, 1, 5000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(500, 500, 2000, 500, 500, 0, 0, 1, 0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    };
    for (float speed : {10.0f, -5.0f}) {
        Thermal thermal({500.0f, 500.0f, 2.0f, 40.0f, speed, 200.0f, 1000.0f}, terrain, wind);
        look(60);
        thermal.draw();
        const auto pixels = window.readPixels();
        int lit[3] = {0, 0, 0};
        for (std::size_t p = 0; p < pixels.size(); ++p)
            lit[p % 3] += pixels[p] > 100;
        EXPECT_GT(lit[speed > 0 ? 0 : 2], 50) << "rising red, sinking blue";
        EXPECT_EQ(lit[speed > 0 ? 2 : 0], 0);
        // An octagon of radius 40 m around the centre: its rim, not its middle.
        const PixelView view{pixels, window.width};
        EXPECT_EQ(view.brightness(100, 100), 0);
        EXPECT_GT(view.countLit(160, 90, 175, 110, 100), 0);
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
    look(600); // the whole land, with a black picture bound, as the world pass may leave it
    GLuint black = 0;
    const std::uint8_t texel[3] = {0, 0, 0};
    glGenTextures(1, &black);
    glBindTexture(GL_TEXTURE_2D, black);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    thermals.draw();
    lists(true);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "the world pass draws textured again";
    const auto pixels = window.readPixels();
    EXPECT_GT(PixelView({pixels, window.width}).countLit(0, 0, 200, 200, 100), 0)
        << "the rings are drawn untextured";
    glDeleteTextures(1, &black);
    const GLuint old = thermals.list().front()->displayList();
    thermals.releaseDisplayLists();
    EXPECT_FALSE(glIsList(old));
    lists(false);
    window.recreate();
    thermals.rebuildDisplayLists();
    lists(true);
}
