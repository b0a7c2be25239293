#include "platform/GlWindow.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/FatalError.h"
#include "platform/KeyTranslation.h"
#include "platform/Resources.h"
#include "platform/Windows1252.h"

namespace {

struct ModeList {
    std::vector<DisplayMode> modes;
    std::vector<SDL_DisplayMode> sdlModes;
};

ModeList primaryDisplayModes() {
    ModeList list;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) break;
        list.modes.push_back({mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format))});
        list.sdlModes.push_back(mode);
    }
    return list;
}

void requestColourSizes(int bits) {
    int red = 0, green = 0, blue = 0; // below 15 bits: whatever the display has
    if (bits >= 24) {
        red = green = blue = 8;
    } else if (bits >= 16) {
        red = 5, green = 6, blue = 5;
    } else if (bits >= 15) {
        red = green = blue = 5;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
}

// The icon resource is a 32-bit TGA with alpha. Returns the pixels top row first, as
// BGRA bytes, or nothing when the data is not such a picture.
bool decodeIcon(ResourceBytes bytes, std::vector<std::uint8_t>& pixels, int& width, int& height) {
    if (bytes.size() < 18) return false;
    const std::uint8_t* h = bytes.data();
    width = h[12] | (h[13] << 8);
    height = h[14] | (h[15] << 8);
    const std::size_t offset = 18u + h[0];
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    if (h[2] != 2 || h[16] != 32 || width <= 0 || height <= 0 ||
        bytes.size() < offset + rowBytes * height) {
        return false;
    }
    const bool topFirst = (h[17] & 0x20) != 0;
    pixels.resize(rowBytes * height);
    for (int row = 0; row < height; ++row) {
        const int source = topFirst ? row : height - 1 - row;
        std::memcpy(&pixels[rowBytes * row], h + offset + rowBytes * source, rowBytes);
    }
    return true;
}

int buttonFlags(Uint32 buttons, SDL_Keymod modifiers) {
    int flags = 0;
    if (buttons & SDL_BUTTON_LMASK) flags |= MouseFlag::Left;
    if (buttons & SDL_BUTTON_RMASK) flags |= MouseFlag::Right;
    if (buttons & SDL_BUTTON_MMASK) flags |= MouseFlag::Middle;
    if (modifiers & KMOD_SHIFT) flags |= MouseFlag::Shift;
    if (modifiers & KMOD_CTRL) flags |= MouseFlag::Control;
    return flags;
}

} // namespace

GlWindow::~GlWindow() {
    try {
        destroyWindow();
    } catch (const FatalError& error) {
        std::fprintf(stderr, "Error: %s\n", error.what()); // a destructor must not throw
    }
    if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void GlWindow::fail(const char* text) {
    std::fprintf(stderr, "ventrix: %s (%s)\n", text, SDL_GetError());
    // Leave nothing half built; destroying a full-screen window gives the desktop its
    // display mode back, so the error box shows on the normal desktop.
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
    context = nullptr;
    window = nullptr;
    created = false;
    throw FatalError(text);
}

// Without a display SDL falls back to drivers that draw nowhere; the program would then
// run unseen. Those count only when the user asked for them by name.
void GlWindow::initVideo() {
    if (videoStarted) return;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) fail("Failed To Register The Window Class.");
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible =
        driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (invisible && !SDL_getenv("SDL_VIDEODRIVER")) {
        SDL_SetError("no display (driver %s)", driver);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        fail("Failed To Register The Window Class.");
    }
    videoStarted = true;
}

bool GlWindow::createWindow(const char* title, int icon, int width, int height, int bits,
                            bool wantFullScreen) {
    if (created) return true;
    fullScreen = wantFullScreen;
    if (title) windowTitle = title;
    iconId = icon;
    DisplayMode mode = resolveWindowRequest(width, height, bits, fullScreen);
    colourBits = mode.bits;

    initVideo();
    if (fullScreen) mode = chooseFullScreenMode(mode);
    openWindow(mode);
    if (fullScreen) enterFullScreen(mode);
    applyIcon();
    SDL_ShowCursor(SDL_DISABLE); // the application draws its own pointer
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_StartTextInput(); // typed text comes as the layout makes it (shift, AltGr, dead keys)
    createContext();
    // Full screen keeps the screen saver away; a window lets it start as usual.
    fullScreen ? SDL_DisableScreenSaver() : SDL_EnableScreenSaver();
    created = true;
    windowActive = true;
    quit = false;
    return true;
}

