#pragma once

#include "ui/menu/MenuTargets.h"
#include "ui/menu/NavigationPage.h"

class Command;

/*
===============================================================================
CreatePage: opens the scenario, land and glider parameter pages, and "Create"
builds a world from the current parameters ("createscene"); once a world
stands the menu closes, as after a load.
===============================================================================
*/
class CreatePage : public NavigationPage {
  public:
    explicit CreatePage(const MenuTargets& targets);

    bool build() override;

    Button* create = nullptr;
    Command* createScene = nullptr;

  protected:
    void onRelease(EventPublisher* publisher, const Event& event) override;

  private:
    MenuTargets targets;
};
