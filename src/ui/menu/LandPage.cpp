#include "ui/menu/LandPage.h"

#include "ui/commands/AirCommands.h"
#include "ui/commands/AskingCommands.h"
#include "ui/commands/ObserverMoveCommands.h"
#include "ui/commands/SceneCommands.h"
#include "ui/files/FileLists.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/WidgetEvents.h"

namespace {
struct Section {
    int titleId;
    int y;
};
struct Row {
    int textId;
    int y;
};
constexpr Section Sections[] = {{51, 460}, {45, 340}, {48, 260}, {56, 180}};
constexpr Row Rows[] = {{52, 440}, {53, 420}, {54, 400}, {55, 380}, {46, 320}, {47, 300},
                        {49, 240}, {50, 220}, {57, 160}, {58, 140}, {59, 120}};
} // namespace

LandPage::LandPage(const MenuTargets& menuTargets) : targets(menuTargets) {}

// Registration order decides the order of the shortcut list and of "help".
void LandPage::addCommands() {
    new AddSpotCommand(this, targets.console, targets.scene);
    new ChangeSpotCommand(this, targets.console, targets.scene);
    new SaveMapCommand(this, targets.console, targets.scene);
    for (MoveDirection direction : ObserverMoveCommand::directions)
        new ObserverMoveCommand(direction, this, targets.console, targets.observer);
    new WindCommand(this, targets.console, targets.scene);
    new DateCommand(this, targets.console, targets.scene);
    new HourCommand(this, targets.console, targets.scene);
    new ShowLiftCommand(this, targets.console, targets.scene);
    new WindSolverCommand(this, targets.console, targets.scene);
}

bool LandPage::build() {
    addCommands();
    addFrame(EventActivated);
    addCaption(*this, 34, 110, 460);
    lands = addScrolledList(*this, 110, 340, 100, 120).list;
    fillLands(*lands, ".");
    addPicture(*this, 410, 110, 283, 110, 55);
    addCaption(*this, 131, 110, 250);
    spots = addScrolledList(*this, 110, 110, 100, 140).list;
    const ValueRowPlacement placement{265, 80, 370, 442};
    for (const Section& section : Sections)
        addCaption(*this, section.titleId, 320, section.y);
    for (const Row& row : Rows)
        addValueRow(*this, row.textId, row.y, placement);
    addHeaderPicture(425, 32);
    return true;
}
