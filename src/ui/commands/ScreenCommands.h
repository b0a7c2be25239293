#pragma once

#include <string>
#include <vector>

#include "platform/DisplayModes.h"
#include "ui/commands/ValueCommands.h"

class ApplicationServices;

/*
===============================================================================
Screen commands, whose target is the application: "fullscreen" and
"showinfo" are switches like the other value commands; "resizescreen" offers
the display modes.

"resizescreen" fills its linked list when asked for the value (type 128):
the list is cleared, gets one "%dx%d-%dbits" item per mode and selects the
mode of the current window size and depth. A chosen item (type 1) is pending
until "Valid" (type 8) switches to that mode; the current mode is not set
again. In the console, "resizescreen" alone lists the modes with their
numbers and "resizescreen N" switches to mode N.
===============================================================================
*/
// Switches over the command's host, so they are made with it.
class FullScreenCommand : public SwitchCommand {
  public:
    FullScreenCommand(Page* page, ConsolePage* console, ApplicationServices* application);
};

class ShowInfoCommand : public SwitchCommand {
  public:
    ShowInfoCommand(Page* page, ConsolePage* console, ApplicationServices* application);
};

class ResizeScreenCommand : public Command {
  public:
    static constexpr int modeCapacity = 200;
    static constexpr uint32_t resizeMask =
        CommandEvent::Chosen | CommandEvent::Activate | CommandEvent::Refresh;

    ResizeScreenCommand(Page* page, ConsolePage* console, ApplicationServices* application);

    void onEvent(EventPublisher* publisher, const Event& event) override;
    bool execute() override;
    void publishValue() override;
    std::string runFromConsole(const std::vector<std::string>& arguments) override;

    // The modes as the list shows them, in list order.
    const std::vector<DisplayMode>& offeredModes() const { return modes; }

  private:
    std::string modeList() const;

    std::vector<DisplayMode> modes;
};

// "%dx%d-%dbits"
std::string displayModeName(const DisplayMode& mode);
