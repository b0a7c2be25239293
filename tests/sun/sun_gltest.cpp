#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cmath>

#include "gfx/GlTestWindow.h"
#include "world/sun/SceneDate.h"
#include "world/observer/Observer.h"
#include "world/sun/Sun.h"
#include "world/terrain/Terrain.h"

namespace {

constexpr double fieldOfView = 24.0;
constexpr int size = 300;
constexpr int middle = size / 2;
constexpr double pi = 3.14159265358979;
// Near the middle of the view, degrees of arc to pixels.
const double pixelsPerDegree = middle / std::tan(fieldOfView * 0.5 * pi / 180.0) * pi / 180.0;

// Looks from the origin straight at the sun with a narrow field of view.
void lookAtSun(const GlTestWindow& window, const Sun& sun) {
    glViewport(0, 0, window.width, window.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, static_cast<double>(window.width) / window.height, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float sx = sun.s1() * sun.s3(), sy = sun.s1() * sun.s2(), sz = sun.s0();
    // Any up vector not along the sun direction will do.
    gluLookAt(0, 0, 0, sx, sy, sz, 0, 0, std::fabs(sz) > 0.9f ? 0 : 1);
    glClearColor(0, 0, 0, 1);
    glClearDepth(0.0); // everything in front: the glow must ignore depth
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
}

} // namespace

TEST(SunGlow, IsAnAdditiveDiscCentredOnTheSunDirection) {
    GlTestWindow window(size, size);
    Sun sun;
    SceneDate date;
    date.set(21, 6, 2001, 15, 0);
    sun.place(SunSite{}, date);
    lookAtSun(window, sun);
    Terrain none;
    sun.draw(Observer(none, nullptr)); // an eye at the origin

    const auto pixels = window.readPixels();
    PixelView view{pixels, window.width};

    // Core plus halo at the centre: (0.6 + 0.25, 0.5 + 0.1, 0).
    const std::uint8_t* centre = view.at(middle, middle);
    EXPECT_NEAR(centre[0], 0.85 * 255, 12);
    EXPECT_NEAR(centre[1], 0.60 * 255, 12);
    EXPECT_LE(centre[2], 4);

    // The halo spans about 5.7 degrees, the core about 1.1: 3 degrees out is
    // only halo, dimmer and redder than the centre; 10 degrees out is sky.
    const int haloOnly = middle + static_cast<int>(3.0 * pixelsPerDegree);
    const std::uint8_t* halo = view.at(haloOnly, middle);
    EXPECT_GT(halo[0], 5);
    EXPECT_LT(halo[0], centre[0] / 2);
    EXPECT_GT(halo[0], halo[1]);
    EXPECT_EQ(view.brightness(middle + static_cast<int>(10.0 * pixelsPerDegree), middle), 0);

    // The state the world pass relies on is put back.
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}
