#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/commands/Command.h"

class Application;
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

// A switch: the value is the flag.
class SwitchCommand : public ValueCommand {
  protected:
    using ValueCommand::ValueCommand;

    std::optional<CommandValue> readEvent(const Event& event) const override;
    std::optional<CommandValue> readWord(std::string_view word) const override;
    void apply() override { setState(value.flag); }
    void sendCurrent() override;
    std::string usage() const override;

    virtual bool state() const = 0;
    virtual void setState(bool on) = 0;
};

// A number within [lowest, highest]: the value is number.
class SettingCommand : public ValueCommand {
  protected:
    SettingCommand(std::string_view commandName, int descriptionId, Page* page,
                   ConsolePage* console, float lowestValue, float highestValue);

    std::optional<CommandValue> readEvent(const Event& event) const override;
    std::optional<CommandValue> readWord(std::string_view word) const override;
    void apply() override;
    void sendCurrent() override;
    std::string usage() const override;

    virtual float setting() const = 0;
    virtual void setSetting(float number) = 0;

    float lowest;
    float highest;
};

// Reads 1/0, on/off, true/false, yes/no in any case.
std::optional<bool> parseSwitchWord(std::string_view word);
// A whole word that is a finite number.
std::optional<float> parseNumberWord(std::string_view word);

class ShowWindCommand : public SwitchCommand {
  public:
    ShowWindCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    bool state() const override;
    void setState(bool on) override;
    Scene* scene;
};

class PlaySoundCommand : public SwitchCommand {
  public:
    PlaySoundCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    bool state() const override;
    void setState(bool on) override;
    Scene* scene;
};

class ShowPompesCommand : public SwitchCommand {
  public:
    ShowPompesCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    bool state() const override;
    void setState(bool on) override;
    Scene* scene;
};

class ShowSunCommand : public SwitchCommand {
  public:
    ShowSunCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    bool state() const override;
    void setState(bool on) override;
    Scene* scene;
};

class ShowCloudsCommand : public SwitchCommand {
  public:
    ShowCloudsCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    bool state() const override;
    void setState(bool on) override;
    Scene* scene;
};

class ShowDecorsCommand : public SwitchCommand {
  public:
    ShowDecorsCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    bool state() const override;
    void setState(bool on) override;
    Scene* scene;
};

// Observer settings. The bounds keep the view and the turning well defined.
class ObserverSpeedCommand : public SettingCommand {
  public:
    ObserverSpeedCommand(Page* page, ConsolePage* console, Observer* observer);

  protected:
    float setting() const override;
    void setSetting(float number) override;
    Observer* observer;
};

class ObserverFieldOfViewCommand : public SettingCommand {
  public:
    ObserverFieldOfViewCommand(Page* page, ConsolePage* console, Observer* observer);

  protected:
    float setting() const override;
    void setSetting(float number) override;
    Observer* observer;
};

class ObserverAzimutSpeedCommand : public SettingCommand {
  public:
    ObserverAzimutSpeedCommand(Page* page, ConsolePage* console, Observer* observer);

  protected:
    float setting() const override;
    void setSetting(float number) override;
    Observer* observer;
};

class ObserverSiteSpeedCommand : public SettingCommand {
  public:
    ObserverSiteSpeedCommand(Page* page, ConsolePage* console, Observer* observer);

  protected:
    float setting() const override;
    void setSetting(float number) override;
    Observer* observer;
};
