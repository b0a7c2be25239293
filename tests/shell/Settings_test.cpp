#include "shell/Settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "io/KeyValueFile.h"
#include "shell/FrameTimer.h"
#include "support/WorkingFolder.h"

namespace {
WindowSettings loadFrom(const std::string& text, bool fullScreenAsked) {
    std::ofstream("ventrix.ini", std::ios::binary) << text;
    KeyValueFile file;
    return loadSettings(file, "ventrix.ini", fullScreenAsked);
}
} // namespace

// Defaults fill what the file lacks; only "TRUE" or "true" is full screen, and asking
// for it on the command line wins over the file.
TEST(Settings, LoadingFillsInTheDefaults) {
    testsupport::WorkingFolder work("ventrix-settings");
    const struct {
        std::string text;
        bool asked;
        WindowSettings expected;
    } cases[] = {{"", false, {800, 600, 32, false}},
                 {"", true, {800, 600, 32, true}},
                 {"app.width = \"1024\"\napp.height = \"768\"\napp.colorbits = \"16\"\n",
                  false,
                  {1024, 768, 16, false}},
                 {"app.fullscreen = \"FALSE\"\n", true, {800, 600, 32, true}},
                 {"app.fullscreen = \"True\"\n", false, {800, 600, 32, false}},
                 {"app.fullscreen = \"true\"\n", false, {800, 600, 32, true}}};
    for (const auto& c : cases) {
        const WindowSettings got = loadFrom(c.text, c.asked);
        EXPECT_EQ(std::make_tuple(got.width, got.height, got.colourBits, got.fullScreen),
                  std::make_tuple(c.expected.width, c.expected.height, c.expected.colourBits,
                                  c.expected.fullScreen))
            << c.text;
    }
}

// Saving keeps unknown lines and writes the window keys after them, in order; a file
// that cannot be written is reported.
TEST(Settings, SavingKeepsUnknownLines) {
    testsupport::WorkingFolder work("ventrix-settings");
    const std::string servers = "// servers\nserver1 = \"a\"\nserver2 = \"b\"\nserver4 = \"d\"\n";
    std::ofstream("ventrix.ini", std::ios::binary) << servers;
    KeyValueFile file;
    loadSettings(file, "ventrix.ini", false);
    EXPECT_EQ(readServerNames(file), (std::vector<std::string>{"a", "b"}));
    for (const WindowSettings& saved :
         {WindowSettings{1000, 750, 24, true}, WindowSettings{640, 480, 16, false}}) {
        ASSERT_TRUE(saveSettings(file, saved));
        std::stringstream written;
        written << std::ifstream("ventrix.ini", std::ios::binary).rdbuf();
        EXPECT_EQ(written.str(), servers + "app.width = \"" + std::to_string(saved.width) +
                                     "\"\napp.height = \"" + std::to_string(saved.height) +
                                     "\"\napp.colorbits = \"" + std::to_string(saved.colourBits) +
                                     "\"\napp.fullscreen = \"" +
                                     (saved.fullScreen ? "TRUE" : "FALSE") + "\"\n");
    }
    KeyValueFile elsewhere;
    loadSettings(elsewhere, "missing/ventrix.ini", false);
    EXPECT_FALSE(saveSettings(elsewhere, {}));
}

TEST(FrameTimer, SecondsSinceStartAndBetweenTicks) {
    FrameTimer timer;
    timer.tickAt(100); // not started: nothing moves
    EXPECT_EQ(timer.now, 0.0);
    timer.startAt(1000, 5000);
    timer.tickAt(6000);
    EXPECT_DOUBLE_EQ(timer.now, 1.0);
    timer.tickAt(6250);
    EXPECT_DOUBLE_EQ(timer.now, 1.25);
    EXPECT_DOUBLE_EQ(timer.elapsed, 0.25);
}
