#include "Painter.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace {
constexpr float degrees = 0.01745329252f;

std::uint8_t toByte(float value) {
    return std::uint8_t(std::clamp(int(std::lround(value * 255.0f)), 0, 255));
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float distanceToSegment(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float lengthSquared = dx * dx + dy * dy;
    float t = lengthSquared > 0.0f ? ((px - ax) * dx + (py - ay) * dy) / lengthSquared : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = ax + t * dx - px, ey = ay + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}
} // namespace

Painter::Painter(const LandRecipe& recipe, const HeightMap& heights)
    : land(recipe), map(heights), seed(uint32_t(recipe.seed)) {}

Painter::Colour Painter::mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Painter::Colour Painter::scaled(Colour c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}

float Painter::heightAt(float x, float y) const {
    const float column = x / land.sizeX * float(map.width() - 1);
    const float row = (land.sizeY - y) / land.sizeY * float(map.height() - 1);
    return map.sample(column, row);
}

float Painter::slopeAt(float x, float y) const {
    const float step = std::max(land.sizeX / float(map.width() - 1), 1.0f);
    const float gx = (heightAt(x + step, y) - heightAt(x - step, y)) / (2.0f * step);
    const float gy = (heightAt(x, y + step) - heightAt(x, y - step)) / (2.0f * step);
    return std::sqrt(gx * gx + gy * gy);
}

bool Painter::inForest(const Forest& f, std::size_t index, float x, float y) const {
    const float dx = x - f.x, dy = y - f.y;
    const uint32_t shape = seed + 31u * uint32_t(index + 1);
    // Lobes a wood's own size across, ragged edges a few trees wide.
    const float lobes = fractalNoise(x / (0.8f * f.radius), y / (0.8f * f.radius), shape, 3);
    const float ragged = fractalNoise(x / 18.0f, y / 18.0f, shape + 7, 2);
    const float reach = f.radius * (0.35f + 1.1f * lobes + 0.18f * (ragged - 0.5f));
    return std::sqrt(dx * dx + dy * dy) < reach;
}

Painter::Colour Painter::grass(float x, float y) const {
    const Colour lush{0.29f, 0.43f, 0.15f}, dry{0.50f, 0.53f, 0.27f};
    const Colour heath{0.42f, 0.39f, 0.26f}, rough{0.38f, 0.40f, 0.24f};
    const Colour rock{0.55f, 0.53f, 0.48f};
    Colour c = mix(lush, dry, smoothstep(0.35f, 0.75f, fractalNoise(x / 220, y / 220, seed, 4)));
    const float relief = std::max(land.maxHeight - land.minHeight, 1.0f);
    const float altitude = (heightAt(x, y) - land.minHeight) / relief;
    c = mix(c, heath,
            0.7f * smoothstep(0.7f, 0.95f,
                              altitude + 0.15f * fractalNoise(x / 40, y / 40, seed + 7, 3)));
    const float slope = slopeAt(x, y);
    c = mix(c, rough, smoothstep(0.25f, 0.45f, slope));
    // Bracken and gorse in patches on the rough slopes.
    const float patches = fractalNoise(x / 35, y / 35, seed + 13, 4);
    const float onSlope = smoothstep(0.12f, 0.3f, slope);
    c = mix(c, Colour{0.50f, 0.40f, 0.22f}, onSlope * 0.75f * smoothstep(0.55f, 0.68f, patches));
    const float bushes = valueNoise(x / 4, y / 4, seed + 15);
    c = mix(c, Colour{0.20f, 0.27f, 0.10f}, onSlope * 0.8f * smoothstep(0.78f, 0.9f, bushes));
    const float scree = fractalNoise(x / 25, y / 25, seed + 11, 3);
    c = mix(c, rock, smoothstep(0.55f, 0.8f, slope + 0.4f * (scree - 0.5f)));
    // Clumps and mottling seen from above.
    const float grain = fractalNoise(x / 7, y / 7, seed + 3, 3);
    return scaled(c, 0.88f + 0.24f * grain);
}

