#pragma once

#include "ui/toolkit/Container.h"

class Slider;
class TextView;

/*
===============================================================================
ConsoleWindow: the console's frame: a text page and a scroll-mode slider at its
right edge, linked both ways (new lines move the slider's range and knob,
dragging the knob scrolls the page).

The page is given to create (the console's own page with its commands) or, when
none is given, a plain TextView. The window creates it at its place, so the
page's create sees its final size. Every key goes to the page while the window
holds the input, wherever the pointer is; the page returns true for the keys it
does not use, so Escape and the console key reach the application. The window
keeps its size when the application window changes size.
===============================================================================
*/
class ConsoleWindow : public Container {
  public:
    using Container::create;
    using Container::createWithTitle;
    bool createWithTitle(const char* title, int x, int y, int width, int height, Widget* parent,
                         Texture* picture, TextView* textPage);
    bool createWithTitle(const char* title, int x, int y, int width, int height, Widget* parent,
                         Texture* picture) override;

    bool keyDown(int key) override;
    bool characterTyped(int character) override;
    bool keyUp(int key) override;

    TextView* page = nullptr;
    Slider* scrollBar = nullptr;
};
