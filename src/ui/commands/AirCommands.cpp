#include "ui/commands/AirCommands.h"

#include <cassert>

#include <charconv>
#include <cstdio>

#include "ui/commands/ValueCommands.h"
#include "world/Scene.h"

namespace {

using Values = std::optional<std::array<float, 2>>;

// A whole number within [low, high].
std::optional<int> wholeWithin(std::string_view word, int low, int high) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    int number = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (word.empty() || error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    if (number < low || number > high) return std::nullopt;
    return number;
}

std::optional<float> numberWithin(std::string_view word, float low, float high) {
    const auto number = parseNumberWord(word);
    if (!number || *number < low || *number > high) return std::nullopt;
    return number;
}

std::string format(const char* pattern, double a, double b = 0.0) {
    char line[200];
    std::snprintf(line, sizeof line, pattern, a, b);
    return line;
}

constexpr float highestWind = 25.0f;
constexpr float fullTurn = 360.0f;

} // namespace

int daysInMonth(int month) {
    static constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? days[month - 1] : 0;
}

AirCommand::AirCommand(std::string_view commandName, std::string_view describedAs, int wordCount,
                       Page* page, ConsolePage* console, Scene* target)
    : Command(commandName, 0, CommandEvent::Activate, page, console), scene(target),
      words(wordCount) {
    assert(scene && "a world command needs the scene; make the scene before the menu");
    description = describedAs;
}

std::string AirCommand::runFromConsole(const std::vector<std::string>& arguments) {
    const Values values =
        static_cast<int>(arguments.size()) == words ? read(arguments) : std::nullopt;
    if (!values) return usage();
    accepted = values;
    execute();
    return {};
}

bool AirCommand::execute() {
    if (!accepted) return false;
    apply(*accepted);
    return true;
}

// ---------------------------------------------------------------------------

WindCommand::WindCommand(Page* page, ConsolePage* console, Scene* target)
    : AirCommand("wind", "Set the wind", 2, page, console, target) {}

Values WindCommand::read(const std::vector<std::string>& given) const {
    const auto speed = numberWithin(given[0], 0.0f, highestWind);
    const auto from = numberWithin(given[1], 0.0f, fullTurn);
    if (!speed || !from) return std::nullopt;
    return std::array<float, 2>{*speed, *from};
}

void WindCommand::apply(const std::array<float, 2>& values) {
    scene->setWindFrom(values[0], values[1]);
}

std::string WindCommand::usage() const {
    return format("wind takes a speed from 0 to 25 m/s and the direction it comes from, "
                  "0 to 360 degrees (now %g %g)",
                  scene->windSpeed(), scene->windFromDegrees());
}

// ---------------------------------------------------------------------------

DateCommand::DateCommand(Page* page, ConsolePage* console, Scene* target)
    : AirCommand("date", "Set the day and the month", 2, page, console, target) {}

Values DateCommand::read(const std::vector<std::string>& given) const {
    const auto month = wholeWithin(given[1], 1, 12);
    if (!month) return std::nullopt;
    const auto day = wholeWithin(given[0], 1, daysInMonth(*month));
    if (!day) return std::nullopt;
    return std::array<float, 2>{static_cast<float>(*day), static_cast<float>(*month)};
}

void DateCommand::apply(const std::array<float, 2>& values) {
    scene->setDayAndMonth(static_cast<int>(values[0]), static_cast<int>(values[1]));
}

std::string DateCommand::usage() const {
    const SceneDate& date = scene->sceneDate();
    return format("date takes a day and a month (1 to 12) that the calendar has (now %g %g)",
                  date.day(), date.month());
}

// ---------------------------------------------------------------------------

HourCommand::HourCommand(Page* page, ConsolePage* console, Scene* target)
    : AirCommand("hour", "Set the hour and the minute", 2, page, console, target) {}

Values HourCommand::read(const std::vector<std::string>& given) const {
    const auto hour = wholeWithin(given[0], 0, 23);
    const auto minute = wholeWithin(given[1], 0, 59);
    if (!hour || !minute) return std::nullopt;
    return std::array<float, 2>{static_cast<float>(*hour), static_cast<float>(*minute)};
}

void HourCommand::apply(const std::array<float, 2>& values) {
    scene->setClock(static_cast<int>(values[0]), static_cast<int>(values[1]));
}

std::string HourCommand::usage() const {
    const SceneDate& date = scene->sceneDate();
    return format("hour takes an hour from 0 to 23 and a minute from 0 to 59 (now %g %g)",
                  date.hour(), date.minute());
}

// ---------------------------------------------------------------------------

ShowLiftCommand::ShowLiftCommand(Page* page, ConsolePage* console, Scene* target)
    : AirCommand("showlift", "Display / hide the lift map", 1, page, console, target) {}

Values ShowLiftCommand::read(const std::vector<std::string>& given) const {
    const auto height = numberWithin(given[0], 0.0f, LiftMap::highest);
    if (!height) return std::nullopt;
    return std::array<float, 2>{*height, 0.0f};
}

void ShowLiftCommand::apply(const std::array<float, 2>& values) {
    scene->setLiftHeight(values[0]);
}

std::string ShowLiftCommand::usage() const {
    return format("showlift takes a height from 0 (off) to 1000 m (now %g)", scene->liftHeight());
}

// ---------------------------------------------------------------------------

WindSolverCommand::WindSolverCommand(Page* page, ConsolePage* console, Scene* target)
    : AirCommand("windsolver", "Choose how the wind field is balanced", 1, page, console, target) {}

Values WindSolverCommand::read(const std::vector<std::string>& given) const {
    if (given[0] == "relax") return std::array<float, 2>{0.0f, 0.0f};
    if (given[0] == "exact") return std::array<float, 2>{1.0f, 0.0f};
    return std::nullopt;
}

void WindSolverCommand::apply(const std::array<float, 2>& values) {
    scene->setWindSolver(values[0] == 1.0f ? WindField::Solve::Exact : WindField::Solve::Relax);
}

std::string WindSolverCommand::usage() const {
    const bool exact = scene->windField().solverKind() == WindField::Solve::Exact;
    return std::string("windsolver takes relax or exact (now ") + (exact ? "exact" : "relax") + ")";
}
