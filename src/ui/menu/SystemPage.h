#pragma once

#include <vector>

#include "ui/menu/MenuTargets.h"
#include "ui/menu/ParameterPage.h"

class ListBox;
class Slider;
class ToggleButton;
class ToggleGroup;

/*
===============================================================================
SystemPage: the screen (display mode list and full screen), joined to their
commands, and the radio control: the input device and twelve channel sliders,
which keep what the user sets and nothing reads. Opening the page fires
"Reset": the mode list is filled afresh with the current mode chosen, and the
full-screen toggle shows the window's state; "Valid" applies them.
===============================================================================
*/
class SystemPage : public ParameterPage {
  public:
    static constexpr int ChannelCount = 12;

    explicit SystemPage(const MenuTargets& targets);

    bool build() override;
    void onShow() override;

    ListBox* modes = nullptr;
    ToggleButton* fullScreen = nullptr;
    ToggleGroup* control = nullptr;
    ToggleButton* joystick = nullptr;
    ToggleButton* adapter = nullptr;
    std::vector<Slider*> channels;

  private:
    void addScreen();
    void addControl();
    void addChannels();

    MenuTargets targets;
};
