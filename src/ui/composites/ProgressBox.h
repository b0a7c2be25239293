#pragma once

#include "ui/toolkit/Container.h"

class Gauge;
class Label;

/*
===============================================================================
ProgressBox: a 600 by 120 box in the middle of the window with a picture, a
line of text and a horizontal gauge, subscribed to a long operation (the
scene's build). Each kind-0 event of type 2 whose value points at a
ProgressReport (message, percent) sets the text and the gauge and presents a
frame at once, since the main loop is blocked meanwhile.
===============================================================================
*/
class ProgressBox : public Container {
  public:
    ProgressBox();

    using Container::create;
    bool create(const char* message, const char* title);
    void report(const char* message, float percent);

    void resize(int windowWidth, int windowHeight) override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    Label* picture = nullptr;
    Label* messageLabel = nullptr;
    Gauge* gauge = nullptr;
};
