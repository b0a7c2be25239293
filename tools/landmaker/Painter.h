#pragma once

#include <cstdint>

#include "HeightMap.h"
#include "LandRecipe.h"
#include "TgaWriter.h"

/*
===============================================================================
Painter: the pictures of a land, made from its recipe and height map.

paintGround draws the picture draped over the whole land, as seen from above
with north up: grass that changes with height and slope, rock on steep
ground, a patchwork of crop fields with hedges and tramlines, woods, tracks,
mown strips and yards under the buildings. Row 0 is the south edge, which is
the row the game puts at the land's lowest y; no light is painted in, the
game shades the ground for its sun.

paintSky draws the ceiling of the sky box (high thin cloud on blue) and
paintSkyline the walls (distant hills under a hazy sky), top row first, since
the walls put the picture's first row at their top edge.

inForest is shared with the tree scattering so that tree billboards stand
exactly on the woods the ground picture shows.
===============================================================================
*/
class Painter {
  public:
    Painter(const LandRecipe& recipe, const HeightMap& heights);

    RgbPicture paintGround(int size) const;
    RgbPicture paintSky(int size) const;
    // hillTop: the part of the picture's height, from its bottom, that the hills reach.
    RgbPicture paintSkyline(int width, int height, float hillTop) const;

    float heightAt(float x, float y) const;
    // Rise over run of the ground at (x, y).
    float slopeAt(float x, float y) const;
    bool inForest(const Forest& forest, std::size_t index, float x, float y) const;

  private:
    struct Colour {
        float r, g, b;
    };
    Colour groundAt(float x, float y) const;
    Colour grass(float x, float y) const;
    bool field(float x, float y, Colour& colour) const;
    bool forest(float x, float y, Colour& colour) const;
    bool track(float x, float y, Colour& colour) const;
    bool strip(float x, float y, Colour& colour) const;
    bool yard(float x, float y, Colour& colour) const;

    static Colour mix(Colour a, Colour b, float t);
    static Colour scaled(Colour c, float k);

    const LandRecipe& land;
    const HeightMap& map;
    uint32_t seed;
};