namespace {
// Crops as seen from above, pasture the most common.
struct Crop {
    float share;
    float r, g, b;
    float lineSpacing; // tramlines or rows, metres; 0 for none
    float lineStrength;
};
constexpr Crop crops[] = {
    {0.22f, 0.33f, 0.47f, 0.17f, 12.0f, 0.05f},  // grazed pasture, mown bands
    {0.16f, 0.40f, 0.53f, 0.21f, 10.0f, 0.04f},  // lush pasture
    {0.10f, 0.47f, 0.52f, 0.26f, 0.0f, 0.0f},    // hay meadow
    {0.13f, 0.71f, 0.62f, 0.38f, 22.0f, -0.22f}, // ripening wheat
    {0.07f, 0.75f, 0.70f, 0.50f, 20.0f, -0.18f}, // barley
    {0.11f, 0.45f, 0.35f, 0.25f, 1.5f, 0.07f},   // ploughed
    {0.09f, 0.70f, 0.66f, 0.50f, 8.0f, 0.07f},   // stubble with straw rows
    {0.05f, 0.33f, 0.42f, 0.19f, 0.8f, 0.10f},   // young maize
    {0.07f, 0.78f, 0.74f, 0.31f, 0.0f, 0.0f},    // rapeseed
};

const Crop& cropFor(float pick) {
    for (const Crop& c : crops) {
        if (pick < c.share) return c;
        pick -= c.share;
    }
    return crops[0];
}
} // namespace

bool Painter::field(float x, float y, Colour& colour) const {
    for (std::size_t i = 0; i < land.fieldAreas.size(); ++i) {
        const FieldArea& a = land.fieldAreas[i];
        if (x < a.x0 || x > a.x1 || y < a.y0 || y > a.y1) continue;
        const float edge =
            slopeAt(x, y) + 0.08f * (fractalNoise(x / 50, y / 50, seed + 5, 2) - 0.5f);
        if (edge > a.maxSlope) continue;
        const float s = a.fieldSize;
        const float ca = std::cos(a.angle * degrees), sa = std::sin(a.angle * degrees);
        // Old field boundaries are never ruler-straight.
        const float wobbleU = 12.0f * (fractalNoise(x / 170, y / 170, seed + 17, 2) - 0.5f);
        const float wobbleV = 12.0f * (fractalNoise(x / 170, y / 170, seed + 19, 2) - 0.5f);
        const float u = (x - a.x0) * ca + (y - a.y0) * sa + wobbleU;
        const float v = -(x - a.x0) * sa + (y - a.y0) * ca + wobbleV;
        const uint32_t areaSeed = seed + 1000u * uint32_t(i + 1);
        auto rowEdge = [&](int r) {
            return r * 0.8f * s + (hashUnit(r, -7, areaSeed) - 0.5f) * 0.5f * s;
        };
        int row = int(std::floor(v / (0.8f * s)));
        if (v < rowEdge(row))
            --row;
        else if (v >= rowEdge(row + 1))
            ++row;
        auto columnEdge = [&](int c) {
            return c * s + (hashUnit(row, c, areaSeed) - 0.5f) * 0.7f * s;
        };
        // Some boundaries were grubbed out: the fields on both sides are one.
        auto merged = [&](int c) { return hashUnit(row, c, areaSeed + 3) < 0.3f; };
        int column = int(std::floor(u / s));
        if (u < columnEdge(column))
            --column;
        else if (u >= columnEdge(column + 1))
            ++column;
        int first = column, last = column;
        while (merged(first) && first > column - 3)
            --first;
        while (merged(last + 1) && last < column + 3)
            ++last;
        const float left = u - columnEdge(first), right = columnEdge(last + 1) - u;
        const float bottom = v - rowEdge(row), top = rowEdge(row + 1) - v;
        const uint32_t id = hash3(row, first, areaSeed + 1);
        const float border = std::min({left, right, bottom, top});
        // Most boundaries are hedges, with a tree standing in them here and there.
        const bool hedged = (id & 7u) < 5u;
        if (hedged && border < 1.6f) {
            const float leafy = fractalNoise(x / 3, y / 3, seed + 23, 2);
            colour = mix(Colour{0.12f, 0.21f, 0.08f}, Colour{0.22f, 0.31f, 0.12f}, leafy);
            return true;
        }
        if (hedged && border < 7.0f) {
            const float crown = valueNoise(x / 5.0f, y / 5.0f, seed + 25);
            if (crown > 0.72f) {
                colour = mix(Colour{0.10f, 0.19f, 0.07f}, Colour{0.17f, 0.27f, 0.10f},
                             fractalNoise(x / 2, y / 2, seed + 27, 2));
                return true;
            }
        }
        if (border < 3.5f) { // an uncultivated margin
            colour = grass(x, y);
            return true;
        }
        const float pick = float(id >> 8 & 0xFFFFu) / 65536.0f;
        const Crop& crop = cropFor(pick);
        const bool alongU = (id >> 4 & 1u) != 0;
        const float across = alongU ? v : u;
        float lines = 0.0f;
        if (crop.lineSpacing > 0.0f) {
            const float phase = std::fmod(std::abs(across), crop.lineSpacing) / crop.lineSpacing;
            lines =
                crop.lineSpacing >= 8.0f
                    ? (phase < (crop.lineStrength < 0 ? 0.08f : 0.5f) ? crop.lineStrength : 0.0f)
                    : crop.lineStrength * std::sin(phase * 6.2831853f);
        }
        // Headlands, where the machines turn, run around the field's edge.
        if (border < 12.0f && crop.lineSpacing > 0.0f)
            lines = 0.5f * crop.lineStrength * std::sin(border * 2.0f);
        const float tint = 0.9f + 0.08f * hashUnit(int(id), 3, seed);
        const float moisture = fractalNoise(x / 60, y / 60, seed + 29, 3);
        const float grain = fractalNoise(x / 5, y / 5, seed + 31, 2);
        colour = scaled(Colour{crop.r, crop.g, crop.b},
                        tint * (0.93f + 0.12f * moisture + 0.06f * grain + lines));
        return true;
    }
    return false;
}

