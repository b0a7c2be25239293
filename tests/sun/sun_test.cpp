#include <gtest/gtest.h>

#include <cmath>

#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/sun/SceneDate.h"
#include "world/sun/Sun.h"
#include "world/terrain/Terrain.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double deg = pi / 180.0;

SceneDate makeDate(int day, int month, int year, int hour, int minute) {
    SceneDate date;
    date.set(day, month, year, hour, minute);
    return date;
}

SunSite makeSite(double longitudeDeg, double latitudeDeg, int timeZone, double northDeg = 90.0) {
    SunSite site;
    site.longitude = static_cast<float>(longitudeDeg * deg);
    site.latitude = static_cast<float>(latitudeDeg * deg);
    site.northDirection = static_cast<float>(northDeg * deg);
    site.timeZone = timeZone;
    return site;
}

double elevationDeg(const Sun& sun) {
    return std::asin(sun.s0()) / deg;
}

// Compass azimuth back from theta = north - azimuth.
double azimuthDeg(const Sun& sun, double northDeg) {
    const double theta = std::atan2(sun.s2(), sun.s3()) / deg;
    return std::fmod(northDeg - theta + 720.0, 360.0);
}

double angleGap(double a, double b) {
    const double gap = std::fmod(std::fabs(a - b), 360.0);
    return std::min(gap, 360.0 - gap);
}

} // namespace

TEST(SunDayNumber, CountsFromTheEpochInTheLandsZoneWithLeapDaysAfterFebruary) {
    // 1 January, 12:00 local in zone +1 is 11:00 universal time.
    EXPECT_NEAR(Sun::dayNumber(SceneDate{}, 1), 11.0 / 24.0 + 1.0 - 1096.5, 1e-12);
    // The hour offset divides as a real number: 13:00 in zone +1 is half a day.
    EXPECT_NEAR(Sun::dayNumber(makeDate(1, 1, 2001, 13, 0), 1), 0.5 + 1.0 - 1096.5, 1e-12);
    // Minutes count as fractions of a day, months through the cumulative table.
    EXPECT_NEAR(Sun::dayNumber(makeDate(21, 6, 2001, 0, 30), 0), 30.0 / 1440.0 + 172 - 1096.5,
                1e-9);
    EXPECT_DOUBLE_EQ(Sun::dayNumber(makeDate(1, 3, 2004, 12, 0), 1),
                     Sun::dayNumber(makeDate(1, 3, 2005, 12, 0), 1) + 1.0);
    EXPECT_DOUBLE_EQ(Sun::dayNumber(makeDate(28, 2, 2004, 12, 0), 1),
                     Sun::dayNumber(makeDate(28, 2, 2005, 12, 0), 1));
    Sun a, b; // between ordinary years only the year changes: the same sun
    a.place(makeSite(6.0, 45.0, 1), makeDate(12, 7, 2001, 16, 20));
    b.place(makeSite(6.0, 45.0, 1), makeDate(12, 7, 2003, 16, 20));
    EXPECT_EQ(a.direction(), b.direction());
}

TEST(SunPlacement, AtThePoleTheElevationIsTheDeclination) {
    for (int hour = 0; hour < 24; hour += 3) {
        const double n = Sun::dayNumber(makeDate(10, 5, 2001, hour, 0), 0);
        const SolarPosition p = Sun::solarPosition(n, 12.0, 90.0);
        EXPECT_NEAR(p.elevation, p.declination, 1e-6) << "hour " << hour;
        EXPECT_TRUE(std::isfinite(p.azimuth)) << "hour " << hour;
    }
}

TEST(SunPlacement, ThetaTurnsTheCompassAzimuthIntoTheLandsFrame) {
    // Equator at the equinox, early morning: the sun rises nearly due east.
    const SceneDate date = makeDate(21, 3, 2001, 6, 30);
    const double n = Sun::dayNumber(date, 0);
    const SolarPosition p = Sun::solarPosition(n, 0.0, 0.0);
    ASSERT_NEAR(p.azimuth, 90.0, 2.0);

    Sun northAlongY;
    northAlongY.place(makeSite(0.0, 0.0, 0, 90.0), date);
    EXPECT_GT(northAlongY.s1() * northAlongY.s3(), 0.95f) << "east should be +x";
    EXPECT_NEAR(northAlongY.s1() * northAlongY.s2(), 0.0f, 0.05f);

    Sun northAlongX;
    northAlongX.place(makeSite(0.0, 0.0, 0, 0.0), date);
    EXPECT_LT(northAlongX.s1() * northAlongX.s2(), -0.95f) << "east should be -y";
}

// Reference positions worked with NOAA's Solar Calculator equations (NOAA
// Global Monitoring Laboratory, after Meeus, "Astronomical Algorithms"):
// Julian day JD, centuries T = (JD - 2451545) / 36525, geometric mean longitude
// and anomaly, equation of centre, apparent longitude with the nutation term,
// corrected obliquity, declination, equation of time, true solar time, hour
// angle, then zenith and azimuth. Values rounded to 0.001 degree. The program's
// ephemeris is of lower precision and reads every year as one of its leap
// cycle, so agreement within half a degree is what it promises.
struct PublishedPosition {
    const char* place;
    int day, month, year, hour, minute, timeZone;
    double latitude, longitude;
    double elevation, azimuth;
};

