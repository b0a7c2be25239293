#include "shell/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "io/KeyValueFile.h"
#include "shell/FrameTimer.h"

namespace fs = std::filesystem;

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("settings_" + std::to_string(std::random_device()()));
        fs::create_directories(dir);
        path = (dir / "ventrix.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void writeFile(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string readFile() {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    fs::path dir;
    std::string path;
};

} // namespace

TEST_F(SettingsTest, MissingOrEmptyFileGivesTheDefaults) {
    KeyValueFile file;
    const WindowSettings missing = loadSettings(file, path.c_str(), false);
    EXPECT_EQ(missing.width, 800);
    EXPECT_EQ(missing.height, 600);
    EXPECT_EQ(missing.colourBits, 32);
    EXPECT_FALSE(missing.fullScreen);
    writeFile("");
    KeyValueFile empty;
    EXPECT_TRUE(loadSettings(empty, path.c_str(), true).fullScreen);
}

TEST_F(SettingsTest, FileValuesOverrideDefaultsButNotTheFullScreenRequest) {
    writeFile("app.width = \"1024\"\napp.height = \"768\"\napp.colorbits = \"16\"\n"
              "app.fullscreen = \"FALSE\"\n");
    KeyValueFile file;
    const WindowSettings fromFile = loadSettings(file, path.c_str(), false);
    EXPECT_EQ(fromFile.width, 1024);
    EXPECT_EQ(fromFile.height, 768);
    EXPECT_EQ(fromFile.colourBits, 16);
    EXPECT_FALSE(fromFile.fullScreen);
    KeyValueFile again;
    EXPECT_TRUE(loadSettings(again, path.c_str(), true).fullScreen);
}

TEST_F(SettingsTest, OnlyUpperOrLowerTrueMeansFullScreen) {
    writeFile("app.fullscreen = \"True\"\n");
    KeyValueFile mixed;
    EXPECT_FALSE(loadSettings(mixed, path.c_str(), false).fullScreen);
    writeFile("app.fullscreen = \"TRUE\"\n");
    KeyValueFile upper;
    EXPECT_TRUE(loadSettings(upper, path.c_str(), false).fullScreen);
}

TEST_F(SettingsTest, SavingKeepsUnknownLinesAndAppendsTheWindowKeysInOrder) {
    const std::string servers = "// servers\nserver1 = \"a\"\nserver2 = \"b\"\n";
    writeFile(servers);
    KeyValueFile file;
    loadSettings(file, path.c_str(), false);
    ASSERT_TRUE(saveSettings(file, {1000, 750, 24, true}));
    EXPECT_EQ(readFile(), servers + "app.width = \"1000\"\napp.height = \"750\"\n"
                                    "app.colorbits = \"24\"\napp.fullscreen = \"TRUE\"\n");
    ASSERT_TRUE(saveSettings(file, {640, 480, 16, false}));
    EXPECT_EQ(readFile(), servers + "app.width = \"640\"\napp.height = \"480\"\n"
                                    "app.colorbits = \"16\"\napp.fullscreen = \"FALSE\"\n");
}

TEST_F(SettingsTest, MissingFileIsCreatedAtTheFirstSave) {
    KeyValueFile file;
    loadSettings(file, path.c_str(), false);
    ASSERT_TRUE(saveSettings(file, {}));
    KeyValueFile reread;
    const WindowSettings back = loadSettings(reread, path.c_str(), false);
    EXPECT_EQ(back.width, 800);
    EXPECT_EQ(back.height, 600);
    EXPECT_EQ(back.colourBits, 32);
}

TEST_F(SettingsTest, UnwritableFolderReportsFailure) {
    KeyValueFile file;
    loadSettings(file, (dir / "missing" / "ventrix.ini").c_str(), false);
    EXPECT_FALSE(saveSettings(file, {}));
}

TEST(ServerNames, ListEndsAtTheFirstMissingNumber) {
    KeyValueFile file;
    file.openText("server1 = \"one\"\nserver2 = \"two\"\nserver4 = \"four\"\n"
                  "// server3 = \"commented\"\n");
    EXPECT_EQ(readServerNames(file), (std::vector<std::string>{"one", "two"}));
    KeyValueFile none;
    none.openText("server2 = \"x\"\n");
    EXPECT_TRUE(readServerNames(none).empty());
}

TEST(FrameTimer, SecondsSinceStartAndBetweenTicks) {
    FrameTimer timer;
    timer.tickAt(100); // not started: nothing moves
    EXPECT_EQ(timer.now, 0.0);
    timer.startAt(1000, 5000);
    timer.tickAt(6000);
    EXPECT_DOUBLE_EQ(timer.now, 1.0);
    EXPECT_DOUBLE_EQ(timer.elapsed, 1.0);
    timer.tickAt(6250);
    EXPECT_DOUBLE_EQ(timer.now, 1.25);
    EXPECT_DOUBLE_EQ(timer.elapsed, 0.25);
    EXPECT_EQ(timer.lastCount, 6250u);
}
