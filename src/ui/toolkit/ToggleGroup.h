#pragma once

#include "ui/toolkit/Widget.h"

/*
===============================================================================
ToggleGroup: makes the toggle buttons linked with it exclusive. When one of
them toggles, every linked toggle is unchecked and the one that reported is
checked again, so exactly the last toggle touched is checked (clicking the
checked one leaves it checked). It draws as a plain panel and never takes the
input.
===============================================================================
*/
class ToggleGroup : public Widget {
  public:
    ToggleGroup();

    bool hitTest(int px, int py) override;
    void onEvent(EventPublisher* publisher, const Event& event) override;
};
