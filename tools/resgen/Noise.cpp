#include "Noise.h"

#include <cmath>

namespace {
std::uint32_t mixBits(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352d;
    h ^= h >> 15;
    h *= 0x846ca68b;
    h ^= h >> 16;
    return h;
}
float fade(float t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}
int wrap(int v, int period) {
    return period > 0 ? ((v % period) + period) % period : v;
}
} // namespace

float Noise::hash(int x, int y) const {
    const std::uint32_t h = mixBits(static_cast<std::uint32_t>(x) * 0x8da6b343u ^
                                    static_cast<std::uint32_t>(y) * 0xd8163841u ^ seed);
    return (h & 0xffffff) / float(0xffffff);
}

float Noise::value(float x, float y, int period) const {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float fx = fade(x - x0), fy = fade(y - y0);
    const int xa = wrap(x0, period), xb = wrap(x0 + 1, period);
    const int ya = wrap(y0, period), yb = wrap(y0 + 1, period);
    const float top = hash(xa, ya) + (hash(xb, ya) - hash(xa, ya)) * fx;
    const float bottom = hash(xa, yb) + (hash(xb, yb) - hash(xa, yb)) * fx;
    return (top + (bottom - top) * fy) * 2 - 1;
}

float Noise::fractal(float x, float y, int octaves, float gain, int period) const {
    float sum = 0, amplitude = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += value(x, y, period) * amplitude;
        norm += amplitude;
        amplitude *= gain;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / norm;
}

float Scatter::next() {
    state = static_cast<std::uint32_t>((static_cast<std::uint64_t>(state) * 48271u) % 2147483647u);
    return (state & 0xffffff) / float(0x1000000);
}
