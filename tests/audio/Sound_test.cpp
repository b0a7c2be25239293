#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <AL/al.h>

#include "audio/Sound.h"

/*
OpenAL Soft reads its configuration once per process, at the first device it
opens. The scenarios that need their own device (none at all, or the wave
writer whose output we inspect) run in forked children: death tests run before
every other test, while this process has not touched OpenAL yet. The other
tests share a null device, which plays in real time but is never heard.
*/
namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path tempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("ventrix_audio_" + std::to_string(::getpid()) + "_" + name);
}

void useOpenAlConfig(const std::string& text) {
    const auto path = tempPath("alsoft.conf");
    std::ofstream(path) << text;
    setenv("ALSOFT_CONF", path.c_str(), 1);
}

// A failure inside a child goes to standard error and into its exit status.
int childFailures = 0;
void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        ++childFailures;
    }
}
[[noreturn]] void endChild() {
    std::_Exit(childFailures == 0 ? 0 : 1);
}

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}
double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The wave writer's output: 32-bit float or 16-bit PCM, any channel count,
// reduced to one mono track.
struct Recording {
    int rate = 0;
    std::vector<float> mono;
    double rms(double from, double to) const {
        const auto a = static_cast<std::size_t>(std::max(0.0, from) * rate);
        const auto b = std::min(mono.size(), static_cast<std::size_t>(to * rate));
        double sum = 0;
        for (std::size_t i = a; i < b; ++i)
            sum += mono[i] * mono[i];
        return b > a ? std::sqrt(sum / double(b - a)) : 0;
    }
};

bool readRecording(const std::filesystem::path& path, Recording& out) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0) return false;
    int channels = 0, bits = 0;
    std::size_t offset = 12;
    while (offset + 8 <= bytes.size()) {
        std::uint32_t size;
        std::memcpy(&size, &bytes[offset + 4], 4);
        const char* body = &bytes[offset + 8];
        if (std::memcmp(&bytes[offset], "fmt ", 4) == 0) {
            std::uint16_t c, b;
            std::uint32_t r;
            std::memcpy(&c, body + 2, 2);
            std::memcpy(&r, body + 4, 4);
            std::memcpy(&b, body + 14, 2);
            channels = c;
            out.rate = static_cast<int>(r);
            bits = b;
        } else if (std::memcmp(&bytes[offset], "data", 4) == 0 && channels > 0) {
            const std::size_t available = std::min<std::size_t>(size, bytes.size() - offset - 8);
            const std::size_t frame = static_cast<std::size_t>(channels) * bits / 8;
            for (std::size_t i = 0; i + frame <= available; i += frame) {
                float sum = 0;
                for (int c = 0; c < channels; ++c) {
                    if (bits == 32) {
                        float v;
                        std::memcpy(&v, body + i + c * 4, 4);
                        sum += v;
                    } else if (bits == 16) {
                        std::int16_t v;
                        std::memcpy(&v, body + i + c * 2, 2);
                        sum += v / 32768.0f;
                    }
                }
                out.mono.push_back(sum / channels);
            }
            return true;
        }
        offset += 8 + size + (size & 1);
    }
    return false;
}

