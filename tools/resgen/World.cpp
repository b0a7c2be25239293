// The pictures of the world: ground, sky ceiling, skyline walls, tree.
#include <cmath>

#include "Art.h"
#include "Pictures.h"

namespace {

// Mown grass seen from above, with mowing stripes, worn tracks and a dirt path.
// Tiles seamlessly, so a land may repeat it.
Canvas ground() {
    Canvas canvas(256, 256);
    const Noise patches(11), blades(12), track(13);
    canvas.paint([&](float x, float y) {
        const float large = patches.fractal(x / 64, y / 64, 4, 0.55f, 4);
        const float fine = blades.fractal(x / 2.5f, y / 2.5f, 2, 0.5f, 102);
        Colour grass = mix(hex(0x4f7a2c), hex(0x6f9a3a), large * 0.5f + 0.5f);
        grass = mix(grass, hex(0x8c9a48), smoothstep(0.35f, 0.8f, large) * 0.5f); // drier patches
        // Mowing stripes: alternate directions of the blades lighten and darken bands.
        const float stripe =
            1 + 0.06f * smoothstep(-0.2f, 0.2f, std::sin((x + y * 0.18f) * 3.14159f / 32.0f)) -
            0.03f;
        return scale(grass, stripe * (1 + 0.10f * fine));
    });
    // Two tyre tracks curving across the field, and a paler footpath.
    for (float lane : {-3.5f, 3.5f}) {
        const Sdf rut = [&, lane](float x, float y) {
            const float centre = 96 + 22 * std::sin(y * 2 * 3.14159f / 256) + lane;
            return std::abs(x - centre) - 1.1f + track.value(x / 6, y / 6) * 0.5f;
        };
        canvas.fill(
            rut,
            [&](float x, float y) { return scale(hex(0x7d8a45), 1 + 0.1f * blades.value(x, y)); },
            0.55f);
    }
    const Sdf path = [&](float x, float y) {
        const float centre = 200 + 16 * std::sin((x / 256) * 2 * 3.14159f * 2 + 1.0f);
        return std::abs(y - centre) - 2.2f - track.value(x / 5, y / 5) * 0.8f;
    };
    canvas.fill(
        path,
        [&](float x, float y) {
            return mix(hex(0xa89a6a), hex(0x8a7c52),
                       blades.value(x / 1.5f, y / 1.5f) * 0.5f + 0.5f);
        },
        0.75f);
    return canvas;
}

// The ceiling of the sky box: blue with soft fair-weather cumulus, seen from below.
Canvas skyCeiling() {
    Canvas canvas(256, 256);
    const Noise noise(21);
    canvas.paint([](float x, float y) {
        const float d = std::hypot(x - 128, y - 128) / 181;
        return mix(hex(0x3b78c8), hex(0x5f95d6), d);
    });
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const float density = cloudDensity(noise, x + 0.5f, y + 0.5f, 64, 0.08f, 4);
            const float core = cloudDensity(noise, x + 0.5f, y + 0.5f, 64, -0.08f, 4);
            // Seen from below: bright rims, greyer thick cores.
            const Colour cloud = mix(hex(0xf4f7fb), hex(0xb7c2d2), core * 0.7f);
            canvas.at(x, y) = mix(canvas.at(x, y), cloud, clamp01(density * 1.2f));
        }
    return canvas;
}

// The walls of the sky box: sky above, distant hills in layers of haze below.
Canvas skyline() {
    Canvas canvas(256, 256);
    const Noise clouds(31);
    const float horizon = 196;
    canvas.paint([&](float, float y) { return skyColour(y, horizon, 256); });
    paintClouds(canvas, clouds, 46, 0.0f, 110, horizon - 6, 4);
    // Three ranges, farthest first, each darker and greener than the one behind.
    const Colour haze = hex(0x94a6c4);
    const struct {
        float base, amplitude, frequency;
        Colour colour;
    } ranges[] = {{200, 22, 1 / 40.0f, mix(haze, hex(0x6e86a8), 0.4f)},
                  {214, 26, 1 / 30.0f, hex(0x5f7a8c)},
                  {232, 20, 1 / 22.0f, hex(0x4b6650)}};
    int seed = 0;
    for (const auto& range : ranges) {
        const Noise shape(40 + seed++);
        const Sdf hill = [&](float x, float y) {
            return ridgeLine(shape, x, range.base, range.amplitude, range.frequency, 0) - y;
        };
        canvas.fill(hill, [&](float x, float y) {
            const float depth =
                (y - ridgeLine(shape, x, range.base, range.amplitude, range.frequency, 0)) / 40;
            return mix(range.colour, scale(range.colour, 0.85f), clamp01(depth));
        });
    }
    return canvas;
}

