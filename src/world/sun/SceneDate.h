#pragma once

class KeyValueFile;

/*
===============================================================================
SceneDate

The scene's calendar date and local clock time (in the land's base time zone).
It keeps a dirty flag that the sun consumes through takeChange() once per scene
build. Values read from a saved game are kept within the calendar: day 1 to 31,
month 1 to 12, hour 0 to 23, minute 0 to 59.
===============================================================================
*/
class SceneDate {
  public:
    SceneDate() { resetDefaults(); }

    // 1 January 2001, 12:00; marks the date dirty.
    void resetDefaults();
    void readParams(KeyValueFile& file);
    void saveParams(KeyValueFile& file) const;
    // changed = dirty; dirty = false. Called once per scene build.
    void takeChange();

    // Sets every field (clamped as on reading) and marks the date dirty.
    void set(int day, int month, int year, int hour, int minute);

    int day() const { return dayValue; }
    int month() const { return monthValue; }
    int year() const { return yearValue; }
    int hour() const { return hourValue; }
    int minute() const { return minuteValue; }
    bool dirty() const { return dirtyFlag; }
    bool changed() const { return changedFlag; }

  private:
    int dayValue = 1;
    int monthValue = 1;
    int yearValue = 2001;
    int hourValue = 12;
    int minuteValue = 0;
    bool dirtyFlag = true;
    bool changedFlag = false;
};
