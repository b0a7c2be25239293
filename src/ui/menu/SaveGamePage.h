#pragma once

#include <string>

#include "ui/composites/Page.h"
#include "ui/menu/MenuTargets.h"

class Button;
class Command;
class EditField;
class ListBox;

/*
===============================================================================
SaveGamePage: saves the world as a game. The list shows the saved games
(refreshed each time the page shows and after each save); choosing one puts
its name in the field. "Save" hands the field's name to "savescene", with
".sav" added when the name does not hold it; an empty field saves nothing.
===============================================================================
*/
class SaveGamePage : public Page {
  public:
    explicit SaveGamePage(const MenuTargets& targets);

    bool build() override;
    void onShow() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    ListBox* list = nullptr;
    EditField* field = nullptr;
    Button* save = nullptr;
    Command* saveScene = nullptr;

  private:
    MenuTargets targets;
};

// The file name a typed game name is saved under; empty when nothing was typed.
std::string savedGameFileName(const std::string& typed);
