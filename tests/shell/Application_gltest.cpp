// The application on a (virtual) display: start-up from the settings, the pointer and opening
// pictures, the last frame and the settings written at close, a start-up with a saved game.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <fstream>

#include "Fakes.h"
#include "io/KeyValueFile.h"
#include "platform/KeepDisplayOpen.h" // two windows, one after the other
#include "shell/Accessors.h"
#include "shell/Settings.h"
#include "ui/composites/Splash.h"
#include "support/GlScreen.h"
#include "support/Golden.h"
#include "support/SquareLand.h"
#include "support/WorkingFolder.h"

using namespace testsupport;

namespace {
// A rectangle of the window, top row first.
Picture shot(int left, int bottom, int width, int height) {
    Frame frame{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, bottom, width, height, GL_RGB, GL_UNSIGNED_BYTE, &frame.rgb[0]);
    return cropped(frame, 0, 0, width, height);
}

// The simulator without the splash's six seconds; its opening picture is drawn alone.
class QuickApplication : public TestApplication {
  public:
    std::unique_ptr<Element> createSplash() override { return nullptr; }
    std::unique_ptr<Element> openingSplash() { return SimulatorApplication::createSplash(); }
};
} // namespace

TEST(ApplicationGl, StartsDrawsThePointerWritesTheSettingsAndLoadsAStartupGame) {
    WorkingFolder work("ventrix-appgl");
    std::ofstream("ventrix.ini") << "// keep\napp.width = \"640\"\napp.height = \"400\"\n";
    FakeLayer layer("frames", 10);
    {
        QuickApplication app;
        ASSERT_TRUE(app.init("Ventrix", 501, "ventrix.ini", false));
        EXPECT_EQ(std::tuple(clientWidth(), clientHeight(), app.colourDepth()),
                  std::tuple(640, 400, 32));
        // The pointer's picture hangs down and right, lightening whatever lies below.
        const int w = app.cursor.texture->Width(), h = app.cursor.texture->Height();
        app.pointerX = app.pointerY = 300;
        glClearColor(0.3f, 0.3f, 0.3f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glBlendFunc(GL_ONE, GL_ZERO);
        app.draw();
        GLint depths[2] = {0, 0}; // the layers' matrices as it found them
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depths[0]);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depths[1]);
        EXPECT_EQ(std::pair(depths[0], depths[1]), std::pair(1, 1));
        EXPECT_TRUE(matchesGolden("pointer", shot(290, 290 - h, w + 20, h + 20)));
        // The opening picture at full strength, its foot above the window's bottom edge.
        const std::unique_ptr<Element> splash = app.openingSplash();
        auto& opening = dynamic_cast<Splash&>(*splash);
        opening.update(0.0);
        opening.remaining = 1.5; // shown 1.5 s, as long still to come
        opening.update(0.0);
        glClear(GL_COLOR_BUFFER_BIT);
        opening.draw();
        EXPECT_TRUE(matchesGolden("splash_opening", shot(140, 0, 500, 80)));
        app.showLayer(&layer, false, false);
        SDL_Event quit{SDL_QUIT}; // as the terminal's interrupt: a last frame, then close
        SDL_PushEvent(&quit);
        app.run();
    }
    EXPECT_GT(layer.draws, 0);
    KeyValueFile full; // full screen comes from the file when the command line does not ask
    std::ofstream("full.ini") << "app.fullscreen = \"true\"\n";
    EXPECT_TRUE(loadSettings(full, "full.ini", false).fullScreen);
    EXPECT_EQ(readFile("ventrix.ini"), "// keep\napp.width = \"640\"\napp.height = \"400\"\n"
                                       "app.colorbits = \"32\"\napp.fullscreen = \"FALSE\"\n");
    EXPECT_EQ(std::pair(clientWidth(), clientHeight()), std::pair(0, 0)) << "no window now";
    writeSquareLand("square"); // started with it, the world shows and the menu makes way
    writeFile("start.sav", squareSavedGame("square", 500, 500));
    QuickApplication app;
    app.startupGame = "start.sav";
    ASSERT_TRUE(app.init("Ventrix", 501, "ventrix.ini", false));
    for (int frame = 0; frame < 3; ++frame) // the progress box and the menu leave
        app.update();
    EXPECT_EQ(std::pair(app.layerAt(0), app.isShown(app.menu.get())),
              std::pair(app.scene.get(), false));
}
