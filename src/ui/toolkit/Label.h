#pragma once

#include <string>

#include "ui/toolkit/Widget.h"

enum TextAlign {
    AlignCentre = 0,
    AlignLeft = 1,
    AlignRight = 2,
};

/*
===============================================================================
Label: a panel with one line of text, laid out by align and margin and
vertically centred on the capital height (0.6 of the font's line height).

Linked to another control it shows that control's value: a value, text or list
event gives the text, a range event the value with "%.1f".
===============================================================================
*/
class Label : public Widget {
  public:
    Label();

    using Widget::create;
    virtual bool create(const char* text, int x, int y, int width, int height, Widget* parent,
                        Texture* picture);
    virtual void setText(const char* newText);
    void setText(const std::string& newText) { setText(newText.c_str()); }
    virtual void layoutText();
    // What draw writes: the text itself, or (in the info items) the text used as a format.
    virtual std::string shownText() const { return text; }

    bool setRect(int newX, int newY, int newWidth, int newHeight) override;
    void setPosition(int newX, int newY) override;
    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    int align = AlignLeft;
    int margin = 6;
    int textX = 0;
    int textY = 0;

  protected:
    void drawText() const;
};
