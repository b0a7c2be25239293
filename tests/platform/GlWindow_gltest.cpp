// The window on a real (virtual) display: size rules, re-creation and the translation of events.
#include "platform/GlWindow.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/KeepDisplayOpen.h"
#include "platform/Keys.h"

namespace {
class RecordingWindow : public GlWindow {
  public:
    void close() override { log.push_back("close"); }
    void mouseHover(int x, int y) override { note("hover", x, y); }
    bool mouseMove(int x, int y) override { return note("move", x, y); }
    bool keyDown(int key) override { return note("key", key, 0); }
    bool leftButtonDown(int flags, int x, int y) override {
        return note("left", x, y + 1000 * flags);
    }
    void releaseGraphics() override { log.push_back("release"); }
    void restoreGraphics() override {
        log.push_back(glGetString(GL_VERSION) ? "restore" : "no GL");
    }
    bool note(const char* what, int x, int y) {
        log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    // An event of this window (or, with `other`, of another one).
    SDL_Event event(Uint32 type, bool other = false) const {
        SDL_Event e{};
        e.type = type;
        e.window.windowID = SDL_GetWindowID(sdlWindow()) + (other ? 1000 : 0);
        return e;
    }
    std::pair<int, int> client() const {
        int w = 0, h = 0;
        clientSize(w, h);
        return {w, h};
    }
    std::vector<std::string> log;
};
} // namespace

// Missing sizes follow 4:3 on the real window; a second create keeps the open window;
// full screen takes the desktop's size at 16 bits at least and is a new window, and back
// in a window the title is kept; a resolution change in a window only resizes.
TEST(GlWindowGl, SizesFullScreenAndBack) {
    RecordingWindow window;
    ASSERT_TRUE(window.createWindow(nullptr, 0, 0, 0, 0, false));
    EXPECT_EQ(window.client(), std::pair(640, 480));
    SDL_Window* first = window.sdlWindow();
    EXPECT_TRUE(window.createWindow("Other", 0, 300, 200, 16, false)) << "already open";
    EXPECT_EQ(std::pair(window.sdlWindow(), window.title()),
              std::pair(first, std::string("OpenGL")));
    window.destroyWindow();
    ASSERT_TRUE(window.createWindow("Keep me", 501, 1000, 0, 8, false));
    EXPECT_EQ(window.client(), std::pair(1000, 750));
    const Uint32 windowedId = SDL_GetWindowID(window.sdlWindow());
    window.setFullScreen(true);
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(window.client(), std::pair(desktop.w, desktop.h));
    EXPECT_EQ(window.colourDepth(), 16);
    window.setFullScreen(false);
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_STREQ(SDL_GetWindowTitle(window.sdlWindow()), "Keep me");
    EXPECT_EQ(window.log, (std::vector<std::string>{"release", "restore", "release", "restore"}));
    EXPECT_GT(SDL_GetWindowID(window.sdlWindow()), windowedId) << "the window was made again";
    SDL_Window* before = window.sdlWindow();
    window.changeResolution(500, 400, 8);
    EXPECT_EQ(std::pair(window.sdlWindow(), window.client()),
              std::pair(before, std::pair(500, 400)));
}

// Pointer and keys in client coordinates with y up, keys translated and system keys
// dropped, events of other windows ignored; the close request runs once.
TEST(GlWindowGl, EventsArriveTranslatedInClientCoordinatesWithYUp) {
    RecordingWindow window;
    window.createWindow("t", 0, 400, 300, 24, false);
    SDL_Event motion = window.event(SDL_MOUSEMOTION), press = window.event(SDL_MOUSEBUTTONDOWN);
    motion.motion.x = 10;
    motion.motion.y = 20;
    window.handleEvent(motion);
    press.button.button = SDL_BUTTON_LEFT;
    press.button.x = 399;
    press.button.y = 299;
    window.handleEvent(press);
    window.handleEvent(window.event(SDL_MOUSEMOTION, true));
    for (const auto& [code, scancode, modifiers] :
         {std::tuple{SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT},
          {SDLK_F10, SDL_SCANCODE_F10, KMOD_NONE},
          {SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT},
          {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, KMOD_NONE}}) {
        SDL_Event key = window.event(SDL_KEYDOWN);
        key.key.keysym = {scancode, code, Uint16(modifiers), 0};
        window.handleEvent(key);
    }
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"hover 10,280", "move 10,280", "left 399,1001", "key 65,0",
                                        "key " + std::to_string(Key::Console) + ",0"}));
    SDL_WarpMouseInWindow(window.sdlWindow(), 30, 40);
    SDL_PumpEvents();
    int x = -1, y = -1;
    window.mousePosition(x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(30, 260));
    window.log.clear();
    window.requestClose();
    while (window.pumpOneEvent()) {
    }
    EXPECT_TRUE(window.quitPosted());
    window.handleEvent(window.event(SDL_QUIT));
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "close"), 1);
}
