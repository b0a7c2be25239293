#include "Horizon.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "GeoLand.h"
#include "Noise.h"
#include "world/sky/SkyBox.h"

namespace {
constexpr double earthRadius = 6371000.0;
constexpr double refraction = 0.13;
constexpr int largestGrid = 2049;

struct Colour {
    float r, g, b;
};

Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

void put(RgbPicture& picture, int column, int row, Colour c) {
    std::uint8_t* p = picture.at(column, row);
    p[0] = std::uint8_t(std::clamp(std::lround(c.r * 255.0f), 0L, 255L));
    p[1] = std::uint8_t(std::clamp(std::lround(c.g * 255.0f), 0L, 255L));
    p[2] = std::uint8_t(std::clamp(std::lround(c.b * 255.0f), 0L, 255L));
}

const Colour skyTop{0.55f, 0.66f, 0.86f}, haze{0.74f, 0.80f, 0.88f};

// Terrain seen from afar: forest and meadow low, rock higher, snow on the summits;
// the farther, the more it takes the colour of the air in between.
// grain: -0.5 to 0.5, woods and fields seen from afar; facing: how steeply the
// ground rises towards the eye, so slopes turned to it stand out from the flats.
Colour ridgeColour(float height, double distance, float grain, float facing) {
    Colour c = mix(Colour{0.24f, 0.31f, 0.24f}, Colour{0.45f, 0.44f, 0.42f},
                   smoothstep(1400.0f, 2400.0f, height + 300.0f * grain));
    c = mix(c, Colour{0.92f, 0.94f, 0.97f}, smoothstep(2700.0f, 3100.0f, height + 300.0f * grain));
    const float light = 0.85f + 0.3f * grain + 0.5f * std::clamp(facing, -0.3f, 0.4f);
    c = {c.r * light, c.g * light, c.b * light};
    const float air = 1.0f - float(std::exp(-distance / 14000.0));
    return mix(c, Colour{0.62f, 0.70f, 0.84f}, 0.9f * air);
}
} // namespace

double curvatureDrop(double distance) {
    return distance * distance / (2.0 * earthRadius) * (1.0 - refraction);
}

float WallBox::bottom() const {
    return minZ - SkyBox::margin;
}

float WallBox::top() const {
    return maxZ + 1000.0f + SkyBox::margin;
}

std::array<double, 2> WallBox::wallPoint(double u) const {
    const double m = SkyBox::margin;
    const double wall = std::clamp(u, 0.0, 1.0) * 4.0;
    const int side = std::min(int(wall), 3);
    const double t = wall - side;
    switch (side) {
    case 0:
        return {minX - m + t * (maxX - minX + 2 * m), maxY}; // north, west to east
    case 1:
        return {maxX, maxY + m - t * (maxY - minY + 2 * m)}; // east, north to south
    case 2:
        return {maxX + m - t * (maxX - minX + 2 * m), minY}; // south, east to west
    default:
        return {minX, minY - m + t * (maxY - minY + 2 * m)}; // west, south to north
    }
}

bool Horizon::read(const GeoRaster& dem, const LocalFrame& frame, double distance,
                   std::string& error) {
    reach = distance;
    PixelMap map;
    if (!dem.mapFrame(frame, -reach, -reach, reach, reach, 65, map, error)) return false;
    const auto b = map.bounds();
    const double pixelsAcross = std::max(b[1] - b[0], b[3] - b[2]);
    size = std::clamp(int(pixelsAcross) + 1, 3, largestGrid);
    step = 2.0 * reach / (size - 1);
    heights.assign(std::size_t(size) * size, std::numeric_limits<float>::quiet_NaN());
    const RasterWindow window = map.window(dem.width(), dem.height(), 2);
    if (window.width < 2 || window.height < 2) return true;
    // Holes stay empty: rays pass over them as over the land past the raster.
    RasterSamples samples;
    if (!dem.readHeights(window, std::min(window.width, size), std::min(window.height, size),
                         samples, error, false))
        return false;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            const auto p = map.at(-reach + i * step, -reach + j * step);
            if (p[0] < 0 || p[1] < 0 || p[0] > dem.width() || p[1] > dem.height()) continue;
            heights[std::size_t(j) * size + i] = samples.at(p[0], p[1]);
        }
    return true;
}

