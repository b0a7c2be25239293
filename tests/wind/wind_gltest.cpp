#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cmath>
#include <numbers>

#include "gfx/GlTestWindow.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
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

struct Colours {
    int blue = 0, red = 0;
};

Colours count(const std::vector<std::uint8_t>& pixels) {
    Colours c;
    for (std::size_t p = 0; p < pixels.size(); p += 3) {
        c.blue += pixels[p + 2] > 60 && pixels[p + 2] > pixels[p];
        c.red += pixels[p] > 60 && pixels[p] > pixels[p + 2];
    }
    return c;
}

class WindArrows : public ::testing::Test {
  protected:
    void SetUp() override {
        synthetic::LandShape shape;
        shape.depth = 6;
        shape.height = [](float x, float) { return 0.2f * x; };
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));
        field.setGrid(10, 20);
        field.setWind(-std::numbers::pi_v<float> / 2.0f, 10.0f);
        ASSERT_TRUE(field.compute());
    }
    GlTestWindow window{200, 200};
    Terrain terrain;
    WindField field{terrain};
    const WindField::Plane everything{0.0f, 0.0f, 0.0f, 1.0f};
};

} // namespace

TEST_F(WindArrows, RunFromABlueFootToARedHeadInsideTheView) {
    lookDown(window);
    glEnable(GL_TEXTURE_2D);
    field.draw(everything, everything, 3.0f);
    const Colours seen = count(window.readPixels());
    EXPECT_GT(seen.blue, 20);
    EXPECT_GT(seen.red, 20);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(WindArrows, AreCulledByEitherSidePlane) {
    // x >= 500 only: the left plane keeps the east half of the land.
    const WindField::Plane eastHalf{1.0f, 0.0f, 0.0f, -500.0f};
    lookDown(window);
    field.draw(eastHalf, everything, 3.0f);
    const auto pixels = window.readPixels();
    PixelView view{pixels, window.width};
    EXPECT_EQ(view.countLit(0, 0, 90, window.height, 30), 0) << "west half must stay empty";
    EXPECT_GT(view.countLit(110, 0, window.width, window.height, 30), 20);

    // A right plane on which no point is strictly inside hides everything.
    const WindField::Plane nowhere{0.0f, 0.0f, 0.0f, 0.0f};
    lookDown(window);
    field.draw(everything, nowhere, 3.0f);
    const Colours none = count(window.readPixels());
    EXPECT_EQ(none.blue + none.red, 0);
}

TEST_F(WindArrows, NoWindDrawsNothing) {
    field.setWind(0.0f, 0.0f);
    field.compute();
    lookDown(window);
    field.draw(everything, everything, 3.0f);
    const Colours none = count(window.readPixels());
    EXPECT_EQ(none.blue + none.red, 0);
}
