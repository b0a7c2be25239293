// The pictures of the widgets and boxes: pointer, icons, buttons, toggles, panels.
#include <cmath>

#include "Art.h"
#include "Lettering.h"
#include "Pictures.h"

namespace {

// The pointer is drawn with additive blending: black adds nothing, so the
// arrow is light on black. Its tip is the top-left pixel (the hot spot).
Canvas pointer() {
    Canvas canvas(16, 16);
    const Sdf arrow = polygon({{-0.4f, -0.4f},
                               {-0.4f, 13.4f},
                               {3.4f, 10.3f},
                               {5.9f, 15.4f},
                               {8.4f, 14.3f},
                               {6.1f, 9.4f},
                               {10.6f, 9.4f}});
    canvas.fill(arrow, hex(0xf2f6ff));
    // A slightly dimmer inside keeps a bright rim against light scenery.
    canvas.fill(offset(arrow, -1.3f), hex(0xb8c8e0));
    return canvas;
}

// Light on the top and left edges, dark on the bottom and right, mitred at the corners.
void bevel(Canvas& canvas, float edge, Colour upper, Colour lower, float opacity) {
    const float w = float(canvas.width()), h = float(canvas.height());
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float top = py, left = px, bottom = h - py, right = w - px;
            const float nearest = std::min(std::min(top, left), std::min(bottom, right));
            const float coverage = clamp01(edge - nearest + 0.5f) * opacity;
            if (coverage <= 0) continue;
            const bool isUpper = std::min(top, left) <= std::min(bottom, right);
            canvas.at(x, y) = mix(canvas.at(x, y), isUpper ? upper : lower, coverage);
        }
}

Colour sandFace(float t, float warmth) {
    const Colour top = mix(hex(0xfbf1d6), hex(0xffe7b0), warmth);
    const Colour bottom = mix(hex(0xd9b877), hex(0xe8a84c), warmth);
    return mix(top, bottom, t);
}

// A raised sand-coloured button face (the button texts are dark brown); the
// picture is the whole button, bevel included. warmth tints the hover state.
Canvas button(int width, int height, float warmth, bool pressed) {
    Canvas canvas(width, height);
    const Noise grain(61);
    const float w = float(width), h = float(height);
    canvas.paint([&](float x, float y) {
        float t = y / h;
        if (pressed) t = 1 - t * 0.8f;
        Colour c = sandFace(t, warmth);
        if (pressed) c = scale(c, 0.88f);
        return scale(c, 1 + 0.025f * grain.value(x / 3, y / 3));
    });
    // Gloss on the upper half of a raised button.
    if (!pressed) canvas.fill(roundedBox(4, 3, w - 4, h * 0.48f, 6), hex(0xffffff), 0.28f);
    const float edge = 3;
    const Colour light = hex(0xfffbef), dark = hex(0x7a5a2a);
    const Colour upper = pressed ? dark : light, lower = pressed ? light : dark;
    bevel(canvas, edge, upper, lower, 0.8f);
    if (pressed) // inner shadow along the top edge
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < width; ++x)
                canvas.at(x, y) = scale(canvas.at(x, y), 0.82f + 0.018f * y);
    if (warmth > 0.5f) // hover: a warm glow from the bottom edge
        canvas.glow([=](float, float y) { return h + 6 - y; }, hex(0xfff3c4), 18, 0.35f);
    frame(canvas, hex(0x4a3418), 1.2f);
    return canvas;
}

// Toggle: a check box in the left square of a dark strip; the label is drawn right of it.
Canvas toggle(bool checked) {
    Canvas canvas(128, 32);
    canvas.paint([](float, float y) { return mix(hex(0x2c3e56), hex(0x1a2636), y / 32); });
    const Sdf box = roundedBox(6, 6, 26, 26, 3);
    canvas.glow(box, hex(0x000000), 3, 0.5f);
    canvas.fill(box, [&](float, float y) {
        return checked ? mix(hex(0xffe39a), hex(0xe2a444), (y - 6) / 20)
                       : mix(hex(0x0f1722), hex(0x2a3a50), (y - 6) / 20);
    });
    canvas.fill(subtract(box, roundedBox(7.4f, 7.4f, 24.6f, 24.6f, 2)), hex(0xdfe8f2), 0.9f);
    if (checked) {
        const Sdf tick = unite(segment(10.5f, 16.5f, 14.5f, 21.0f, 1.7f),
                               segment(14.5f, 21.0f, 22.0f, 10.5f, 1.7f));
        canvas.fill(tick, hex(0x3a250c));
    }
    canvas.fill([](float, float y) { return std::abs(y - 31.5f) - 0.5f; }, hex(0x0b1018), 0.6f);
    canvas.fill([](float, float y) { return std::abs(y - 0.5f) - 0.5f; }, hex(0x4a6484), 0.6f);
    return canvas;
}

Canvas slatePanel(int width, int height, float titleBand) {
    Canvas canvas(width, height);
    const Noise noise(71);
    const float w = float(width), h = float(height);
    canvas.paint([&](float x, float y) {
        return slateBackground(noise, x * 256 / w, y * 256 / h, 256, 256);
    });
    if (titleBand > 0) {
        canvas.fill(
            [=](float, float y) { return y - titleBand; },
            [=](float, float y) { return mix(hex(0x3d5a80), hex(0x2a4262), y / titleBand); }, 0.9f);
        canvas.fill([=](float, float y) { return std::abs(y - titleBand) - 0.6f; }, hex(0x8fb0d6),
                    0.7f);
    }
    frame(canvas, hex(0x6f8db0), 1.0f);
    return canvas;
}

