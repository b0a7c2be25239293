#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/commands/Command.h"

class Scene;

/*
===============================================================================
Air commands: the day's air and what the pilot sees of it, typed in the
console with their values after the name.

  "wind SPEED DIRECTION"   m/s (0 to 25) and the degrees the wind comes from
                           (0 to 360), counted from the land's north as a
                           spot's wind is; the field is computed again.
  "date DAY MONTH"         a day that the month has (29 February always);
  "hour HOUR MINUTE"       0 to 23 and 0 to 59; the sun and the ground's
                           shading follow.
  "showlift HEIGHT"        the lift map at HEIGHT m above the ground (up to
                           1000), "showlift 0" to hide it.
  "windsolver relax|exact" how the field is balanced.

A line with the wrong number of words or a value out of range changes
nothing and is answered with what the command takes and its current value.
The values run as they are checked, so execute() applies the last accepted
ones again.
===============================================================================
*/
class AirCommand : public Command {
  public:
    std::string runFromConsole(const std::vector<std::string>& arguments) override;
    bool execute() override;

  protected:
    AirCommand(std::string_view commandName, std::string_view describedAs, int wordCount,
               Page* page, ConsolePage* console, Scene* scene);

    // The words' values when they are all acceptable.
    virtual std::optional<std::array<float, 2>>
    read(const std::vector<std::string>& words) const = 0;
    virtual void apply(const std::array<float, 2>& values) = 0;
    virtual std::string usage() const = 0;

    Scene* scene;

  private:
    int words;
    std::optional<std::array<float, 2>> accepted;
};

class WindCommand : public AirCommand {
  public:
    WindCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    std::optional<std::array<float, 2>> read(const std::vector<std::string>& words) const override;
    void apply(const std::array<float, 2>& values) override;
    std::string usage() const override;
};

class DateCommand : public AirCommand {
  public:
    DateCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    std::optional<std::array<float, 2>> read(const std::vector<std::string>& words) const override;
    void apply(const std::array<float, 2>& values) override;
    std::string usage() const override;
};

class HourCommand : public AirCommand {
  public:
    HourCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    std::optional<std::array<float, 2>> read(const std::vector<std::string>& words) const override;
    void apply(const std::array<float, 2>& values) override;
    std::string usage() const override;
};

class ShowLiftCommand : public AirCommand {
  public:
    ShowLiftCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    std::optional<std::array<float, 2>> read(const std::vector<std::string>& words) const override;
    void apply(const std::array<float, 2>& values) override;
    std::string usage() const override;
};

class WindSolverCommand : public AirCommand {
  public:
    WindSolverCommand(Page* page, ConsolePage* console, Scene* scene);

  protected:
    std::optional<std::array<float, 2>> read(const std::vector<std::string>& words) const override;
    void apply(const std::array<float, 2>& values) override;
    std::string usage() const override;
};

// Days in a month (1 to 12); February has 29, the calendar year being free.
int daysInMonth(int month);
