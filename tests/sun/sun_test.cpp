#include <gtest/gtest.h>

#include <cmath>

#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/sun/SceneDate.h"
#include "world/sun/Sun.h"
#include "world/terrain/Terrain.h"

namespace {

constexpr double deg = 3.14159265358979323846 / 180.0;

SceneDate makeDate(int day, int month, int year, int hour, int minute) {
    SceneDate date;
    date.set(day, month, year, hour, minute);
    return date;
}

SunSite makeSite(double longitudeDeg, double latitudeDeg, int timeZone, double northDeg = 90.0) {
    return {static_cast<float>(longitudeDeg * deg), static_cast<float>(latitudeDeg * deg),
            static_cast<float>(northDeg * deg), timeZone};
}

double elevationDeg(const Sun& sun) {
    return std::asin(sun.s0()) / deg;
}

// The compass azimuth's distance to a reference, back from theta = north - azimuth.
double azimuthGap(const Sun& sun, double reference) {
    const double azimuth = 90.0 - std::atan2(sun.s2(), sun.s3()) / deg;
    const double gap = std::fmod(std::fabs(azimuth - reference) + 720.0, 360.0);
    return std::min(gap, 360.0 - gap);
}

} // namespace

TEST(SunDayNumber, CountsDaysFromTheEpochInTheLandsZoneWithLeapDaysAfterFebruary) {
    // 1 January, 12:00 local in zone +1 is 11:00 universal time; the hour
    // offset divides as a real number, minutes count as fractions of a day.
    EXPECT_NEAR(Sun::dayNumber(SceneDate{}, 1), 11.0 / 24.0 + 1.0 - 1096.5, 1e-12);
    EXPECT_NEAR(Sun::dayNumber(makeDate(1, 1, 2001, 13, 0), 1), 0.5 + 1.0 - 1096.5, 1e-12);
    EXPECT_NEAR(Sun::dayNumber(makeDate(1, 1, 2001, 0, 30), 0), 30.0 / 1440.0 + 1 - 1096.5, 1e-9);
    // Each day of a leap and an ordinary year is one on from the day before.
    for (int year : {2004, 2005}) {
        const int lengths[] = {31, 28 + (year % 4 == 0), 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        double previous = Sun::dayNumber(makeDate(1, 1, year, 12, 0), 0) - 1.0;
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= lengths[month - 1]; ++day) {
                const double n = Sun::dayNumber(makeDate(day, month, year, 12, 0), 0);
                ASSERT_NEAR(n - previous, 1.0, 1e-9) << day << "/" << month << "/" << year;
                previous = n;
            }
    }
    Sun a, b; // between ordinary years only the year changes: the same sun
    a.place(makeSite(6.0, 45.0, 1), makeDate(12, 7, 2001, 16, 20));
    b.place(makeSite(6.0, 45.0, 1), makeDate(12, 7, 2003, 16, 20));
    EXPECT_EQ(a.direction(), b.direction());
}

