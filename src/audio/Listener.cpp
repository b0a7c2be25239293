#include "audio/Listener.h"

#include <AL/al.h>

void Listener::setPosition(const Vec3& where) {
    lastPosition = where;
    alListenerfv(AL_POSITION, where.data());
}

void Listener::setVelocity(const Vec3& speed) {
    lastVelocity = speed;
    alListenerfv(AL_VELOCITY, speed.data());
}

void Listener::setOrientation(const Vec3& at, const Vec3& up) {
    lastAt = at;
    lastUp = up;
    const float orientation[6] = {at[0], at[1], at[2], up[0], up[1], up[2]};
    alListenerfv(AL_ORIENTATION, orientation);
}
