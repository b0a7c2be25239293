#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "Bintree.h"
#include "HeightMap.h"
#include "LandRecipe.h"

class Terrain;
class Painter;

/*
===============================================================================
LandMaker: turns a recipe into a land directory: the land file (name + ".map")
and, when the recipe asks for them, the painted ground, sky and skyline
pictures.

The height map is resampled to a square grid of 2^k + 1 samples, triangulated
as a bintree refined to the recipe's tolerance, and written with triangles
clockwise seen from above (the orientation under which the game lights the
slopes that face the sun). The land is then loaded back as the game loads it,
so spots and sceneries without a height stand on the ground the game will
draw. Sceneries come before the "[Spot]" section, which stays last in the
file because the game rewrites that section when it saves spots.
===============================================================================
*/
struct MadeLandSummary {
    int gridSize = 0;
    std::size_t points = 0;
    std::size_t triangles = 0;
    std::size_t leaves = 0;
    std::size_t sceneries = 0;
    std::size_t spots = 0;
    std::size_t fileBytes = 0;
    // The ground's extent as the game will see it: minX, maxX, minY, maxY, minZ, maxZ.
    std::array<float, 6> box{};
    float centreHeight = 0; // ground height at the land's centre
    // What the maker assumed or could not do, for the user to read.
    std::vector<std::string> notes;
};

// Smallest 2^k + 1 (k >= 1) not below the requested size, or below the height
// map's larger side when none is requested; at most 4097.
int gridSizeFor(int width, int height, int requested);

std::string formatNumber(float value);
std::string formatNumber(double value);
std::string landHeaderText(const LandRecipe& recipe);
std::string landGeometryText(const Bintree& tree, float sizeX, float sizeY);
std::vector<SpotEntry> placeSpots(const LandRecipe& recipe, const Terrain& terrain);
std::vector<SceneryEntry> placeSceneries(const LandRecipe& recipe, const Terrain& terrain,
                                         const Painter& painter);
std::string sceneriesText(const std::vector<SceneryEntry>& sceneries);
std::string spotsText(const std::vector<SpotEntry>& spots);

// The whole land file text for a recipe and its height map (no file is written).
std::string makeLandText(const LandRecipe& recipe, const HeightMap& heights,
                         MadeLandSummary& summary, std::string& error);

// The name of the picture of the real horizon written next to the skyline picture.
std::string horizonPictureName(const LandRecipe& recipe);

// Reads the height map or elevation data, writes the land file and the painted pictures into the
// recipe's folder. False with a message on any failure; nothing half-written stays.
bool makeLand(const LandRecipe& recipe, MadeLandSummary& summary, std::string& error);
