#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "audio/Listener.h"
#include "audio/Sound.h"
#include "shell/Event.h"

class KeyValueFile;
class Terrain;
class WindField;
struct Spot;

/*
===============================================================================
Observer: the one viewpoint of the world. It stands or flies over the terrain,
turns with the mouse, moves with the four movement keys, can be put on a spot,
loads the view transform, carries the OpenAL listener and owns the ambient
sound source.

Angles are radians, except the field of view (degrees). The azimuth counts
anticlockwise from the land's +x axis and is kept in [north, north + 2 pi);
the elevation is positive below the horizon and clamped to +-pi/2. The eye
never leaves the inner 90 % of the land's bounding rectangle (a move that
would is refused per axis) and never sinks below 2 m over the ground.

Status events (payload: a pointer, valid during the call): 1 spot name
(string), 2 azimuth and 4 elevation (float, degrees), 8, 16, 128 position x,
y, z (float), 32 the wind indicator (two floats: direction relative to the
view in degrees, speed * 0.04), 64 the wind speed at the eye (float, m/s).
setPosition publishes 1, 8, 16, 128, 32, 64; updateOrientation 2, 4, 32, 64.
The wind comes from the wind field at the eye's height above the ground.
===============================================================================
*/
class Observer : public EventPublisher {
  public:
    using Vec3 = std::array<float, 3>;
    using Plane = std::array<float, 4>;

    static constexpr uint32_t spotNameEvent = 1;
    static constexpr uint32_t azimuthEvent = 2;
    static constexpr uint32_t elevationEvent = 4;
    static constexpr uint32_t xEvent = 8;
    static constexpr uint32_t yEvent = 16;
    static constexpr uint32_t windIndicatorEvent = 32;
    static constexpr uint32_t windSpeedEvent = 64;
    static constexpr uint32_t zEvent = 128;
    static constexpr float eyeHeight = 2.0f;

    // The wind at the eye: position handed over by setPosition, vector read
    // from the wind field (absent in tests: no wind).
    class WindProbe : public EventPublisher, public EventSubscriber {
      public:
        WindProbe() : EventSubscriber(0xFFFFF) {}
        void onEvent(EventPublisher*, const Event&) override {}
        void update();
        float speed() const;

        Vec3 wind{0.0f, 0.0f, 0.0f};
        Vec3 position{0.0f, 0.0f, 0.0f};
        WindField* field = nullptr;
    };

    // The terrain must outlive the observer; the wind field may be null.
    Observer(Terrain& terrain, WindField* wind);
    ~Observer() override;
    Observer(const Observer&) = delete;
    Observer& operator=(const Observer&) = delete;

    void resetDefaults();
    void readParams(KeyValueFile& file);
    void saveParams(KeyValueFile& file) const;
    // Puts the eye 2 m over the ground at its stored place (or at the
    // land-centre spot when that is outside the inner band) and attaches the
    // ambient sound. The sound may be null.
    void placeAfterLoad(SoundBuffer* sound);

    void setFieldOfView(float degrees);
    void rotateByPixels(float dx, float dy);
    void setHeading(float azimuthFromNorth, float newElevation);
    void setAzimuth(float value);
    void setElevation(float value);
    // Key::Up forward, Key::Down back, Key::Left and Key::Right sideways.
    void moveByKey(int key, float dt);
    void goToSpot(const Spot& spot);
    void setPosition(float newX, float newY, float newZ);
    void updateOrientation();
    // gluLookAt from the eye along the view direction, z up.
    void applyView() const;
    void setSoundPlaying(bool on);
    // Reads the wind at the eye again (after the wind field was recomputed)
    // and publishes it (32, 64).
    void refreshWind();

    void setSpeed(float metresPerSecond) { speed = metresPerSecond; }
    void setAzimuthSpeed(float pixelsPerRadian) { azimuthSpeed = pixelsPerRadian; }
    void setElevationSpeed(float pixelsPerRadian) { elevationSpeed = pixelsPerRadian; }

    Vec3 position() const { return {x, y, z}; }
    float positionX() const { return x; }
    float positionY() const { return y; }
    float positionZ() const { return z; }
    const Vec3& viewDirection() const { return direction; }
    float azimuth() const { return azimuthAngle; }
    float elevation() const { return elevationAngle; }
    float fieldOfView() const { return fieldOfViewDegrees; }
    float movementSpeed() const { return speed; }
    float azimuthPixelsPerRadian() const { return azimuthSpeed; }
    float elevationPixelsPerRadian() const { return elevationSpeed; }
    // Half-width of the view at distance 1: the scene's projection uses it.
    float tanHalfField() const { return tanHalfFov; }
    const Plane& rightPlane() const { return right; }
    const Plane& leftPlane() const { return left; }
    const std::string& spotName() const { return spot; }
    const WindProbe& windProbe() const { return probe; }
    const Listener& listener() const { return ear; }
    SoundSource& ambientSource() { return ambient; }
    const Terrain& ground() const { return terrain; }

  private:
    void cacheAngles();
    void cacheFieldOfView();
    void computePlanes();
    bool insideBandX(float value) const;
    bool insideBandY(float value) const;
    float groundHeight(float atX, float atY) const;
    void publishFloat(uint32_t type, float value);
    void publishWind();

    WindProbe probe;
    SoundSource ambient;
    Listener ear;
    Terrain& terrain;
    float azimuthAngle = 0.0f;
    float elevationAngle = 0.0f;
    float fieldOfViewDegrees = 50.0f;
    float azimuthSpeed = 80.0f;
    float elevationSpeed = 80.0f;
    float cosAzimuth = 1.0f, sinAzimuth = 0.0f, cosElevation = 1.0f, sinElevation = 0.0f;
    float cosHalf = 0.0f, sinHalf = 0.0f, tanHalfFov = 0.0f;
    Vec3 direction{1.0f, 0.0f, 0.0f};
    Plane right{0.0f, 0.0f, 0.0f, 0.0f};
    Plane left{0.0f, 0.0f, 0.0f, 0.0f};
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float speed = 10.0f;
    std::string spot;
};
