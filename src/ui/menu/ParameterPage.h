#pragma once

#include <cstdint>

#include "ui/composites/Page.h"

class Button;
class Command;
class Widget;

/*
===============================================================================
ParameterPage: the frame of the wide parameter pages: the "Valid" and "Reset"
buttons and the picture at (80, 42).

connect() joins a control to a command: the command hears the control and the
two buttons, and the control hears the command. So "Reset" (released with type
128) makes each command send the world's current value to its control, and
"Valid" (type 8) makes each command apply what its control holds.
===============================================================================
*/
class ParameterPage : public Page {
  public:
    Button* valid = nullptr;
    Button* reset = nullptr;

  protected:
    // "Valid" at (240, 45) and "Reset" at (370, 45), 96 x 32.
    void addFrame(uint32_t resetReleaseType);
    void addHeaderPicture(int imageId, int height);
    void connect(Widget* control, Command* command);
};
