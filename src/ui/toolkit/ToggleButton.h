#pragma once

#include "ui/toolkit/Button.h"

/*
===============================================================================
ToggleButton: a button that flips checked on release (type 18: 16 and 2) and
reports a press with type 16. The text leaves room for the box at the left,
boxSize square. Linked toggles show the same state: a value event sets checked
from its value, a button event from its checked.

Without pictures the box is drawn as a small sunken square, filled when checked.
===============================================================================
*/
class ToggleButton : public Button {
  public:
    ToggleButton();

    using Button::create;
    virtual bool create(const char* text, int x, int y, int width, int height, Widget* parent,
                        Texture* normal, Texture* checkedPicture, Texture* hover,
                        Texture* checkedHover, Texture* pressedPicture);
    virtual void toggle();
    // Sets the state without publishing (a page making a toggle checked).
    void setChecked(bool isChecked);

    void layoutText() override;
    void updateLook() override;
    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    bool checked = false;
    Texture* checkedTexture = nullptr;
    Texture* checkedHoverTexture = nullptr;
    int boxSize = 0;

  protected:
    void setPressed(bool down) override;
};
