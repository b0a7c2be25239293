// The window on a real (virtual) display: size rules, re-creation, the pointer's coordinates.
#include "platform/GlWindow.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/KeepDisplayOpen.h"
#include "platform/Keys.h"

namespace {
class RecordingWindow : public GlWindow {
  public:
    void mouseHover(int x, int y) override { note("hover", x, y); }
    bool mouseMove(int x, int y) override { return note("move", x, y); }
    bool leftButtonDown(int, int x, int y) override { return note("left", x, y); }
    bool keyDown(int key) override { return note("key", key, 0); }
    void draw() override { log.push_back("draw"); }
    void releaseGraphics() override { log.push_back("release"); }
    void restoreGraphics() override {
        log.push_back(glGetString(GL_VERSION) ? "restore" : "no GL");
    }
    bool note(const char* what, int x, int y) {
        log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    std::pair<int, int> client() const {
        int w = 0, h = 0;
        clientSize(w, h);
        return {w, h};
    }
    bool active() const { return windowActive; }
    std::vector<std::string> log;
};
} // namespace

// Missing sizes follow 4:3 on the real window; a second create keeps the open window;
// the pointer and its buttons are met in client coordinates with y up; a frame draws; a
// hidden window is inactive; full screen takes the desktop's size at 16
// bits at least and is a new window, and back in a window the title is kept; a resolution change in
// a window only resizes.
TEST(GlWindowGl, SizesFullScreenAndBack) {
    RecordingWindow window;
    int x = -1, y = -1;
    window.mousePosition(x, y); // no window yet: the corner
    EXPECT_EQ(std::pair(x, y), std::pair(0, 0));
    ASSERT_TRUE(window.createWindow(nullptr, 0, 0, 0, 0, false));
    EXPECT_EQ(window.client(), std::pair(640, 480));
    SDL_Window* first = window.sdlWindow();
    EXPECT_TRUE(window.createWindow("Other", 0, 300, 200, 16, false)) << "already open";
    EXPECT_EQ(std::pair(window.sdlWindow(), window.title()),
              std::pair(first, std::string("OpenGL")));
    window.destroyWindow();
    ASSERT_TRUE(window.createWindow("Keep me", 501, 1000, 0, 8, false));
    EXPECT_EQ(std::pair(window.client(), window.active()), std::pair(std::pair(1000, 750), true));
    const Uint32 id = SDL_GetWindowID(window.sdlWindow());
    window.handleEvent({.motion = {SDL_MOUSEMOTION, 0, id, 0, 0, 10, 20, 0, 0}});
    window.handleEvent({.button = {SDL_MOUSEBUTTONDOWN, 0, id, 0, 1, 1, 1, 0, 9, 0}});
    window.renderFrame();
    window.handleEvent({.window = {SDL_WINDOWEVENT, 0, id, SDL_WINDOWEVENT_HIDDEN, 0, 0, 0, 0, 0}});
    EXPECT_FALSE(window.active());
    window.setFullScreen(true);
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(window.client(), std::pair(desktop.w, desktop.h));
    EXPECT_EQ(window.colourDepth(), 16);
    window.setFullScreen(false);
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_STREQ(SDL_GetWindowTitle(window.sdlWindow()), "Keep me");
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"hover 10,730", "move 10,730", "left 9,750", "draw",
                                        "release", "restore", "release", "restore"}));
    EXPECT_GT(SDL_GetWindowID(window.sdlWindow()), id) << "the window was made again";
    SDL_Window* before = window.sdlWindow();
    window.changeResolution(500, 400, 8);
    EXPECT_EQ(std::pair(window.sdlWindow(), window.client()),
              std::pair(before, std::pair(500, 400)));
}

// Every frame starts from the same state, whatever the last one left. Keys reach the program
// as it knows them: letters with Shift, digits and punctuation unshifted, the key left of 1
// the console key on every layout; keys without a character never look like one; F10 and Alt
// without Control (not AltGr) are the system's and never arrive.
TEST(GlWindowGl, FramesStartTheSameAndKeysArriveAsTheProgramKnowsThem) {
    RecordingWindow window;
    ASSERT_TRUE(window.createWindow("t", 0, 320, 240, 24, false));
    glFrontFace(GL_CCW);
    glClearColor(0.5f, 0.5f, 0.5f, 0.5f);
    glViewport(5, 5, 10, 10);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    window.setupGlState();
    std::vector<GLint> got(8);
    for (int i = 0;
         const GLenum state : {GL_FRONT_FACE, GL_CULL_FACE_MODE, GL_DEPTH_FUNC, GL_FOG_MODE})
        glGetIntegerv(state, &got[i++]);
    glGetIntegerv(GL_VIEWPORT, &got[4]);
    EXPECT_EQ(got, (std::vector<GLint>{GL_CW, GL_BACK, GL_LEQUAL, GL_EXP2, 0, 0, 320, 240}));
    GLfloat modelview[16], clear[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{0, 0, 0, 1}));
    EXPECT_EQ(modelview[12] + modelview[13] + modelview[14], 0.0f) << "the matrices are reset";
    const Uint32 id = SDL_GetWindowID(window.sdlWindow());
    const std::tuple<SDL_Keycode, Uint16, SDL_Scancode, int> keys[] = {
        {SDLK_a, 0, SDL_SCANCODE_A, 'a'},
        {SDLK_z, KMOD_LSHIFT, SDL_SCANCODE_Z, 'Z'},
        {SDLK_5, KMOD_LSHIFT, SDL_SCANCODE_5, '5'},
        {SDLK_QUOTE, KMOD_RSHIFT, SDL_SCANCODE_UNKNOWN, '\''},
        {SDLK_KP_ENTER, 0, SDL_SCANCODE_KP_ENTER, Key::Return},
        {SDLK_LEFT, 0, SDL_SCANCODE_LEFT, Key::Left},
        {SDLK_DELETE, 0, SDL_SCANCODE_DELETE, Key::Delete},
        {SDLK_F12, 0, SDL_SCANCODE_F12, Key::F12},
        {SDLK_F9, KMOD_LSHIFT, SDL_SCANCODE_F9, Key::F1 + 8},
        {SDLK_BACKQUOTE, 0, SDL_SCANCODE_GRAVE, Key::Console},
        {0xB2, 0, SDL_SCANCODE_GRAVE, Key::Console},
        {0xE9, KMOD_LSHIFT, SDL_SCANCODE_UNKNOWN, 0xC9},
        {0xF7, KMOD_LSHIFT, SDL_SCANCODE_UNKNOWN, 0xF7},
        {SDLK_a, KMOD_RALT | KMOD_LCTRL, SDL_SCANCODE_A, 'a'},
        {SDLK_CAPSLOCK, 0, SDL_SCANCODE_CAPSLOCK, 0},
        {SDLK_F10, 0, SDL_SCANCODE_F10, 0},
        {SDLK_a, KMOD_RALT, SDL_SCANCODE_A, 0}};
    std::vector<std::string> arrived;
    for (const auto& [code, mod, scancode, expected] : keys) {
        window.handleEvent({.key = {SDL_KEYDOWN, 0, id, 1, 0, 0, 0, {scancode, code, mod, 0}}});
        if (expected != 0) arrived.push_back("key " + std::to_string(expected) + ",0");
    }
    EXPECT_EQ(window.log, arrived);
}