// The window takes the chosen mode's own size, so it covers the screen exactly.
DisplayMode GlWindow::chooseFullScreenMode(const DisplayMode& wanted) {
    const ModeList list = primaryDisplayModes();
    const int best = chooseDisplayMode(list.modes, wanted);
    if (best < 0) fail("Can't set full screen mode");
    DisplayMode chosen = list.modes[best];
    chosen.bits = wanted.bits;
    return chosen;
}

void GlWindow::openWindow(const DisplayMode& mode) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    requestColourSizes(mode.bits);
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN |
                         (fullScreen ? 0u : static_cast<Uint32>(SDL_WINDOW_RESIZABLE));
    for (int depthBits : {32, 24, 16}) { // 32 asked, fewer accepted
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
        window = SDL_CreateWindow(windowTitle.c_str(), 0, 0, mode.width, mode.height, flags);
        if (window) return;
    }
    fail("Window Creation Error during 'CreateWindow()' .");
}

void GlWindow::enterFullScreen(const DisplayMode& mode) {
    const ModeList list = primaryDisplayModes();
    SDL_DisplayMode target{};
    for (std::size_t i = 0; i < list.modes.size(); ++i) {
        if (list.modes[i].width == mode.width && list.modes[i].height == mode.height) {
            target = list.sdlModes[i];
            break;
        }
    }
    if (target.w == 0 || SDL_SetWindowDisplayMode(window, &target) != 0 ||
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
        fail("Can't set full screen mode");
    }
}

void GlWindow::applyIcon() {
    ResourceBytes bytes;
    std::vector<std::uint8_t> pixels;
    int width = 0, height = 0;
    if (iconId <= 0 || !findResource(iconId, "ICON", bytes)) return; // the system's own icon
    if (!decodeIcon(bytes, pixels, width, height)) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_BGRA32);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

void GlWindow::createContext() {
    previousWindow = SDL_GL_GetCurrentWindow();
    previousContext = SDL_GL_GetCurrentContext();
    context = SDL_GL_CreateContext(window);
    if (!context) fail("Can't Create A GL Rendering Context");
    if (SDL_GL_MakeCurrent(window, context) != 0) fail("Can't Activate GLRC");
    SDL_GL_SetSwapInterval(0); // no frame cap: the loop runs as fast as it can
}

void GlWindow::destroyWindow() {
    if (!created) return;
    if (context) {
        if (SDL_GL_MakeCurrent(previousWindow, previousContext) != 0) {
            fail("Can't release rendering context");
        }
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    SDL_DestroyWindow(window); // also gives the desktop its display mode back
    window = nullptr;
    created = false;
}

void GlWindow::renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    if (window) SDL_GL_SwapWindow(window);
}

void GlWindow::resize(int, int) {
    int width = 0, height = 0;
    if (window) SDL_GL_GetDrawableSize(window, &width, &height);
    glViewport(0, 0, width, height);
}

void GlWindow::clientSize(int& width, int& height) const {
    width = height = 0;
    if (window) SDL_GetWindowSize(window, &width, &height);
}

void GlWindow::windowSize(int& width, int& height) const {
    clientSize(width, height);
}

void GlWindow::mousePosition(int& x, int& y) const {
    x = y = 0;
    if (!window) return;
    int globalX = 0, globalY = 0, left = 0, top = 0, width = 0, height = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    SDL_GetWindowPosition(window, &left, &top);
    clientSize(width, height);
    x = globalX - left;
    y = height - (globalY - top);
}

void GlWindow::requestClose() {
    if (!window) return;
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&event);
}

void GlWindow::setFullScreen(bool wantFullScreen) {
    if (wantFullScreen == fullScreen) return;
    int width = 0, height = 0;
    windowSize(width, height);
    releaseGraphics();
    destroyWindow();
    fullScreen = wantFullScreen;
    createWindow(nullptr, iconId, width, height, colourBits, wantFullScreen);
    restoreGraphics();
}

