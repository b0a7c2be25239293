#pragma once

#include "ui/toolkit/Container.h"

class Button;
class Label;

/*
===============================================================================
MessageBox: a 600 by 200 box in the middle of the window with a title, an
optional picture, the message and a "Close" button that closes it. It stays
in the middle when the window changes size.
===============================================================================
*/
class MessageBox : public Container {
  public:
    using Container::create;
    // icon 1 adds the picture.
    bool create(const char* message, const char* title, int icon);

    void resize(int windowWidth, int windowHeight) override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    Label* picture = nullptr;
    Label* messageLabel = nullptr;
    Button* closeButton = nullptr;
};