// A one-second 400 Hz tone as an 8-bit mono wave file in memory; it loops
// seamlessly (20 samples per cycle).
std::vector<std::uint8_t> toneWave() {
    std::vector<std::uint8_t> samples(8000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] =
            static_cast<std::uint8_t>(128 + std::lround(90 * std::sin(2 * M_PI * i / 20.0)));
    std::vector<std::uint8_t> wave;
    auto text = [&wave](const char* t) { wave.insert(wave.end(), t, t + 4); };
    auto u32 = [&wave](std::uint32_t v) {
        for (int k = 0; k < 4; ++k)
            wave.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
    };
    auto u16 = [&wave](std::uint16_t v) {
        wave.push_back(static_cast<std::uint8_t>(v));
        wave.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    text("RIFF");
    u32(36 + 8000);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(8000);
    u16(1);
    u16(8);
    text("data");
    u32(8000);
    wave.insert(wave.end(), samples.begin(), samples.end());
    return wave;
}

std::string waveWriterConfig(const std::filesystem::path& output) {
    return "[general]\ndrivers=wave\n[wave]\nfile=" + output.string() + "\n";
}

void withoutDevice() {
    useOpenAlConfig("[general]\ndrivers=no-such-driver\n");
    check(!OpenAudio(), "no device: OpenAudio fails");
    SoundBuffer buffer;
    check(!buffer.LoadResource(411), "no device: the sound does not load");
    check(!buffer.IsLoaded(), "no device: nothing loaded");
    SoundSource source;
    source.SetLooping(true);
    check(!source.Attach(&buffer), "no device: attach fails");
    check(!source.Play(), "no device: play fails");
    check(!source.Stop(), "no device: stop fails");
    CloseAudio();
    endChild();
}

void playAmbientToItsEnd() {
    const auto output = tempPath("ambient.wav");
    useOpenAlConfig(waveWriterConfig(output));
    check(OpenAudio(), "the wave writer opens");
    const auto opened = Clock::now();
    {
        SoundBuffer buffer;
        SoundSource source;
        check(buffer.LoadResource(411), "the ambient sound loads");
        check(source.Attach(&buffer), "the source attaches");
        sleepSeconds(0.3);
        check(source.Play(), "play");
        while (source.IsPlaying() && secondsSince(opened) < 25)
            sleepSeconds(0.05);
        check(!source.IsPlaying(), "a sound that does not loop ends");
        sleepSeconds(0.4);
    }
    CloseAudio(); // the writer completes the file's sizes when the device closes
    Recording recording;
    check(readRecording(output, recording), "the wave writer's file reads");
    std::filesystem::remove(output);
    // The span between the first and the last audible 50 ms.
    const double window = 0.05;
    double first = -1, last = -1;
    for (double t = 0; t + window <= recording.mono.size() / double(recording.rate); t += window)
        if (recording.rms(t, t + window) > 0.005) {
            if (first < 0) first = t;
            last = t + window;
        }
    std::fprintf(stderr, "audible from %.2f s to %.2f s\n", first, last);
    check(first >= 0, "the sound is heard");
    check(std::abs((last - first) - 124783 / 8000.0) < 0.35, "it plays for its whole length");
    check(recording.rms(first, last) > 0.03, "at a clearly audible level");
    endChild();
}

void levelIndependentOfDistance() {
    const auto output = tempPath("tone.wav");
    useOpenAlConfig(waveWriterConfig(output));
    check(OpenAudio(), "the wave writer opens");
    const auto opened = Clock::now();
    double played = 0, moved = 0, stopped = 0;
    {
        const std::vector<std::uint8_t> tone = toneWave();
        SoundBuffer buffer;
        SoundSource source;
        check(buffer.LoadMemory(tone.data(), tone.size()), "the tone loads");
        source.SetLooping(true);
        check(source.Attach(&buffer), "the source attaches");
        alListener3f(AL_POSITION, 0, 0, 2);
        check(source.Play(), "play");
        played = secondsSince(opened);
        sleepSeconds(0.9);
        // Walk 6 km away and turn round, as an observer may.
        const float away[6] = {0, -1, 0, 0, 0, 1};
        alListener3f(AL_POSITION, 5000, -3000, 400);
        alListenerfv(AL_ORIENTATION, away);
        moved = secondsSince(opened);
        sleepSeconds(0.9);
        stopped = secondsSince(opened);
        source.Stop();
    }
    CloseAudio();
    Recording recording;
    check(readRecording(output, recording), "the wave writer's file reads");
    std::filesystem::remove(output);
    const double near = recording.rms(played + 0.25, moved - 0.1);
    const double far = recording.rms(moved + 0.25, stopped - 0.1);
    std::fprintf(stderr, "level near %.4f, far %.4f\n", near, far);
    check(near > 0.02, "the tone is heard");
    check(std::abs(far - near) < 0.1 * near, "the level does not change with distance");
    endChild();
}

} // namespace

