// Renders the sample lands as the world pass draws them, in a real GL context
// under Xvfb, and checks the picture: sky above, ground below, sceneries seen.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "gfx/ResourceTextureCache.h"
#include "gfx/Texture.h"
#include "io/KeyValueFile.h"
#include "support/ContextState.h"
#include "world/Land.h"
#include "world/observer/Observer.h"
#include "world/scenery/PolygonSink.h"
#include "world/sky/SkyBox.h"
#include "world/sun/SceneDate.h"
#include <algorithm>

namespace {
constexpr int width = 640;
constexpr int height = 480;

struct Rgb {
    int r, g, b;
};

// One window with a compatibility context, set up as the program sets it up.
class WorldPass : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        window = SDL_CreateWindow("world pass", 0, 0, width, height, SDL_WINDOW_OPENGL);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        context = SDL_GL_CreateContext(window);
        ASSERT_NE(context, nullptr) << SDL_GetError();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::path(VENTRIX_SOURCE_DIR) / "data");
    }
    static void TearDownTestSuite() {
        std::filesystem::current_path(previous);
        SDL_GL_DeleteContext(context);
        SDL_DestroyWindow(window);
        SDL_Quit();
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
    }

    void standAt(std::size_t spotIndex, float lookDown) {
        ASSERT_LT(spotIndex, land.terrain.spots().size());
        const Spot spot = land.terrain.spots()[spotIndex];
        observer.goToSpot(spot);
        observer.setHeading(spot.orientation, lookDown);
    }

    std::vector<unsigned char> render() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        const double t = observer.tanHalfField();
        glFrustum(-t, t, -t * height / width, t * height / width, 1.0, 10000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        observer.applyView();
        land.draw(observer);
        glFinish();
        std::vector<unsigned char> pixels(std::size_t(width) * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // Rows count from the bottom of the window, as GL reads them.
    static Rgb average(const std::vector<unsigned char>& p, int row0, int row1) {
        long sum[3] = {0, 0, 0};
        long count = 0;
        for (int row = row0; row < row1; ++row)
            for (int column = 0; column < width; ++column, ++count)
                for (int c = 0; c < 3; ++c)
                    sum[c] += p[(std::size_t(row) * width + column) * 3 + c];
        return {int(sum[0] / count), int(sum[1] / count), int(sum[2] / count)};
    }

    static int differingPixels(const std::vector<unsigned char>& a,
                               const std::vector<unsigned char>& b) {
        int count = 0;
        for (std::size_t i = 0; i < a.size(); i += 3)
            if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) +
                    std::abs(a[i + 2] - b[i + 2]) >
                30)
                ++count;
        return count;
    }

    // Keeps the picture for a person to look at (a PPM, top row first).
    static void keep(const std::vector<unsigned char>& p, const std::string& name) {
        const auto path = std::filesystem::temp_directory_path() / (name + ".ppm");
        std::ofstream out(path, std::ios::binary);
        out << "P6\n" << width << ' ' << height << "\n255\n";
        for (int row = height - 1; row >= 0; --row)
            out.write(reinterpret_cast<const char*>(&p[std::size_t(row) * width * 3]), width * 3);
        std::printf("picture kept in %s\n", path.string().c_str());
    }

    static SDL_Window* window;
    static SDL_GLContext context;
    static std::filesystem::path previous;
    ResourceTextureCache pictures;
    SceneDate date;
    Land land;
    Observer observer{land.terrain, nullptr};
};

SDL_Window* WorldPass::window = nullptr;
SDL_GLContext WorldPass::context = nullptr;
std::filesystem::path WorldPass::previous;
} // namespace

