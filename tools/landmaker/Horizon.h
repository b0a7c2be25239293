#pragma once

#include <array>
#include <string>
#include <vector>

#include "GeoRaster.h"
#include "TgaWriter.h"

/*
===============================================================================
Horizon: the far terrain around a land, painted on the sky box's walls so a
pilot sees the real mountains where they stand.

read() samples the elevation data on a square grid of the land's frame that
reaches `reach` metres from the centre each way; what lies past the raster is
left empty. paint() draws the four walls side by side, each as seen from
inside (north, east, south, west: turning right shows them left to right),
top row first. Each column is the wall seen from the eye, a couple of metres
over the land's centre: a ray runs from the wall outwards, and every ridge
that rises over the nearer ones is drawn at its angular height, projected on
the wall where the eye sees it, paler and bluer the farther it is. The
earth's curve (with the usual refraction) lowers far ridges. Where a ray
leaves the raster early, painted hills fill the rest of the horizon.
===============================================================================
*/
struct WallBox {
    // The land's bounding box in the land's own coordinates (origin at the south-west corner).
    float minX = 0, maxX = 0, minY = 0, maxY = 0, minZ = 0, maxZ = 0;
    // Where the eye stands, in the same coordinates.
    float eyeX = 0, eyeY = 0, eyeZ = 0;
    // The walls as the game builds them: past the corners by a margin, up to the ceiling.
    float bottom() const;
    float top() const;
    // Point on the walls at u (0 to 1 across the four walls side by side): {x, y}.
    std::array<double, 2> wallPoint(double u) const;
};

class Horizon {
  public:
    bool read(const GeoRaster& dem, const LocalFrame& frame, double reach, std::string& error);

    // Height over sea level at a point of the frame (metres east and north of the
    // centre), NaN where the data does not reach.
    float heightAt(double x, double y) const;

    // The walls' picture, wallWidth columns per wall. tops, when given, gets for
    // each column the real terrain's top as a share of the picture's height from
    // its foot (0 where no data was seen).
    RgbPicture paint(const WallBox& box, int wallWidth, int height, unsigned seed,
                     std::vector<float>* tops = nullptr) const;

  private:
    double reach = 0, step = 1;
    int size = 0;
    std::vector<float> heights; // row-major, south row first
};

// Lowering of a point `distance` metres away by the earth's curve, less refraction.
double curvatureDrop(double distance);
