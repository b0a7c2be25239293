#include "ui/menu/MainPage.h"

#include "shell/Accessors.h"
#include "ui/commands/AskingCommands.h"
#include "ui/menu/MenuPageId.h"
#include "ui/menu/PageParts.h"
#include "ui/text/Font.h"
#include "ui/toolkit/Button.h"

namespace {
const float ButtonTextColour[3] = {0.18431f, 0.11764f, 0.04705f};
}

MainPage::MainPage(const MenuTargets& menuTargets)
    : NavigationPage(419, {{12, 350, PageScenario},
                           {13, 300, PageDemo},
                           {14, 250, PageParameters},
                           {15, 200, PageHelp}}),
      targets(menuTargets) {}

bool MainPage::build() {
    if (Font* buttonFont = ::font("Arial", 24, true, false)) {
        for (int channel = 0; channel < 3; ++channel)
            buttonFont->colour[channel] = ButtonTextColour[channel];
    }
    NavigationPage::build();
    quit = addNavigationButton(*this, 16, 150);
    exit = new ExitCommand(this, targets.console, targets.application);
    quit->subscribe(exit);
    return true;
}
