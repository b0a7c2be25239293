#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

#include <AL/al.h>

#include "audio/Listener.h"
#include "audio/Sound.h"

// OpenAL Soft's wave writer mixes in real time into a file, read back once the device closes.
namespace {

const std::filesystem::path heard =
    std::filesystem::temp_directory_path() / ("ventrix_audio_" + std::to_string(::getpid()));

ALint sourceInt(const SoundSource& source, ALenum what) {
    ALint value = -1;
    alGetSourcei(source.Name(), what, &value);
    return value;
}

// A RIFF PCM mono file at 8000 Hz of the given size: a 400 Hz tone in 8 bits.
std::vector<std::uint8_t> toneWave(std::uint32_t bytes, std::uint16_t bits = 8) {
    std::vector<std::uint8_t> file{'R', 'I', 'F', 'F'};
    const auto put = [&file](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    put(36 + bytes, 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4), put(1, 2), put(1, 2), put(8000, 4);
    put(8000u * bits / 8, 4), put(bits / 8u, 2), put(bits, 2);
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    put(bytes, 4);
    for (std::uint32_t i = 0; i < bytes; ++i)
        file.push_back(static_cast<std::uint8_t>(128 + 100 * std::sin(i * 2 * M_PI * 400 / 8000)));
    return file;
}

} // namespace

class Sound : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::ofstream(heard.string() + ".conf")
            << "[general]\ndrivers=wave\nchannels=stereo\nsample-type=int16\nfrequency=8000\n"
            << "[wave]\nfile=" << heard.string() << ".wav\n";
        setenv("ALSOFT_CONF", (heard.string() + ".conf").c_str(), 1);
        setenv("ALSOFT_LOGLEVEL", "1", 1); // the user's own choice
        open = OpenAudio();
    }
    static void TearDownTestSuite() {
        if (open) CloseAudio();
        for (const char* end : {".conf", ".wav"})
            std::filesystem::remove(heard.string() + end);
    }
    void SetUp() override {
        if (!open) GTEST_SKIP() << "OpenAL Soft's null device did not open";
    }
    static inline bool open = false;
};

