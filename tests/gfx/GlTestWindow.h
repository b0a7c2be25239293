#pragma once

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include <GL/gl.h>
#include <SDL2/SDL.h>

// A small visible window with a legacy OpenGL context for GL tests (run under Xvfb).
// Pixels are read back from the back buffer before any swap, bottom row first, RGB.
class GlTestWindow {
  public:
    explicit GlTestWindow(int w = 320, int h = 240) : width(w), height(h) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw std::runtime_error(SDL_GetError());
        open();
    }
    ~GlTestWindow() {
        close();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    // A new window and context, as a display-mode change makes: the old GL names are gone.
    void recreate() {
        close();
        open();
    }

    // Window-pixel projection (origin bottom left), black background.
    void begin2D(float red = 0, float green = 0, float blue = 0) const {
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, width, 0, height, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glClearColor(red, green, blue, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    std::vector<std::uint8_t> readPixels() const {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    const int width;
    const int height;

  private:
    void open() {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        window = SDL_CreateWindow("gltest", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                  height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
        if (!window) throw std::runtime_error(SDL_GetError());
        context = SDL_GL_CreateContext(window);
        if (!context) throw std::runtime_error(SDL_GetError());
        SDL_GL_MakeCurrent(window, context);
    }
    void close() {
        if (context) SDL_GL_DeleteContext(std::exchange(context, nullptr));
        if (window) SDL_DestroyWindow(std::exchange(window, nullptr));
    }

    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

struct PixelView {
    const std::vector<std::uint8_t>& pixels;
    int width;
    const std::uint8_t* at(int x, int y) const {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
    }
    int brightness(int x, int y) const { return at(x, y)[0] + at(x, y)[1] + at(x, y)[2]; }
    // Number of pixels brighter than threshold in [x0, x1) x [y0, y1).
    int countLit(int x0, int y0, int x1, int y1, int threshold = 300) const {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                count += brightness(x, y) > threshold;
        return count;
    }
};
