#include "ui/menu/GeneralPage.h"

#include "ui/commands/ScreenCommands.h"
#include "ui/commands/ValueCommands.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/WidgetEvents.h"

GeneralPage::GeneralPage(const MenuTargets& menuTargets) : targets(menuTargets) {}

bool GeneralPage::build() {
    addFrame(EventRefresh);
    addCaption(*this, 70, 110, 460);
    sound = addToggle(*this, 71, 110, 435, 80, 20, false);
    connect(sound, new PlaySoundCommand(this, targets.console, targets.scene));
    addDisplay();
    addObserver();
    addShortcuts();
    addHeaderPicture(427, 64);
    return true;
}

void GeneralPage::addDisplay() {
    addCaption(*this, 75, 110, 395);
    const MenuTargets& t = targets;
    thermals = addToggle(*this, 56, 110, 370, 80, 20, false);
    connect(thermals, new ShowPompesCommand(this, t.console, t.scene));
    wind = addToggle(*this, 45, 110, 345, 80, 20, false);
    connect(wind, new ShowWindCommand(this, t.console, t.scene));
    clouds = addToggle(*this, 48, 110, 320, 80, 20, true);
    connect(clouds, new ShowCloudsCommand(this, t.console, t.scene));
    sun = addToggle(*this, 76, 110, 295, 80, 20, true);
    connect(sun, new ShowSunCommand(this, t.console, t.scene));
    sceneries = addToggle(*this, 77, 110, 270, 80, 20, true);
    connect(sceneries, new ShowDecorsCommand(this, t.console, t.scene));
    tracking = addToggle(*this, 84, 110, 245, 80, 20, true);
    zoomAuto = addToggle(*this, 85, 110, 220, 80, 20, true);
    screenInfos = addToggle(*this, 142, 110, 195, 80, 20, true);
    connect(screenInfos, new ShowInfoCommand(this, t.console, t.application));
}

void GeneralPage::addObserver() {
    addCaption(*this, 72, 320, 460);
    const ValueRowPlacement placement{270, 60, 370, 442};
    const MenuTargets& t = targets;
    view = addValueRow(*this, 74, 440, placement, 40.0f, 80.0f).slider;
    connect(view, new ObserverFieldOfViewCommand(this, t.console, t.observer));
    speed = addValueRow(*this, 73, 420, placement, 0.0f, 300.0f).slider;
    connect(speed, new ObserverSpeedCommand(this, t.console, t.observer));
    azimut = addValueRow(*this, 82, 400, placement, 20.0f, 300.0f).slider;
    connect(azimut, new ObserverAzimutSpeedCommand(this, t.console, t.observer));
    site = addValueRow(*this, 83, 380, placement, 20.0f, 300.0f).slider;
    connect(site, new ObserverSiteSpeedCommand(this, t.console, t.observer));
}

// Shortcut fields: what is typed stays in them; the keys are fixed.
void GeneralPage::addShortcuts() {
    addCaption(*this, 94, 320, 340);
    constexpr int Rows[][2] = {{85, 315}, {84, 290}, {134, 265}, {135, 240}, {136, 215}};
    for (const auto& row : Rows) {
        addCaption(*this, row[0], 270, row[1], 100, 20);
        addEditField(*this, 440, row[1], 30, 20);
    }
}

// Each command sends its control the world's current state.
void GeneralPage::onShow() {
    reset->fire();
}
