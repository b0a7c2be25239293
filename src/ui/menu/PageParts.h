#pragma once

#include <cstdint>

class Button;
class EditField;
class Label;
class ListBox;
class Page;
class Slider;
class ToggleButton;
class ToggleGroup;

/*
===============================================================================
PageParts: the controls the menu pages are made of, with the menu's pictures.
Every position is relative to the page's client area, as create takes it.
Texts are string-table ids. Without an application the pictures are null and
the controls fall back to their plain look, so pages can be built in tests.
===============================================================================
*/

// A 164 x 41 button at x 58 that opens another page.
Button* addNavigationButton(Page& page, int textId, int y);
// A button with the action pictures ("Load", "Save", "Valid", ...).
Button* addActionButton(Page& page, int textId, int x, int y, int width, int height);
// The usual action button of the small pages, at (78, 140).
Button* addPageActionButton(Page& page, int textId, int width = 128);
// A picture drawn from a built-in image.
Label* addPicture(Page& page, int imageId, int x, int y, int width, int height);
// A text without fill (section titles, row captions).
Label* addCaption(Page& page, int textId, int x, int y, int width = 100, int height = 20);
EditField* addEditField(Page& page, int x, int y, int width, int height);
// A toggle with the menu's check pictures (408 not checked, 409 checked).
ToggleButton* addToggle(Page& page, int textId, int x, int y, int width, int height, bool checked);
// Makes the toggles linked with it exclusive; filled draws it as a plain panel.
ToggleGroup* addToggleGroup(Page& page, int x, int y, int width, int height, bool filled);

// A list with its scroll bar, a 10-pixel scroll-mode slider 2 pixels to its right,
// linked both ways. Dragging the knob down scrolls the list down.
struct ScrolledList {
    ListBox* list = nullptr;
    Slider* scrollBar = nullptr;
};
ScrolledList addScrolledList(Page& page, int x, int y, int width, int height);

// A row of the parameter pages: a caption, a 70 x 8 horizontal slider 5 pixels
// above the row's baseline and a 40 x 20 read-out made with "0" that shows the
// slider's value.
struct ValueRowPlacement {
    int captionX = 0;
    int captionWidth = 80;
    int sliderX = 370;
    int readOutX = 442;
};
struct ValueRow {
    Label* caption = nullptr;
    Slider* slider = nullptr;
    Label* readOut = nullptr;
};
ValueRow addValueRow(Page& page, int textId, int y, const ValueRowPlacement& placement,
                     float low = 0.0f, float high = 100.0f);
