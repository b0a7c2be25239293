#include "world/sun/Sun.h"

#include "world/observer/Observer.h"
#include "world/sun/SceneDate.h"
#include "world/terrain/Terrain.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double degToRad = 0.01745329252;
constexpr double radToDeg = 57.29577951;
constexpr int cumulativeDays[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Brings an angle in degrees into [0, 360] by whole turns.
double wrapDegrees(double angle) {
    angle = std::fmod(angle, 360.0);
    return angle < 0.0 ? angle + 360.0 : angle;
}

double sinDeg(double a) {
    return std::sin(a * degToRad);
}
double cosDeg(double a) {
    return std::cos(a * degToRad);
}

// Rounding can push a sine a hair beyond 1; asin would then give NaN.
double asinDeg(double x) {
    return std::asin(std::clamp(x, -1.0, 1.0)) * radToDeg;
}

// atan(num / den) in degrees, turned into the quadrant of (den, num) and into
// [0, 360): 180 is added for a negative den, 360 for a negative num over a
// positive den. A vertical direction (both zero) has no angle; 0 is taken.
double quadrantAngle(double num, double den) {
    if (den == 0.0) {
        if (num == 0.0) return 0.0;
        return num > 0.0 ? 90.0 : 270.0;
    }
    double angle = std::atan(num / den) * radToDeg;
    if (den < 0.0)
        angle += 180.0;
    else if (num < 0.0)
        angle += 360.0;
    return angle;
}

} // namespace

void Sun::resetDefaults() {
    sinElevation = 0.0f;
    cosElevation = 1.0f;
    sinTheta = 1.0f;
    cosTheta = 0.0f;
    haloColour = {0.25f, 0.1f, 0.0f};
    coreColour = {0.6f, 0.5f, 0.0f};
    buildRings();
}

double Sun::dayNumber(const SceneDate& date, int timeZone) {
    const int month = std::clamp(date.month(), 1, 12);
    double n = static_cast<double>(date.hour() - timeZone) / 24.0 + cumulativeDays[month - 1] +
               date.minute() * 0.0006944444444444445 + date.day() - 1096.5;
    if (month > 2 && date.year() % 4 == 0) n += 1.0;
    return n;
}

SolarPosition Sun::solarPosition(double n, double longitudeDeg, double latitudeDeg) {
    SolarPosition p;
    p.dayNumber = n;
    const double meanLongitude = wrapDegrees(280.461 + 0.9856474 * n);
    const double meanAnomaly = wrapDegrees(357.528 + 0.9856003 * n);
    const double g = meanAnomaly * degToRad;
    const double g2 = meanAnomaly * 0.03490658504;
    p.eclipticLongitude = meanLongitude + 1.914827 * std::sin(g) - 0.079525 * std::cos(g) +
                          0.019938 * std::sin(g2) - 0.00162 * std::cos(g2);
    p.obliquity = 23.439 - 0.0000004 * n;

    const double lambda = p.eclipticLongitude;
    p.rightAscension = quadrantAngle(cosDeg(p.obliquity) * sinDeg(lambda), cosDeg(lambda));
    p.declination = asinDeg(sinDeg(p.obliquity) * sinDeg(lambda));

    const double siderealTime = wrapDegrees(280.46061837 + 360.98564736629 * n + longitudeDeg);
    p.hourAngle = wrapDegrees(siderealTime - p.rightAscension);

    const double dec = p.declination;
    const double lat = latitudeDeg;
    p.elevation =
        asinDeg(sinDeg(dec) * sinDeg(lat) + cosDeg(dec) * cosDeg(lat) * cosDeg(p.hourAngle));
    const double num = -sinDeg(p.hourAngle) * cosDeg(dec) * cosDeg(lat);
    const double den = sinDeg(dec) - sinDeg(p.elevation) * sinDeg(lat);
    p.azimuth = quadrantAngle(num, den);
    return p;
}

bool Sun::compute(const Terrain& terrain, const SceneDate& date) {
    if (!terrain.justLoaded() && !date.changed()) {
        changedFlag = false;
        return true;
    }
    SunSite site;
    site.longitude = terrain.longitude();
    site.latitude = terrain.latitude();
    site.northDirection = terrain.northDirection();
    site.timeZone = terrain.baseTimeZone();
    place(site, date);
    return true;
}

void Sun::place(const SunSite& site, const SceneDate& date) {
    resetDefaults();
    const double n = dayNumber(date, site.timeZone);
    const SolarPosition p = solarPosition(n, site.longitude * radToDeg, site.latitude * radToDeg);
    const double elevation = p.elevation * degToRad;
    const double theta = site.northDirection - p.azimuth * degToRad;
    sinElevation = static_cast<float>(std::sin(elevation));
    cosElevation = static_cast<float>(std::cos(elevation));
    sinTheta = static_cast<float>(std::sin(theta));
    cosTheta = static_cast<float>(std::cos(theta));
    buildRings();
    changedFlag = true;
}

void Sun::buildRings() {
    const float s0 = sinElevation, s1 = cosElevation, s2 = sinTheta, s3 = cosTheta;
    for (int i = 0; i < ringPoints; ++i) {
        const float a = i * 0.3926990816875f;
        const float ca = std::cos(a), sa = std::sin(a);
        // The circle lies across the sun direction, spanned by the horizontal
        // (-s2, s3, 0) and by (-s0*s3, -s0*s2, s1).
        const std::array<float, 3> unit{-s2 * ca - s0 * s3 * sa, s3 * ca - s0 * s2 * sa, s1 * sa};
        for (int c = 0; c < 3; ++c) {
            core[i][c] = 2.0f * unit[c];
            halo[i][c] = 10.0f * unit[c];
        }
    }
}

void Sun::draw(const Observer& observer) const {
    const Observer::Vec3 eye = observer.position();
    drawAt(eye[0], eye[1], eye[2]);
}

void Sun::drawAt(float eyeX, float eyeY, float eyeZ) const {
    const float cx = cosTheta * cosElevation * 100.0f + eyeX;
    const float cy = sinTheta * cosElevation * 100.0f + eyeY;
    const float cz = sinElevation * 100.0f + eyeZ;

    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    drawFan(cx, cy, cz, haloColour, halo);
    drawFan(cx, cy, cz, coreColour, core);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

void Sun::drawFan(float cx, float cy, float cz, const std::array<float, 3>& colour,
                  const Ring& ring) const {
    glBegin(GL_TRIANGLE_FAN);
    glColor3f(colour[0], colour[1], colour[2]);
    glVertex3f(cx, cy, cz);
    glColor3f(0.0f, 0.0f, 0.0f);
    for (int i = 0; i <= ringPoints; ++i) {
        const auto& p = ring[i % ringPoints];
        glVertex3f(cx + p[0], cy + p[1], cz + p[2]);
    }
    glEnd();
}
