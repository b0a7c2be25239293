#pragma once

#include "ui/menu/MenuTargets.h"
#include "ui/menu/ParameterPage.h"

class EditField;
class Slider;
class ToggleButton;

/*
===============================================================================
GeneralPage: sound, what is drawn, the info bar, and the observer's view and
speeds, each control joined to its command. Opening the page fires "Reset", so
every control shows the world's current state; "Valid" applies what the
controls hold. "Tracking", "Zoom auto" and the shortcut fields keep what the
user sets and nothing reads them.
===============================================================================
*/
class GeneralPage : public ParameterPage {
  public:
    explicit GeneralPage(const MenuTargets& targets);

    bool build() override;
    void onShow() override;

    ToggleButton* sound = nullptr;
    ToggleButton* thermals = nullptr;
    ToggleButton* wind = nullptr;
    ToggleButton* clouds = nullptr;
    ToggleButton* sun = nullptr;
    ToggleButton* sceneries = nullptr;
    ToggleButton* tracking = nullptr;
    ToggleButton* zoomAuto = nullptr;
    ToggleButton* screenInfos = nullptr;
    Slider* view = nullptr;
    Slider* speed = nullptr;
    Slider* azimut = nullptr;
    Slider* site = nullptr;

  private:
    void addControls();
    void addShortcuts();

    MenuTargets targets;
};
