#pragma once

#include <string>
#include <vector>

#include "ui/toolkit/Widget.h"

/*
===============================================================================
ListBox: a scrolling list of text items in the fixed-pitch font, with one
selected item (-1 for none), a hover row and the first shown item. Rows are
the font's height plus 4 apart.

The pointer hovers rows; a click on a row selects it (type 1, on the press and
the release); a click where no row is selects nothing. Up and Down (on release)
move the selection, clamped at both ends without an event, and scroll by one
when it leaves the view (type 33). Every event carries the selected item's text
(the header when nothing is selected), the count, selected, rows, hover and
first. Linked with a scroll-mode Slider, a field or another list, it follows
their selection and scroll (see onEvent).
===============================================================================
*/
class ListBox : public Widget {
  public:
    ListBox();

    using Widget::create;
    virtual bool create(const char* text, int x, int y, int width, int height, Widget* parent,
                        Texture* normal, Texture* hover);
    // Empty texts are ignored. Publishes type 2.
    void addItem(const std::string& item);
    // Removes every item, resets first, hover and selected; publishes type 2.
    void clear();
    int count() const { return static_cast<int>(items.size()); }
    // The selected item, else the header.
    const std::string& currentText() const;

    bool mouseMove(int px, int py) override;
    bool leftButton(int flags, int px, int py, bool down) override;
    bool keyUp(int key) override;
    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    std::string header;
    std::vector<std::string> items;
    int charWidth = 0;
    int charHeight = 0;
    int rows = 0;
    int columns = 0;
    int hover = -1;
    int selected = -1;
    int first = 0;
    int margin = 5;

  private:
    int pitch() const { return charHeight + 4; }
    int rowAt(int py) const;
    int lastFirst() const;
    int lastIndexOf(const char* item) const;
    int firstNotBelow(const char* item) const;
    void moveSelection(int step);
    void publishList(uint32_t type);
    void drawSelection() const;
    void drawHover() const;
};
