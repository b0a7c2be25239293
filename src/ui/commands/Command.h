#pragma once

#include "shell/Event.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/commands/CommandHost.h"

class Page;
class ConsolePage;
class Widget;

// The argument a command last received. Which member counts depends on the
// command: a switch reads flag, an observer setting number, "resizescreen"
// index, the file and spot commands text. The text is the command's own copy,
// so it outlives the widget or box that sent it.
struct CommandValue {
    bool flag = false;
    float number = 0.0f;
    int index = -1;
    std::string text;
};

// Event type bits a command understands.
namespace CommandEvent {
constexpr uint32_t Chosen = 1;    // a list item was chosen
constexpr uint32_t Changed = 2;   // a control changed its value
constexpr uint32_t Activate = 8;  // a button was released ("Valid", "Load", ...)
constexpr uint32_t Refresh = 128; // a control asks for the current value ("Reset")
constexpr uint32_t Confirm = 256; // a question was answered "Yes", or a text was entered
} // namespace CommandEvent

/*
===============================================================================
Command: a named user action on the application or the world.

A command listens to the controls and boxes it is connected to (onEvent) and
reports its current value back through valuePublisher, to which the controls
that show it subscribe. It is owned by the page that creates it; construction
appends it to the page's command list (shortcut keys, shortcut list) and to the
console's command list ("help", running typed commands). Neither list may be
used after the command is gone.

A command without a value runs execute on every event it hears. Value commands
keep what they heard as pending until an activate event applies it. Asking
commands open a question or an entry box first and act in confirm.

Boxes and the application are reached through the command's host: an
ApplicationHost over the application given to it (applicationServices() when none
was), unless useHost puts a stand-in in its place.
===============================================================================
*/
class Command : public EventSubscriber {
  public:
    Command(std::string_view commandName, int descriptionId, uint32_t subscriberMask, Page* page,
            ConsolePage* console);
    ~Command() override = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    void onEvent(EventPublisher* publisher, const Event& event) override;
    virtual bool execute() = 0;
    virtual void confirm() {}
    // Stores the value and marks it pending.
    virtual void setValue(const CommandValue& newValue);
    // Sends the target's current value to the controls; nothing without a value.
    virtual void publishValue() {}
    // Runs execute when the key is the shortcut key; false when it is not.
    virtual bool onKey(int key);

    // Runs the command as a console line names it, with the words that follow
    // its name. Returns the console's answer: empty when it ran, else what was
    // wrong with the arguments (lines separated by line feeds).
    virtual std::string runFromConsole(const std::vector<std::string>& arguments);

    CommandHost& host() const { return *currentHost; }
    // Not owned; it must outlive the command's use.
    void useHost(CommandHost& standIn) { currentHost = &standIn; }

    EventPublisher valuePublisher;
    CommandValue value;
    bool pending = false;
    std::string name;
    std::string description;
    int shortcutKey = 0; // a key code of the window, 0 for none

  protected:
    // For the commands whose target is the application.
    void hostApplication(ApplicationServices* application);

  private:
    std::unique_ptr<CommandHost> ownHost;
    CommandHost* currentHost;
};

// The text an event carries: a value event's text, an edit field's content or a
// list's selected item; empty for the others.
std::string eventText(const Event& event);

// Console words joined with single blanks.
std::string joinWords(const std::vector<std::string>& words);

// Wiring a page does: the command hears the control (its changes and, for a
// list, its choices) and the control shows the command's value.
void linkControl(Command& command, Widget& control);
// The command hears a button: "Valid" applies, "Reset" (release type 128)
// asks for the current value, an action button runs the command.
void listenTo(Command& command, Widget& button);
