#pragma once

#include <string>

#include "ui/toolkit/Widget.h"

/*
===============================================================================
EditField: one line of typed text in the fixed-pitch font, scrolled so that
visibleChars characters from offset show, with a blinking "_" while it takes
the keys (the pointer is over it, or its box gave it the focus).

Back and Delete erase the last character, Return reports the text (type 8) or,
in a multi-line field, adds a line feed; typed characters (characterTyped) are
appended, while the key presses that typed them are kept from everything else;
Home, Left and Right move the view. Every event carries the whole
content, its length, visibleChars and offset. Linked to a list, a slider or
another field, it takes their text (type bit 1) and their scroll (bit 32).
===============================================================================
*/
class EditField : public Widget {
  public:
    EditField();

    using Widget::create;
    virtual bool create(const char* text, int x, int y, int width, int height, Widget* parent,
                        Texture* normal, Texture* hover, bool isMultiLine);
    // Replaces the content without publishing; the view shows its end.
    void setContent(const std::string& newContent);

    bool keyDown(int key) override;
    bool characterTyped(int character) override;
    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    std::string content;
    int offset = 0;
    int visibleChars = 0;
    int margin = 6;
    bool blinkOn = false;
    float lastBlink = 0.0f;
    bool multiLine = false;

  private:
    int length() const { return static_cast<int>(content.size()); }
    int lastOffset() const;
    uint32_t erase();
    uint32_t append(char c);
    void publishText(uint32_t type);
};
