#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/AlNames.h"

/*
===============================================================================
Audio device lifetime: OpenAudio opens the default device and makes a new
context current (alutInit); CloseAudio destroys them (alutExit). Without a
device OpenAudio returns false and every sound operation below returns false:
the program runs silent.
===============================================================================
*/
bool OpenAudio();
void CloseAudio();

class SoundSource;

/*
===============================================================================
SoundBuffer: one OpenAL buffer holding a decoded wave. Loading the same id
again keeps the loaded buffer, so a source attached to it keeps playing.
Sources attached to it are detached before the buffer is deleted, so no source
is ever left on a deleted buffer.
===============================================================================
*/
class SoundBuffer {
  public:
    SoundBuffer() = default;
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;
    ~SoundBuffer();

    // Built-in wave sound (type "WAVE") by id.
    bool LoadResource(int id);
    // A RIFF WAVE file image in memory.
    bool LoadMemory(const std::uint8_t* data, std::size_t size);
    void Unload();

    bool IsLoaded() const { return static_cast<bool>(name); }
    unsigned int Name() const { return name.get(); }
    int Size() const { return size; }
    int Frequency() const { return frequency; }
    int Format() const { return format; }

  private:
    friend class SoundSource;
    void AddSource(SoundSource* source);
    void RemoveSource(SoundSource* source);

    AlBuffer name;
    int size = 0;
    int frequency = 0;
    int format = 0;
    int resourceId = -1;
    std::vector<SoundSource*> sources;
};

/*
===============================================================================
SoundSource: one OpenAL source playing an attached buffer. The ambient sound
is heard at a constant level wherever the listener stands: the source sits at
its position relative to the listener and distance attenuation is off.
Play and Stop report OpenAL errors through their result only.
===============================================================================
*/
class SoundSource {
  public:
    SoundSource() = default;
    SoundSource(const SoundSource&) = delete;
    SoundSource& operator=(const SoundSource&) = delete;
    ~SoundSource();

    // False for a missing or unloaded buffer or an OpenAL error. A second
    // Attach replaces the old source; looping is kept.
    bool Attach(SoundBuffer* buffer);
    // Stops and deletes the source; the buffer is forgotten.
    void Detach();
    void SetLooping(bool loop);
    // Plays from the start (also when already playing).
    bool Play();
    bool Stop();

    bool IsCreated() const { return static_cast<bool>(name); }
    unsigned int Name() const { return name.get(); }
    bool IsLooping() const { return looping; }
    bool IsPlaying() const;
    const SoundBuffer* Buffer() const { return buffer; }

    float position[3] = {0.0f, 0.0f, 1.0f};
    float velocity[3] = {0.0f, 0.0f, 0.0f};
    float pitch = 1.0f;
    float gain = 1.0f;

  private:
    friend class SoundBuffer;
    void DeleteSource();

    AlSource name;
    bool looping = false;
    SoundBuffer* buffer = nullptr;
};
