#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/commands/Command.h"

class Observer;
class Scene;

/*
===============================================================================
Value commands: each holds one setting of its target.

A control that changes (type 2) hands the command its value, which stays
pending; the page's "Valid" (type 8) applies a pending value; "Reset"
(type 128) makes the command send the target's current value back to its
controls (type 2), so a control always shows the real state, whichever way it
was changed. A check box gives its checked state, a slider its value.

In the console the word after the name is the value: "showwind 1",
"observerspeed 20". Switches take 1/0, on/off, true/false or yes/no.

One switch class and one setting class serve every such value: a definition
gives the name, the description and how to read and set the target.
===============================================================================
*/
class ValueCommand : public Command {
  public:
    static constexpr uint32_t valueMask =
        CommandEvent::Changed | CommandEvent::Activate | CommandEvent::Refresh;

    void onEvent(EventPublisher* publisher, const Event& event) override;
    // Applies the value held, pending or not.
    bool execute() override;
    void publishValue() override;
    std::string runFromConsole(const std::vector<std::string>& arguments) override;

  protected:
    ValueCommand(std::string_view commandName, int descriptionId, Page* page, ConsolePage* console);

    // The value an event carries, when it carries one this command reads.
    virtual std::optional<CommandValue> readEvent(const Event& event) const = 0;
    virtual std::optional<CommandValue> readWord(std::string_view word) const = 0;
    virtual void apply() = 0;
    // Publishes the target's current value to the controls.
    virtual void sendCurrent() = 0;
    virtual std::string usage() const = 0;
};

// What makes a switch: its name, the text id of its description, and how it
// reads and sets its target.
struct SwitchDefinition {
    std::string_view name;
    int textId = 0;
    std::function<bool()> get;
    std::function<void(bool)> set;
};

// What makes a setting: as a switch, with the bounds every value is held to.
struct SettingDefinition {
    std::string_view name;
    int textId = 0;
    std::function<float()> get;
    std::function<void(float)> set;
    float lowest = 0.0f;
    float highest = 0.0f;
};

// A switch: the value is the flag.
class SwitchCommand : public ValueCommand {
  public:
    SwitchCommand(SwitchDefinition definition, Page* page, ConsolePage* console);

  protected:
    std::optional<CommandValue> readEvent(const Event& event) const override;
    std::optional<CommandValue> readWord(std::string_view word) const override;
    void apply() override { setState(value.flag); }
    void sendCurrent() override;
    std::string usage() const override;

  private:
    std::function<bool()> state;
    std::function<void(bool)> setState;
};

// A number within [lowest, highest]: the value is number.
class SettingCommand : public ValueCommand {
  public:
    SettingCommand(SettingDefinition definition, Page* page, ConsolePage* console);

  protected:
    std::optional<CommandValue> readEvent(const Event& event) const override;
    std::optional<CommandValue> readWord(std::string_view word) const override;
    void apply() override;
    void sendCurrent() override;
    std::string usage() const override;

  private:
    std::function<float()> setting;
    std::function<void(float)> setSetting;
    float lowest;
    float highest;
};

// Reads 1/0, on/off, true/false, yes/no in any case.
std::optional<bool> parseSwitchWord(std::string_view word);
// A whole word that is a finite number.
std::optional<float> parseNumberWord(std::string_view word);

// The scene's sound and display switches.
namespace Switches {
SwitchDefinition playSound(Scene& scene);
SwitchDefinition showPompes(Scene& scene);
SwitchDefinition showWind(Scene& scene);
SwitchDefinition showClouds(Scene& scene);
SwitchDefinition showSun(Scene& scene);
SwitchDefinition showDecors(Scene& scene);
} // namespace Switches

// The observer's settings, held to the bounds a saved game is held to, so the
// view and the turning stay defined.
namespace Settings {
SettingDefinition fieldOfView(Observer& observer);
SettingDefinition speed(Observer& observer);
SettingDefinition azimutSpeed(Observer& observer);
SettingDefinition siteSpeed(Observer& observer);
} // namespace Settings
