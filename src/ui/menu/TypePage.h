#pragma once

#include "ui/composites/Page.h"

class Button;
class ToggleButton;
class ToggleGroup;

/*
===============================================================================
TypePage: the competition type, one of "Training" (checked when made), "F3J",
"F3B" and "F3I", kept exclusive by a toggle group. The choice is kept while
the program runs; nothing else reads it, and "Load" does nothing.
===============================================================================
*/
class TypePage : public Page {
  public:
    bool build() override;

    ToggleGroup* group = nullptr;
    ToggleButton* training = nullptr;
    ToggleButton* f3j = nullptr;
    ToggleButton* f3b = nullptr;
    ToggleButton* f3i = nullptr;
    Button* load = nullptr;
};
