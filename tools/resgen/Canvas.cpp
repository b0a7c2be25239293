#include "Canvas.h"

Canvas::Canvas(int width, int height, Colour fill)
    : w(width), h(height), pixels(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::paint(const Shader& shader) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            at(x, y) = shader(x + 0.5f, y + 0.5f);
}

// Shapes are drawn block by block: a block whose centre lies farther from the
// shape than the block could reach (with room for distance functions that
// stretch up to twice) is skipped whole.
namespace {
constexpr int Block = 8;
constexpr float BlockReach = 2 * 5.66f + 1; // twice the half diagonal, plus a pixel

template <typename PixelFn>
void forBlocksNear(int w, int h, const Sdf& shape, float extra, PixelFn pixel) {
    for (int by = 0; by < h; by += Block)
        for (int bx = 0; bx < w; bx += Block) {
            const float d = shape(bx + Block / 2.0f, by + Block / 2.0f);
            if (d > BlockReach + extra) continue;
            for (int y = by; y < std::min(by + Block, h); ++y)
                for (int x = bx; x < std::min(bx + Block, w); ++x)
                    pixel(x, y);
        }
}
} // namespace

void Canvas::fill(const Sdf& shape, const Shader& shader, float opacity) {
    forBlocksNear(w, h, shape, 0, [&](int x, int y) {
        const float px = x + 0.5f, py = y + 0.5f;
        const float coverage = clamp01(0.5f - shape(px, py)) * opacity;
        if (coverage > 0) at(x, y) = mix(at(x, y), shader(px, py), coverage);
    });
}

void Canvas::fill(const Sdf& shape, Colour colour, float opacity) {
    fill(
        shape, [colour](float, float) { return colour; }, opacity);
}

void Canvas::glow(const Sdf& shape, Colour colour, float radius, float opacity) {
    forBlocksNear(w, h, shape, 2 * 3 * radius, [&](int x, int y) {
        const float d = std::max(shape(x + 0.5f, y + 0.5f), 0.0f);
        const float k = std::exp(-(d * d) / (radius * radius)) * opacity;
        if (k > 0.001f) at(x, y) = mix(at(x, y), colour, k);
    });
}

void Canvas::blendCoverage(const std::vector<float>& coverage, const Shader& shader) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float c = coverage[static_cast<std::size_t>(y) * w + x];
            if (c > 0) at(x, y) = mix(at(x, y), shader(x + 0.5f, y + 0.5f), clamp01(c));
        }
}

namespace {
std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0f));
}
} // namespace

std::vector<std::uint8_t> Canvas::toBgr(bool bottomFirst) const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(w) * h * 3);
    for (int row = 0; row < h; ++row) {
        const int y = bottomFirst ? h - 1 - row : row;
        for (int x = 0; x < w; ++x) {
            const Colour& c = at(x, y);
            bytes.push_back(toByte(c.b));
            bytes.push_back(toByte(c.g));
            bytes.push_back(toByte(c.r));
        }
    }
    return bytes;
}

std::vector<std::uint8_t> Canvas::toBgra(const std::vector<float>& alpha) const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Colour& c = at(x, y);
            bytes.push_back(toByte(c.b));
            bytes.push_back(toByte(c.g));
            bytes.push_back(toByte(c.r));
            bytes.push_back(toByte(alpha[static_cast<std::size_t>(y) * w + x]));
        }
    return bytes;
}

Sdf circle(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf ellipse(float cx, float cy, float rx, float ry) {
    // Scaled-distance approximation, exact enough for anti-aliasing.
    return [=](float x, float y) {
        const float dx = (x - cx) / rx, dy = (y - cy) / ry;
        const float k = std::hypot(dx, dy);
        const float gradient = std::hypot(dx / rx, dy / ry);
        return gradient > 1e-6f ? (k - 1) * k / gradient : -std::min(rx, ry);
    };
}

Sdf roundedBox(float x0, float y0, float x1, float y1, float radius) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](float x, float y) {
        const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Sdf segment(float ax, float ay, float bx, float by, float halfWidth) {
    return [=](float x, float y) {
        const float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
        const float t = clamp01((px * dx + py * dy) / std::max(dx * dx + dy * dy, 1e-9f));
        return std::hypot(px - dx * t, py - dy * t) - halfWidth;
    };
}

Sdf polygon(std::vector<std::pair<float, float>> points) {
    return [points = std::move(points)](float x, float y) {
        float best = 1e30f;
        bool inside = false;
        const std::size_t n = points.size();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            const float ex = xj - xi, ey = yj - yi, wx = x - xi, wy = y - yi;
            const float t = clamp01((wx * ex + wy * ey) / std::max(ex * ex + ey * ey, 1e-9f));
            best = std::min(best, std::hypot(wx - ex * t, wy - ey * t));
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside ? -best : best;
    };
}

Sdf unite(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf subtract(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf intersect(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf offset(Sdf a, float by) {
    return [=](float x, float y) { return a(x, y) - by; };
}
