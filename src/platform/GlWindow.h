#pragma once

#include <string>
#include <vector>

#include "platform/DisplayModes.h"

struct SDL_Window;
union SDL_Event;

/*
===============================================================================
GlWindow: the one top-level window with its OpenGL context, windowed or full
screen, and the translation of window events into virtual input operations.

Sizes are in pixels; window sizes are the drawable area (the decorations
belong to the window manager). Mouse positions are client-area coordinates with
y growing upwards from the bottom edge. Every failure to create or destroy the
window or its context throws a FatalError with its message text; a full-screen
window first gives the desktop its own display mode back.

Subclasses override the operations; the base versions do what a window with
nothing in it would do (resize sets the viewport, input operations return
true). One GlWindow handles the events of its own window only.
===============================================================================
*/
class GlWindow {
  public:
    GlWindow() = default;
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;
    virtual ~GlWindow();

    virtual void close() {}
    virtual void resize(int width, int height);
    virtual void draw() {}
    virtual void update() {}
    virtual void mouseHover(int, int) {}
    virtual void releaseGraphics() {}
    virtual void restoreGraphics() {}
    virtual bool keyUp(int) { return true; }
    virtual bool keyDown(int) { return true; }
    // A character the keyboard layout typed, as a Windows-1252 byte; it follows the key
    // press that typed it and is never sent for keys that work as controls.
    virtual bool characterTyped(int) { return true; }
    virtual bool mouseMove(int, int) { return true; }
    virtual bool leftButtonUp(int, int, int) { return true; }
    virtual bool leftButtonDown(int, int, int) { return true; }
    virtual bool leftDoubleClick(int, int, int) { return true; }
    virtual bool middleButtonUp(int, int, int) { return true; }
    virtual bool middleButtonDown(int, int, int) { return true; }
    virtual bool middleDoubleClick(int, int, int) { return true; }
    virtual bool rightButtonUp(int, int, int) { return true; }
    virtual bool rightButtonDown(int, int, int) { return true; }
    virtual bool rightDoubleClick(int, int, int) { return true; }

    // Does nothing and returns true when the window exists. A null title keeps the
    // stored one ("OpenGL" when none was ever given). Throws FatalError on failure.
    bool createWindow(const char* title, int iconId, int width, int height, int colourBits,
                      bool fullScreen);
    void destroyWindow();
    // Clears the buffers, draws and swaps once.
    void renderFrame();

    void clientSize(int& width, int& height) const;
    void windowSize(int& width, int& height) const;
    void mousePosition(int& x, int& y) const;
    // Asks the window to close as its close box does: close() runs, then the loop ends.
    void requestClose();
    // Re-create the window full screen or windowed (graphics released and restored).
    void setFullScreen(bool fullScreen);
    void changeResolution(int width, int height, int bits);
    // The display modes of the primary display, see displayModeList.
    std::vector<DisplayMode> listDisplayModes(int capacity) const;
    void setupGlState();

    // The window procedure: one event becomes the operations above.
    void handleEvent(const SDL_Event& event);
    // Takes at most one pending event and handles it; false when none was waiting.
    bool pumpOneEvent();
    // Sleeps until an event is waiting, at most timeoutMs milliseconds.
    void waitForEvent(int timeoutMs = 100) const;
    // Set once the close request was handled: the main loop ends after this pass.
    bool quitPosted() const { return quit; }

    bool isCreated() const { return created; }
    bool isFullScreen() const { return fullScreen; }
    int colourDepth() const { return colourBits; }
    int iconResourceId() const { return iconId; }
    const std::string& title() const { return windowTitle; }
    SDL_Window* sdlWindow() const { return window; }

    // Updating and rendering run only while this is set (cleared while minimised).
    bool windowActive = true;

  private:
    [[noreturn]] void fail(const char* text);
    void initVideo();
    DisplayMode chooseFullScreenMode(const DisplayMode& wanted);
    void openWindow(const DisplayMode& mode);
    void enterFullScreen(const DisplayMode& mode);
    void applyIcon();
    void createContext();
    void handleWindowEvent(const SDL_Event& event);
    void handleKey(const SDL_Event& event, bool down);
    void handleText(const SDL_Event& event);
    void handleButton(const SDL_Event& event, bool down);
    void closeRequested();

    SDL_Window* window = nullptr;
    void* context = nullptr; // SDL_GLContext
    SDL_Window* previousWindow = nullptr;
    void* previousContext = nullptr;
    std::string windowTitle = "OpenGL";
    int iconId = 0;
    int colourBits = 24;
    bool created = false;
    bool fullScreen = false;
    bool videoStarted = false;
    bool quit = false;
    // Whether the last key press may type: control keys (the console key, Escape, Alt
    // combinations) never do, whatever text the layout gives them.
    bool lastPressTypes = false;
};
