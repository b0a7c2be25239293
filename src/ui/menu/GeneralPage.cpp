#include "ui/menu/GeneralPage.h"

#include <cassert>

#include "ui/commands/ScreenCommands.h"
#include "ui/commands/ValueCommands.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/WidgetEvents.h"

namespace {

// A control of the page and the command joined to it (none: nothing reads it).
// A toggle sits at x 110, 80 x 20; a slider is an observer row with its range.
struct Row {
    ToggleButton* GeneralPage::*toggle = nullptr;
    Slider* GeneralPage::*slider = nullptr;
    int textId = 0;
    int y = 0;
    bool checked = false;
    float low = 0.0f;
    float high = 0.0f;
    Command* command = nullptr;
};

Row toggleRow(ToggleButton* GeneralPage::*toggle, int textId, int y, bool checked,
              Command* command) {
    return {toggle, nullptr, textId, y, checked, 0.0f, 0.0f, command};
}

Row sliderRow(Slider* GeneralPage::*slider, int textId, int y, float low, float high,
              Command* command) {
    return {nullptr, slider, textId, y, false, low, high, command};
}

} // namespace

GeneralPage::GeneralPage(const MenuTargets& menuTargets) : targets(menuTargets) {}

bool GeneralPage::build() {
    assert(targets.scene && targets.observer &&
           "the General page needs the scene and its observer; make the scene before the menu");
    addFrame(EventRefresh);
    addCaption(*this, 70, 110, 460);
    addCaption(*this, 75, 110, 395);
    addCaption(*this, 72, 320, 460);
    addControls();
    addShortcuts();
    addHeaderPicture(427, 64);
    return true;
}

// Made in this order, the commands list in "help" as they always have.
void GeneralPage::addControls() {
    Scene& scene = *targets.scene;
    Observer& observer = *targets.observer;
    ConsolePage* console = targets.console;
    auto switched = [&](SwitchDefinition definition) -> Command* {
        return new SwitchCommand(std::move(definition), this, console);
    };
    auto set = [&](SettingDefinition definition) -> Command* {
        return new SettingCommand(std::move(definition), this, console);
    };
    const Row rows[] = {
        toggleRow(&GeneralPage::sound, 71, 435, false, switched(Switches::playSound(scene))),
        toggleRow(&GeneralPage::thermals, 56, 370, false, switched(Switches::showPompes(scene))),
        toggleRow(&GeneralPage::wind, 45, 345, false, switched(Switches::showWind(scene))),
        toggleRow(&GeneralPage::clouds, 48, 320, true, switched(Switches::showClouds(scene))),
        toggleRow(&GeneralPage::sun, 76, 295, true, switched(Switches::showSun(scene))),
        toggleRow(&GeneralPage::sceneries, 77, 270, true, switched(Switches::showDecors(scene))),
        toggleRow(&GeneralPage::tracking, 84, 245, true, nullptr),
        toggleRow(&GeneralPage::zoomAuto, 85, 220, true, nullptr),
        toggleRow(&GeneralPage::screenInfos, 142, 195, true,
                  new ShowInfoCommand(this, console, targets.application)),
        sliderRow(&GeneralPage::view, 74, 440, 40.0f, 80.0f, set(Settings::fieldOfView(observer))),
        sliderRow(&GeneralPage::speed, 73, 420, 0.0f, 300.0f, set(Settings::speed(observer))),
        sliderRow(&GeneralPage::azimut, 82, 400, 20.0f, 300.0f,
                  set(Settings::azimutSpeed(observer))),
        sliderRow(&GeneralPage::site, 83, 380, 20.0f, 300.0f, set(Settings::siteSpeed(observer))),
    };
    const ValueRowPlacement placement{270, 60, 370, 442};
    for (const Row& row : rows) {
        Widget* control = nullptr;
        if (row.toggle)
            control = this->*row.toggle =
                          addToggle(*this, row.textId, 110, row.y, 80, 20, row.checked);
        else
            control =
                this->*row.slider =
                    addValueRow(*this, row.textId, row.y, placement, row.low, row.high).slider;
        if (row.command) connect(control, row.command);
    }
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
