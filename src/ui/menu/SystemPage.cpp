#include "ui/menu/SystemPage.h"

#include "ui/commands/ScreenCommands.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/ToggleGroup.h"
#include "ui/toolkit/WidgetEvents.h"

namespace {
// Captions "1" to "12".
constexpr int ChannelTextIds[SystemPage::ChannelCount] = {86, 87, 88,  89,  90,  91,
                                                          92, 93, 138, 139, 140, 141};
} // namespace

SystemPage::SystemPage(const MenuTargets& menuTargets) : targets(menuTargets) {}

bool SystemPage::build() {
    addFrame(EventRefresh);
    addScreen();
    addControl();
    addChannels();
    addHeaderPicture(427, 64);
    return true;
}

void SystemPage::addScreen() {
    addCaption(*this, 78, 110, 460);
    modes = addScrolledList(*this, 110, 310, 130, 150).list;
    connect(modes, new ResizeScreenCommand(this, targets.console, targets.application));
    fullScreen = addToggle(*this, 96, 110, 270, 110, 20, false);
    connect(fullScreen, new FullScreenCommand(this, targets.console, targets.application));
}

void SystemPage::addControl() {
    addCaption(*this, 79, 110, 230);
    control = addToggleGroup(*this, 105, 175, 70, 35, false);
    joystick = addToggle(*this, 80, 110, 205, 110, 20, true);
    adapter = addToggle(*this, 81, 110, 180, 110, 20, false);
    link(control, joystick);
    link(control, adapter);
}

void SystemPage::addChannels() {
    addCaption(*this, 137, 320, 460);
    const ValueRowPlacement placement{310, 30, 350, 430};
    for (int k = 0; k < ChannelCount; ++k)
        channels.push_back(addValueRow(*this, ChannelTextIds[k], 440 - 20 * k, placement).slider);
}

// The mode list and the full-screen toggle show the window as it is now.
void SystemPage::onShow() {
    reset->fire();
}
