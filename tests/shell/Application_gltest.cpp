// The application on a real (virtual) display: start-up from the settings, the pointer
// sprite, presenting frames and writing the settings at close.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "Fakes.h"
#include "gfx/Texture.h"
#include "platform/KeepDisplayOpen.h"
#include "shell/Accessors.h"

namespace fs = std::filesystem;

namespace {

class ApplicationGlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("appgl_" + std::to_string(std::random_device()()));
        fs::create_directories(dir);
        settingsPath = (dir / "ventrix.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string settingsText() {
        std::ifstream in(settingsPath);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    // One frame, left in the back buffer to be read.
    static void drawFrame(Application& app) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        app.draw();
        glFinish();
    }
    // Brightness of the framebuffer pixel at (x, y), y up.
    static int brightness(int x, int y) {
        unsigned char rgb[3] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return rgb[0] + rgb[1] + rgb[2];
    }
    fs::path dir;
    std::string settingsPath;
};

// Only the generic start-up; no concrete layers.
class PlainApplication : public TestApplication {
  public:
    bool init(const char* title, int iconResource, const char* settingsFile, bool full) override {
        return openApplication(title, iconResource, settingsFile, full);
    }
};

} // namespace

TEST_F(ApplicationGlTest, StartsFromTheSettingsAndWritesThemAtClose) {
    std::ofstream(settingsPath) << "// keep\napp.width = \"640\"\napp.height = \"400\"\n";
    {
        PlainApplication app;
        ASSERT_TRUE(app.init("Ventrix", 501, settingsPath.c_str(), false));
        EXPECT_EQ(clientWidth(), 640);
        EXPECT_EQ(clientHeight(), 400);
        EXPECT_EQ(app.colourDepth(), 32);
        app.close();
    }
    EXPECT_EQ(settingsText(), "// keep\napp.width = \"640\"\napp.height = \"400\"\n"
                              "app.colorbits = \"32\"\napp.fullscreen = \"FALSE\"\n");
}

TEST_F(ApplicationGlTest, PointerPictureHangsDownAndRightOfThePointer) {
    PlainApplication app;
    ASSERT_TRUE(app.init("Ventrix", 501, settingsPath.c_str(), false));
    ASSERT_NE(app.cursor.texture, nullptr);
    EXPECT_EQ(app.cursor.texture, texture(Application::cursorPictureId));
    const int w = app.cursor.texture->Width();
    const int h = app.cursor.texture->Height();
    EXPECT_EQ(app.cursor.hotX, 0);
    EXPECT_EQ(app.cursor.hotY, h);
    app.pointerX = 300;
    app.pointerY = 300;
    drawFrame(app);
    int below = 0, above = 0;
    for (int dy = 1; dy < h; ++dy) {
        for (int dx = 0; dx < w; ++dx) {
            below += brightness(300 + dx, 300 - dy) > 0;
            above += brightness(300 + dx, 300 + dy) > 0;
        }
    }
    EXPECT_GT(below, 0) << "the picture is drawn below the pointer";
    EXPECT_EQ(above, 0) << "nothing is drawn above the pointer";
}

TEST_F(ApplicationGlTest, PointerHiddenWhileTheSceneHasTheInput) {
    PlainApplication app;
    ASSERT_TRUE(app.init("Ventrix", 501, settingsPath.c_str(), false));
    app.scene = std::make_unique<FakeLayer>("scene");
    app.scene->setRect(0, 0, 800, 600);
    app.pointerX = app.pointerY = 300;
    app.showScene();
    ASSERT_EQ(app.inputLayer(), app.scene.get());
    drawFrame(app);
    int lit = 0;
    for (int dy = 1; dy < 16; ++dy)
        lit += brightness(300 + dy, 300 - dy) > 0;
    EXPECT_EQ(lit, 0);
    EXPECT_GT(static_cast<FakeLayer&>(*app.scene).draws, 0);
}

TEST_F(ApplicationGlTest, GraphicsSurviveGoingFullScreenAndBack) {
    PlainApplication app;
    ASSERT_TRUE(app.init("Ventrix", 501, settingsPath.c_str(), false));
    Texture* pointer = app.cursor.texture;
    app.setFullScreen(true);
    EXPECT_TRUE(pointer->IsCreated());
    EXPECT_TRUE(glIsTexture(pointer->Name()));
    app.setFullScreen(false);
    EXPECT_TRUE(glIsTexture(pointer->Name()));
    EXPECT_EQ(app.cursor.texture, pointer);
    GLint front = 0;
    glGetIntegerv(GL_FRONT_FACE, &front);
    EXPECT_EQ(front, GL_CW) << "the frame state is set again on the new context";
}
