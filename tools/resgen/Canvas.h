#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

/*
Canvas: a float RGB picture the generator paints on, top row first, with
anti-aliased shapes given by signed distance functions (negative inside, in
pixels). Colours are linear 0..1 values; conversion to bytes clamps.
*/
struct Colour {
    float r = 0, g = 0, b = 0;
};

inline Colour rgb(float r, float g, float b) {
    return {r, g, b};
}
inline Colour hex(std::uint32_t value) {
    return {((value >> 16) & 255) / 255.0f, ((value >> 8) & 255) / 255.0f, (value & 255) / 255.0f};
}
inline Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Colour scale(Colour c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}
inline Colour add(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
inline float smoothstep(float a, float b, float x) {
    const float t = clamp01((x - a) / (b - a));
    return t * t * (3 - 2 * t);
}

using Sdf = std::function<float(float x, float y)>;
using Shader = std::function<Colour(float x, float y)>;

class Canvas {
  public:
    Canvas(int width, int height, Colour fill = {});

    int width() const { return w; }
    int height() const { return h; }
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * w + x]; }
    const Colour& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * w + x]; }

    // Every pixel from a shader evaluated at the pixel centre.
    void paint(const Shader& shader);
    // Blends a shader into the shape with anti-aliased edges; opacity scales it.
    void fill(const Sdf& shape, const Shader& shader, float opacity = 1.0f);
    void fill(const Sdf& shape, Colour colour, float opacity = 1.0f);
    // Soft glow or shadow: colour weighted by a falloff outside the shape.
    void glow(const Sdf& shape, Colour colour, float radius, float opacity);
    // Blends a coverage map (0..1 per pixel, same size) in a colour.
    void blendCoverage(const std::vector<float>& coverage, const Shader& shader);

    // 24-bit BGR bytes, rows from the top (or from the bottom when bottomFirst).
    std::vector<std::uint8_t> toBgr(bool bottomFirst) const;
    // 32-bit BGRA with a separate alpha map, rows from the top.
    std::vector<std::uint8_t> toBgra(const std::vector<float>& alpha) const;

  private:
    int w, h;
    std::vector<Colour> pixels;
};

// Signed distance functions (pixels; negative inside).
Sdf circle(float cx, float cy, float r);
Sdf ellipse(float cx, float cy, float rx, float ry);
Sdf roundedBox(float x0, float y0, float x1, float y1, float radius);
Sdf segment(float ax, float ay, float bx, float by, float halfWidth);
Sdf polygon(std::vector<std::pair<float, float>> points);
Sdf unite(Sdf a, Sdf b);
Sdf subtract(Sdf a, Sdf b);
Sdf intersect(Sdf a, Sdf b);
Sdf offset(Sdf a, float by);
