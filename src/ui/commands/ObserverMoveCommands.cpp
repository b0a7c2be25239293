#include "ui/commands/ObserverMoveCommands.h"

#include <algorithm>
#include <cassert>
#include <string_view>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "world/observer/Observer.h"

namespace {

struct Move {
    std::string_view name;
    int textId;
    int key;
};

Move moveOf(MoveDirection direction) {
    switch (direction) {
    case MoveDirection::Front:
        return {"observermovefront", 120, Key::Up};
    case MoveDirection::Back:
        return {"observermoveback", 121, Key::Down};
    case MoveDirection::Left:
        return {"observermoveleft", 122, Key::Left};
    case MoveDirection::Right:
        break;
    }
    return {"observermoveright", 127, Key::Right};
}

} // namespace

ObserverMoveCommand::ObserverMoveCommand(MoveDirection direction, Page* page, ConsolePage* console,
                                         Observer* target)
    : Command(moveOf(direction).name, moveOf(direction).textId, CommandEvent::Activate, page,
              console),
      clock(timeNow), observer(target), key(moveOf(direction).key) {
    assert(observer && "a move command needs the observer it moves; build the scene first");
    shortcutKey = key;
}

bool ObserverMoveCommand::execute() {
    const double now = clock();
    const double step = std::clamp(now - lastReport, 0.0, longestStep);
    lastReport = now;
    observer->moveByKey(key, static_cast<float>(step));
    return true;
}