bool Painter::forest(float x, float y, Colour& colour) const {
    for (std::size_t i = 0; i < land.forests.size(); ++i) {
        if (!inForest(land.forests[i], i, x, y)) continue;
        // Crowns of a few metres with dark gaps; stands of conifers among
        // the broadleaves.
        const float crowns = fractalNoise(x / 4, y / 4, seed + 41, 3);
        const float conifers =
            smoothstep(0.55f, 0.65f, fractalNoise(x / 120, y / 120, seed + 43, 3));
        const Colour broadleaf = mix(Colour{0.10f, 0.19f, 0.07f}, Colour{0.24f, 0.35f, 0.13f},
                                     smoothstep(0.3f, 0.75f, crowns));
        const Colour conifer = mix(Colour{0.05f, 0.11f, 0.06f}, Colour{0.13f, 0.22f, 0.11f},
                                   smoothstep(0.35f, 0.7f, crowns));
        colour = mix(broadleaf, conifer, conifers);
        return true;
    }
    return false;
}

bool Painter::track(float x, float y, Colour& colour) const {
    for (const Track& t : land.tracks) {
        float nearest = 1e30f;
        for (std::size_t i = 0; i + 1 < t.points.size(); ++i)
            nearest = std::min(nearest, distanceToSegment(x, y, t.points[i][0], t.points[i][1],
                                                          t.points[i + 1][0], t.points[i + 1][1]));
        // Drawn a little wider than the track itself, so that a track a texel
        // wide still shows from the air.
        const float half = 0.65f * t.width * (0.9f + 0.2f * valueNoise(x / 9, y / 9, seed + 53));
        if (nearest > half) continue;
        const Colour dirt{0.74f, 0.68f, 0.56f}, rut{0.58f, 0.51f, 0.40f};
        Colour c = mix(dirt, rut, nearest > 0.15f * half && nearest < 0.55f * half ? 0.6f : 0.0f);
        if (t.width < 5.0f && nearest < 0.15f * half) // grass between the wheel tracks
            c = mix(c, grass(x, y), 0.6f);
        colour = scaled(c, 0.92f + 0.16f * valueNoise(x / 2, y / 2, seed + 59));
        return true;
    }
    return false;
}

bool Painter::strip(float x, float y, Colour& colour) const {
    for (const Strip& s : land.strips) {
        const float ca = std::cos(s.angle * degrees), sa = std::sin(s.angle * degrees);
        const float along = (x - s.x) * ca + (y - s.y) * sa;
        const float across = -(x - s.x) * sa + (y - s.y) * ca;
        if (std::abs(along) > 0.5f * s.length || std::abs(across) > 0.5f * s.width) continue;
        const bool light = std::fmod(across + 0.5f * s.width, 8.0f) < 4.0f;
        const float grain = fractalNoise(x / 4, y / 4, seed + 61, 2);
        colour = scaled(Colour{0.40f, 0.56f, 0.20f}, (light ? 1.08f : 0.94f) + 0.08f * grain);
        return true;
    }
    return false;
}