float Horizon::heightAt(double x, double y) const {
    const double u = (x + reach) / step, v = (y + reach) / step;
    if (!(u >= 0 && v >= 0 && u <= size - 1 && v <= size - 1)) return std::nanf("");
    const int i = std::min(int(u), size - 2), j = std::min(int(v), size - 2);
    const float fu = float(u - i), fv = float(v - j);
    const float* row0 = &heights[std::size_t(j) * size + i];
    const float* row1 = row0 + size;
    return (row0[0] * (1 - fu) + row0[1] * fu) * (1 - fv) +
           (row1[0] * (1 - fu) + row1[1] * fu) * fv;
}

RgbPicture Horizon::paint(const WallBox& box, int wallWidth, int height, unsigned seed,
                          std::vector<float>* tops) const {
    const int width = 4 * wallWidth;
    RgbPicture picture(width, height);
    if (tops) tops->assign(std::size_t(width), 0.0f);
    const double bottom = box.bottom(), wallHeight = box.top() - box.bottom();
    const double centreX = 0.5 * (box.minX + box.maxX), centreY = 0.5 * (box.minY + box.maxY);
    for (int column = 0; column < width; ++column) {
        const double u = (column + 0.5) / width;
        const auto wall = box.wallPoint(u);
        const double dx = wall[0] - box.eyeX, dy = wall[1] - box.eyeY;
        const double toWall = std::hypot(dx, dy);
        const double ex = dx / toWall, ey = dy / toWall;
        // From the eye's place to the frame's origin, the land's centre.
        const double ox = box.eyeX - centreX, oy = box.eyeY - centreY;
        double covered = 0.0; // rows filled from the foot, fractional
        bool leftData = false;
        float previous = std::nanf("");
        for (double d = toWall; d <= reach; d += step) {
            const float h = heightAt(ox + ex * d, oy + ey * d);
            const float rise = std::isnan(previous) ? 0.0f : float((h - previous) / step);
            previous = h;
            if (std::isnan(h)) {
                leftData = true;
                continue;
            }
            const double apparent = h - curvatureDrop(d) - box.eyeZ;
            const double z = box.eyeZ + apparent / d * toWall;
            const double row = (z - bottom) / wallHeight * height;
            if (row <= covered) continue;
            const double px = ox + ex * d, py = oy + ey * d;
            const float grain = fractalNoise(float(px / 250.0), float(py / 250.0), seed + 91, 3);
            const Colour c = ridgeColour(h, d, grain - 0.5f, rise);
            for (int r = int(covered); r < std::min(int(std::ceil(row)), height); ++r)
                put(picture, column, height - 1 - r, c);
            covered = std::min(row, double(height));
        }
        if (tops) (*tops)[column] = float(covered / height);
        // Past the data's end, painted hills stand at the horizon behind the real ridges.
        const double horizonRow = (box.eyeZ - bottom) / wallHeight * height;
        if (leftData || covered == 0.0) {
            const double hills =
                horizonRow +
                height * (0.02 + 0.03 * fractalNoise(float(u * 32.0), 0.5f, seed + 81, 4));
            for (int r = int(covered); r < std::min(int(std::ceil(hills)), height); ++r)
                put(picture, column, height - 1 - r, Colour{0.58f, 0.64f, 0.76f});
            covered = std::max(covered, std::min(hills, double(height)));
        }
        auto skyAt = [&](int r) {
            const float up = float((r - horizonRow) / std::max(height - horizonRow, 1.0));
            return mix(haze, skyTop, smoothstep(0.0f, 0.6f, up));
        };
        for (int r = int(std::ceil(covered)); r < height; ++r)
            put(picture, column, height - 1 - r, skyAt(r));
        // The silhouette's top texel is ridge only for the part of it the ridge
        // covers, so the outline shows no steps where the walls magnify it.
        const int edge = int(covered);
        if (edge < height && covered > edge) {
            std::uint8_t* texel = picture.at(column, height - 1 - edge);
            const Colour ridge{texel[0] / 255.0f, texel[1] / 255.0f, texel[2] / 255.0f};
            put(picture, column, height - 1 - edge, mix(skyAt(edge), ridge, float(covered - edge)));
        }
    }
    return picture;
}
