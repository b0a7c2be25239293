#pragma once

#include <cstdint>

#include "ui/toolkit/Label.h"

/*
===============================================================================
Button: a label that is pressed by the left button, Return or Space. A press
publishes a ButtonEvent of type 16; the release publishes 16 plus releaseType
(8 unless a page sets another, e.g. 128 for a "Reset" button). A release only
counts after a press on this button, and the pointer leaving cancels a press,
so dragging from one button onto another activates neither.

With autoRepeat set, a held button publishes type 16 again every
repeatInterval seconds while it is drawn.
===============================================================================
*/
class Button : public Label {
  public:
    Button();

    using Label::create;
    virtual bool create(const char* text, int x, int y, int width, int height, Widget* parent,
                        Texture* normal, Texture* pressedPicture, Texture* hover);
    virtual void updateLook();
    // Publishes a release without any pointer or key action.
    virtual void fire();

    bool leftButton(int flags, int px, int py, bool down) override;
    bool keyDown(int key) override;
    bool keyUp(int key) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    Texture* pressedTexture = nullptr;
    bool pressed = false;
    bool reportState = false; // the state whose report adds releaseType
    bool autoRepeat = false;
    float lastRepeat = 0.0f;
    float repeatInterval = 0.1f;
    uint32_t releaseType = 8;

  protected:
    // The press or release of the mouse button or key; publishes its event.
    virtual void setPressed(bool down);
    void setBevelIfAny(int style);
};
