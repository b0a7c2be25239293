#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <AL/al.h>

#include "audio/Listener.h"
#include "audio/Sound.h"

/*
OpenAL Soft reads its configuration once per process, at the first device it
opens. The scenarios that need their own device (none at all, or the wave
writer whose output we inspect) run in forked children: death tests run before
every other test, while this process has not touched OpenAL yet. The other
tests share a null device, which plays in real time but is never heard.
*/
namespace {

std::filesystem::path tempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("ventrix_audio_" + std::to_string(::getpid()) + "_" + name);
}

void useOpenAlConfig(const std::string& text) {
    const auto path = tempPath("alsoft.conf");
    std::ofstream(path) << text;
    setenv("ALSOFT_CONF", path.c_str(), 1);
}

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// A child's failures go to standard error and into its exit status.
#define CHILD_CHECK(ok)                                                                            \
    if (!(ok)) {                                                                                   \
        std::fprintf(stderr, "check failed: %s\n", #ok);                                           \
        std::_Exit(1);                                                                             \
    }

// The RMS level of the wave writer's float output (one or more channels) over [from, to) s.
double level(const std::vector<char>& bytes, double from, double to) {
    std::uint16_t channels = 0, bits = 0;
    std::uint32_t rate = 0;
    std::memcpy(&channels, &bytes[22], 2);
    std::memcpy(&rate, &bytes[24], 4);
    std::memcpy(&bits, &bytes[34], 2);
    const std::size_t data = std::string_view(bytes.data(), bytes.size()).find("data") + 8;
    const std::size_t frame = channels * bits / 8u;
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t i = std::size_t(from * rate); i < std::size_t(to * rate); ++i, ++n) {
        for (int c = 0; c < channels && data + (i + 1) * frame <= bytes.size(); ++c) {
            float v = 0;
            if (bits == 32)
                std::memcpy(&v, &bytes[data + i * frame + c * 4], 4);
            else
                v = float(
                        *reinterpret_cast<const std::int16_t*>(&bytes[data + i * frame + c * 2])) /
                    32768;
            sum += double(v) * v / channels;
        }
    }
    return n ? std::sqrt(sum / double(n)) : 0.0;
}

// A seamlessly looping 400 Hz tone as an 8-bit mono wave file in memory.
std::vector<std::uint8_t> toneWave() {
    const std::uint32_t header[] = {0x46464952, 36 + 8000, 0x45564157, 0x20746d66, 16,  0x00010001,
                                    8000,       8000,      0x00080001, 0x61746164, 8000};
    std::vector<std::uint8_t> wave(reinterpret_cast<const std::uint8_t*>(header),
                                   reinterpret_cast<const std::uint8_t*>(header) + sizeof header);
    for (int i = 0; i < 8000; ++i)
        wave.push_back(std::uint8_t(128 + std::lround(90 * std::sin(2 * M_PI * i / 20.0))));
    return wave;
}

void withoutDevice() {
    useOpenAlConfig("[general]\ndrivers=no-such-driver\n");
    CHILD_CHECK(!OpenAudio());
    SoundBuffer buffer;
    CHILD_CHECK(!buffer.LoadResource(411) && !buffer.IsLoaded());
    SoundSource source;
    source.SetLooping(true);
    CHILD_CHECK(!source.Attach(&buffer) && !source.Play() && !source.Stop());
    CloseAudio();
    std::_Exit(0);
}

// The ambient sound plays at one level wherever the observer stands.
void levelIndependentOfDistance() {
    const auto output = tempPath("tone.wav");
    useOpenAlConfig("[general]\ndrivers=wave\n[wave]\nfile=" + output.string() + "\n");
    CHILD_CHECK(OpenAudio());
    const auto opened = std::chrono::steady_clock::now();
    const auto now = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - opened).count();
    };
    double played = 0, moved = 0, stopped = 0;
    {
        const std::vector<std::uint8_t> tone = toneWave();
        SoundBuffer buffer;
        SoundSource source;
        CHILD_CHECK(buffer.LoadMemory(tone.data(), tone.size()));
        source.SetLooping(true);
        CHILD_CHECK(source.Attach(&buffer));
        alListener3f(AL_POSITION, 0, 0, 2);
        CHILD_CHECK(source.Play());
        played = now();
        sleepSeconds(0.9);
        const float away[6] = {0, -1, 0, 0, 0, 1}; // 6 km away and turned round
        alListener3f(AL_POSITION, 5000, -3000, 400);
        alListenerfv(AL_ORIENTATION, away);
        moved = now();
        sleepSeconds(0.9);
        stopped = now();
        source.Stop();
    }
    CloseAudio(); // the writer completes the file's sizes when the device closes
    std::ifstream file(output, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
    std::filesystem::remove(output);
    CHILD_CHECK(bytes.size() > 44);
    const double near = level(bytes, played + 0.25, moved - 0.1);
    const double far = level(bytes, moved + 0.25, stopped - 0.1);
    std::fprintf(stderr, "level near %.4f, far %.4f\n", near, far);
    CHILD_CHECK(near > 0.02);
    CHILD_CHECK(std::abs(far - near) < 0.1 * near);
    std::_Exit(0);
}

} // namespace