void GlWindow::changeResolution(int width, int height, int bits) {
    if (!fullScreen) {
        if (window) SDL_SetWindowSize(window, width, height);
        return;
    }
    releaseGraphics();
    destroyWindow();
    createWindow(nullptr, iconId, width, height, bits, true);
    restoreGraphics();
}

std::vector<DisplayMode> GlWindow::listDisplayModes(int capacity) const {
    if (!videoStarted) return {};
    return displayModeList(primaryDisplayModes().modes, capacity);
}

void GlWindow::setupGlState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glPolygonOffset(0.0f, -4.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogi(GL_FOG_MODE, GL_EXP2);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    int width = 0, height = 0;
    if (window) SDL_GL_GetDrawableSize(window, &width, &height);
    glViewport(0, 0, width, height);
}

bool GlWindow::pumpOneEvent() {
    SDL_Event event;
    if (!videoStarted || !SDL_PollEvent(&event)) return false;
    handleEvent(event);
    return true;
}

void GlWindow::waitForEvent(int timeoutMs) const {
    if (videoStarted) SDL_WaitEventTimeout(nullptr, timeoutMs);
}

void GlWindow::handleEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT) { // e.g. the terminal's interrupt: close as the close box does
        closeRequested();
        return;
    }
    const Uint32 ours = window ? SDL_GetWindowID(window) : 0;
    switch (event.type) {
    case SDL_WINDOWEVENT:
        if (event.window.windowID == ours) handleWindowEvent(event);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (event.key.windowID == ours) handleKey(event, event.type == SDL_KEYDOWN);
        break;
    case SDL_TEXTINPUT:
        if (event.text.windowID == ours) handleText(event);
        break;
    case SDL_MOUSEMOTION:
        if (event.motion.windowID == ours) {
            int width = 0, height = 0;
            clientSize(width, height);
            const int x = event.motion.x;
            const int y = height - event.motion.y;
            mouseHover(x, y);
            mouseMove(x, y);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.windowID == ours) handleButton(event, event.type == SDL_MOUSEBUTTONDOWN);
        break;
    default:
        break;
    }
}

void GlWindow::handleWindowEvent(const SDL_Event& event) {
    switch (event.window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        resize(event.window.data1, event.window.data2);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        windowActive = false;
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        windowActive = (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) == 0;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        closeRequested();
        break;
    default:
        break;
    }
}

void GlWindow::handleKey(const SDL_Event& event, bool down) {
    const SDL_Keysym& keysym = event.key.keysym;
    const int key = translateKey(keysym.sym, keysym.scancode, (keysym.mod & KMOD_SHIFT) != 0);
    if (down) lastPressTypes = pressTypesText(key, keysym.mod);
    if (key == 0 || isSystemKey(keysym.sym, keysym.mod)) return;
    down ? keyDown(key) : keyUp(key);
}

void GlWindow::handleText(const SDL_Event& event) {
    if (!lastPressTypes) return;
    for (const char byte : utf8ToWindows1252(event.text.text)) {
        characterTyped(static_cast<unsigned char>(byte));
    }
}

void GlWindow::handleButton(const SDL_Event& event, bool down) {
    // Double clicks arrive as plain presses, as in a window class without double clicks.
    Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    const Uint32 mask = SDL_BUTTON(event.button.button);
    buttons = down ? (buttons | mask) : (buttons & ~mask);
    const int flags = buttonFlags(buttons, SDL_GetModState());
    int width = 0, height = 0;
    clientSize(width, height);
    const int x = event.button.x;
    const int y = height - event.button.y;
    switch (event.button.button) {
    case SDL_BUTTON_LEFT:
        down ? leftButtonDown(flags, x, y) : leftButtonUp(flags, x, y);
        break;
    case SDL_BUTTON_MIDDLE:
        down ? middleButtonDown(flags, x, y) : middleButtonUp(flags, x, y);
        break;
    case SDL_BUTTON_RIGHT:
        down ? rightButtonDown(flags, x, y) : rightButtonUp(flags, x, y);
        break;
    default:
        break;
    }
}

void GlWindow::closeRequested() {
    if (quit) return;
    close();
    quit = true;
}
