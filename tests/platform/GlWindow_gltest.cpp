// The window on a real (virtual) display: size rules, re-creation, the window
// procedure's translation of events, and the OpenGL state every frame starts from.
#include "platform/GlWindow.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/KeepDisplayOpen.h"
#include "platform/KeyTranslation.h"
#include "platform/Keys.h"

namespace {

class RecordingWindow : public GlWindow {
  public:
    void close() override { log.push_back("close"); }
    void resize(int w, int h) override {
        log.push_back("resize " + std::to_string(w) + "x" + std::to_string(h));
        GlWindow::resize(w, h);
    }
    void mouseHover(int x, int y) override { log.push_back(at("hover", x, y)); }
    bool mouseMove(int x, int y) override {
        log.push_back(at("move", x, y));
        return true;
    }
    bool keyDown(int key) override {
        keysDown.push_back(key);
        return true;
    }
    bool keyUp(int key) override {
        keysUp.push_back(key);
        return true;
    }
    bool leftButtonDown(int flags, int x, int y) override {
        log.push_back(at("left down", x, y) + " flags " + std::to_string(flags));
        return true;
    }
    bool rightButtonUp(int flags, int x, int y) override {
        log.push_back(at("right up", x, y) + " flags " + std::to_string(flags));
        return true;
    }
    void releaseGraphics() override { log.push_back("release"); }
    void restoreGraphics() override {
        log.push_back(std::string("restore ") + (glGetString(GL_VERSION) ? "with GL" : "no GL"));
    }
    static std::string at(const char* what, int x, int y) {
        return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
    }
    Uint32 id() const { return SDL_GetWindowID(sdlWindow()); }

    std::vector<std::string> log;
    std::vector<int> keysDown, keysUp;
};

SDL_Event keyEvent(Uint32 window, bool down, SDL_Keycode code, SDL_Scancode scancode,
                   Uint16 modifiers = KMOD_NONE) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = window;
    event.key.keysym.sym = code;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = modifiers;
    return event;
}

SDL_Event windowEvent(Uint32 window, SDL_WindowEventID what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = window;
    event.window.event = what;
    return event;
}

std::pair<int, int> clientOf(const GlWindow& window) {
    int w = 0, h = 0;
    window.clientSize(w, h);
    return {w, h};
}

} // namespace

TEST(GlWindowGl, SizeAndDepthRulesApplyToTheRealWindow) {
    RecordingWindow window;
    ASSERT_TRUE(window.createWindow(nullptr, 0, 0, 0, 0, false));
    EXPECT_EQ(clientOf(window), std::make_pair(640, 480));
    EXPECT_EQ(window.colourDepth(), 24);
    EXPECT_EQ(window.title(), "OpenGL");
    SDL_Window* first = window.sdlWindow();
    EXPECT_TRUE(window.createWindow("Other", 0, 300, 200, 16, false)) << "already open";
    EXPECT_EQ(window.sdlWindow(), first);
    EXPECT_EQ(window.title(), "OpenGL");
    window.destroyWindow();
    EXPECT_FALSE(window.isCreated());
    ASSERT_TRUE(window.createWindow("Ventrix test", 0, 1000, 0, 32, false));
    EXPECT_EQ(clientOf(window), std::make_pair(1000, 750));
    EXPECT_STREQ(SDL_GetWindowTitle(window.sdlWindow()), "Ventrix test");
    EXPECT_NE(glGetString(GL_VERSION), nullptr) << "the context is current";
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
}

TEST(GlWindowGl, MouseEventsArriveInClientCoordinatesWithYUp) {
    RecordingWindow window;
    window.createWindow("t", 0, 400, 300, 24, false);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = window.id();
    motion.motion.x = 10;
    motion.motion.y = 20;
    window.handleEvent(motion);
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.windowID = window.id();
    press.button.button = SDL_BUTTON_LEFT;
    press.button.x = 399;
    press.button.y = 299;
    window.handleEvent(press);
    press.type = SDL_MOUSEBUTTONUP;
    press.button.button = SDL_BUTTON_RIGHT;
    press.button.y = 0;
    window.handleEvent(press);
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"hover 10,280", "move 10,280", "left down 399,1 flags 1",
                                        "right up 399,300 flags 0"}));
    motion.motion.windowID = window.id() + 1000; // someone else's window
    window.handleEvent(motion);
    EXPECT_EQ(window.log.size(), 4u);
}

TEST(GlWindowGl, PointerPositionIsInClientCoordinatesWithYUp) {
    RecordingWindow window;
    window.createWindow("t", 0, 400, 300, 24, false);
    SDL_WarpMouseInWindow(window.sdlWindow(), 30, 40);
    SDL_PumpEvents();
    int x = -1, y = -1;
    window.mousePosition(x, y);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 260);
}

