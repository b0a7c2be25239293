#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "gfx/Texture.h"
#include "app/Application.h"

// The pixels of one drawn frame, y up from the bottom as the window counts.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    struct Colour {
        int r = 0, g = 0, b = 0;
    };
    Colour at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    // Average colour over [left, right) x [bottom, top).
    Colour average(int left, int bottom, int right, int top) const {
        long r = 0, g = 0, b = 0, n = 0;
        for (int y = bottom; y < top; ++y) {
            for (int x = left; x < right; ++x) {
                const Colour c = at(x, y);
                r += c.r;
                g += c.g;
                b += c.b;
                ++n;
            }
        }
        if (n == 0) return {};
        return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
    }
    // Pixels in [left, right) x [bottom, top) whose every channel is at least level.
    int brightPixels(int left, int bottom, int right, int top, int level) const {
        int n = 0;
        for (int y = bottom; y < top; ++y) {
            for (int x = left; x < right; ++x) {
                const Colour c = at(x, y);
                if (c.r >= level && c.g >= level && c.b >= level) ++n;
            }
        }
        return n;
    }
    // Writes a PPM (top row first) for a person to look at.
    void save(const std::string& path) const {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return;
        std::fprintf(file, "P6\n%d %d\n255\n", width, height);
        for (int y = height - 1; y >= 0; --y) {
            std::fwrite(&rgb[static_cast<std::size_t>(y) * width * 3], 1,
                        static_cast<std::size_t>(width) * 3, file);
        }
        std::fclose(file);
    }
};

// Average colour of a part of a picture as stored, in fractions of its size
// from the left and from the top (the first rows are its top).
inline Frame::Colour pictureAverage(Texture& picture, double fromLeft, double fromTop,
                                    double toLeft, double toTop) {
    const Image& image = picture.Picture();
    const int depth = image.BytesPerPixel();
    const int w = image.Width(), h = image.Height();
    long sum[3] = {0, 0, 0}, n = 0;
    const int rowFrom = static_cast<int>(fromTop * h), rowTo = static_cast<int>(toTop * h);
    const int colFrom = static_cast<int>(fromLeft * w), colTo = static_cast<int>(toLeft * w);
    for (int row = rowFrom; row < rowTo; ++row) {
        for (int col = colFrom; col < colTo; ++col) {
            const std::uint8_t* p =
                image.Pixels() + (static_cast<std::size_t>(row) * w + col) * depth;
            for (int c = 0; c < 3; ++c)
                sum[c] += depth >= 3 ? p[c] : p[0];
            ++n;
        }
    }
    if (n == 0) return {};
    return {static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n),
            static_cast<int>(sum[2] / n)};
}

// The same part of a drawn rectangle (left, bottom, right, top in window pixels).
inline Frame::Colour drawnAverage(const Frame& frame, int left, int bottom, int right, int top,
                                  double fromLeft, double fromTop, double toLeft, double toTop) {
    const int w = right - left, h = top - bottom;
    return frame.average(left + static_cast<int>(fromLeft * w), top - static_cast<int>(toTop * h),
                         left + static_cast<int>(toLeft * w), top - static_cast<int>(fromTop * h));
}

inline bool near(const Frame::Colour& a, const Frame::Colour& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// The application with its window, made once for the whole test program, so the
// accessors give real fonts, textures, texts and the client size.
class GlScreen {
  public:
    static GlScreen& get() {
        static GlScreen screen;
        return screen;
    }

    Application& app() { return *application; }

    void clear() {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    Frame grab() {
        Frame frame;
        application->clientSize(frame.width, frame.height);
        frame.rgb.resize(static_cast<std::size_t>(frame.width) * frame.height * 3);
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
        return frame;
    }

    // Where screenshots go: the test's working folder.
    static std::string shotPath(const std::string& name) {
        return (std::filesystem::current_path() / (name + ".ppm")).string();
    }

  private:
    GlScreen() {
        settingsFile = (std::filesystem::temp_directory_path() /
                        ("ventrix-widgets-" + std::to_string(getpid()) + ".ini"))
                           .string();
        application = std::make_unique<Application>();
        application->init("Ventrix widgets", 501, settingsFile.c_str(), false);
    }
    ~GlScreen() {
        application.reset();
        std::filesystem::remove(settingsFile);
    }

    std::string settingsFile;
    std::unique_ptr<Application> application;
};
