// The window on a real (virtual) display: size rules, re-creation, the pointer's coordinates.
#include "platform/GlWindow.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/KeepDisplayOpen.h"

namespace {
class RecordingWindow : public GlWindow {
  public:
    void mouseHover(int x, int y) override { note("hover", x, y); }
    bool mouseMove(int x, int y) override { return note("move", x, y); }
    bool keyDown(int key) override { return note("down", key, 0); }
    bool keyUp(int key) override { return note("up", key, 0); }
    bool leftButtonDown(int, int x, int y) override { return note("left", x, y); }
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

// The window's icon as the window manager reads it: ARGB pixels after width and height.
std::vector<unsigned long> iconOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info)) return {};
    Display* display = info.info.x11.display;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_ICON", False),
                       0, 1 << 16, False, XA_CARDINAL, &type, &format, &count, &after, &data);
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    std::vector<unsigned long> icon(values, values + (data ? count : 0));
    XFree(data);
    return icon;
}
} // namespace

// Missing sizes follow 4:3 on the real window; a second create keeps the open window;
// the pointer is met in client coordinates with y up; full screen takes the desktop's size at 16
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
    EXPECT_EQ(window.client(), std::pair(1000, 750));
    SDL_Event motion{};
    motion.motion = {SDL_MOUSEMOTION, 0, SDL_GetWindowID(window.sdlWindow()), 0, 0, 10, 20, 0, 0};
    window.handleEvent(motion); // client coordinates, y up from the bottom
    EXPECT_EQ(window.log, (std::vector<std::string>{"hover 10,730", "move 10,730"}));
    window.log.clear();
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

// Every frame starts from the same state, whatever the last one left.
TEST(GlWindowGl, SetupGlStateSetsTheFrameStartingState) {
    RecordingWindow window;
    window.createWindow("t", 0, 320, 240, 24, false);
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
}

// Keys reach the program but those without a code and the system's; a button press comes in
// client coordinates, y up; minimising makes the window inactive until it has the focus again;
// a frame draws. The icon is the built-in picture, upright: lighter at the top, round corners.
TEST(GlWindowGl, EventsReachTheProgramAndTheIconStandsUpright) {
    RecordingWindow window;
    ASSERT_TRUE(window.createWindow("t", 501, 320, 240, 24, false));
    EXPECT_TRUE(window.active());
    const Uint32 id = SDL_GetWindowID(window.sdlWindow());
    SDL_Event event{};
    for (const auto& [type, sym, code] :
         {std::tuple<Uint32, SDL_Keycode, SDL_Scancode>{SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A},
          {SDL_KEYUP, SDLK_a, SDL_SCANCODE_A},
          {SDL_KEYDOWN, SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK},
          {SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10}}) {
        event.key = {type, 0, id, SDL_PRESSED, 0, 0, 0, {code, sym, KMOD_NONE, 0}};
        window.handleEvent(event);
    }
    event.button = {SDL_MOUSEBUTTONDOWN, 0, id, 0, SDL_BUTTON_LEFT, SDL_PRESSED, 1, 0, 10, 20};
    window.handleEvent(event);
    window.renderFrame();
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"down 97,0", "up 97,0", "left 10,220", "draw"}));
    for (const auto& [change, active] :
         {std::pair{SDL_WINDOWEVENT_MINIMIZED, false}, {SDL_WINDOWEVENT_FOCUS_GAINED, true}}) {
        event.window = {SDL_WINDOWEVENT, 0, id, static_cast<Uint8>(change), 0, 0, 0, 0, 0};
        window.handleEvent(event);
        EXPECT_EQ(window.active(), active) << change;
    }
    const std::vector<unsigned long> icon = iconOf(window.sdlWindow());
    ASSERT_EQ(icon.size(), 2u + 64 * 64);
    const auto pixel = [&icon](int x, int y) { return icon[2 + y * 64 + x]; };
    EXPECT_EQ(pixel(0, 0) >> 24, 0u) << "a transparent corner";
    EXPECT_GT(pixel(6, 8) & 0xff, (pixel(6, 56) & 0xff) + 30) << "lighter at the top";
}