bool Painter::yard(float x, float y, Colour& colour) const {
    for (const SceneryEntry& d : land.sceneries) {
        if (d.type < 11) continue;
        const float margin = d.type == 11 ? 2.0f : 4.0f;
        if (x < d.x - margin || x > d.x + d.width + margin || y < d.y - margin ||
            y > d.y + d.depth + margin)
            continue;
        colour = scaled(Colour{0.58f, 0.55f, 0.50f}, 0.9f + 0.2f * valueNoise(x, y, seed + 67));
        return true;
    }
    return false;
}

Painter::Colour Painter::groundAt(float x, float y) const {
    Colour c{};
    if (yard(x, y, c) || track(x, y, c) || strip(x, y, c) || forest(x, y, c) || field(x, y, c))
        return c;
    return grass(x, y);
}

RgbPicture Painter::paintGround(int size) const {
    RgbPicture picture(size, size);
    for (int row = 0; row < size; ++row) {
        const float y = (row + 0.5f) * land.sizeY / float(size);
        for (int column = 0; column < size; ++column) {
            const float x = (column + 0.5f) * land.sizeX / float(size);
            const Colour c = groundAt(x, y);
            std::uint8_t* p = picture.at(column, row);
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
        }
    }
    return picture;
}

RgbPicture Painter::paintSky(int size) const {
    RgbPicture picture(size, size);
    // The edges take the colour of the walls' top, so ceiling and walls join.
    const Colour blue{0.34f, 0.52f, 0.84f}, haze{0.55f, 0.66f, 0.86f};
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) {
            const float u = (column + 0.5f) / size, v = (row + 0.5f) / size;
            const float edge = std::max(std::abs(u - 0.5f), std::abs(v - 0.5f)) * 2.0f;
            const float toEdge = smoothstep(0.2f, 1.0f, edge);
            Colour c = mix(blue, haze, toEdge);
            const float cloud = fractalNoise(u * 6, v * 6, seed + 71, 5);
            c = mix(c, Colour{0.93f, 0.94f, 0.97f},
                    0.8f * (1.0f - toEdge) * smoothstep(0.52f, 0.75f, cloud));
            std::uint8_t* p = picture.at(column, row);
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
        }
    return picture;
}

RgbPicture Painter::paintSkyline(int width, int height, float hillTop) const {
    RgbPicture picture(width, height);
    const Colour top{0.55f, 0.66f, 0.86f}, horizon{0.74f, 0.80f, 0.88f};
    const Colour farHills{0.52f, 0.58f, 0.68f}, nearHills{0.40f, 0.47f, 0.50f};
    for (int column = 0; column < width; ++column) {
        const float u = (column + 0.5f) / width;
        // Two ranges of hills; the nearer one is lower and darker. Neighbouring
        // walls meet at a corner with the same edge of the picture, so they join.
        const float far = hillTop * (0.55f + 0.45f * fractalNoise(u * 8, 0.5f, seed + 81, 4));
        const float near = hillTop * (0.25f + 0.45f * fractalNoise(u * 14, 3.5f, seed + 83, 4));
        for (int row = 0; row < height; ++row) {
            const float up = 1.0f - (row + 0.5f) / height; // 0 at the bottom, 1 at the top
            Colour c = mix(horizon, top, smoothstep(hillTop, 1.0f, up));
            // Edges blended by how much of the texel the hill covers, so the
            // outline does not show steps when the walls magnify it.
            const float texel = 1.0f / height;
            const float farCover = std::clamp((far - up) / texel + 0.5f, 0.0f, 1.0f);
            const float nearCover = std::clamp((near - up) / texel + 0.5f, 0.0f, 1.0f);
            c = mix(c, mix(farHills, horizon, 0.35f * std::min(up / std::max(far, 1e-3f), 1.0f)),
                    farCover);
            c = mix(c, scaled(nearHills, 0.9f + 0.2f * fractalNoise(u * 60, up * 40, seed + 87, 2)),
                    nearCover);
            std::uint8_t* p = picture.at(column, row);
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
        }
    }
    return picture;
}