// A broad-leaved tree on pure black: black becomes transparent, so the tree
// never uses black itself and its edge is not blended into the background.
Canvas tree() {
    Canvas canvas(256, 256);
    const Noise leaves(51), bark(52);
    // Trunk with a flared foot, and the main limbs reaching into the crown.
    const Sdf trunk =
        unite(polygon({{110, 256},
                       {146, 256},
                       {138, 240},
                       {136, 170},
                       {131, 120},
                       {125, 120},
                       {120, 170},
                       {118, 240}}),
              unite(unite(segment(126, 172, 86, 118, 5.5f), segment(130, 160, 170, 110, 5)),
                    unite(segment(128, 150, 122, 70, 4), segment(100, 136, 70, 120, 3))));
    const Shader barkShader = [&](float x, float y) {
        const float streak = bark.fractal(x / 2.5f, y / 16, 3);
        const float roundness = 1 - std::pow(std::abs(x - 128) / 14, 2.0f) * 0.5f;
        return scale(mix(hex(0x3d2a1a), hex(0x73573a), clamp01(0.5f + streak)),
                     clamp01(roundness) * 0.9f + 0.1f);
    };
    // Crown: overlapping leaf clusters, each lit from the upper left.
    struct Blob {
        float x, y, r;
    };
    const Blob blobs[] = {{128, 84, 58}, {80, 112, 42},  {178, 108, 44}, {100, 58, 40},
                          {158, 56, 40}, {128, 36, 34},  {52, 140, 28},  {206, 138, 28},
                          {96, 152, 34}, {160, 152, 36}, {128, 140, 36}, {68, 86, 26},
                          {190, 80, 28}};
    const Sdf crown = [&](float x, float y) {
        float d = 1e9f;
        for (const Blob& b : blobs)
            d = std::min(d, std::hypot(x - b.x, y - b.y) - b.r);
        return d + 10 * leaves.fractal(x / 16, y / 16, 3) + 4 * leaves.value(x / 3.5f, y / 3.5f);
    };
    const Shader foliage = [&](float x, float y) {
        // Each cluster is a leafy ball: the front-most one at a point gives
        // the surface, lit from the upper left; the grain adds leaves.
        const float grain = leaves.fractal(x / 4, y / 4, 3);
        // Ragged cluster outlines, so clusters meet in leaves rather than seams.
        const float jitterX = 9 * leaves.fractal(x / 9, y / 9 + 40, 2);
        const float jitterY = 9 * leaves.fractal(x / 9 + 40, y / 9, 2);
        float bestDepth = -1e9f, light = 0.25f;
        for (const Blob& b : blobs) {
            const float dx = (x + jitterX - b.x) / b.r, dy = (y + jitterY - b.y) / b.r;
            const float r2 = dx * dx + dy * dy;
            if (r2 >= 1.0f) continue;
            const float nz = std::sqrt(1 - r2);
            const float depth = b.r * nz + b.y * 0.35f; // lower clusters stand in front
            if (depth <= bestDepth) continue;
            bestDepth = depth;
            const float lit = (-0.45f * dx - 0.6f * dy + 0.66f * nz) + 0.25f * grain;
            light = clamp01(lit) * (0.55f + 0.45f * nz);
        }
        Colour c = mix(hex(0x143812), hex(0x4f8c2c), clamp01(light * 1.2f));
        c = mix(c, hex(0xa6cc5a), smoothstep(0.72f, 1.0f, light + 0.2f * grain) * 0.55f);
        return scale(c, 0.88f + 0.25f * grain);
    };
    // Hard edges: any blend with the black background would darken the outline.
    const auto hard = [](Sdf shape) {
        return [shape](float x, float y) { return shape(x, y) > 0 ? 1.0f : -1.0f; };
    };
    canvas.fill(hard(trunk), barkShader);
    // The crown shades the trunk just below it.
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            if (trunk(x + 0.5f, y + 0.5f) <= 0 && y > 120)
                canvas.at(x, y) =
                    scale(canvas.at(x, y), 0.55f + 0.45f * smoothstep(150, 215, float(y)));
    canvas.fill(hard(crown), foliage);
    // Nothing but the background may be black.
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            Colour& c = canvas.at(x, y);
            if (c.r + c.g + c.b > 0)
                c = {std::max(c.r, 0.03f), std::max(c.g, 0.03f), std::max(c.b, 0.03f)};
        }
    return canvas;
}

} // namespace

std::vector<PictureRecipe> worldPictures() {
    return {{401, 256, 256, true, ground},
            {402, 256, 256, false, skyCeiling},
            {403, 256, 256, false, skyline},
            {404, 256, 256, false, tree}};
}
