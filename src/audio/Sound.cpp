#include "audio/Sound.h"

#include <algorithm>
#include <cstdlib>

#include <dlfcn.h>

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alut.h>

#include "platform/Resources.h"

namespace {
// The world plays one ambient sound; asking for a handful of voices rather than
// the library's default 256 keeps several megabytes of mixing state unallocated.
constexpr ALCint monoVoices = 8;
constexpr ALCint stereoVoices = 2;
void silentAlsaReport(const char*, int, const char*, int, const char*, ...) {}

// Without a device, ALSA and OpenAL Soft each print their own failures; the
// program says once that it runs silent instead. A log level the user set stays.
void quietSoundLibraries() {
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    // OpenAL loads ALSA itself; the reference taken here is kept on purpose, so the
    // handler stays set in the one copy of the library the process holds.
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (alsa == nullptr) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(silentAlsaReport);
}
} // namespace

bool OpenAudio() {
    quietSoundLibraries();
    if (alutInitWithoutContext(nullptr, nullptr) != AL_TRUE) return false;
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        alutExit();
        return false;
    }
    const ALCint attributes[] = {ALC_MONO_SOURCES, monoVoices, ALC_STEREO_SOURCES, stereoVoices, 0};
    ALCcontext* context = alcCreateContext(device, attributes);
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        if (context != nullptr) alcDestroyContext(context);
        alcCloseDevice(device);
        alutExit();
        return false;
    }
    return true;
}

void CloseAudio() {
    ALCcontext* context = alcGetCurrentContext();
    if (context != nullptr) {
        ALCdevice* device = alcGetContextsDevice(context);
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        if (device != nullptr) alcCloseDevice(device);
    }
    alutExit();
}

namespace {
bool noError() {
    return alGetError() == AL_NO_ERROR;
}
} // namespace

SoundBuffer::~SoundBuffer() {
    Unload();
}

bool SoundBuffer::LoadResource(int id) {
    ResourceBytes bytes;
    if (!findResource(id, "WAVE", bytes)) return false;
    // Loading the same sound again keeps the buffer a playing source uses.
    if (name && resourceId == id) return true;
    if (!LoadMemory(bytes.data(), bytes.size())) return false;
    resourceId = id;
    return true;
}

bool SoundBuffer::LoadMemory(const std::uint8_t* data, std::size_t bytes) {
    Unload();
    if (data == nullptr || bytes == 0) return false;
    AlBuffer newName = AlBuffer::generate();
    if (!newName) return false;
    // freealut's alutLoadWAVMemory does not hand back the samples; this loader does.
    ALenum newFormat = 0;
    ALsizei newSize = 0;
    ALfloat newFrequency = 0;
    void* samples = alutLoadMemoryFromFileImage(data, static_cast<ALsizei>(bytes), &newFormat,
                                                &newSize, &newFrequency);
    if (samples == nullptr) return false;
    alBufferData(newName.get(), newFormat, samples, newSize, static_cast<ALsizei>(newFrequency));
    std::free(samples);
    if (!noError()) return false;
    name = std::move(newName);
    size = newSize;
    frequency = static_cast<int>(newFrequency);
    format = newFormat;
    return true;
}

void SoundBuffer::Unload() {
    // OpenAL refuses to delete a buffer a source still holds: take it off them first.
    for (SoundSource* source : sources) {
        if (source->name) {
            alSourceStop(source->name.get());
            alSourcei(source->name.get(), AL_BUFFER, 0);
        }
        source->buffer = nullptr;
    }
    sources.clear();
    name.reset();
    resourceId = -1;
}

void SoundBuffer::AddSource(SoundSource* source) {
    if (std::find(sources.begin(), sources.end(), source) == sources.end())
        sources.push_back(source);
}

void SoundBuffer::RemoveSource(SoundSource* source) {
    sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
}

SoundSource::~SoundSource() {
    Detach();
}

bool SoundSource::Attach(SoundBuffer* newBuffer) {
    if (newBuffer == nullptr || !newBuffer->IsLoaded()) return false;
    if (buffer != newBuffer) {
        if (buffer) buffer->RemoveSource(this);
        buffer = newBuffer;
        buffer->AddSource(this);
    }
    DeleteSource();
    name = AlSource::generate();
    if (!name) return false;
    const ALuint source = name.get();
    alSourcef(source, AL_PITCH, pitch);
    alSourcef(source, AL_GAIN, gain);
    alSourcefv(source, AL_POSITION, position);
    alSourcefv(source, AL_VELOCITY, velocity);
    // The ambient sound keeps its level wherever the listener goes: it stays
    // where it is relative to the listener and distance does not attenuate it.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer->Name()));
    alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    return noError();
}

void SoundSource::Detach() {
    DeleteSource();
    if (buffer) buffer->RemoveSource(this);
    buffer = nullptr;
}

void SoundSource::DeleteSource() {
    name.reset();
}

void SoundSource::SetLooping(bool loop) {
    looping = loop;
    if (name) alSourcei(name.get(), AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
}

bool SoundSource::Play() {
    if (!name) return false;
    alGetError();
    alSourcePlay(name.get());
    return noError();
}

bool SoundSource::Stop() {
    if (!name) return false;
    alGetError();
    alSourceStop(name.get());
    return noError();
}

bool SoundSource::IsPlaying() const {
    if (!name) return false;
    ALint state = AL_STOPPED;
    alGetSourcei(name.get(), AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}