// The ridge from its launch (sky above, lit ground below, the tower north
// along the crest) and from the landing field (hut and trees, the skyline up).
TEST_F(WorldPass, RidgeShowsSkyGroundSceneriesAndItsSkyline) {
    loadLand("ridge");
    land.showSun = false;
    land.showClouds = false;
    standAt(1, 0.12f); // the launch, looking west over the face
    auto picture = render();
    keep(picture, "ridge-launch");
    const Rgb sky = average(picture, height - 40, height);
    const Rgb ground = average(picture, 0, 60);
    EXPECT_GT(sky.b, sky.r + 20) << "blue sky at the top";
    EXPECT_GT(sky.b, 120);
    EXPECT_GT(ground.g, ground.b) << "green or brown ground at the bottom";
    EXPECT_GT(ground.r + ground.g + ground.b, 150) << "the ground is lit, not black";
    observer.setHeading(0.0f, -0.15f); // north along the crest, looking a little up
    const auto withTower = render();
    keep(withTower, "ridge-tower");
    land.showSceneries = false;
    EXPECT_GT(differingPixels(withTower, render()), 100) << "the lattice mast shows";

    land.showSceneries = true;
    standAt(4, 0.05f); // the landing field, looking east at the ridge
    const auto together = render();
    keep(together, "ridge-landing");
    land.showSceneries = false;
    const auto bare = render();
    EXPECT_GT(differingPixels(together, bare), 400) << "the club hut and trees show";
    // The same world with every scenery drawn on its own, tree by tree.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    land.draw(observer);
    glEnable(GL_FOG);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const auto& scenery : land.sceneries)
        scenery->Draw(observer);
    glDisable(GL_FOG);
    glFinish();
    std::vector<unsigned char> single(together.size());
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, single.data());
    EXPECT_LE(differingPixels(together, single), 20) << "trees drawn together look the same";

    standAt(4, -0.35f); // looking up at the sky over the ridge
    picture = render();
    keep(picture, "ridge-sky");
    const Rgb top = average(picture, height - 20, height);
    EXPECT_GT(top.b, top.r + 30) << "the walls' upper part is sky";
}

TEST_F(WorldPass, FieldFromThePilotsBox) {
    loadLand("field");
    land.showSun = false;
    land.showClouds = false;
    standAt(1, 0.1f);
    const auto picture = render();
    keep(picture, "field-pilots-box");
    const Rgb sky = average(picture, height - 30, height);
    const Rgb ground = average(picture, 0, 80);
    EXPECT_GT(sky.b, sky.r + 20);
    EXPECT_GT(ground.g, ground.b);
    land.showSceneries = false;
    EXPECT_GT(differingPixels(picture, render()), 200) << "hedgerows and the club house show";
}

TEST_F(WorldPass, SkyBoxCompilesItsListOnlyWhenTheBoxChanges) {
    SkyBox sky;
    KeyValueFile landFile;
    landFile.openText("");
    const SkyBox::Box box{1000, 0, 500, 0, 300, 100};
    sky.LoadSky(box, landFile);
    EXPECT_EQ(sky.builds(), 1);
    EXPECT_NE(sky.displayList(), 0u);
    sky.UpdateBox(box);
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
    auto same = [](const Image& a, const Image& b) {
        return a.PixelBytes() == b.PixelBytes() &&
               std::equal(a.Pixels(), a.Pixels() + a.PixelBytes(), b.Pixels());
    };
    SkyBox sky;
    KeyValueFile unnamed;
    unnamed.openText("terrain.texture.sky = \"ridge_sky.tga\"\n");
    sky.LoadSky({1, 0, 1, 0, 1, 0}, unnamed);
    EXPECT_TRUE(same(sky.skyTexture().Picture(), builtIn.Picture())) << "no name: built-in sky";
    KeyValueFile named;
    named.openText("terrain.name = \"ridge\"\nterrain.texture.sky = \"ridge_sky.tga\"\n");
    sky.LoadSky({1, 0, 1, 0, 1, 0}, named);
    EXPECT_TRUE(same(sky.skyTexture().Picture(), own)) << "the land's own sky";
    KeyValueFile wrong;
    wrong.openText("terrain.name = \"ridge\"\nterrain.texture.sky = \"missing.tga\"\n");
    sky.LoadSky({1, 0, 1, 0, 1, 0}, wrong);
    EXPECT_TRUE(same(sky.skyTexture().Picture(), builtIn.Picture())) << "unreadable: built-in";
}

