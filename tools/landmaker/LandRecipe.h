#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

class KeyValueFile;

/*
===============================================================================
LandRecipe: everything the land maker needs to make one land, read from a
side file in the key-value format of the land files themselves. Positions are
metres in the land's frame (x east, y north, origin at the south-west
corner); angles in degrees. A spot or scenery without a height ("z") is put
on the ground. Paths are relative to the side file's folder.
===============================================================================
*/
struct SpotEntry {
    std::string name;
    float x = 0, y = 0;
    std::optional<float> z;
    float orientation = 0, windSpeed = 0, windDirection = 0;
};

struct SceneryEntry {
    std::string name;
    int type = 0;
    float x = 0, y = 0;
    std::optional<float> z;
    float rx = 0, ry = 0, rz = 0;
    float height = 0, width = 0, depth = 0, roofHeight = 0;
};

// A wood: painted as a dark irregular patch and filled with tree billboards.
struct Forest {
    float x = 0, y = 0, radius = 0;
    int trees = 0;
    float treeSize = 12;
};

// A row of trees from one point to another (a hedge or an avenue).
struct TreeLine {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int trees = 0;
    float treeSize = 10;
};

// A dirt or gravel track along a polyline.
struct Track {
    std::vector<std::array<float, 2>> points;
    float width = 4;
};

// A mown strip (a runway or a landing area), centred on x, y.
struct Strip {
    float x = 0, y = 0, length = 0, width = 0, angle = 0;
};

// A patchwork of crop fields over a rectangle, on ground flatter than maxSlope.
struct FieldArea {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float fieldSize = 150, angle = 0, maxSlope = 0.25f;
};

struct LandRecipe {
    std::string name;
    std::string folder; // where the side file lies; outputs go there too
    std::string heightMap;
    // Elevation data that GDAL reads, used instead of heightMap when given.
    std::string dem;
    // Latitude and longitude of the land's centre; empty: the raster's centre.
    std::optional<std::array<double, 2>> center;
    bool sizeGiven = false; // both land.size.x and land.size.y were given
    float sizeX = 1000, sizeY = 1000;
    float minHeight = 0, maxHeight = 100;
    float tolerance = 0.5f;
    int grid = 0; // samples a side of the triangulated grid; 0 chooses from the height map
    double longitude = 0, latitude = 0;
    float northDirection = 90;
    int baseTimeZone = 1;
    bool timeZoneGiven = false;
    // An aerial picture draped as the ground, and its red, green and blue bands.
    std::string photo;
    std::array<int, 3> photoBands{1, 2, 3};
    float horizon = 30000; // metres of elevation data painted on the skyline
    // Set by the maker when it paints the real horizon: that picture's file name.
    std::string horizonPicture;
    std::string ground, sky, skyline;
    int groundSize = 0; // paint the ground picture at this size when > 0
    int skySize = 0, skylineSize = 0;
    int seed = 1;
    std::vector<SpotEntry> spots;
    std::vector<SceneryEntry> sceneries;
    std::vector<Forest> forests;
    std::vector<TreeLine> treeLines;
    std::vector<Track> tracks;
    std::vector<Strip> strips;
    std::vector<FieldArea> fieldAreas;

    // False with a message when a required key is missing or a value is unusable.
    bool read(KeyValueFile& file, const std::string& folderPath, std::string& error);
};