TEST(GlWindowGl, KeysAreTranslatedAndSystemKeysDropped) {
    RecordingWindow window;
    window.createWindow("t", 0, 320, 240, 24, false);
    const Uint32 id = window.id();
    window.handleEvent(keyEvent(id, true, SDLK_a, SDL_SCANCODE_A));
    window.handleEvent(keyEvent(id, true, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT));
    window.handleEvent(keyEvent(id, true, SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE));
    window.handleEvent(keyEvent(id, true, SDLK_F7, SDL_SCANCODE_F7));
    window.handleEvent(keyEvent(id, true, SDLK_F10, SDL_SCANCODE_F10));
    window.handleEvent(keyEvent(id, true, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
    window.handleEvent(keyEvent(id, true, SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK));
    window.handleEvent(keyEvent(id, false, SDLK_LEFT, SDL_SCANCODE_LEFT));
    EXPECT_EQ(window.keysDown, (std::vector<int>{'a', 'A', Key::Console, Key::F1 + 6}));
    EXPECT_EQ(window.keysUp, (std::vector<int>{Key::Left}));
}

TEST(GlWindowGl, MinimisingStopsTheFrameAndTheCloseRequestRunsOnce) {
    RecordingWindow window;
    window.createWindow("t", 0, 320, 240, 24, false);
    EXPECT_TRUE(window.windowActive);
    window.handleEvent(windowEvent(window.id(), SDL_WINDOWEVENT_MINIMIZED));
    EXPECT_FALSE(window.windowActive);
    window.handleEvent(windowEvent(window.id(), SDL_WINDOWEVENT_RESTORED));
    EXPECT_TRUE(window.windowActive);
    window.log.clear();
    EXPECT_FALSE(window.quitPosted());
    window.requestClose();
    while (window.pumpOneEvent()) {
    }
    EXPECT_TRUE(window.quitPosted());
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    window.handleEvent(quit);
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "close"), 1);
}

TEST(GlWindowGl, FullScreenTakesTheChosenModeSizeAndComesBackWithTitleAndIcon) {
    RecordingWindow window;
    window.createWindow("Keep me", 501, 640, 480, 8, false);
    const Uint32 windowedId = window.id();
    window.setFullScreen(true);
    EXPECT_TRUE(window.isFullScreen());
    EXPECT_NE(window.sdlWindow(), nullptr);
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(clientOf(window), std::make_pair(desktop.w, desktop.h));
    EXPECT_EQ(window.colourDepth(), 16) << "full screen never goes below 16 bits";
    EXPECT_EQ(window.title(), "Keep me");
    EXPECT_EQ(window.iconResourceId(), 501);
    window.setFullScreen(false);
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_STREQ(SDL_GetWindowTitle(window.sdlWindow()), "Keep me");
    std::vector<std::string> lifecycle = window.log;
    std::erase_if(lifecycle, [](const std::string& e) { return e.starts_with("resize"); });
    EXPECT_EQ(lifecycle, (std::vector<std::string>{"release", "restore with GL", "release",
                                                   "restore with GL"}));
    EXPECT_GT(window.id(), windowedId) << "the window was made again";
}

TEST(GlWindowGl, ChangingResolutionInAWindowOnlyResizesIt) {
    RecordingWindow window;
    window.createWindow("t", 0, 640, 480, 24, false);
    SDL_Window* before = window.sdlWindow();
    window.changeResolution(500, 400, 8);
    EXPECT_EQ(window.sdlWindow(), before);
    EXPECT_EQ(clientOf(window), std::make_pair(500, 400));
    EXPECT_EQ(window.colourDepth(), 24);
}

TEST(GlWindowGl, DisplayModesAreListedSortedWithoutDuplicates) {
    RecordingWindow window;
    window.createWindow("t", 0, 320, 240, 24, false);
    const std::vector<DisplayMode> modes = window.listDisplayModes(200);
    ASSERT_FALSE(modes.empty());
    for (std::size_t i = 1; i < modes.size(); ++i) {
        const auto& a = modes[i - 1];
        const auto& b = modes[i];
        EXPECT_TRUE(std::tie(a.bits, a.width, a.height) < std::tie(b.bits, b.width, b.height));
    }
    for (const DisplayMode& mode : modes)
        EXPECT_GE(mode.bits, 15);
    EXPECT_TRUE(window.listDisplayModes(0).empty());
}

TEST(GlWindowGl, SetupGlStateSetsTheFrameStartingState) {
    RecordingWindow window;
    window.createWindow("t", 0, 320, 240, 24, false);
    glFrontFace(GL_CCW);
    glDisable(GL_TEXTURE_2D);
    window.setupGlState();
    GLint value = 0;
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CW);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_FOG_MODE, &value);
    EXPECT_EQ(value, GL_EXP2);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    GLfloat units = 0;
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &units);
    EXPECT_FLOAT_EQ(units, -4.0f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 240);
}
