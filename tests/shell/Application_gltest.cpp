// The application on a real (virtual) display: start-up from the settings, the pointer
// sprite, and writing the settings at close (unknown lines kept, the window's keys after).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Fakes.h"
#include "gfx/Texture.h"
#include "platform/KeepDisplayOpen.h"
#include "io/KeyValueFile.h"
#include "shell/Accessors.h"
#include "shell/Settings.h"
#include "support/WorkingFolder.h"

namespace {
// Only the generic start-up; no concrete layers.
class PlainApplication : public TestApplication {
  public:
    bool init(const char* title, int iconResource, const char* settingsFile, bool full) override {
        return openApplication(title, iconResource, settingsFile, full);
    }
};

// Lit pixels in a w x h block whose lower-left corner is (x, y), after one frame.
int litPixels(Application& app, int x, int y, int w, int h) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    app.draw();
    glFinish();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w * h * 3));
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return static_cast<int>(
        std::count_if(rgb.begin(), rgb.end(), [](unsigned char c) { return c > 0; }));
}
} // namespace

TEST(ApplicationGl, StartsFromTheSettingsDrawsThePointerAndWritesTheSettingsAtClose) {
    testsupport::WorkingFolder work("ventrix-appgl");
    std::ofstream("ventrix.ini") << "// keep\napp.width = \"640\"\napp.height = \"400\"\n";
    {
        PlainApplication app;
        ASSERT_TRUE(app.init("Ventrix", 501, "ventrix.ini", false));
        EXPECT_EQ(std::tuple(clientWidth(), clientHeight(), app.colourDepth()),
                  std::tuple(640, 400, 32));
        // The pointer's picture hangs down and right of the pointer.
        Texture* pointer = app.cursor.texture;
        ASSERT_EQ(pointer, texture(Application::cursorPictureId));
        const int w = pointer->Width(), h = pointer->Height();
        app.pointerX = app.pointerY = 300;
        EXPECT_GT(litPixels(app, 300, 300 - h, w, h), 0) << "drawn below the pointer";
        EXPECT_EQ(litPixels(app, 300, 301, w, h), 0) << "nothing above it";
        EXPECT_EQ(litPixels(app, 300 - w, 300 - h, w, h), 0) << "nothing left of it";
        app.close();
    }
    std::stringstream written;
    written << std::ifstream("ventrix.ini").rdbuf();
    KeyValueFile full; // full screen comes from the file when the command line does not ask
    std::ofstream("full.ini") << "app.fullscreen = \"true\"\n";
    EXPECT_TRUE(loadSettings(full, "full.ini", false).fullScreen);
    EXPECT_EQ(written.str(), "// keep\napp.width = \"640\"\napp.height = \"400\"\n"
                             "app.colorbits = \"32\"\napp.fullscreen = \"FALSE\"\n");
}
