// The menu's pictures: page backgrounds, page illustrations, logo and icon.
#include <cmath>

#include "Art.h"
#include "Lettering.h"
#include "Pictures.h"

namespace {

constexpr float Pi = 3.14159265f;

void lettering(Canvas& canvas, const Lettering& font, const std::string& text, float cx,
               float baseline, float size, float spacing, const Shader& shader,
               bool shadow = true) {
    std::vector<float> coverage(canvas.width() * canvas.height(), 0.0f);
    const float left = cx - font.measure(text, size, spacing) / 2;
    if (shadow) {
        font.draw(coverage, canvas.width(), canvas.height(), text, left + 1.5f, baseline + 2, size,
                  spacing);
        canvas.blendCoverage(coverage, [](float, float) { return hex(0x000000); });
        std::fill(coverage.begin(), coverage.end(), 0.0f);
    }
    font.draw(coverage, canvas.width(), canvas.height(), text, left, baseline, size, spacing);
    canvas.blendCoverage(coverage, shader);
}

Shader constant(Colour c) {
    return [c](float, float) { return c; };
}

Canvas slate(int width, int height, std::uint32_t seed) {
    Canvas canvas(width, height);
    const Noise noise(seed);
    const float sx = 256.0f / std::max(width, height);
    canvas.paint([&](float x, float y) {
        return slateBackground(noise, x * sx * 2, y * sx * 2, width * sx * 2, height * sx * 2);
    });
    return canvas;
}

// Sky, clouds, rolling ridges and a green foreground: the common landscape.
void landscape(Canvas& canvas, std::uint32_t seed, float horizon, bool evening,
               const std::function<void()>& behindHills = nullptr) {
    const float w = float(canvas.width()), h = float(canvas.height());
    const Noise clouds(seed), ridges(seed + 1), grass(seed + 2);
    if (evening)
        canvas.paint([&](float, float y) {
            const float t = clamp01(y / horizon);
            return t < 0.55f ? mix(hex(0x1d2a5a), hex(0x8a4a78), t / 0.55f)
                             : mix(hex(0x8a4a78), hex(0xffb060), (t - 0.55f) / 0.45f);
        });
    else {
        canvas.paint([&](float, float y) { return skyColour(y, horizon, h); });
        paintClouds(canvas, clouds, w / 5, 0.02f, h * 0.05f, horizon - 4);
    }
    if (behindHills) behindHills();
    const Colour far = evening ? hex(0x4a3454) : hex(0x7f95b4),
                 near = evening ? hex(0x22182c) : hex(0x56794a);
    const Colour front = evening ? hex(0x120c18) : hex(0x4d7a34);
    const float scaleX = 256 / w;
    canvas.fill(
        [&](float x, float y) {
            return ridgeLine(ridges, x * scaleX, horizon + 4, h * 0.14f, 1 / 45.0f) - y;
        },
        far);
    canvas.fill(
        [&](float x, float y) {
            return ridgeLine(ridges, x * scaleX + 300, horizon + h * 0.12f, h * 0.16f, 1 / 35.0f) -
                   y;
        },
        [&](float x, float y) {
            return scale(near, 0.96f + 0.06f * grass.fractal(x / 7, y / 7, 3));
        });
    canvas.fill([&](float x,
                    float y) { return horizon + h * 0.27f + 10 * std::sin(x / w * Pi * 1.3f) - y; },
                [&](float x, float y) {
                    return scale(front, 0.93f + 0.07f * grass.fractal(x / 5, y / 5, 3));
                });
}

// A glider seen from below, white with a shaded underside.
void paintPlanform(Canvas& canvas, float cx, float cy, float span, float heading) {
    const Sdf glider = gliderPlanform(cx, cy, span, heading);
    canvas.glow(glider, hex(0x1a2a44), span * 0.012f, 0.35f);
    canvas.fill(glider, [=](float x, float y) {
        const float across = clamp01(0.5f + ((x - cx) * 0.6f + (y - cy)) / span);
        return mix(hex(0xffffff), hex(0xb9c4d2), across);
    });
}

// Main page and help: a glider overhead against a summer sky.
Canvas gliderOverhead() {
    Canvas canvas(256, 256);
    const Noise clouds(81);
    canvas.paint([](float x, float y) {
        return mix(hex(0x2f6fc4), hex(0x78acdf), clamp01((x * 0.3f + y) / 300));
    });
    paintClouds(canvas, clouds, 60, 0.05f, -20, 280);
    paintPlanform(canvas, 132, 122, 236, -28);
    frame(canvas, hex(0xe6edf5), 3);
    return canvas;
}

// Scenario: a contour map with a launch spot and the wind.
Canvas contourMap() {
    Canvas canvas(256, 256);
    const Noise relief(91);
    canvas.paint([&](float x, float y) {
        const float hgt = relief.fractal(x / 110, y / 110, 4) * 7 + (x - y) / 160;
        const float frac = std::abs(hgt - std::round(hgt));
        const bool index = int(std::round(hgt)) % 3 == 0;
        Colour paper = mix(hex(0xdfe8c8), hex(0xc9d7a6), clamp01(hgt / 8 + 0.5f));
        const float line = 1 - smoothstep(0.0f, index ? 0.07f : 0.045f, frac);
        return mix(paper, hex(0x9a6b3a), line * (index ? 0.9f : 0.55f));
    });
    // A lake in a hollow.
    canvas.fill(unite(ellipse(70, 190, 34, 20), ellipse(92, 200, 26, 16)),
                [](float, float y) { return mix(hex(0x7fb4dc), hex(0x4f8cc4), (y - 170) / 50); });
    // Launch spot: a red pin.
    canvas.glow(circle(160, 102, 12), hex(0x000000), 6, 0.35f);
    canvas.fill(polygon({{150, 96}, {170, 96}, {160, 126}}), hex(0xb8281c));
    canvas.fill(circle(160, 92, 13), [](float x, float y) {
        return mix(hex(0xff6b50), hex(0xc22a1a), clamp01((x - 150 + y - 82) / 30));
    });
    canvas.fill(circle(156, 88, 4), hex(0xffd0c0), 0.8f);
    // Wind arrow.
    const Colour ink = hex(0x1f4f8c);
    canvas.fill(segment(40, 50, 98, 72, 3), ink);
    canvas.fill(polygon({{104, 75}, {86, 58}, {82, 79}}), ink);
    frame(canvas, hex(0xe6edf5), 3);
    return canvas;
}

// Demo: a recorded flight path winding over the landscape.
Canvas flightPath() {
    Canvas canvas(256, 256);
    landscape(canvas, 101, 150, false);
    // Dashed trail: a rising spiral in perspective.
    for (int i = 0; i < 46; ++i) {
        const float t0 = i / 46.0f, t1 = (i + 0.55f) / 46.0f;
        auto at = [](float t, float& x, float& y) {
            const float a = t * Pi * 3.2f;
            x = 128 + std::cos(a) * (70 - 30 * t);
            y = 210 - t * 130 + std::sin(a) * (22 - 10 * t);
        };
        float x0, y0, x1, y1;
        at(t0, x0, y0);
        at(t1, x1, y1);
        canvas.fill(segment(x0, y0, x1, y1, 1.6f), hex(0xffe08a), 0.9f);
    }
    const Sdf glider = gliderFront(160, 70, 80, -12);
    canvas.glow(glider, hex(0x000000), 2, 0.3f);
    canvas.fill(glider, hex(0xfafcff));
    // A "play" badge.
    badge(canvas, 206, 206, 30, hex(0x7fd0a0), hex(0x2a8a5a));
    canvas.fill(polygon({{197, 192}, {197, 220}, {220, 206}}), hex(0xffffff));
    frame(canvas, hex(0xe6edf5), 3);
    return canvas;
}

// Parameters: a variometer in its bezel.
Canvas variometer() {
    Canvas canvas(256, 256);
    canvas.paint([](float x, float y) { return mix(hex(0x2a3a50), hex(0x121a26), (x + y) / 512); });
    const float cx = 128, cy = 128;
    canvas.glow(circle(cx, cy + 4, 112), hex(0x000000), 10, 0.6f);
    canvas.fill(circle(cx, cy, 114), [&](float x, float y) {
        return mix(hex(0xd8dde4), hex(0x4a525e), clamp01((x - cx + y - cy + 160) / 320));
    });
    canvas.fill(circle(cx, cy, 104), [&](float x, float y) {
        return mix(hex(0x3a414c), hex(0xb0b8c4), clamp01((x - cx + y - cy + 150) / 300));
    });
    canvas.fill(circle(cx, cy, 98), [&](float x, float y) {
        return mix(hex(0x181c22), hex(0x07090c), std::hypot(x - cx, y - cy) / 98);
    });
    // Scale: climb above, sink below, ticks every half metre from -5 to +5.
    for (int i = -10; i <= 10; ++i) {
        const float a = Pi + i * (Pi * 0.085f);
        const float inner = i % 2 == 0 ? 76 : 84;
        const float c = std::cos(a), s = std::sin(a);
        canvas.fill(segment(cx + c * inner, cy - s * inner, cx + c * 93, cy - s * 93,
                            i % 2 == 0 ? 2.2f : 1.2f),
                    hex(0xf2f2ee));
    }
    const Lettering font("Liberation Sans", true);
    for (int n : {0, 2, 4}) {
        for (int sign : {1, -1}) {
            if (n == 0 && sign < 0) continue;
            const float a = Pi + sign * n * 2 * (Pi * 0.085f);
            lettering(canvas, font, std::to_string(n), cx + std::cos(a) * 60,
                      cy - std::sin(a) * 60 + 8, 22, 0, constant(hex(0xf2f2ee)), false);
        }
    }
    // Needle showing a good climb.
    const float a = Pi - 3.1f * (Pi * 0.085f) * 2 / 2;
    const float nx = std::cos(a), ny = -std::sin(a);
    canvas.glow(segment(cx - nx * 18, cy - ny * 18, cx + nx * 86, cy + ny * 86, 3), hex(0x000000),
                4, 0.5f);
    canvas.fill(polygon({{cx + nx * 88, cy + ny * 88},
                         {cx - ny * 5 - nx * 20, cy + nx * 5 - ny * 20},
                         {cx + ny * 5 - nx * 20, cy - nx * 5 - ny * 20}}),
                hex(0xff8a1e));
    canvas.fill(circle(cx, cy, 11), [&](float x, float y) {
        return mix(hex(0x9aa2ae), hex(0x2a3038), clamp01((x - cx + y - cy + 11) / 22));
    });
    lettering(canvas, font, "m/s", cx, cy + 48, 16, 0, constant(hex(0xbfc6cf)), false);
    // Glass reflection.
    canvas.fill(intersect(circle(cx, cy, 96), ellipse(cx - 28, cy - 40, 80, 44)), hex(0xffffff),
                0.08f);
    frame(canvas, hex(0xe6edf5), 3);
    return canvas;
}

// Help: a question mark on a sky-blue disc.
Canvas helpBadge() {
    Canvas canvas = slate(256, 256, 111);
    badge(canvas, 128, 124, 100, hex(0x7ab8f2), hex(0x1d5aa6));
    const Lettering font("Liberation Sans", true);
    lettering(canvas, font, "?", 128, 186, 170, 0,
              [](float, float y) { return mix(hex(0xffffff), hex(0xdbe7f5), (y - 60) / 130); });
    frame(canvas, hex(0xe6edf5), 3);
    return canvas;
}

// Saving: a diskette with a glider on its label.
Canvas diskette() {
    Canvas canvas = slate(256, 256, 121);
    const Sdf body = polygon({{40, 36}, {196, 36}, {220, 60}, {220, 220}, {40, 220}});
    const Sdf rounded = offset(body, 6);
    canvas.glow(rounded, hex(0x000000), 10, 0.6f);
    canvas.fill(rounded, [](float x, float y) {
        return mix(hex(0x3f6fb0), hex(0x1c3b6a), clamp01((x + y - 80) / 360));
    });
    // Metal shutter and its window.
    canvas.fill(roundedBox(84, 30, 184, 100, 4),
                [](float x, float) { return mix(hex(0xe4e8ee), hex(0x9aa4b2), (x - 84) / 100); });
    canvas.fill(roundedBox(150, 42, 170, 90, 2), hex(0x1b2230));
    // Paper label.
    canvas.fill(roundedBox(62, 124, 198, 226, 6),
                [](float, float y) { return mix(hex(0xfbfaf4), hex(0xe2dfd2), (y - 124) / 100); });
    for (int i = 0; i < 3; ++i)
        canvas.fill(segment(74, 196 + i * 10.0f, 186, 196 + i * 10.0f, 0.8f), hex(0x9ab0cc));
    paintPlanform(canvas, 130, 166, 112, 0);
    return canvas;
}

// Loading, creating and choosing a competition: a launch from a hill top.
Canvas launchSite() {
    Canvas canvas(256, 256);
    landscape(canvas, 131, 170, false);
    const Noise grass(132);
    const Sdf hill = [&](float x, float y) {
        return 150 + std::pow(std::max(0.0f, (x - 20) / 236), 1.6f) * 110 +
               4 * grass.value(x / 10, 0) - y;
    };
    canvas.fill(hill, [&](float x, float y) {
        return scale(mix(hex(0x6f9c3e), hex(0x3f6a26), (y - 150) / 110),
                     0.94f + 0.1f * grass.fractal(x / 3, y / 3, 2));
    });
    // Wind sock on its pole.
    canvas.fill(segment(52, 150, 52, 92, 2), hex(0xe8e8e8));
    for (int i = 0; i < 4; ++i) {
        const float x0 = 54 + i * 13.0f;
        const Sdf band = polygon({{x0, 92 + i * 1.5f},
                                  {x0 + 13, 93 + (i + 1) * 1.5f},
                                  {x0 + 13, 106 - (i + 1) * 1.0f},
                                  {x0, 106 - i * 1.0f}});
        canvas.fill(band, i % 2 ? hex(0xf6f3ee) : hex(0xe8421e));
    }
    // The glider climbing away from the slope.
    const Sdf glider = gliderSide(160, 80, 130, 1);
    canvas.glow(glider, hex(0x10203a), 2, 0.35f);
    canvas.fill(glider,
                [](float, float y) { return mix(hex(0xffffff), hex(0xc7d0dc), (y - 70) / 20); });
    canvas.fill(ellipse(160 + 0.30f * 130, 80 - 0.052f * 130, 0.085f * 130, 0.022f * 130),
                hex(0x2c4a6a), 0.85f);
    frame(canvas, hex(0xe6edf5), 3);
    return canvas;
}

// Banners of the large parameter pages.
Canvas wordmarkBanner() {
    Canvas canvas(256, 64);
    const Noise noise(141);
    canvas.paint([&](float x, float y) { return slateBackground(noise, x, y * 4, 256, 256); });
    const Lettering font("Liberation Sans", true);
    lettering(canvas, font, "VENTRIX", 128, 44, 34, 6,
              [](float, float y) { return mix(hex(0xffffff), hex(0xf0c060), (y - 14) / 30); });
    canvas.fill(segment(30, 54, 226, 54, 0.8f), hex(0xf0c060), 0.7f);
    frame(canvas, hex(0x6f8db0), 1);
    return canvas;
}

Canvas ridgeBanner(bool evening, std::uint32_t seed) {
    Canvas canvas(256, 128);
    landscape(canvas, seed, 82, evening);
    const Sdf glider = gliderFront(150, 42, 70, -8);
    canvas.glow(glider, hex(0x000000), 2, 0.25f);
    canvas.fill(glider, evening ? hex(0x1a1224) : hex(0xfafcff));
    frame(canvas, hex(0xe6edf5), 2);
    return canvas;
}

// The logo: splash and "About". Drawn over black with additive blending, so
// everything outside the emblem stays black.
Canvas logo() {
    Canvas canvas(256, 256);
    canvas.glow(circle(128, 98, 62), hex(0x123a6e), 40, 0.55f);
    canvas.fill(circle(128, 98, 70), [](float x, float y) {
        return mix(hex(0x7cc0f6), hex(0x1b4f96), clamp01((y - 28) / 140 + (x - 128) / 600));
    });
    // A sunny band low in the disc, and a ridge cutting across its foot.
    canvas.fill(intersect(circle(128, 98, 70), [](float, float y) { return 140 - y; }),
                hex(0xffd27a), 0.35f);
    const Noise ridge(151);
    canvas.fill(
        intersect(circle(128, 98, 70),
                  [&](float x, float y) { return ridgeLine(ridge, x, 156, 26, 1 / 30.0f) - y; }),
        [](float, float y) { return mix(hex(0x3f6a3a), hex(0x1c3420), (y - 120) / 50); });
    canvas.fill(subtract(circle(128, 98, 71.5f), circle(128, 98, 68.5f)), hex(0xf0c060));
    paintPlanform(canvas, 128, 92, 168, -18);
    const Lettering font("Liberation Sans", true), small("Liberation Sans", false);
    lettering(canvas, font, "VENTRIX", 128, 214, 40, 7,
              [](float, float y) { return mix(hex(0xffffff), hex(0xf0c060), (y - 180) / 36); });
    lettering(canvas, small, "flying-site simulator", 128, 238, 15, 1.5f, constant(hex(0x9fb6d2)),
              false);
    return canvas;
}

// Second splash picture: evening over the ridge.
Canvas evening() {
    Canvas canvas(256, 256);
    landscape(canvas, 161, 170, true, [&] {
        canvas.glow(circle(180, 172, 10), hex(0xffe2a0), 26, 0.8f);
        canvas.fill(circle(180, 172, 11), hex(0xfff1cf));
    });
    const Sdf glider = gliderFront(96, 92, 110, 14);
    canvas.fill(glider, hex(0x0c0812));
    const Lettering small("Liberation Sans", false);
    lettering(canvas, small, "Ventrix version 2.0.c", 128, 236, 16, 1, constant(hex(0xf6dcc0)),
              false);
    // Fade the border to black for the additive splash.
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const float edge = std::min(std::min(x, 255 - x), std::min(y, 255 - y)) / 24.0f;
            canvas.at(x, y) = scale(canvas.at(x, y), smoothstep(0.0f, 1.0f, edge));
        }
    return canvas;
}

} // namespace