// Reference positions worked with NOAA's Solar Calculator equations (after
// Meeus, "Astronomical Algorithms"), rounded to 0.001 degree. The program's
// ephemeris is of lower precision and reads every year as one of its leap
// cycle, so agreement within half a degree is what it promises. The north
// direction turns the compass into the land's frame: at the equator's equinox
// dawn the sun is east, +x with north along +y, -y with north along +x.
TEST(SunPlacement, AgreesWithPublishedPositionsInTheLandsFrame) {
    const struct {
        const char* place;
        int day, month, year, hour, minute, timeZone;
        double latitude, longitude, elevation, azimuth;
    } cases[] = {
        {"Greenwich", 21, 6, 2001, 12, 0, 0, 51.4769, 0.0, 61.960, 179.133},
        {"Sydney", 15, 3, 2005, 9, 30, 10, -33.8688, 151.2093, 42.085, 57.038},
        {"Boulder", 10, 11, 2009, 15, 0, -7, 40.015, -105.2705, 16.859, 228.564},
        {"Uppsala", 22, 9, 2024, 8, 0, 2, 60.0, 20.0, 10.813, 109.086}, // leap, past February
        {"equator", 21, 3, 2001, 6, 30, 0, 0.0, 0.0, -1.0, 90.0},       // azimuth only
    };
    for (const auto& c : cases) {
        Sun sun;
        sun.place(makeSite(c.longitude, c.latitude, c.timeZone),
                  makeDate(c.day, c.month, c.year, c.hour, c.minute));
        EXPECT_TRUE(c.elevation < 0.0 || std::fabs(elevationDeg(sun) - c.elevation) < 0.5)
            << c.place;
        EXPECT_LT(azimuthGap(sun, c.azimuth), c.latitude == 0.0 ? 2.0 : 0.5) << c.place;
        const double azimuth =
            Sun::solarPosition(
                Sun::dayNumber(makeDate(c.day, c.month, c.year, c.hour, c.minute), c.timeZone),
                c.longitude, c.latitude)
                .azimuth;
        EXPECT_NEAR(azimuth, c.azimuth, 2.0) << c.place << ": from north, within [0, 360)";
    }
    Sun northAlongX;
    northAlongX.place(makeSite(0.0, 0.0, 0, 0.0), makeDate(21, 3, 2001, 6, 30));
    EXPECT_LT(northAlongX.s1() * northAlongX.s2(), -0.95f) << "east should be -y";
    // At the pole the elevation is the declination, with a defined azimuth.
    const SolarPosition pole =
        Sun::solarPosition(Sun::dayNumber(makeDate(10, 5, 2001, 3, 0), 0), 12.0, 90.0);
    EXPECT_NEAR(pole.elevation, pole.declination, 1e-6);
    EXPECT_TRUE(pole.azimuth >= 0.0 && pole.azimuth < 360.0) << pole.azimuth;
}

TEST(SunPlacement, RingsCircleTheSunDirectionAcrossIt) {
    Sun sun;
    sun.place(makeSite(2.35, 48.85, 1), makeDate(3, 8, 2001, 17, 45));
    const std::array<float, 3> s{sun.s1() * sun.s3(), sun.s1() * sun.s2(), sun.s0()};
    for (int i = 0; i < Sun::ringPoints; ++i) {
        const auto& core = sun.coreRing()[i];
        EXPECT_NEAR(std::hypot(core[0], core[1], core[2]), 2.0, 1e-5) << i;
        EXPECT_NEAR(core[0] * s[0] + core[1] * s[1] + core[2] * s[2], 0.0, 1e-5) << i;
        // Successive halo points are 22.5 degrees apart on a circle of 10.
        const auto& a = sun.haloRing()[i];
        const auto& b = sun.haloRing()[(i + 1) % Sun::ringPoints];
        EXPECT_NEAR(std::hypot(a[0], a[1], a[2]), 10.0, 1e-4) << i;
        EXPECT_NEAR(std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]), 20 * std::sin(11.25 * deg),
                    1e-4);
    }
}

// A read date is a change, once; hand-edited values are kept within the calendar.
TEST(SceneDateParams, RoundTripTakesTheChangeOnceAndKeepsValuesWithinTheCalendar) {
    const auto fields = [](const SceneDate& d) {
        return std::vector<int>({d.day(), d.month(), d.year(), d.hour(), d.minute()});
    };
    KeyValueFile file;
    makeDate(29, 2, 2008, 7, 5).saveParams(file);
    SceneDate back;
    back.takeChange();
    back.readParams(file);
    EXPECT_EQ(fields(back), std::vector<int>({29, 2, 2008, 7, 5}));
    EXPECT_TRUE(back.dirty()) << "reading parameters must recompute the sun";
    back.takeChange();
    EXPECT_TRUE(back.changed());
    back.takeChange();
    EXPECT_FALSE(back.changed());
    for (const auto& [text, expected] :
         {std::pair{"date.day = \"0\"\ndate.month = \"13\"\ndate.hour = "
                    "\"24\"\ndate.minute = \"-5\"\n",
                    std::vector<int>{1, 12, 2001, 23, 0}},
          {"date.day = \"40\"\ndate.month = \"-2\"\n", {31, 1, 2001, 12, 0}}}) {
        file.openText(text);
        back.readParams(file);
        EXPECT_EQ(fields(back), expected) << text;
    }
}
