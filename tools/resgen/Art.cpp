#include "Art.h"

#include <cmath>
#include <vector>

namespace {
constexpr float Pi = 3.14159265f;

// Maps a canvas point into a shape's local frame: unit span, rotated.
struct Frame {
    float cx, cy, scale, c, s;
    Frame(float centreX, float centreY, float size, float degrees)
        : cx(centreX), cy(centreY), scale(size), c(std::cos(degrees * Pi / 180)),
          s(std::sin(degrees * Pi / 180)) {}
    void toLocal(float x, float y, float& u, float& v) const {
        const float dx = (x - cx) / scale, dy = (y - cy) / scale;
        u = dx * c + dy * s;
        v = -dx * s + dy * c;
    }
};

Sdf local(const Frame& frame, Sdf shape) {
    return [=](float x, float y) {
        float u, v;
        frame.toLocal(x, y, u, v);
        return shape(u, v) * frame.scale;
    };
}
} // namespace

Sdf gliderPlanform(float cx, float cy, float span, float headingDegrees) {
    // Local unit: the span is 1; v grows towards the tail.
    const Sdf wing = polygon({{0.0f, -0.042f},
                              {0.30f, -0.028f},
                              {0.485f, -0.014f},
                              {0.50f, -0.004f},
                              {0.49f, 0.008f},
                              {0.30f, 0.016f},
                              {0.0f, 0.036f},
                              {-0.30f, 0.016f},
                              {-0.49f, 0.008f},
                              {-0.50f, -0.004f},
                              {-0.485f, -0.014f},
                              {-0.30f, -0.028f}});
    const Sdf body = ellipse(0.0f, 0.0f, 0.021f, 0.13f);
    const Sdf boom = segment(0.0f, 0.05f, 0.0f, 0.30f, 0.0075f);
    const Sdf tail = polygon({{0.0f, 0.275f},
                              {0.085f, 0.285f},
                              {0.09f, 0.300f},
                              {0.0f, 0.305f},
                              {-0.09f, 0.300f},
                              {-0.085f, 0.285f}});
    const Sdf shape = unite(unite(wing, body), unite(boom, tail));
    return local(Frame(cx, cy, span, headingDegrees), shape);
}

Sdf gliderFront(float cx, float cy, float span, float bankDegrees) {
    const Sdf left = segment(0.0f, 0.0f, -0.5f, -0.045f, 0.010f);
    const Sdf right = segment(0.0f, 0.0f, 0.5f, -0.045f, 0.010f);
    const Sdf body = circle(0.0f, 0.012f, 0.028f);
    const Sdf fin = segment(0.0f, -0.01f, 0.0f, -0.09f, 0.007f);
    const Sdf stab = segment(-0.07f, -0.09f, 0.07f, -0.09f, 0.005f);
    return local(Frame(cx, cy, span, bankDegrees),
                 unite(unite(left, right), unite(body, unite(fin, stab))));
}

Sdf gliderSide(float cx, float cy, float length, float facing) {
    // Fuselage outline from nose (u = 0.5) to tail (u = -0.5), v down.
    std::vector<std::pair<float, float>> outline;
    for (int i = 0; i <= 24; ++i) { // upper edge, nose to tail
        const float u = 0.5f - i / 24.0f;
        const float pod = std::sqrt(clamp01(1 - std::pow((u - 0.26f) / 0.25f, 2.0f)));
        const float canopy = std::sqrt(clamp01(1 - std::pow((u - 0.30f) / 0.12f, 2.0f)));
        outline.push_back({u, -0.012f - 0.034f * pod - 0.028f * canopy});
    }
    for (int i = 0; i <= 24; ++i) { // lower edge, tail to nose
        const float u = -0.5f + i / 24.0f;
        const float pod = std::sqrt(clamp01(1 - std::pow((u - 0.24f) / 0.27f, 2.0f)));
        outline.push_back({u, 0.010f + 0.034f * pod});
    }
    if (facing < 0)
        for (auto& point : outline)
            point.first = -point.first;
    const float f = facing > 0 ? 1.0f : -1.0f;
    const Sdf body = polygon(outline);
    const Sdf fin = polygon(
        {{-0.40f * f, -0.015f}, {-0.47f * f, -0.16f}, {-0.51f * f, -0.16f}, {-0.50f * f, -0.01f}});
    const Sdf tailplane = ellipse(-0.48f * f, -0.163f, 0.055f, 0.008f);
    const Sdf wing = ellipse(0.17f * f, -0.022f, 0.075f, 0.011f);
    return local(Frame(cx, cy, length, 0), unite(unite(body, fin), unite(tailplane, wing)));
}