// The built-in sound loads whole; what is no sound loads nothing and plays nothing.
// The ambient source stays with the listener and distance never lowers its level.
TEST_F(Sound, SourcesPlayTheBuiltInSoundLoopRestartAndStop) {
    SoundBuffer buffer, broken;
    const auto tone = toneWave(800), odd = toneWave(3, 16);
    ASSERT_TRUE(buffer.LoadMemory(tone.data(), tone.size()) && buffer.LoadResource(411));
    EXPECT_EQ(std::tuple(buffer.Format(), buffer.Frequency(), buffer.Size()),
              std::tuple(AL_FORMAT_MONO8, 8000, 124783));
    EXPECT_FALSE(broken.LoadResource(412)) << "a picture id is not a sound";
    const std::uint8_t garbage[] = "RIFF but not a wave at all";
    EXPECT_FALSE(broken.LoadMemory(garbage, sizeof garbage) || broken.IsLoaded());
    EXPECT_FALSE(broken.LoadMemory(garbage, 0) || broken.LoadMemory(nullptr, 4));
    EXPECT_FALSE(broken.LoadMemory(odd.data(), odd.size())) << "half a 16-bit sample";
    SoundSource source;
    EXPECT_FALSE(source.Attach(nullptr) || source.Attach(&broken) || source.Play());
    EXPECT_FALSE(source.IsCreated() || source.Stop());

    const unsigned int name = buffer.Name();
    source.SetLooping(true);
    ASSERT_TRUE(source.Attach(&buffer));
    ASSERT_TRUE(source.Attach(&buffer)) << "a second attach makes a new source";
    EXPECT_EQ(sourceInt(source, AL_LOOPING), AL_TRUE);
    EXPECT_EQ(sourceInt(source, AL_SOURCE_RELATIVE), AL_TRUE);
    EXPECT_EQ(sourceInt(source, AL_BUFFER), static_cast<ALint>(name));
    ALfloat rolloff = -1;
    alGetSourcef(source.Name(), AL_ROLLOFF_FACTOR, &rolloff);
    EXPECT_EQ(rolloff, 0.0f);
    ASSERT_TRUE(source.Play());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const ALint advanced = sourceInt(source, AL_SAMPLE_OFFSET);
    EXPECT_GT(advanced, 1000) << "the device plays in real time";
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

// Deleting a buffer never leaves a source on it: the source is taken off first.
TEST_F(Sound, UnloadingTakesTheBufferOffItsSources) {
    auto buffer = std::make_unique<SoundBuffer>();
    ASSERT_TRUE(buffer->LoadResource(411));
    const unsigned int name = buffer->Name();
    SoundSource source, other;
    ASSERT_TRUE(source.Attach(buffer.get()) && other.Attach(buffer.get()));
    ASSERT_TRUE(source.Play());
    other.Detach();
    buffer->Unload();
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    EXPECT_FALSE(alIsBuffer(name)) << "the buffer really is deleted";
    EXPECT_EQ(source.Buffer(), nullptr);
    EXPECT_EQ(sourceInt(source, AL_BUFFER), 0) << "nor holds another";
    EXPECT_FALSE(source.IsPlaying());
    EXPECT_FALSE(source.Attach(buffer.get())) << "nothing to attach until it loads again";
    ASSERT_TRUE(buffer->LoadResource(411));
    EXPECT_TRUE(source.Attach(buffer.get()));
    buffer.reset(); // destroyed while attached
    EXPECT_EQ(source.Buffer(), nullptr);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

// The ear's setters reach OpenAL: what the device holds is what was set.
TEST_F(Sound, TheListenerHandsItsPlaceMotionAndHeadingToOpenAl) {
    Listener ear;
    ear.setPosition({1.0f, 2.0f, 3.0f});
    ear.setVelocity({4.0f, 5.0f, 6.0f});
    ear.setOrientation({0.6f, 0.8f, 0.0f}, {0.0f, 0.0f, 1.0f});
    std::vector<float> got(12);
    alGetListenerfv(AL_POSITION, &got[0]);
    alGetListenerfv(AL_VELOCITY, &got[3]);
    alGetListenerfv(AL_ORIENTATION, &got[6]);
    EXPECT_EQ(got, (std::vector<float>{1, 2, 3, 4, 5, 6, 0.6f, 0.8f, 0, 0, 0, 1}));
}

// Without a device ALSA's own failures stay unprinted: the program says once it runs silent.
TEST_F(Sound, AlsaFailuresPrintNothing) {
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    ASSERT_NE(alsa, nullptr) << "opening the sound loaded ALSA";
    using Open = int (*)(void**, const char*, int, int);
    const auto openPcm = reinterpret_cast<Open>(dlsym(alsa, "snd_pcm_open"));
    void* pcm = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_NE(openPcm(&pcm, "ventrix_no_such_device", 0, 0), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// The device opens again, a new file heard from the start: the source at its pitch and
// side, also after it left a buffer that then unloads. Closed, nothing loads.
TEST_F(Sound, TheDeviceReopensAndASourceIsHeardAtItsPitchAndSide) {
    CloseAudio();
    ASSERT_TRUE(open = OpenAudio());
    {
        SoundBuffer wind, tone;
        const auto toneFile = toneWave(8000);
        ASSERT_TRUE(wind.LoadResource(411) && tone.LoadMemory(toneFile.data(), toneFile.size()));
        SoundSource source;
        source.pitch = 2.0f;
        source.position[0] = -1.0f, source.position[2] = 0.0f; // on the left
        ASSERT_TRUE(source.Attach(&wind));
        source.Detach();
        ASSERT_TRUE(source.Attach(&tone) && source.Play());
        wind.Unload();
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        CloseAudio();
        EXPECT_FALSE(tone.LoadMemory(toneFile.data(), toneFile.size()) || tone.IsLoaded());
    }
    std::ifstream in(heard.string() + ".wav", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const std::size_t data = bytes.find("data") + 8;
    ASSERT_GT(bytes.size(), data);
    std::vector<std::int16_t> samples((bytes.size() - data) / 2);
    std::memcpy(samples.data(), bytes.data() + data, samples.size() * 2);
    double left = 0, right = 0;
    int crossings = 0, first = -1, last = -1;
    bool above = false;
    for (int i = 0; i + 1 < static_cast<int>(samples.size()); i += 2) {
        left += std::abs(samples[i]), right += std::abs(samples[i + 1]);
        if (std::abs(samples[i]) < 2000 || (samples[i] > 0) == above) continue;
        above = !above, ++crossings, last = i / 2;
        if (first < 0) first = i / 2;
    }
    ASSERT_GT(last - first, 1600) << "heard for at least 0.2 s";
    EXPECT_NEAR(crossings / 2.0 / ((last - first) / 8000.0), 800.0, 40.0) << "400 Hz at pitch 2";
    EXPECT_GT(left, 4 * right) << "heard on the left";
    ASSERT_TRUE(open = OpenAudio());
}
