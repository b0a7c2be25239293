#pragma once

#include <functional>

#include "ui/commands/Command.h"

class Observer;

/*
===============================================================================
The movement command, one per arrow key: each report of its key (auto-repeat
included) moves the observer by its speed times the time since the previous
report of that command, at most 0.1 s. So walking speed is the observer's
speed whatever the frame rate, and the first report after a pause moves a
short step instead of a jump.

  "observermovefront"  Up     "observermoveback"   Down
  "observermoveleft"   Left   "observermoveright"  Right
===============================================================================
*/
enum class MoveDirection { Front, Back, Left, Right };

class ObserverMoveCommand : public Command {
  public:
    static constexpr double longestStep = 0.1;
    static constexpr MoveDirection directions[] = {MoveDirection::Front, MoveDirection::Back,
                                                   MoveDirection::Left, MoveDirection::Right};

    ObserverMoveCommand(MoveDirection direction, Page* page, ConsolePage* console,
                        Observer* observer);

    bool execute() override;

    // Seconds of the application clock; tests stand in for it.
    std::function<double()> clock;

  private:
    Observer* observer;
    int key;
    double lastReport = -1.0e9;
};