// The box background stretched far beyond its size: only smooth changes survive.
Canvas smoothPanel() {
    Canvas canvas(64, 64);
    canvas.paint(
        [](float, float y) { return mix(hex(0x34486a), hex(0x18222f), std::pow(y / 64, 0.8f)); });
    return canvas;
}

// Red and white bands of a wind sock, along s.
Canvas windSock() {
    Canvas canvas(64, 64);
    canvas.paint([](float x, float y) {
        const bool red = int(x / 12.8f) % 2 == 0;
        const float shade = 0.88f + 0.12f * std::sin(y / 64 * 3.14159f);
        return scale(red ? hex(0xe8421e) : hex(0xf6f3ee), shade);
    });
    return canvas;
}

Canvas iconBase() {
    Canvas canvas(64, 64);
    canvas.paint([](float x, float y) { return mix(hex(0x2b3d55), hex(0x16202d), (x + y) / 128); });
    return canvas;
}

void glyph(Canvas& canvas, const Lettering& font, const char* text, float cx, float baseline,
           float size, Colour colour) {
    std::vector<float> coverage(canvas.width() * canvas.height(), 0.0f);
    font.draw(coverage, canvas.width(), canvas.height(), text, cx - font.measure(text, size) / 2,
              baseline, size);
    canvas.blendCoverage(coverage, [colour](float, float) { return colour; });
}

// The question asked by a question box.
Canvas questionIcon() {
    Canvas canvas = iconBase();
    badge(canvas, 32, 31, 26, hex(0x6fb0f0), hex(0x1f5fae));
    glyph(canvas, Lettering("Liberation Sans", true), "?", 32, 47, 40, hex(0xffffff));
    return canvas;
}

// A message or notice: an amber warning sign.
Canvas warningIcon() {
    Canvas canvas = iconBase();
    const Sdf sign = offset(polygon({{32, 9}, {57, 53}, {7, 53}}), 3);
    canvas.glow(sign, hex(0x000000), 4, 0.5f);
    canvas.fill(sign,
                [](float, float y) { return mix(hex(0xffd75e), hex(0xf09a1c), (y - 6) / 50); });
    canvas.fill(subtract(sign, offset(polygon({{32, 9}, {57, 53}, {7, 53}}), 0.5f)), hex(0x7a4a08),
                0.8f);
    canvas.fill(polygon({{29.3f, 22}, {34.7f, 22}, {33.4f, 40}, {30.6f, 40}}), hex(0x2b1a05));
    canvas.fill(circle(32, 46, 3.2f), hex(0x2b1a05));
    return canvas;
}

// Work in progress: an hourglass with running sand.
Canvas progressIcon() {
    Canvas canvas = iconBase();
    const Sdf glass = unite(polygon({{18, 12},
                                     {46, 12},
                                     {46, 16},
                                     {34.5f, 31},
                                     {34.5f, 33},
                                     {46, 48},
                                     {46, 52},
                                     {18, 52},
                                     {18, 48},
                                     {29.5f, 33},
                                     {29.5f, 31},
                                     {18, 16}}),
                            circle(32, 32, 2.2f));
    canvas.fill(offset(glass, 1.5f), hex(0x0c121b), 0.7f);
    canvas.fill(
        glass,
        [](float x, float) { return mix(hex(0x9fc2e6), hex(0x5a7fa6), std::abs(x - 32) / 14); },
        0.55f);
    const Colour sand = hex(0xf0c060);
    canvas.fill(polygon({{24, 22}, {40, 22}, {33.5f, 30.5f}, {30.5f, 30.5f}}), sand);
    canvas.fill(segment(32, 31, 32, 47, 0.9f), sand);
    canvas.fill(polygon({{22.5f, 50}, {41.5f, 50}, {37, 44}, {32, 41.5f}, {27, 44}}), sand);
    canvas.fill(roundedBox(13, 7, 51, 13, 2),
                [](float, float y) { return mix(hex(0xc48a4a), hex(0x7a4e22), (y - 7) / 6); });
    canvas.fill(roundedBox(13, 51, 51, 57, 2),
                [](float, float y) { return mix(hex(0xc48a4a), hex(0x7a4e22), (y - 51) / 6); });
    return canvas;
}

} // namespace

std::vector<PictureRecipe> widgetPictures() {
    return {
        {199, 16, 16, false, pointer},
        {200, 64, 64, false, questionIcon},
        {201, 64, 64, false, progressIcon},
        {405, 64, 64, false, windSock},
        {406, 64, 64, false, warningIcon},
        {408, 128, 32, false, [] { return toggle(false); }},
        {409, 128, 32, false, [] { return toggle(true); }},
        {412, 256, 64, false, [] { return button(256, 64, 0.0f, false); }},
        {413, 256, 64, false, [] { return button(256, 64, 0.0f, true); }},
        {430, 256, 64, false, [] { return button(256, 64, 1.0f, false); }},
        {416, 256, 64, false, [] { return button(256, 64, 0.15f, false); }},
        {418, 256, 64, false, [] { return button(256, 64, 0.15f, true); }},
        {417, 256, 64, false, [] { return button(256, 64, 1.0f, false); }},
        {420, 256, 128, false, [] { return slatePanel(256, 128, 14); }},
        {431, 64, 64, false, smoothPanel},
    };
}