TEST(AudioDeathTest, WithoutADeviceEverythingReportsFalse) {
    EXPECT_EXIT(withoutDevice(), ::testing::ExitedWithCode(0), "");
}

TEST(AudioDeathTest, AmbientLevelDoesNotFallWithDistance) {
    EXPECT_EXIT(levelIndependentOfDistance(), ::testing::ExitedWithCode(0), "");
}

class Sound : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        useOpenAlConfig("[general]\ndrivers=null\n");
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

TEST_F(Sound, TheBuiltInSoundDecodesWholeAndBrokenSoundsDoNotLoad) {
    SoundBuffer buffer;
    ASSERT_TRUE(buffer.LoadResource(411));
    EXPECT_EQ(buffer.Format(), AL_FORMAT_MONO8);
    EXPECT_EQ(buffer.Frequency(), 8000);
    EXPECT_EQ(buffer.Size(), 124783) << "every sample, about 15.6 s";
    ALint bits = 0;
    alGetBufferi(buffer.Name(), AL_BITS, &bits);
    EXPECT_EQ(bits, 8);

    SoundBuffer broken;
    EXPECT_FALSE(broken.LoadResource(412)) << "a picture id is not a sound";
    const std::uint8_t garbage[] = "RIFF but not a wave at all";
    EXPECT_FALSE(broken.LoadMemory(garbage, sizeof garbage) || broken.IsLoaded());
    SoundSource source;
    EXPECT_FALSE(source.Attach(nullptr) || source.Attach(&broken));
    EXPECT_FALSE(source.IsCreated() || source.Play());
}

TEST_F(Sound, SourcesLoopRestartAndKeepTheirBufferAcrossReloads) {
    SoundBuffer buffer;
    ASSERT_TRUE(buffer.LoadResource(411));
    const unsigned int name = buffer.Name();
    SoundSource source;
    source.SetLooping(true);
    ASSERT_TRUE(source.Attach(&buffer));
    ASSERT_TRUE(source.Attach(&buffer)) << "a second attach makes a new source";
    EXPECT_TRUE(source.IsLooping());
    ASSERT_TRUE(source.Play());
    sleepSeconds(0.5);
    ALint advanced = 0, restarted = 0;
    alGetSourcei(source.Name(), AL_SAMPLE_OFFSET, &advanced);
    EXPECT_GT(advanced, 1000) << "the null device plays in real time";
    ASSERT_TRUE(source.Play());
    alGetSourcei(source.Name(), AL_SAMPLE_OFFSET, &restarted);
    EXPECT_LT(restarted, advanced) << "playing again starts from the beginning";

    ASSERT_TRUE(buffer.LoadResource(411)); // a second build loads the same sound again
    EXPECT_EQ(buffer.Name(), name);
    EXPECT_EQ(source.Buffer(), &buffer);
    EXPECT_TRUE(source.IsPlaying());
    source.SetLooping(false);
    EXPECT_FALSE(source.IsLooping());
    EXPECT_TRUE(source.Stop());
    EXPECT_FALSE(source.IsPlaying());
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

// Deleting a buffer never leaves a source on it: the source is taken off first.
TEST_F(Sound, UnloadingTakesTheBufferOffItsSources) {
    auto buffer = std::make_unique<SoundBuffer>();
    ASSERT_TRUE(buffer->LoadResource(411));
    const unsigned int name = buffer->Name();
    SoundSource source;
    ASSERT_TRUE(source.Attach(buffer.get()));
    ASSERT_TRUE(source.Play());
    buffer->Unload();
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    EXPECT_FALSE(alIsBuffer(name)) << "the buffer really is deleted";
    EXPECT_EQ(source.Buffer(), nullptr);
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
    float position[3] = {}, velocity[3] = {}, orientation[6] = {};
    alGetListenerfv(AL_POSITION, position);
    alGetListenerfv(AL_VELOCITY, velocity);
    alGetListenerfv(AL_ORIENTATION, orientation);
    EXPECT_EQ(std::vector<float>(position, position + 3), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(std::vector<float>(velocity, velocity + 3), (std::vector<float>{4, 5, 6}));
    EXPECT_EQ(std::vector<float>(orientation, orientation + 6),
              (std::vector<float>{0.6f, 0.8f, 0, 0, 0, 1}));
}
