#include <gtest/gtest.h>

#include <GL/glu.h>

#include "gfx/GlTestWindow.h"
#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/clouds/CloudLayer.h"
#include "world/terrain/Terrain.h"

namespace {

// From the land's centre, looking straight up at the cloud layer.
void lookUp(const GlTestWindow& window, const CloudLayer& clouds) {
    glViewport(0, 0, window.width, window.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 1.0, 20000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(clouds.CentreX(), clouds.CentreY(), 0, clouds.CentreX(), clouds.CentreY(), 1000, 0, 1,
              0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}

int litPixels(const GlTestWindow& window) {
    const auto pixels = window.readPixels();
    PixelView view{pixels, window.width};
    return view.countLit(0, 0, window.width, window.height, 30);
}

class CloudDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        synthetic::LandShape shape;
        shape.depth = 2;
        shape.height = [](float x, float) { return 0.1f * x; };
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    }
    GlTestWindow window{160, 160};
    Terrain terrain;
    CloudLayer clouds{77u};
};

} // namespace

TEST_F(CloudDrawing, UpdateUploadsTheGeneratedPictureOnceUntilParametersChange) {
    ASSERT_TRUE(clouds.Update(terrain));
    EXPECT_FALSE(clouds.Dirty());
    EXPECT_TRUE(clouds.CloudTexture().IsCreated());
    EXPECT_EQ(clouds.CloudTexture().Width(), 256);
    EXPECT_EQ(clouds.CloudTexture().Picture().BytesPerPixel(), 4);
    EXPECT_EQ(clouds.CloudTexture().wrapS, static_cast<GLenum>(GL_REPEAT));

    KeyValueFile settings;
    settings.openText("clouds.density = \"400\"\n");
    clouds.ReadParams(settings);
    KeyValueFile none;
    ASSERT_TRUE(terrain.Load(none)); // the same land again: not just loaded
    clouds.Update(terrain);
    const std::uint8_t* p = clouds.CloudTexture().Picture().Pixels();
    EXPECT_TRUE(std::all_of(p, p + 256 * 256 * 4, [](std::uint8_t v) { return v == 0; }))
        << "reading parameters must regenerate the picture";

    settings.openText("clouds.density = \"100\"\n");
    clouds.ReadParams(settings);
    clouds.ReadParams(settings);
    clouds.Update(terrain);
    p = clouds.CloudTexture().Picture().Pixels();
    EXPECT_TRUE(std::any_of(p, p + 256 * 256 * 4, [](std::uint8_t v) { return v > 0; }));
}

TEST_F(CloudDrawing, ConeShowsTheCloudsAdditivelyAndSurvivesANewContext) {
    clouds.SetDensity(100.0f);
    clouds.Update(terrain);
    lookUp(window, clouds);
    clouds.Draw();
    EXPECT_GT(litPixels(window), 500);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    clouds.ReleaseGl();
    window.recreate();
    clouds.RestoreGl();
    lookUp(window, clouds);
    clouds.Draw();
    EXPECT_GT(litPixels(window), 500);

    clouds.SetDensity(330.0f);
    clouds.Update(terrain);
    lookUp(window, clouds);
    clouds.Draw();
    EXPECT_EQ(litPixels(window), 0) << "a clear sky adds nothing";
}
