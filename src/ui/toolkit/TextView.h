#pragma once

#include <string>
#include <vector>

#include "ui/toolkit/Widget.h"

/*
===============================================================================
TextView: a scrolling view of text lines in the fixed-pitch font, showing rows
lines from first, each cut to columns characters. Adding a line once the view
is full scrolls so that the newest lines show, and tells the subscribers (a
linked scroll-mode Slider follows: type 2 with the count and rows, plus 32 when
first moved). A text reaching it with type 8 is added as a line; a number with
type 32 scrolls it.

It is also the page of the console window: the console's own page derives from
it and takes the keys through takesKeys() (the window gives it the focus).
===============================================================================
*/
class TextView : public Widget {
  public:
    TextView();

    using Widget::create;
    virtual bool create(const char* text, int x, int y, int width, int height, Widget* parent,
                        Texture* normal, Texture* hover);
    virtual void addLine(const std::string& line);
    // Shows lines from that one on, clamped to the lines there are.
    void scrollTo(int line);
    int count() const { return static_cast<int>(lines.size()); }

    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    std::vector<std::string> lines;
    int charWidth = 0;
    int charHeight = 0;
    int rows = 0;
    int columns = 0;
    int first = 0;
    int margin = 5;

  protected:
    void publishScroll(uint32_t type);
};
