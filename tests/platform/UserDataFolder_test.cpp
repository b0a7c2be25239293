#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/UserDataFolder.h"
#include "support/WorkingFolder.h"

namespace fs = std::filesystem;

namespace {

void write(const fs::path& file, const std::string& text) {
    if (file.has_parent_path()) fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

std::string read(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

// The first run fills the user's folder; later runs add what is new and never
// overwrite a file the user changed.
TEST(UserDataFolder, CopiesOnlyWhatTheUserLacks) {
    testsupport::WorkingFolder work;
    write("share/lands/ridge/ridge.map", "shipped map");
    write("share/ridge.sav", "shipped game");
    EXPECT_EQ(copyMissing("share", "home/ventrix"), "");
    EXPECT_EQ(read("home/ventrix/lands/ridge/ridge.map"), "shipped map");

    write("home/ventrix/ridge.sav", "the user's game");
    write("share/lands/field/field.map", "new land");
    EXPECT_EQ(copyMissing("share", "home/ventrix"), "");
    EXPECT_EQ(read("home/ventrix/ridge.sav"), "the user's game");
    EXPECT_EQ(read("home/ventrix/lands/field/field.map"), "new land");

    write("blocked", "a file where the folder should be");
    EXPECT_NE(copyMissing("share", "blocked/ventrix"), "") << "a failure is reported";
}

TEST(UserDataFolder, FollowsTheEnvironment) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("VENTRIX_HOME", "/tmp/own", 1);
    EXPECT_EQ(userDataFolder(), fs::path("/tmp/own"));
    ::unsetenv("VENTRIX_HOME");
    ::setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(userDataFolder(), fs::path("/tmp/xdg/ventrix"));
    ::setenv("XDG_DATA_HOME", "relative", 1);
    ::setenv("HOME", "/home/pilot", 1);
    EXPECT_EQ(userDataFolder(), fs::path("/home/pilot/.local/share/ventrix"));
    EXPECT_EQ(installedDataFolder(), fs::path()) << "a test program is not installed";
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", home.c_str(), 1);
}
