#pragma once

#include "ui/menu/ParameterPage.h"

class ListBox;

/*
===============================================================================
GliderPage: the glider list of the working folder (listed once, when the page
is built) and the glider's settings: masses, settings and control throws. No
glider flies in this program: the page keeps what the user sets and nothing
outside it reads it, "Valid" and "Reset" included.
===============================================================================
*/
class GliderPage : public ParameterPage {
  public:
    bool build() override;

    ListBox* gliders = nullptr;
};
