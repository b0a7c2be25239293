// Renders the sample lands as the world pass draws them, in a real GL context
// under Xvfb, and checks the picture: sky above, ground below, sceneries seen;
// and the sky box's geometry, pictures and display list.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

#include "gfx/GlTestWindow.h"
#include "gfx/ResourceTextureCache.h"
#include "gfx/Texture.h"
#include "io/KeyValueFile.h"
#include "support/ContextState.h"
#include "world/Land.h"
#include "world/observer/Observer.h"
#include "world/scenery/PolygonSink.h"
#include "world/sky/SkyBox.h"
#include "world/sun/SceneDate.h"

namespace {
constexpr int width = 640;
constexpr int height = 480;
// x 0..1000, y 0..500, z 100..300 as (max x, min x, max y, min y, max z, min z).
const SkyBox::Box landBox{1000, 0, 500, 0, 300, 100};

struct Corners : PolygonSink {
    std::vector<std::array<float, 5>> seen; // s, t, x, y, z
    float s = -1, t = -1;
    int open = 0; // primitives begun and not ended
    void begin(unsigned) override { ++open; }
    void end() override { --open; }
    void colour(float, float, float) override {}
    void texCoord(float u, float v) override { s = u, t = v; }
    void vertex(float x, float y, float z) override { seen.push_back({s, t, x, y, z}); }
};

// One window with a 24-bit depth buffer; the sample lands' folder is the working directory.
class WorldPass : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    }
    void SetUp() override {
        std::filesystem::current_path(std::filesystem::path(VENTRIX_SOURCE_DIR) / "data");
        testsupport::applyContextState();
        glEnable(GL_DEPTH_TEST);
        glViewport(0, 0, width, height);
    }
    void TearDown() override { std::filesystem::current_path(previous); }
    void loadLand(const char* name) {
        land.setTreeTexture(pictures.Get(404));
        date.set(21, 6, 2023, 16, 0); // a summer afternoon: the sun in the south-west
        land.terrain.SetName(name);
        ASSERT_TRUE(land.load(date)) << name;
        observer.placeAfterLoad(nullptr);
        land.showSun = false;
        land.showClouds = false;
    }
    void standAt(std::size_t spotIndex, float lookDown) {
        ASSERT_LT(spotIndex, land.terrain.spots().size());
        const Spot spot = land.terrain.spots()[spotIndex];
        observer.goToSpot(spot);
        observer.setHeading(spot.orientation, lookDown);
    }
    std::vector<unsigned char> render(bool drawLand = true) {
        if (drawLand) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            const double t = observer.tanHalfField();
            glFrustum(-t, t, -t * height / width, t * height / width, 1.0, 10000.0);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            observer.applyView();
            land.draw(observer);
        }
        return window.readPixels();
    }
    static int differingPixels(const std::vector<unsigned char>& a,
                               const std::vector<unsigned char>& b) {
        int count = 0;
        for (std::size_t i = 0; i < a.size(); i += 3)
            count += std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) +
                         std::abs(a[i + 2] - b[i + 2]) >
                     30;
        return count;
    }

    GlTestWindow window{width, height};
    const std::filesystem::path previous = std::filesystem::current_path();
    ResourceTextureCache pictures;
    SceneDate date;
    Land land;
    Observer observer{land.terrain, nullptr};
};

} // namespace

// The ridge from its launch (blue sky above, the tower north
// along the crest) and from the landing field (hut and trees).
TEST_F(WorldPass, SampleLandsShowSkyGroundSceneriesAndTheSkyline) {
    loadLand("ridge");
    standAt(1, 0.12f); // the launch, looking west over the face
    const auto launch = render();
    const auto* sky = &launch[(height - 20) * width * 3 + width * 3 / 2];
    EXPECT_TRUE(sky[2] > sky[0] + 20 && sky[2] > 120) << "blue sky at the top";
    observer.setHeading(0.0f, -0.15f); // north along the crest, looking a little up
    const auto withTower = render();
    land.showSceneries = false;
    EXPECT_GT(differingPixels(withTower, render()), 100) << "the lattice mast shows";

    land.showSceneries = true;
    standAt(4, 0.05f); // the landing field, looking east at the ridge
    const auto together = render();
    land.showSceneries = false;
    EXPECT_GT(differingPixels(together, render()), 400) << "the club hut and trees show";
    // The same world with every scenery drawn on its own, tree by tree.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    land.draw(observer);
    glEnable(GL_FOG);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const auto& scenery : land.sceneries)
        scenery->Draw(observer);
    glDisable(GL_FOG);
    EXPECT_LE(differingPixels(together, render(false)), 20) << "trees drawn together look the same";
}

