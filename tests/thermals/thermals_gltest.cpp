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
    const auto look = [&window](double half, double eyeY = 500) { // from above or the south
        glViewport(0, 0, window.width, window.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-half, half, -half, half, 1, 5000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(500, eyeY, eyeY == 500 ? 2000 : 100, 500, 500, 100, 0, eyeY == 500, eyeY != 500);
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
        EXPECT_GT(view.countLit(155, 122, 159, 126, 100), 0) << "an edge's middle at 22.5 degrees";
    }
    // Grown and seen from the side: one ring, a lit row, per point of the column.
    Thermal grown({500.0f, 500.0f, 2.0f, 40.0f, 10.0f, 150.0f, 1000.0f}, terrain, wind);
    while (grown.growing())
        grown.update(1.0);
    look(100, -1000);
    grown.draw();
    const auto side = window.readPixels();
    int rings = 0;
    for (int y = 1; y < window.height; ++y)
        rings += PixelView{side, window.width}.countLit(0, y, 200, y + 1, 100) > 10 &&
                 PixelView{side, window.width}.countLit(0, y - 1, 200, y, 100) <= 10;
    EXPECT_EQ(rings, grown.headIndex() + 1);

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
