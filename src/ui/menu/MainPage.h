#pragma once

#include "ui/menu/MenuTargets.h"
#include "ui/menu/NavigationPage.h"

class Command;

/*
===============================================================================
MainPage: the root of the menu. "Scenario", "Demo", "Parameters" and "Help"
open their pages; "Quit" runs the "exit" command, which asks first. Building
it gives every button text its colour (they share one font).
===============================================================================
*/
class MainPage : public NavigationPage {
  public:
    explicit MainPage(const MenuTargets& targets);

    bool build() override;

    Button* quit = nullptr;
    Command* exit = nullptr;

  private:
    MenuTargets targets;
};
