#include "ui/commands/ValueCommands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "ui/toolkit/WidgetEvents.h"
#include "world/Scene.h"
#include "world/observer/Observer.h"

namespace {

std::string lowerCase(std::string_view word) {
    std::string lower(word);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

CommandValue flagValue(bool flag) {
    CommandValue read;
    read.flag = flag;
    read.number = flag ? 1.0f : 0.0f;
    return read;
}

std::optional<CommandValue> numberValue(float number) {
    if (!std::isfinite(number)) return std::nullopt;
    CommandValue read;
    read.number = number;
    read.flag = number != 0.0f;
    return read;
}

} // namespace

std::optional<bool> parseSwitchWord(std::string_view word) {
    const std::string lower = lowerCase(word);
    if (lower == "1" || lower == "on" || lower == "true" || lower == "yes") return true;
    if (lower == "0" || lower == "off" || lower == "false" || lower == "no") return false;
    return std::nullopt;
}

std::optional<float> parseNumberWord(std::string_view word) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    float number = 0.0f;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (word.empty() || error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    if (!std::isfinite(number)) return std::nullopt;
    return number;
}

// ---------------------------------------------------------------------------

ValueCommand::ValueCommand(std::string_view commandName, int descriptionId, Page* page,
                           ConsolePage* console)
    : Command(commandName, descriptionId, valueMask, page, console) {}

void ValueCommand::onEvent(EventPublisher*, const Event& event) {
    if (event.type & CommandEvent::Changed) {
        if (const auto read = readEvent(event)) setValue(*read);
    }
    if ((event.type & CommandEvent::Activate) && pending) execute();
    if (event.type & CommandEvent::Refresh) publishValue();
}

bool ValueCommand::execute() {
    pending = false;
    apply();
    return true;
}

void ValueCommand::publishValue() {
    pending = false;
    sendCurrent();
}

std::string ValueCommand::runFromConsole(const std::vector<std::string>& arguments) {
    const auto read = arguments.empty() ? std::nullopt : readWord(arguments.front());
    if (!read) return usage();
    setValue(*read);
    execute();
    return {};
}

// ---------------------------------------------------------------------------

std::optional<CommandValue> SwitchCommand::readEvent(const Event& event) const {
    switch (event.kind()) {
    case KindButton:
        return flagValue(static_cast<const ButtonEvent&>(event).checked);
    case KindValue:
        return flagValue(ValueEvent::boolOf(event));
    case KindRange:
        return flagValue(static_cast<const RangeEvent&>(event).value != 0.0f);
    default:
        return std::nullopt;
    }
}

std::optional<CommandValue> SwitchCommand::readWord(std::string_view word) const {
    const auto on = parseSwitchWord(word);
    if (!on) return std::nullopt;
    return flagValue(*on);
}

void SwitchCommand::sendCurrent() {
    valuePublisher.publish(ValueEvent::ofBool(CommandEvent::Changed, state()));
}

std::string SwitchCommand::usage() const {
    return name + " takes 1 or 0 (now " + (state() ? "1" : "0") + ")";
}

// ---------------------------------------------------------------------------

SettingCommand::SettingCommand(std::string_view commandName, int descriptionId, Page* page,
                               ConsolePage* console, float lowestValue, float highestValue)
    : ValueCommand(commandName, descriptionId, page, console), lowest(lowestValue),
      highest(highestValue) {}

std::optional<CommandValue> SettingCommand::readEvent(const Event& event) const {
    switch (event.kind()) {
    case KindRange:
        return numberValue(static_cast<const RangeEvent&>(event).value);
    case KindValue:
        return numberValue(ValueEvent::floatOf(event));
    case KindText:
        return numberValue(textToFloat(static_cast<const TextEvent&>(event).text));
    default:
        return std::nullopt;
    }
}

std::optional<CommandValue> SettingCommand::readWord(std::string_view word) const {
    const auto number = parseNumberWord(word);
    if (!number) return std::nullopt;
    return numberValue(*number);
}

void SettingCommand::apply() {
    setSetting(std::clamp(value.number, lowest, highest));
}

void SettingCommand::sendCurrent() {
    valuePublisher.publish(ValueEvent::ofFloat(CommandEvent::Changed, setting()));
}

std::string SettingCommand::usage() const {
    char line[160];
    std::snprintf(line, sizeof line, "%s takes a number from %g to %g (now %g)", name.c_str(),
                  lowest, highest, setting());
    return line;
}

// ---------------------------------------------------------------------------

ShowWindCommand::ShowWindCommand(Page* page, ConsolePage* console, Scene* target)
    : SwitchCommand("showwind", 110, page, console), scene(target) {}
bool ShowWindCommand::state() const {
    return scene->windShown();
}
void ShowWindCommand::setState(bool on) {
    scene->setShowWind(on);
}

PlaySoundCommand::PlaySoundCommand(Page* page, ConsolePage* console, Scene* target)
    : SwitchCommand("playsound", 111, page, console), scene(target) {}
bool PlaySoundCommand::state() const {
    return scene->soundIsOn();
}
void PlaySoundCommand::setState(bool on) {
    scene->setSound(on);
}

ShowPompesCommand::ShowPompesCommand(Page* page, ConsolePage* console, Scene* target)
    : SwitchCommand("showpompes", 112, page, console), scene(target) {}
bool ShowPompesCommand::state() const {
    return scene->thermalsShown();
}
void ShowPompesCommand::setState(bool on) {
    scene->setShowThermals(on);
}

ShowSunCommand::ShowSunCommand(Page* page, ConsolePage* console, Scene* target)
    : SwitchCommand("showsun", 113, page, console), scene(target) {}
bool ShowSunCommand::state() const {
    return scene->theLand().showSun;
}
void ShowSunCommand::setState(bool on) {
    scene->setShowSun(on);
}

ShowCloudsCommand::ShowCloudsCommand(Page* page, ConsolePage* console, Scene* target)
    : SwitchCommand("showclouds", 114, page, console), scene(target) {}
bool ShowCloudsCommand::state() const {
    return scene->theLand().showClouds;
}
void ShowCloudsCommand::setState(bool on) {
    scene->setShowClouds(on);
}

ShowDecorsCommand::ShowDecorsCommand(Page* page, ConsolePage* console, Scene* target)
    : SwitchCommand("showdecors", 116, page, console), scene(target) {}
bool ShowDecorsCommand::state() const {
    return scene->theLand().showSceneries;
}
void ShowDecorsCommand::setState(bool on) {
    scene->setShowSceneries(on);
}

// ---------------------------------------------------------------------------

namespace {
// The same bounds a saved game is held to.
constexpr float noLimit = 1.0e6f;
constexpr float fieldOfViewMin = 1.0f;
constexpr float fieldOfViewMax = 179.0f;
constexpr float turningSpeedMin = 1.0f;
} // namespace

ObserverSpeedCommand::ObserverSpeedCommand(Page* page, ConsolePage* console, Observer* target)
    : SettingCommand("observerspeed", 115, page, console, 0.0f, noLimit), observer(target) {}
float ObserverSpeedCommand::setting() const {
    return observer->movementSpeed();
}
void ObserverSpeedCommand::setSetting(float number) {
    observer->setSpeed(number);
}

ObserverFieldOfViewCommand::ObserverFieldOfViewCommand(Page* page, ConsolePage* console,
                                                       Observer* target)
    : SettingCommand("observerfieldofview", 117, page, console, fieldOfViewMin, fieldOfViewMax),
      observer(target) {}
float ObserverFieldOfViewCommand::setting() const {
    return observer->fieldOfView();
}
void ObserverFieldOfViewCommand::setSetting(float number) {
    observer->setFieldOfView(number);
}

ObserverAzimutSpeedCommand::ObserverAzimutSpeedCommand(Page* page, ConsolePage* console,
                                                       Observer* target)
    : SettingCommand("observerazimutspeed", 118, page, console, turningSpeedMin, noLimit),
      observer(target) {}
float ObserverAzimutSpeedCommand::setting() const {
    return observer->azimuthPixelsPerRadian();
}
void ObserverAzimutSpeedCommand::setSetting(float number) {
    observer->setAzimuthSpeed(number);
}

ObserverSiteSpeedCommand::ObserverSiteSpeedCommand(Page* page, ConsolePage* console,
                                                   Observer* target)
    : SettingCommand("observersitespeed", 119, page, console, turningSpeedMin, noLimit),
      observer(target) {}
float ObserverSiteSpeedCommand::setting() const {
    return observer->elevationPixelsPerRadian();
}
void ObserverSiteSpeedCommand::setSetting(float number) {
    observer->setElevationSpeed(number);
}