// Each wall shows its quarter of a land's horizon picture (north, east, south,
// west), read left to right from inside; without the picture, the skyline as before.
TEST_F(WorldPass, HorizonPictureGivesEachWallItsQuarter) {
    struct Corners : PolygonSink {
        std::vector<std::array<float, 3>> seen; // s, x, y
        float s = 0;
        void begin(unsigned) override {}
        void end() override {}
        void colour(float, float, float) override {}
        void texCoord(float u, float) override { s = u; }
        void vertex(float x, float y, float) override { seen.push_back({s, x, y}); }
    };
    const SkyBox::Box box{1000, 0, 500, 0, 300, 100};
    for (const char* horizon : {"ridge_skyline.tga", "missing.tga"}) {
        KeyValueFile landFile;
        landFile.openText(std::string("terrain.name = \"ridge\"\nterrain.texture.horizon = \"") +
                          horizon + "\"\n");
        SkyBox sky;
        sky.LoadSky(box, landFile);
        Corners corners;
        sky.EmitWalls(corners);
        ASSERT_EQ(corners.seen.size(), 16u);
        EXPECT_EQ(sky.hasHorizon(), std::string(horizon) == "ridge_skyline.tga");
        for (const auto& [s, x, y] : corners.seen) {
            // Going round from the north-west corner: the share of the turn to (x, y).
            const float along = y == 500    ? (x + 20) / 1040 * 0.25f
                                : x == 1000 ? 0.25f + (520 - y) / 540 * 0.25f
                                : y == 0    ? 0.5f + (1020 - x) / 1040 * 0.25f
                                            : 0.75f + (y + 20) / 540 * 0.25f;
            if (sky.hasHorizon())
                EXPECT_NEAR(s, along, 1e-6) << x << ", " << y;
            else
                EXPECT_TRUE(s == 0.0f || s == 1.0f);
        }
    }
}

TEST_F(WorldPass, SceneryEntriesAreReadUntilTheFirstMissingName) {
    KeyValueFile landFile;
    landFile.openText("decor1.name = \"a\"\ndecor1.type = \"21\"\ndecor1.width = \"5\"\n"
                      "decor3.name = \"c\"\ndecor3.type = \"22\"\n");
    land.readSceneries(landFile);
    ASSERT_EQ(land.sceneries.size(), 1u);
    EXPECT_EQ(land.sceneries[0]->width, 5.0f);
    EXPECT_NE(land.sceneries[0]->displayList(), 0u) << "built when read";

    land.clearSceneries();
    landFile.openText("decor1.name = \"odd\"\ndecor1.type = \"5\"\n"
                      "decor2.name = \"tower\"\ndecor2.type = \"11\"\ndecor2.height = \"30\"\n"
                      "decor3.name = \"tree\"\ndecor3.type = \"1\"\ndecor3.width = \"8\"\n"
                      "decor3.roofheight = \"4\"\n");
    land.setTreeTexture(pictures.Get(404));
    land.readSceneries(landFile);
    ASSERT_EQ(land.sceneries.size(), 2u) << "the unknown type is skipped, the rest read";
    EXPECT_EQ(land.sceneries[0]->height, 30.0f);
    EXPECT_EQ(land.sceneries[1]->width, 8.0f);
    EXPECT_EQ(land.sceneries[1]->roofHeight, 0.0f) << "trees read no roof";
    EXPECT_EQ(pictures.Get(404)->Picture().BytesPerPixel(), 4) << "black made transparent";
}

TEST_F(WorldPass, GraphicsComeBackAfterARelease) {
    loadLand("field");
    land.showSun = false;
    land.showClouds = false;
    standAt(3, 0.05f);
    const auto before = render();
    land.releaseGraphics();
    EXPECT_EQ(land.sceneries.front()->displayList(), 0u);
    EXPECT_EQ(land.sky.displayList(), 0u);
    EXPECT_FALSE(land.terrain.groundTexture().IsCreated());
    land.restoreGraphics();
    EXPECT_NE(land.sceneries.front()->displayList(), 0u);
    EXPECT_LT(differingPixels(before, render()), 50) << "the same picture as before";
}