TEST(AudioDeathTest, WithoutADeviceEverythingReportsFalse) {
    EXPECT_EXIT(withoutDevice(), ::testing::ExitedWithCode(0), "");
}

TEST(AudioDeathTest, AmbientSoundPlaysToItsEnd) {
    EXPECT_EXIT(playAmbientToItsEnd(), ::testing::ExitedWithCode(0), "");
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
    static int sampleOffset(const SoundSource& source) {
        ALint offset = 0;
        alGetSourcei(source.Name(), AL_SAMPLE_OFFSET, &offset);
        return offset;
    }
    static inline bool open = false;
};

TEST_F(Sound, BuiltInSoundDecodesAsMonoEightBitAt8000Hz) {
    SoundBuffer buffer;
    ASSERT_TRUE(buffer.LoadResource(411));
    EXPECT_TRUE(buffer.IsLoaded());
    EXPECT_EQ(buffer.Format(), AL_FORMAT_MONO8);
    EXPECT_EQ(buffer.Frequency(), 8000);
    EXPECT_EQ(buffer.Size(), 124783);
    ALint bits = 0;
    alGetBufferi(buffer.Name(), AL_BITS, &bits);
    EXPECT_EQ(bits, 8);
}

TEST_F(Sound, MissingOrBrokenSoundsDoNotLoad) {
    SoundBuffer buffer;
    EXPECT_FALSE(buffer.LoadResource(412)) << "a picture id is not a sound";
    const std::uint8_t garbage[] = "RIFF but not a wave at all";
    EXPECT_FALSE(buffer.LoadMemory(garbage, sizeof garbage));
    EXPECT_FALSE(buffer.IsLoaded());
    SoundSource source;
    EXPECT_FALSE(source.Attach(nullptr));
    EXPECT_FALSE(source.Attach(&buffer));
    EXPECT_FALSE(source.IsCreated());
    EXPECT_FALSE(source.Play());
}

TEST_F(Sound, SecondAttachMakesANewSourceAndKeepsLooping) {
    SoundBuffer buffer;
    ASSERT_TRUE(buffer.LoadResource(411));
    SoundSource source;
    source.SetLooping(true);
    ASSERT_TRUE(source.Attach(&buffer));
    ASSERT_TRUE(source.Attach(&buffer));
    EXPECT_TRUE(source.IsLooping());
    ASSERT_TRUE(source.Play());
    EXPECT_TRUE(source.IsPlaying());
    source.SetLooping(false);
    EXPECT_FALSE(source.IsLooping());
    EXPECT_TRUE(source.Stop());
    EXPECT_FALSE(source.IsPlaying());
}

TEST_F(Sound, PlayingAgainRestartsFromTheBeginning) {
    SoundBuffer buffer;
    ASSERT_TRUE(buffer.LoadResource(411));
    SoundSource source;
    ASSERT_TRUE(source.Attach(&buffer));
    ASSERT_TRUE(source.Play());
    sleepSeconds(0.5);
    const int advanced = sampleOffset(source);
    EXPECT_GT(advanced, 1000) << "the null device plays in real time";
    ASSERT_TRUE(source.Play());
    EXPECT_LT(sampleOffset(source), advanced);
    EXPECT_TRUE(source.IsPlaying());
}

// A second build loads the same sound again: the source keeps playing it.
TEST_F(Sound, LoadingTheSameSoundAgainKeepsTheAttachedBuffer) {
    SoundBuffer buffer;
    ASSERT_TRUE(buffer.LoadResource(411));
    const unsigned int name = buffer.Name();
    SoundSource source;
    source.SetLooping(true);
    ASSERT_TRUE(source.Attach(&buffer));
    ASSERT_TRUE(source.Play());
    ASSERT_TRUE(buffer.LoadResource(411));
    EXPECT_EQ(buffer.Name(), name);
    EXPECT_EQ(source.Buffer(), &buffer);
    EXPECT_TRUE(source.IsPlaying());
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
