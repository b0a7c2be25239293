#pragma once

#include "ui/composites/Page.h"

class Button;
class ListBox;

/*
===============================================================================
DemosPage: the recorded demos ("*.rec") of the working folder, listed once
when the page is built. The program does not play demos: "Load" does nothing.
===============================================================================
*/
class DemosPage : public Page {
  public:
    bool build() override;

    ListBox* list = nullptr;
    Button* load = nullptr;
};
