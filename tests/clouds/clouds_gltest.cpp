#include <gtest/gtest.h>

#include <GL/glu.h>

#include <algorithm>

#include "gfx/GlTestWindow.h"
#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/clouds/CloudLayer.h"
#include "world/terrain/Terrain.h"

namespace {

// Pixels lit by the cloud cone, seen from the land's centre looking straight up.
int litPixels(const GlTestWindow& window, CloudLayer& clouds) {
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
    clouds.Draw();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    const auto pixels = window.readPixels();
    return PixelView{pixels, window.width}.countLit(0, 0, window.width, window.height, 30);
}

bool anyCover(const CloudLayer& clouds) {
    const std::uint8_t* p = clouds.CloudTexture().KeptPicture().Pixels();
    return std::any_of(p, p + 256 * 256 * 4, [](std::uint8_t v) { return v > 0; });
}

} // namespace

TEST(CloudDrawing, TheConeShowsTheUploadedPictureUntilParametersChangeAndAfterANewContext) {
    GlTestWindow window{160, 160};
    Terrain terrain;
    ASSERT_TRUE(synthetic::loadLand(
        terrain, synthetic::LandShape{0, 0, 1000, 2, [](float x, float) { return 0.1f * x; }}));
    CloudLayer clouds{77u};
    clouds.SetDensity(100.0f);
    ASSERT_TRUE(clouds.Update(terrain));
    EXPECT_FALSE(clouds.Dirty());
    EXPECT_TRUE(clouds.CloudTexture().IsCreated());
    EXPECT_EQ(clouds.CloudTexture().Width(), 256);
    EXPECT_EQ(clouds.CloudTexture().wrapS, static_cast<GLenum>(GL_REPEAT));
    EXPECT_GT(litPixels(window, clouds), 500);
    clouds.ReleaseGl();
    window.recreate();
    clouds.RestoreGl();
    EXPECT_GT(litPixels(window, clouds), 500) << "the same clouds in the new context";

    KeyValueFile settings;
    settings.openText("clouds.density = \"400\"\n");
    clouds.ReadParams(settings);
    KeyValueFile none;
    ASSERT_TRUE(terrain.Load(none)); // the same land again: not just loaded
    clouds.Update(terrain);
    EXPECT_FALSE(anyCover(clouds)) << "reading parameters must regenerate the picture";
    EXPECT_EQ(litPixels(window, clouds), 0) << "a clear sky adds nothing";
    settings.openText("clouds.density = \"100\"\n");
    clouds.ReadParams(settings);
    clouds.Update(terrain);
    EXPECT_TRUE(anyCover(clouds));
}
