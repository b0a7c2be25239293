#pragma once

#include "ui/menu/MenuTargets.h"
#include "ui/menu/ParameterPage.h"

class ListBox;

/*
===============================================================================
LandPage: the land parameters. It owns the commands of the land's keys: "v"
adds a spot, Tab goes to the next spot, "w" saves the spots into the land file,
the arrows walk. Its lists and sliders (lands, spots, date, wind, clouds,
thermals) keep what the user sets and change nothing in the world, "Valid" and
"Reset" included: the land shown is the one the saved game names.
===============================================================================
*/
class LandPage : public ParameterPage {
  public:
    explicit LandPage(const MenuTargets& targets);

    bool build() override;

    ListBox* lands = nullptr;
    ListBox* spots = nullptr;

  private:
    void addCommands();

    MenuTargets targets;
};
