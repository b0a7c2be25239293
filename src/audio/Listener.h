#pragma once

#include <array>

/*
===============================================================================
Listener: the OpenAL listener, the ear that follows the observer. Each setter
makes its OpenAL call (errors are ignored, also when no device is open) and
remembers the value, so the listener's state can be read back without a
device.
===============================================================================
*/
class Listener {
  public:
    using Vec3 = std::array<float, 3>;

    void setPosition(const Vec3& where);
    void setVelocity(const Vec3& speed);
    // at: where the ear looks; up: which way is up for it.
    void setOrientation(const Vec3& at, const Vec3& up);

    const Vec3& position() const { return lastPosition; }
    const Vec3& velocity() const { return lastVelocity; }
    const Vec3& at() const { return lastAt; }
    const Vec3& up() const { return lastUp; }

  private:
    Vec3 lastPosition{0.0f, 0.0f, 0.0f};
    Vec3 lastVelocity{0.0f, 0.0f, 0.0f};
    Vec3 lastAt{0.0f, 0.0f, -1.0f};
    Vec3 lastUp{0.0f, 1.0f, 0.0f};
};
