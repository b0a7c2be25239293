#include "ui/commands/ValueCommands.h"

#include <algorithm>
#include <cassert>
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
    return read;
}

std::optional<CommandValue> numberValue(float number) {
    if (!std::isfinite(number)) return std::nullopt;
    CommandValue read;
    read.number = number;
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

SwitchCommand::SwitchCommand(SwitchDefinition definition, Page* page, ConsolePage* console)
    : ValueCommand(definition.name, definition.textId, page, console),
      state(std::move(definition.get)), setState(std::move(definition.set)) {
    assert(state && setState && "a switch needs a getter and a setter; fill its definition");
}

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

SettingCommand::SettingCommand(SettingDefinition definition, Page* page, ConsolePage* console)
    : ValueCommand(definition.name, definition.textId, page, console),
      setting(std::move(definition.get)), setSetting(std::move(definition.set)),
      lowest(definition.lowest), highest(definition.highest) {
    assert(setting && setSetting && "a setting needs a getter and a setter; fill its definition");
    assert(lowest <= highest && "a setting's lowest bound must not pass its highest");
}

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

namespace {

// A switch over a getter and a setter of its target.
template <class Target>
SwitchDefinition switchOf(std::string_view name, int textId, Target& target,
                          bool (Target::*get)() const, void (Target::*set)(bool)) {
    return {name, textId, [&target, get] { return (target.*get)(); },
            [&target, set](bool on) { (target.*set)(on); }};
}

template <class Target>
SettingDefinition settingOf(std::string_view name, int textId, Target& target,
                            float (Target::*get)() const, void (Target::*set)(float), float lowest,
                            float highest) {
    return {name,
            textId,
            [&target, get] { return (target.*get)(); },
            [&target, set](float number) { (target.*set)(number); },
            lowest,
            highest};
}

// The same bounds a saved game is held to.
constexpr float noLimit = 1.0e6f;
constexpr float fieldOfViewMin = 1.0f;
constexpr float fieldOfViewMax = 179.0f;
constexpr float turningSpeedMin = 1.0f;

} // namespace

SwitchDefinition Switches::playSound(Scene& scene) {
    return switchOf("playsound", 111, scene, &Scene::soundIsOn, &Scene::setSound);
}
SwitchDefinition Switches::showPompes(Scene& scene) {
    return switchOf("showpompes", 112, scene, &Scene::thermalsShown, &Scene::setShowThermals);
}
SwitchDefinition Switches::showWind(Scene& scene) {
    return switchOf("showwind", 110, scene, &Scene::windShown, &Scene::setShowWind);
}
SwitchDefinition Switches::showClouds(Scene& scene) {
    return switchOf("showclouds", 114, scene, &Scene::cloudsShown, &Scene::setShowClouds);
}
SwitchDefinition Switches::showSun(Scene& scene) {
    return switchOf("showsun", 113, scene, &Scene::sunShown, &Scene::setShowSun);
}
SwitchDefinition Switches::showDecors(Scene& scene) {
    return switchOf("showdecors", 116, scene, &Scene::sceneriesShown, &Scene::setShowSceneries);
}

SettingDefinition Settings::fieldOfView(Observer& observer) {
    return settingOf("observerfieldofview", 117, observer, &Observer::fieldOfView,
                     &Observer::setFieldOfView, fieldOfViewMin, fieldOfViewMax);
}
SettingDefinition Settings::speed(Observer& observer) {
    return settingOf("observerspeed", 115, observer, &Observer::movementSpeed, &Observer::setSpeed,
                     0.0f, noLimit);
}
SettingDefinition Settings::azimutSpeed(Observer& observer) {
    return settingOf("observerazimutspeed", 118, observer, &Observer::azimuthPixelsPerRadian,
                     &Observer::setAzimuthSpeed, turningSpeedMin, noLimit);
}
SettingDefinition Settings::siteSpeed(Observer& observer) {
    return settingOf("observersitespeed", 119, observer, &Observer::elevationPixelsPerRadian,
                     &Observer::setElevationSpeed, turningSpeedMin, noLimit);
}
