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

// Pointer and keys in client coordinates with y up; keys translated, system keys
// dropped; events of other windows ignored.
TEST(GlWindowGl, InputArrivesTranslatedInClientCoordinatesWithYUp) {
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
    motion.motion.windowID = window.id() + 1000; // someone else's window
    window.handleEvent(motion);
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"hover 10,280", "move 10,280", "left down 399,1 flags 1",
                                        "right up 399,300 flags 0"}));
    SDL_WarpMouseInWindow(window.sdlWindow(), 30, 40);
    SDL_PumpEvents();
    int x = -1, y = -1;
    window.mousePosition(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(30, 260));

    const Uint32 id = window.id();
    window.handleEvent(keyEvent(id, true, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT));
    window.handleEvent(keyEvent(id, true, SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE));
    window.handleEvent(keyEvent(id, true, SDLK_F10, SDL_SCANCODE_F10));
    window.handleEvent(keyEvent(id, true, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
    window.handleEvent(keyEvent(id, true, SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK));
    window.handleEvent(keyEvent(id, false, SDLK_LEFT, SDL_SCANCODE_LEFT));
    EXPECT_EQ(window.keysDown, (std::vector<int>{'A', Key::Console}));
    EXPECT_EQ(window.keysUp, (std::vector<int>{Key::Left}));
}

TEST(GlWindowGl, MinimisingStopsTheFrameAndTheCloseRequestRunsOnce) {
    RecordingWindow window;
    window.createWindow("t", 0, 320, 240, 24, false);
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

// Full screen takes the desktop mode's size at 16 bits at least and is a new window;
// back in a window, title and icon are kept. A resolution change in a window only resizes.
TEST(GlWindowGl, FullScreenAndBackKeepTitleAndIcon) {
    RecordingWindow window;
    window.createWindow("Keep me", 501, 640, 480, 8, false);
    const Uint32 windowedId = window.id();
    window.setFullScreen(true);
    EXPECT_TRUE(window.isFullScreen());
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(clientOf(window), std::make_pair(desktop.w, desktop.h));
    EXPECT_EQ(window.colourDepth(), 16);
    EXPECT_EQ(window.iconResourceId(), 501);
    window.setFullScreen(false);
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_STREQ(SDL_GetWindowTitle(window.sdlWindow()), "Keep me");
    std::vector<std::string> lifecycle = window.log;
    std::erase_if(lifecycle, [](const std::string& e) { return e.starts_with("resize"); });
    EXPECT_EQ(lifecycle, (std::vector<std::string>{"release", "restore with GL", "release",
                                                   "restore with GL"}));
    EXPECT_GT(window.id(), windowedId) << "the window was made again";
    SDL_Window* before = window.sdlWindow();
    window.changeResolution(500, 400, 8);
    EXPECT_EQ(window.sdlWindow(), before);
    EXPECT_EQ(clientOf(window), std::make_pair(500, 400));
    EXPECT_FALSE(window.listDisplayModes(200).empty());
}

TEST(GlWindowGl, SetupGlStateSetsTheFrameStartingState) {
    RecordingWindow window;
    window.createWindow("t", 0, 320, 240, 24, false);
    glFrontFace(GL_CCW);
    glCullFace(GL_FRONT);
    glDisable(GL_TEXTURE_2D);
    glClearColor(0.5f, 0.5f, 0.5f, 0.5f);
    glViewport(5, 5, 10, 10);
    window.setupGlState();
    const std::pair<GLenum, GLint> states[] = {{GL_FRONT_FACE, GL_CW},
                                               {GL_CULL_FACE_MODE, GL_BACK},
                                               {GL_DEPTH_FUNC, GL_LEQUAL},
                                               {GL_FOG_MODE, GL_EXP2},
                                               {GL_SHADE_MODEL, GL_SMOOTH}};
    for (const auto& [state, expected] : states) {
        GLint value = 0;
        glGetIntegerv(state, &value);
        EXPECT_EQ(value, expected) << state;
    }
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat units = 0, clear[4] = {};
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &units);
    EXPECT_FLOAT_EQ(units, -4.0f);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{0, 0, 0, 1}));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 320, 240}));
}
