#pragma once

#include <array>

class Terrain;
class Observer;
class SceneDate;

// Where a land lies on the Earth: what the ephemeris needs from the terrain.
struct SunSite {
    float longitude = 0.0f;            // radians, positive east
    float latitude = 0.0f;             // radians, positive north
    float northDirection = 1.5707964f; // radians, from +x towards +y
    int timeZone = 1;                  // whole hours ahead of universal time
};

// One evaluation of the low-precision solar ephemeris; angles in degrees.
struct SolarPosition {
    double dayNumber = 0.0;
    double eclipticLongitude = 0.0;
    double obliquity = 0.0;
    double rightAscension = 0.0;
    double declination = 0.0;
    double hourAngle = 0.0;
    double elevation = 0.0;
    double azimuth = 0.0; // from north through east
};

/*
===============================================================================
Sun

Places the sun for a land and a date with a low-precision ephemeris and keeps
its direction as four numbers: s0 = sin elevation, s1 = cos elevation,
s2 = sin theta, s3 = cos theta, with theta = north direction - azimuth, so the
unit vector towards the sun in the land's frame is (s1*s3, s1*s2, s0). The
terrain shading reads them; draw() shows an additive glow 100 m in front of the
observer. compute() only moves the sun when the land was just loaded or the
date changed, and reports that through changed().
===============================================================================
*/
class Sun {
  public:
    static constexpr int ringPoints = 16;
    using Ring = std::array<std::array<float, 3>, ringPoints>;

    Sun() { resetDefaults(); }

    void resetDefaults();
    // Recomputes when the terrain was just loaded or the date changed.
    bool compute(const Terrain& terrain, const SceneDate& date);
    // Places the sun for a site and a date unconditionally; sets changed.
    void place(const SunSite& site, const SceneDate& date);
    // Draws the glow around the observer's eye.
    void draw(const Observer& observer) const;
    void drawAt(float eyeX, float eyeY, float eyeZ) const;

    // Days from the ephemeris epoch for a local date and time in the given zone.
    static double dayNumber(const SceneDate& date, int timeZone);
    // Ephemeris for a day number at a place given in degrees.
    static SolarPosition solarPosition(double dayNumber, double longitudeDeg, double latitudeDeg);

    float s0() const { return sinElevation; }
    float s1() const { return cosElevation; }
    float s2() const { return sinTheta; }
    float s3() const { return cosTheta; }
    // The four numbers in order, as the ground shading takes them.
    std::array<float, 4> direction() const {
        return {sinElevation, cosElevation, sinTheta, cosTheta};
    }
    bool changed() const { return changedFlag; }
    const Ring& coreRing() const { return core; }
    const Ring& haloRing() const { return halo; }

  private:
    void buildRings();
    void drawFan(float cx, float cy, float cz, const std::array<float, 3>& colour,
                 const Ring& ring) const;

    float sinElevation = 0.0f;
    float cosElevation = 1.0f;
    float sinTheta = 1.0f;
    float cosTheta = 0.0f;
    Ring core{};
    Ring halo{};
    std::array<float, 3> haloColour{0.25f, 0.1f, 0.0f};
    std::array<float, 3> coreColour{0.6f, 0.5f, 0.0f};
    bool changedFlag = false;
};
