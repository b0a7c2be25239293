#pragma once

#include <string>
#include <vector>

#include "GeoRaster.h"
#include "HeightMap.h"
#include "LandRecipe.h"
#include "TgaWriter.h"

/*
===============================================================================
GeoLand: a land made from elevation data that GDAL reads, placed on the globe.

place() settles what the side file left open from the raster itself: the
centre (the raster's centre), the size (the largest square around the centre
that the raster covers) and the time zone (the centre's longitude / 15), and
reads the heights, in metres above sea level, onto the land's grid: row 0
along the north edge, in the local frame of the centre (x east, y north).
A raster without a georeference is read as a plain height map stretched over
the size the side file gives.

drapePhoto() puts an aerial picture on the ground picture: each texel takes
the picture's colour at the same place on the globe; texels the picture does
not cover keep what was painted there, and a note says where they are.

Messages for the user go to notes (what was assumed) and error (why nothing
can be made).
===============================================================================
*/
class GeoLand {
  public:
    // Opens the elevation file named by the recipe; its values fill in the recipe.
    bool place(LandRecipe& recipe, std::vector<std::string>& notes, std::string& error);

    const HeightMap& heights() const { return grid; }
    const GeoRaster& elevation() const { return dem; }
    bool georeferenced() const { return dem.georeferenced(); }
    // The land's frame; only valid after place() on a georeferenced raster.
    const LocalFrame& frame() const { return *localFrame; }

    // Ground picture, row 0 along the south edge, from the recipe's photo.
    bool drapePhoto(const LandRecipe& recipe, RgbPicture& ground, std::vector<std::string>& notes,
                    std::string& error) const;

  private:
    bool readPlain(LandRecipe& recipe, std::string& error);
    bool settleSize(LandRecipe& recipe, std::vector<std::string>& notes, std::string& error);
    bool checkInside(const LandRecipe& recipe, const PixelMap& map, std::string& error) const;
    bool readGrid(const LandRecipe& recipe, std::string& error);

    GeoRaster dem;
    std::unique_ptr<LocalFrame> localFrame;
    HeightMap grid;
};
