#pragma once

#include "ui/toolkit/Gauge.h"

/*
===============================================================================
Slider: a gauge with a square knob that the left button drags. A drag publishes
a RangeEvent (value, min, max) of type 2, or of type 32 in scroll mode, where
the slider scrolls a linked list, text view or field: their events set its far
bound (count - rows) and, with type 32, its value (their first line).

The far bound is max with fromStart, else min. A value set from outside (a
command, a linked control, a new range) is announced with type 512, so a
read-out label linked to it always shows the value.
===============================================================================
*/
class Slider : public Gauge {
  public:
    Slider();

    bool leftButton(int flags, int px, int py, bool down) override;
    bool mouseMove(int px, int py) override;
    bool hitTest(int px, int py) override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    bool scrollMode = false;
    bool dragging = false;

  protected:
    void sizeThumb() override;
    void valueMoved() override { showValue(); }

  private:
    void setFarBound(float bound);
    void showValue();
    void takeText(const char* text);
};