Colour skyColour(float y, float horizonY, float height) {
    const Colour zenith = hex(0x2a64b8), mid = hex(0x5d97d8), horizon = hex(0xc4d8ea);
    const float t = clamp01(y / std::max(horizonY, 1.0f));
    if (y > horizonY) return horizon;
    (void)height;
    return t < 0.6f ? mix(zenith, mid, t / 0.6f)
                    : mix(mid, horizon, std::pow((t - 0.6f) / 0.4f, 1.5f));
}

float cloudDensity(const Noise& noise, float x, float y, float scale, float cover, int period) {
    const float n = noise.fractal(x / scale, y / scale, 5, 0.5f, period);
    return smoothstep(0.55f - cover, 0.95f - cover, n * 0.5f + 0.5f);
}

void paintClouds(Canvas& canvas, const Noise& noise, float scale, float cover, float yFrom,
                 float yTo, int period) {
    for (int y = 0; y < canvas.height(); ++y) {
        if (y < yFrom || y > yTo) continue;
        const float band =
            smoothstep(yFrom, yFrom + 12, float(y)) * (1 - smoothstep(yTo - 12, yTo, float(y)));
        for (int x = 0; x < canvas.width(); ++x) {
            const float d = cloudDensity(noise, x + 0.5f, y + 0.5f, scale, cover, period) * band;
            if (d <= 0) continue;
            // Sunlit tops, grey-blue bases: compare with the density a little lower.
            const float below = cloudDensity(noise, x + 0.5f, y + 4.5f, scale, cover, period);
            const float shade = clamp01(0.55f + 0.6f * (d - below) + 0.35f * d);
            const Colour lit = mix(hex(0xa9b6c8), hex(0xffffff), shade);
            canvas.at(x, y) = mix(canvas.at(x, y), lit, clamp01(d * 1.25f));
        }
    }
}

float ridgeLine(const Noise& noise, float x, float base, float amplitude, float frequency,
                int period) {
    return base - amplitude * (noise.fractal(x * frequency, 0.5f, 4, 0.5f, period) * 0.5f + 0.5f);
}

Colour slateBackground(const Noise& noise, float x, float y, float width, float height) {
    const float v = y / height, u = x / width;
    Colour base = mix(hex(0x26364c), hex(0x121b28), v);
    // Faint contour lines of a noise relief, as on a topographic map.
    const float relief = noise.fractal(x / 70.0f, y / 70.0f, 3) * 6.0f;
    const float line = 1 - smoothstep(0.0f, 0.10f, std::abs(relief - std::round(relief)));
    base = mix(base, hex(0x5a7896), 0.16f * line);
    const float vignette = 1 - 0.35f * std::pow(std::hypot(u - 0.5f, v - 0.45f) * 1.3f, 2.0f);
    return scale(base, vignette);
}

void frame(Canvas& canvas, Colour colour, float thickness) {
    const float w = canvas.width(), h = canvas.height();
    const Sdf inner = roundedBox(thickness, thickness, w - thickness, h - thickness, 1.0f);
    canvas.fill([inner](float x, float y) { return -inner(x, y); }, colour);
}

void badge(Canvas& canvas, float cx, float cy, float r, Colour top, Colour bottom) {
    canvas.glow(circle(cx, cy + r * 0.06f, r), hex(0x000000), r * 0.12f, 0.6f);
    canvas.fill(circle(cx, cy, r),
                [=](float, float y) { return mix(top, bottom, clamp01((y - cy + r) / (2 * r))); });
    // Soft highlight on the upper half, like glass.
    canvas.fill(
        ellipse(cx, cy - r * 0.45f, r * 0.72f, r * 0.42f),
        [=](float, float y) {
            return mix(hex(0xffffff), top, clamp01((y - (cy - r * 0.85f)) / (r * 0.8f)));
        },
        0.35f);
    canvas.fill(subtract(circle(cx, cy, r), circle(cx, cy, r - std::max(2.0f, r * 0.05f))),
                hex(0xe8eef5), 0.8f);
}
