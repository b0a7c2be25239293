#include "world/sun/SceneDate.h"

#include "io/KeyValueFile.h"

#include <algorithm>
#include <string>

void SceneDate::resetDefaults() {
    dayValue = 1;
    monthValue = 1;
    yearValue = 2001;
    hourValue = 12;
    minuteValue = 0;
    dirtyFlag = true;
}

void SceneDate::set(int day, int month, int year, int hour, int minute) {
    // A hand-edited file must not index outside the month table or give a
    // clock time the ephemeris was never meant for.
    dayValue = std::clamp(day, 1, 31);
    monthValue = std::clamp(month, 1, 12);
    yearValue = year;
    hourValue = std::clamp(hour, 0, 23);
    minuteValue = std::clamp(minute, 0, 59);
    dirtyFlag = true;
}

void SceneDate::readParams(KeyValueFile& file) {
    resetDefaults();
    const int day = file.getInt("date.day", dayValue);
    const int month = file.getInt("date.month", monthValue);
    const int year = file.getInt("date.year", yearValue);
    const int hour = file.getInt("date.hour", hourValue);
    const int minute = file.getInt("date.minute", minuteValue);
    set(day, month, year, hour, minute);
}

void SceneDate::saveParams(KeyValueFile& file) const {
    file.setValue("date.day", std::to_string(dayValue));
    file.setValue("date.month", std::to_string(monthValue));
    file.setValue("date.year", std::to_string(yearValue));
    file.setValue("date.hour", std::to_string(hourValue));
    file.setValue("date.minute", std::to_string(minuteValue));
}

void SceneDate::takeChange() {
    changedFlag = dirtyFlag;
    dirtyFlag = false;
}
