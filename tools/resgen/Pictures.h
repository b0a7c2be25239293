#pragma once

#include <functional>
#include <vector>

#include "Canvas.h"

// One built-in picture: its resource id, size, and whether its rows are stored
// bottom first (the ground, mapped with t = 0 at its south edge) or top first
// (everything drawn with t = 0 at the top: panels, pointer, tree, sky walls).
struct PictureRecipe {
    int id;
    int width;
    int height;
    bool bottomFirst;
    std::function<Canvas()> draw;
};

std::vector<PictureRecipe> worldPictures();
std::vector<PictureRecipe> widgetPictures();
std::vector<PictureRecipe> pagePictures();

// The window icon: 64 x 64 with an alpha map.
Canvas iconPicture(std::vector<float>& alpha);
