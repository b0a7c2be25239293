#include "ui/commands/ObserverMoveCommands.h"

#include <algorithm>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "world/observer/Observer.h"

ObserverMoveCommand::ObserverMoveCommand(std::string_view commandName, int descriptionId,
                                         int moveKey, Page* page, ConsolePage* console,
                                         Observer* target)
    : Command(commandName, descriptionId, CommandEvent::Activate, page, console), clock(timeNow),
      observer(target), key(moveKey) {
    shortcutKey = moveKey;
}

bool ObserverMoveCommand::execute() {
    const double now = clock();
    const double step = std::clamp(now - lastReport, 0.0, longestStep);
    lastReport = now;
    observer->moveByKey(key, static_cast<float>(step));
    return true;
}

ObserverMoveFrontCommand::ObserverMoveFrontCommand(Page* page, ConsolePage* console,
                                                   Observer* target)
    : ObserverMoveCommand("observermovefront", 120, Key::Up, page, console, target) {}

ObserverMoveBackCommand::ObserverMoveBackCommand(Page* page, ConsolePage* console, Observer* target)
    : ObserverMoveCommand("observermoveback", 121, Key::Down, page, console, target) {}

ObserverMoveLeftCommand::ObserverMoveLeftCommand(Page* page, ConsolePage* console, Observer* target)
    : ObserverMoveCommand("observermoveleft", 122, Key::Left, page, console, target) {}

ObserverMoveRightCommand::ObserverMoveRightCommand(Page* page, ConsolePage* console,
                                                   Observer* target)
    : ObserverMoveCommand("observermoveright", 127, Key::Right, page, console, target) {}