std::vector<PictureRecipe> pagePictures() {
    return {
        {407, 256, 256, false, logo},
        {410, 256, 128, false, [] { return ridgeBanner(false, 171); }},
        {414, 128, 256, false, [] { return slate(128, 256, 181); }},
        {415, 256, 256, false, contourMap},
        {419, 256, 256, false, gliderOverhead},
        {421, 256, 256, false, flightPath},
        {422, 256, 256, false, variometer},
        {423, 256, 256, false, helpBadge},
        {424, 256, 256, false, diskette},
        {425, 256, 64, false, wordmarkBanner},
        {426, 256, 256, false, launchSite},
        {427, 256, 128, false, [] { return ridgeBanner(true, 191); }},
        {428, 256, 256, false, [] { return slate(256, 256, 201); }},
        {429, 256, 256, false, [] { return slate(256, 256, 211); }},
        {432, 256, 256, false, evening},
    };
}

Canvas iconPicture(std::vector<float>& alpha) {
    Canvas canvas(64, 64);
    const Sdf tile = roundedBox(2, 2, 62, 62, 12);
    canvas.fill(tile, [](float, float y) { return mix(hex(0x4f9ae6), hex(0x1b4f96), y / 64); });
    paintPlanform(canvas, 32, 30, 58, -30);
    alpha.assign(64 * 64, 0.0f);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            alpha[y * 64 + x] = clamp01(0.5f - tile(x + 0.5f, y + 0.5f));
    return canvas;
}