TEST(SunPlacement, AgreesWithPublishedPositionsWithinHalfADegree) {
    const PublishedPosition cases[] = {
        // JD 2452082.0, T 0.01471, declination 23.439, equation of time
        // -1.778 min, hour angle -0.444.
        {"Greenwich", 21, 6, 2001, 12, 0, 0, 51.4769, 0.0, 61.960, 179.133},
        // JD 2453444.479, T 0.05200, declination -2.192, equation of time
        // -9.022 min, hour angle -38.546.
        {"Sydney", 15, 3, 2005, 9, 30, 10, -33.8688, 151.2093, 42.085, 57.038},
        // JD 2455146.417, T 0.09858, declination -17.373, equation of time
        // 16.056 min, hour angle 48.744.
        {"Boulder", 10, 11, 2009, 15, 0, -7, 40.015, -105.2705, 16.859, 228.564},
        // A leap year, past February: JD 2460575.750, declination 0.107,
        // equation of time 7.411 min.
        {"Uppsala", 22, 9, 2024, 8, 0, 2, 60.0, 20.0, 10.813, 109.086},
    };
    for (const PublishedPosition& c : cases) {
        Sun sun;
        sun.place(makeSite(c.longitude, c.latitude, c.timeZone),
                  makeDate(c.day, c.month, c.year, c.hour, c.minute));
        EXPECT_NEAR(elevationDeg(sun), c.elevation, 0.5) << c.place;
        EXPECT_LT(angleGap(azimuthDeg(sun, 90.0), c.azimuth), 0.5) << c.place;
    }
}

TEST(SunPlacement, RingsCircleTheSunDirectionAcrossIt) {
    Sun sun;
    sun.place(makeSite(2.35, 48.85, 1), makeDate(3, 8, 2001, 17, 45));
    const std::array<float, 3> s{sun.s1() * sun.s3(), sun.s1() * sun.s2(), sun.s0()};
    for (int i = 0; i < Sun::ringPoints; ++i) {
        const auto& core = sun.coreRing()[i];
        const auto& halo = sun.haloRing()[i];
        EXPECT_NEAR(std::hypot(core[0], core[1], core[2]), 2.0, 1e-5) << i;
        EXPECT_NEAR(std::hypot(halo[0], halo[1], halo[2]), 10.0, 1e-4) << i;
        EXPECT_NEAR(core[0] * s[0] + core[1] * s[1] + core[2] * s[2], 0.0, 1e-5) << i;
    }
    // Successive points are 22.5 degrees apart on the circle.
    const auto& a = sun.haloRing()[0];
    const auto& b = sun.haloRing()[1];
    EXPECT_NEAR(std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]), 2 * 10 * std::sin(11.25 * deg),
                1e-4);
}

class SunOnLand : public ::testing::Test {
  protected:
    void SetUp() override {
        KeyValueFile file;
        synthetic::LandShape shape;
        shape.depth = 2;
        std::string text = synthetic::LandBuilder(shape).text();
        text += "terrain.longitud = \"15.0\"\nterrain.latitud = \"-30.0\"\n"
                "terrain.basetimezone = \"2\"\n";
        file.openText(text);
        ASSERT_TRUE(terrain.Load(file));
    }
    void reload() {
        KeyValueFile none;
        ASSERT_TRUE(terrain.Load(none)); // already loaded: only clears just-loaded
    }
    Terrain terrain;
};

TEST_F(SunOnLand, TakesTheLandsPlaceInRadiansAndRecomputesOnlyForANewLandOrDate) {
    SceneDate date = makeDate(5, 12, 2001, 10, 15);
    date.takeChange();
    Sun sun;
    ASSERT_TRUE(sun.compute(terrain, date));
    ASSERT_TRUE(sun.changed());
    const SolarPosition p = Sun::solarPosition(Sun::dayNumber(date, 2), 15.0, -30.0);
    EXPECT_NEAR(elevationDeg(sun), p.elevation, 1e-3);
    EXPECT_LT(angleGap(azimuthDeg(sun, 90.0), p.azimuth), 1e-3);
    const auto morning = sun.direction();
    reload();
    date.takeChange(); // a build with the same date
    sun.compute(terrain, date);
    EXPECT_FALSE(sun.changed());
    EXPECT_EQ(sun.direction(), morning);
    date.set(5, 12, 2001, 16, 0);
    date.takeChange();
    sun.compute(terrain, date);
    EXPECT_TRUE(sun.changed());
    EXPECT_NE(sun.direction(), morning);
}

TEST(SceneDateParams, RoundTripTakesTheChangeOnceAndKeepsValuesWithinTheCalendar) {
    SceneDate date = makeDate(29, 2, 2008, 7, 5);
    KeyValueFile file;
    date.saveParams(file);
    SceneDate back;
    back.takeChange();
    back.readParams(file);
    EXPECT_EQ(std::vector<int>({back.day(), back.month(), back.year(), back.hour(), back.minute()}),
              std::vector<int>({29, 2, 2008, 7, 5}));
    EXPECT_TRUE(back.dirty()) << "reading parameters must recompute the sun";
    back.takeChange();
    EXPECT_TRUE(back.changed());
    back.takeChange();
    EXPECT_FALSE(back.changed());

    const std::pair<const char*, std::vector<int>> rows[] = {
        {"date.day = \"0\"\ndate.month = \"13\"\ndate.hour = \"24\"\ndate.minute = \"-5\"\n",
         {1, 12, 2001, 23, 0}},
        {"date.day = \"40\"\ndate.month = \"-2\"\n", {31, 1, 2001, 12, 0}},
    };
    for (const auto& [text, expected] : rows) {
        file.openText(text);
        SceneDate read;
        read.readParams(file);
        EXPECT_EQ(
            std::vector<int>({read.day(), read.month(), read.year(), read.hour(), read.minute()}),
            expected)
            << text;
        Sun sun;
        sun.place(SunSite{}, read);
        EXPECT_TRUE(std::isfinite(sun.s0()));
    }
}
