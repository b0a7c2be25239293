#include "audio/AlNames.h"

#include <AL/al.h>

namespace {
// Clears an older error first, so that only this call's failure counts.
template <class Generate, class IsName> unsigned int generated(Generate generate, IsName isName) {
    alGetError();
    ALuint name = 0;
    generate(1, &name);
    if (name != 0 && isName(name) && alGetError() == AL_NO_ERROR) return name;
    return 0;
}
} // namespace

unsigned int AlBufferTraits::generate() {
    return generated(alGenBuffers, alIsBuffer);
}

void AlBufferTraits::destroy(unsigned int name) {
    alDeleteBuffers(1, &name);
}

unsigned int AlSourceTraits::generate() {
    return generated(alGenSources, alIsSource);
}

void AlSourceTraits::destroy(unsigned int name) {
    alSourceStop(name);
    alDeleteSources(1, &name);
}
