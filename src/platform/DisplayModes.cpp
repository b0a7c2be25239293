#include "platform/DisplayModes.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

DisplayMode resolveWindowRequest(int width, int height, int bits, bool fullScreen) {
    DisplayMode mode{width, height, bits > 0 ? bits : 24};
    if (width <= 0 && height > 0) {
        mode.width = height * 4 / 3;
    } else if (width > 0 && height <= 0) {
        mode.height = width * 3 / 4;
    } else if (width <= 0 && height <= 0) {
        mode.width = 640;
        mode.height = 480;
    }
    if (fullScreen && mode.bits < 15) mode.bits = 16;
    return mode;
}

long long displayModeScore(const DisplayMode& mode, const DisplayMode& wanted) {
    const long long dw = mode.width - wanted.width;
    const long long dh = mode.height - wanted.height;
    const long long db = std::llabs(static_cast<long long>(mode.bits) - wanted.bits);
    return (dw * dw + dh * dh) | (db << 24);
}

int chooseDisplayMode(std::span<const DisplayMode> modes, const DisplayMode& wanted) {
    int best = -1;
    long long bestScore = 0;
    for (std::size_t i = 0; i < modes.size(); ++i) {
        const long long score = displayModeScore(modes[i], wanted);
        if (best < 0 || score < bestScore) { // ties keep the first
            best = static_cast<int>(i);
            bestScore = score;
        }
    }
    return best;
}

std::vector<DisplayMode> displayModeList(std::span<const DisplayMode> enumerated, int capacity) {
    std::vector<DisplayMode> listed;
    if (capacity < 1) return listed;
    const auto order = [](const DisplayMode& a, const DisplayMode& b) {
        return std::tie(a.bits, a.width, a.height) < std::tie(b.bits, b.width, b.height);
    };
    for (const DisplayMode& mode : enumerated) {
        if (static_cast<int>(listed.size()) >= capacity) break;
        if (mode.bits < 15) continue;
        const auto place = std::lower_bound(listed.begin(), listed.end(), mode, order);
        if (place != listed.end() && *place == mode) continue;
        listed.insert(place, mode);
    }
    return listed;
}