TEST_F(WorldPass, CeilingSpansTheLandWithItsMarginThePictureSouthToNorth) {
    SkyBox sky;
    sky.UpdateBox(landBox);
    Corners corners;
    sky.EmitCeiling(corners);
    ASSERT_EQ(corners.seen.size(), 4u);
    EXPECT_EQ(corners.open, 0);
    std::vector<std::array<float, 2>> xy;
    for (const auto& [s, t, x, y, z] : corners.seen) {
        EXPECT_EQ(z, 1300.0f) << "1000 m over the highest ground";
        xy.push_back({x, y});
        // The picture's first row runs along the south edge, its first column along the east.
        EXPECT_EQ(t, y < 0 ? 0.0f : 1.0f) << x << ", " << y;
        EXPECT_EQ(s, x > 500 ? 0.0f : 1.0f) << x << ", " << y;
    }
    std::sort(xy.begin(), xy.end());
    EXPECT_EQ(xy, (std::vector<std::array<float, 2>>{
                      {-20.0f, -20.0f}, {-20.0f, 520.0f}, {1020.0f, -20.0f}, {1020.0f, 520.0f}}));
}

// Going round from the north-west corner, each wall point has its share of the
// turn; a horizon picture is read at that share, the skyline picture (east and
// west walls mirrored) at the share within the wall's own quarter.
TEST_F(WorldPass, WallsStandOnTheEdgesAndShareOutTheHorizon) {
    for (const char* horizon : {"ridge_skyline.tga", "missing.tga"}) {
        SCOPED_TRACE(horizon);
        KeyValueFile landFile;
        landFile.openText(std::string("terrain.name = \"ridge\"\nterrain.texture.horizon = \"") +
                          horizon + "\"\n");
        SkyBox sky;
        sky.LoadSky(landBox, landFile);
        Corners corners;
        sky.EmitWalls(corners);
        ASSERT_EQ(corners.seen.size(), 16u);
        EXPECT_EQ(corners.open, 0);
        EXPECT_EQ(sky.hasHorizon(), std::string(horizon) == "ridge_skyline.tga");
        std::vector<int> onEdges(4, 0);
        for (const auto& [s, t, x, y, z] : corners.seen) {
            const int wall = y == 500 ? 0 : x == 1000 ? 1 : y == 0 ? 2 : x == 0 ? 3 : -1;
            ASSERT_GE(wall, 0) << x << ", " << y << " is on no edge";
            ++onEdges[wall];
            const float within = wall == 0   ? (x + 20) / 1040
                                 : wall == 1 ? (520 - y) / 540
                                 : wall == 2 ? (1020 - x) / 1040
                                             : (y + 20) / 540;
            EXPECT_TRUE(within == 0.0f || within == 1.0f) << x << ", " << y << ": 20 m past";
            EXPECT_TRUE(z == 80.0f || z == 1320.0f);
            EXPECT_EQ(t, z == 1320.0f ? 0.0f : 1.0f) << "t = 0 at the top";
            if (sky.hasHorizon())
                EXPECT_NEAR(s, (wall + within) * 0.25f, 1e-6) << x << ", " << y;
            else
                EXPECT_EQ(s, wall % 2 ? 1.0f - within : within) << x << ", " << y;
        }
        EXPECT_EQ(onEdges, std::vector<int>(4, 4));
    }
}
