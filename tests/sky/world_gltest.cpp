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

struct Rgb {
    int r, g, b;
};

struct Corners : PolygonSink {
    std::vector<std::array<float, 5>> seen; // s, t, x, y, z
    float s = -1, t = -1;
    void begin(unsigned) override {}
    void end() override {}
    void colour(float, float, float) override {}
    void texCoord(float u, float v) override { s = u, t = v; }
    void vertex(float x, float y, float z) override { seen.push_back({s, t, x, y, z}); }
};

// One window, the sample lands' folder as the working directory.
class WorldPass : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SDL_InitSubSystem(SDL_INIT_VIDEO); // the depth buffer is chosen before the window
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        window = new GlTestWindow(width, height);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::path(VENTRIX_SOURCE_DIR) / "data");
    }
    static void TearDownTestSuite() {
        std::filesystem::current_path(previous);
        delete window;
    }
    void SetUp() override {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        testsupport::applyContextState();
        glEnable(GL_DEPTH_TEST);
        glViewport(0, 0, width, height);
    }
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
        return window->readPixels();
    }
    // Rows count from the bottom of the window, as GL reads them.
    static Rgb average(const std::vector<unsigned char>& p, int row0, int row1) {
        long sum[3] = {0, 0, 0};
        for (std::size_t i = std::size_t(row0) * width * 3; i < std::size_t(row1) * width * 3; ++i)
            sum[i % 3] += p[i];
        const long count = long(row1 - row0) * width;
        return {int(sum[0] / count), int(sum[1] / count), int(sum[2] / count)};
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
    static void expectSkyOverGround(const std::vector<unsigned char>& picture, int skyRows,
                                    int groundRows) {
        const Rgb sky = average(picture, height - skyRows, height);
        const Rgb ground = average(picture, 0, groundRows);
        EXPECT_GT(sky.b, sky.r + 20) << "blue sky at the top";
        EXPECT_GT(sky.b, 120);
        EXPECT_GT(ground.g, ground.b) << "green or brown ground at the bottom";
        EXPECT_GT(ground.r + ground.g + ground.b, 150) << "the ground is lit, not black";
    }

    static GlTestWindow* window;
    static std::filesystem::path previous;
    ResourceTextureCache pictures;
    SceneDate date;
    Land land;
    Observer observer{land.terrain, nullptr};
};

GlTestWindow* WorldPass::window = nullptr;
std::filesystem::path WorldPass::previous;
} // namespace

// The ridge from its launch (sky above, lit ground below, the tower north
// along the crest) and from the landing field (hut and trees, the skyline up);
// the field from the pilots' box.
TEST_F(WorldPass, SampleLandsShowSkyGroundSceneriesAndTheSkyline) {
    loadLand("ridge");
    standAt(1, 0.12f); // the launch, looking west over the face
    expectSkyOverGround(render(), 40, 60);
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

    standAt(4, -0.35f); // looking up at the sky over the ridge
    const Rgb top = average(render(), height - 20, height);
    EXPECT_GT(top.b, top.r + 30) << "the walls' upper part is sky";

    loadLand("field");
    land.showSceneries = true;
    standAt(1, 0.1f);
    const auto field = render();
    expectSkyOverGround(field, 30, 80);
    land.showSceneries = false;
    EXPECT_GT(differingPixels(field, render()), 200) << "hedgerows and the club house show";
}

TEST_F(WorldPass, SkyBoxCompilesItsListOnlyWhenTheBoxChanges) {
    SkyBox sky;
    KeyValueFile landFile;
    sky.LoadSky(landBox, landFile);
    EXPECT_EQ(sky.builds(), 1);
    EXPECT_NE(sky.displayList(), 0u);
    sky.UpdateBox(landBox);
    EXPECT_EQ(sky.builds(), 1) << "same box: the list stays";
    sky.UpdateBox({1000, 0, 600, 0, 300, 100});
    EXPECT_EQ(sky.builds(), 2);
    sky.ReleaseGl();
    EXPECT_EQ(sky.displayList(), 0u);
    EXPECT_FALSE(sky.skyTexture().IsCreated());
    sky.RestoreGl();
    EXPECT_EQ(sky.builds(), 3);
    EXPECT_TRUE(sky.skylineTexture().IsCreated());
}

TEST_F(WorldPass, SkyPicturesComeFromTheLandNamedInTheLandFileItself) {
    Texture builtIn;
    builtIn.LoadResource(SkyBox::defaultSkyPicture);
    TgaImage own;
    ASSERT_TRUE(own.LoadFile("lands/ridge/ridge_sky.tga", 0, 0, 3));
    const struct {
        const char* text;
        const Image& expected;
    } cases[] = {
        {"terrain.texture.sky = \"ridge_sky.tga\"\n", builtIn.Picture()}, // no land named
        {"terrain.name = \"ridge\"\nterrain.texture.sky = \"ridge_sky.tga\"\n", own},
        {"terrain.name = \"ridge\"\nterrain.texture.sky = \"missing.tga\"\n", builtIn.Picture()},
    };
    for (const auto& c : cases) {
        SkyBox sky;
        KeyValueFile landFile;
        landFile.openText(c.text);
        sky.LoadSky({1, 0, 1, 0, 1, 0}, landFile);
        const Image& got = sky.skyTexture().Picture();
        EXPECT_TRUE(got.PixelBytes() == c.expected.PixelBytes() &&
                    std::equal(got.Pixels(), got.Pixels() + got.PixelBytes(), c.expected.Pixels()))
            << c.text;
    }
}

TEST_F(WorldPass, CeilingSpansTheLandWithItsMarginThePictureSouthToNorth) {
    SkyBox sky;
    sky.UpdateBox(landBox);
    Corners corners;
    sky.EmitCeiling(corners);
    ASSERT_EQ(corners.seen.size(), 4u);
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

// Sceneries are read until the first missing name; unknown types are skipped,
// trees read no roof and make the shared picture's black transparent.
TEST_F(WorldPass, SceneryEntriesAreReadUntilTheFirstMissingName) {
    KeyValueFile landFile;
    landFile.openText("decor1.name = \"odd\"\ndecor1.type = \"5\"\n"
                      "decor2.name = \"tower\"\ndecor2.type = \"11\"\ndecor2.height = \"30\"\n"
                      "decor3.name = \"tree\"\ndecor3.type = \"1\"\ndecor3.width = \"8\"\n"
                      "decor3.roofheight = \"4\"\ndecor5.name = \"c\"\ndecor5.type = \"22\"\n");
    land.setTreeTexture(pictures.Get(404));
    land.readSceneries(landFile);
    ASSERT_EQ(land.sceneries.size(), 2u);
    EXPECT_EQ(land.sceneries[0]->height, 30.0f);
    EXPECT_NE(land.sceneries[0]->displayList(), 0u) << "built when read";
    EXPECT_EQ(land.sceneries[1]->width, 8.0f);
    EXPECT_EQ(land.sceneries[1]->roofHeight, 0.0f);
    EXPECT_EQ(pictures.Get(404)->Picture().BytesPerPixel(), 4);
}
