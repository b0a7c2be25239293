#pragma once

#include <functional>
#include <string_view>

#include "ui/commands/Command.h"

class Observer;

/*
===============================================================================
The four movement commands, bound to the arrow keys: each report of their key
(auto-repeat included) moves the observer by its speed times the time since
the previous report of that command, at most 0.1 s. So walking speed is the
observer's speed whatever the frame rate, and the first report after a pause
moves a short step instead of a jump.

  "observermovefront"  Up     "observermoveback"   Down
  "observermoveleft"   Left   "observermoveright"  Right
===============================================================================
*/
class ObserverMoveCommand : public Command {
  public:
    static constexpr double longestStep = 0.1;

    bool execute() override;

    // Seconds of the application clock; tests stand in for it.
    std::function<double()> clock;

  protected:
    ObserverMoveCommand(std::string_view commandName, int descriptionId, int moveKey, Page* page,
                        ConsolePage* console, Observer* observer);

  private:
    Observer* observer;
    int key;
    double lastReport = -1.0e9;
};

class ObserverMoveFrontCommand : public ObserverMoveCommand {
  public:
    ObserverMoveFrontCommand(Page* page, ConsolePage* console, Observer* observer);
};

class ObserverMoveBackCommand : public ObserverMoveCommand {
  public:
    ObserverMoveBackCommand(Page* page, ConsolePage* console, Observer* observer);
};

class ObserverMoveLeftCommand : public ObserverMoveCommand {
  public:
    ObserverMoveLeftCommand(Page* page, ConsolePage* console, Observer* observer);
};

class ObserverMoveRightCommand : public ObserverMoveCommand {
  public:
    ObserverMoveRightCommand(Page* page, ConsolePage* console, Observer* observer);
};
