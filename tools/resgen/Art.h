#pragma once

#include "Canvas.h"
#include "Noise.h"

/*
Shared motifs of the generated pictures: gliders, skies, clouds, hills and the
dark slate backgrounds of the menu. Coordinates are canvas pixels, y down.
*/

// Glider seen from below (planform): span in pixels, heading in degrees
// (0 = nose up the picture).
Sdf gliderPlanform(float cx, float cy, float span, float headingDegrees);
// Glider seen from far ahead: wings with dihedral, fuselage, fin; bank in degrees.
Sdf gliderFront(float cx, float cy, float span, float bankDegrees);
// Glider in profile, nose to the right when facing > 0.
Sdf gliderSide(float cx, float cy, float length, float facing);

// Blue sky gradient from zenith (top) to a hazy horizon at horizonY.
Colour skyColour(float y, float horizonY, float height);
// Cumulus cover: 0..1 density at a point, puffy tops.
float cloudDensity(const Noise& noise, float x, float y, float scale, float cover, int period = 0);
// Adds clouds over whatever is painted, brighter on their sunny side.
void paintClouds(Canvas& canvas, const Noise& noise, float scale, float cover, float yFrom,
                 float yTo, int period = 0);
// Height of a ridge line at x (pixels from the top), rolling noise.
float ridgeLine(const Noise& noise, float x, float base, float amplitude, float frequency,
                int period = 0);

// The menu's dark slate background with faint contour lines.
Colour slateBackground(const Noise& noise, float x, float y, float width, float height);
// A thin light frame round the picture's border.
void frame(Canvas& canvas, Colour colour, float thickness);
// A rounded, lit "glass" disc badge (for icons).
void badge(Canvas& canvas, float cx, float cy, float r, Colour top, Colour bottom);
