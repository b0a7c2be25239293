#pragma once

#include "ui/composites/Page.h"
#include "ui/menu/MenuTargets.h"

class Button;
class Command;
class ListBox;

/*
===============================================================================
LoadGamePage: the saved games of the working folder, listed afresh each time
the page shows. "Load" with a game chosen hands its file name to "loadscene";
once a world stands the menu closes. A load that failed before any world was
built leaves the menu open, so its error box can be closed. Without a choice
"Load" does nothing.
===============================================================================
*/
class LoadGamePage : public Page {
  public:
    explicit LoadGamePage(const MenuTargets& targets);

    bool build() override;
    void onShow() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    ListBox* list = nullptr;
    Button* load = nullptr;
    Command* loadScene = nullptr;

  private:
    MenuTargets targets;
};
