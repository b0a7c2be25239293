#include "ui/menu/AboutPage.h"

#include "shell/Accessors.h"

namespace {
constexpr int AboutPicture = 407;
}

// The page draws the picture as its own panel, whatever background it is given.
bool AboutPage::create(int id, int newX, int newY, int newWidth, int newHeight, Widget* parent,
                       Texture*) {
    Page::create(id, newX, newY, newWidth, newHeight, parent, ::texture(AboutPicture));
    setBevel(0);
    return true;
}
