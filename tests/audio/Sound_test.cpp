#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

#include <AL/al.h>

#include "audio/Listener.h"
#include "audio/Sound.h"
#include "platform/Resources.h"

// OpenAL Soft's null device plays in real time, unheard (no device: see the desktop run).
namespace {

ALint sourceInt(const SoundSource& source, ALenum what) {
    ALint value = -1;
    alGetSourcei(source.Name(), what, &value);
    return value;
}

} // namespace

class Sound : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const auto config = std::filesystem::temp_directory_path() /
                            ("ventrix_audio_" + std::to_string(::getpid()) + ".conf");
        std::ofstream(config) << "[general]\ndrivers=null\n";
        setenv("ALSOFT_CONF", config.c_str(), 1);
        setenv("ALSOFT_LOGLEVEL", "1", 1); // the user's own choice
        open = OpenAudio();
    }
    static void TearDownTestSuite() {
        if (open) CloseAudio();
    }
    void SetUp() override {
        if (!open) GTEST_SKIP() << "OpenAL Soft's null device did not open";
    }
    static inline bool open = false;
};

// The built-in sound loads whole, also over another wave; no sound (one at 0 Hz) loads and plays
// nothing. The source stays with the ear at its pitch and place, never fainter far away; the
// ear's place, motion and heading reach OpenAL.
TEST_F(Sound, SourcesPlayTheBuiltInSoundLoopRestartAndStop) {
    SoundBuffer buffer, broken;
    ResourceBytes wave;
    ASSERT_TRUE(findResource(411, "WAVE", wave));
    std::vector<std::uint8_t> other(wave.begin(), wave.end()); // at 11072 Hz, then at 0 Hz
    other[25] = 0x2B;
    ASSERT_TRUE(buffer.LoadMemory(other.data(), other.size()) && buffer.LoadResource(411));
    other[24] = other[25] = 0;
    EXPECT_FALSE(broken.LoadMemory(other.data(), other.size()));
    EXPECT_EQ(std::tuple(buffer.Format(), buffer.Frequency(), buffer.Size()),
              std::tuple(AL_FORMAT_MONO8, 8000, 124783));
    EXPECT_FALSE(broken.LoadResource(412)) << "a picture id is not a sound";
    const std::uint8_t garbage[] = "RIFF but not a wave at all";
    EXPECT_FALSE(broken.LoadMemory(garbage, sizeof garbage) || broken.IsLoaded());
    EXPECT_FALSE(broken.LoadMemory(garbage, 0) || broken.LoadMemory(nullptr, 4));
    SoundSource source;
    EXPECT_FALSE(source.Attach(nullptr) || source.Attach(&broken) || source.Play());
    EXPECT_FALSE(source.IsCreated() || source.Stop());

    const unsigned int name = buffer.Name();
    source.SetLooping(true);
    source.pitch = 1.5f;
    source.position[0] = -1.0f;
    ASSERT_TRUE(source.Attach(&buffer));
    ASSERT_TRUE(source.Attach(&buffer)) << "a second attach makes a new source";
    EXPECT_EQ(sourceInt(source, AL_LOOPING), AL_TRUE);
    EXPECT_EQ(sourceInt(source, AL_SOURCE_RELATIVE), AL_TRUE);
    EXPECT_EQ(sourceInt(source, AL_BUFFER), static_cast<ALint>(name));
    Listener ear;
    ear.setPosition({1.0f, 2.0f, 3.0f});
    ear.setVelocity({4.0f, 5.0f, 6.0f});
    ear.setOrientation({0.6f, 0.8f, 0.0f}, {0.0f, 0.0f, 1.0f});
    std::vector<ALfloat> got(17);
    alGetSourcef(source.Name(), AL_ROLLOFF_FACTOR, &got[0]);
    alGetSourcef(source.Name(), AL_PITCH, &got[1]);
    alGetSourcefv(source.Name(), AL_POSITION, &got[2]);
    alGetListenerfv(AL_POSITION, &got[5]);
    alGetListenerfv(AL_VELOCITY, &got[8]);
    alGetListenerfv(AL_ORIENTATION, &got[11]);
    EXPECT_EQ(got,
              (std::vector<ALfloat>{0, 1.5f, -1, 0, 1, 1, 2, 3, 4, 5, 6, 0.6f, 0.8f, 0, 0, 0, 1}));
    ASSERT_TRUE(source.Play());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const ALint advanced = sourceInt(source, AL_SAMPLE_OFFSET);
    EXPECT_GT(advanced, 1000) << "the null device plays in real time";
    alSourcef(source.Name(), AL_GAIN, -1.0f); // an error left pending does not fail the play
    ASSERT_TRUE(source.Play());
    EXPECT_LT(sourceInt(source, AL_SAMPLE_OFFSET), advanced) << "playing again restarts";

    ASSERT_TRUE(buffer.LoadResource(411)); // a second build loads the same sound again
    EXPECT_EQ(buffer.Name(), name);
    EXPECT_EQ(source.Buffer(), &buffer);
    EXPECT_TRUE(source.IsPlaying());
    source.SetLooping(false);
    EXPECT_EQ(sourceInt(source, AL_LOOPING), AL_FALSE);
    EXPECT_TRUE(source.Stop());
    EXPECT_FALSE(source.IsPlaying());
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    EXPECT_STREQ(std::getenv("ALSOFT_LOGLEVEL"), "1") << "the user's log level stays";
    EXPECT_FALSE(buffer.LoadMemory(garbage, sizeof garbage) || buffer.IsLoaded() ||
                 source.Buffer());
}

// Deleting a buffer leaves no source on it nor on another; one that left it plays on.
TEST_F(Sound, UnloadingTakesTheBufferOffItsSources) {
    auto buffer = std::make_unique<SoundBuffer>();
    SoundBuffer second;
    ASSERT_TRUE(buffer->LoadResource(411) && second.LoadResource(411));
    const unsigned int name = buffer->Name();
    SoundSource source, other;
    ASSERT_TRUE(source.Attach(buffer.get()) && other.Attach(buffer.get()));
    ASSERT_TRUE(source.Play());
    other.Detach();
    ASSERT_TRUE(other.Attach(&second) && other.Play());
    buffer->Unload();
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    EXPECT_FALSE(alIsBuffer(name)) << "the buffer really is deleted";
    EXPECT_EQ(std::tuple(source.Buffer(), sourceInt(source, AL_BUFFER), other.IsPlaying()),
              std::tuple(nullptr, 0, true));
    EXPECT_FALSE(source.IsPlaying());
    EXPECT_FALSE(source.Attach(buffer.get())) << "nothing to attach until it loads again";
    ASSERT_TRUE(buffer->LoadResource(411));
    EXPECT_TRUE(source.Attach(buffer.get()));
    buffer.reset(); // destroyed while attached
    EXPECT_EQ(source.Buffer(), nullptr);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    CloseAudio();
    second.Unload();
    EXPECT_FALSE(second.LoadResource(411) || second.IsLoaded()) << "closed, nothing loads";
    ASSERT_TRUE(open = OpenAudio()) << "the device opens again";
}
