#pragma once

#include <span>
#include <vector>

/*
===============================================================================
Display modes and the window-size rules, kept free of any windowing system so
that they can be checked on any list of modes.
===============================================================================
*/
struct DisplayMode {
    int width = 0;
    int height = 0;
    int bits = 0; // bits per pixel

    bool operator==(const DisplayMode&) const = default;
};

// The window actually asked for: a missing width or height follows the other at 4:3,
// both missing give 640 x 480; a missing depth gives 24, and full screen never goes
// below 16 bits when fewer than 15 were asked for.
DisplayMode resolveWindowRequest(int width, int height, int bits, bool fullScreen);

// (dw² + dh²) | (|db| << 24): a depth mismatch outweighs any size mismatch below 2^24
// squared pixels.
long long displayModeScore(const DisplayMode& mode, const DisplayMode& wanted);

// Index of the first mode with the lowest score, or -1 for an empty list.
int chooseDisplayMode(std::span<const DisplayMode> modes, const DisplayMode& wanted);

// The modes offered to the user: at least 15 bits, no two alike, sorted by depth, then
// width, then height; at most `capacity` of them, taken in enumeration order.
std::vector<DisplayMode> displayModeList(std::span<const DisplayMode> enumerated, int capacity);
