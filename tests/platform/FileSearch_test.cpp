#include "platform/FileSearch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

class FileSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("filesearch_" + std::to_string(std::random_device()()));
        fs::create_directories(root / "lands" / "Coast");
        fs::create_directories(root / "lands" / "alps");
        fs::create_directories(root / "gliders");
        for (const char* name : {"Run1.SAV", "beta.sav", "Alpha.sav", "notes.txt", "save"}) {
            std::ofstream(root / name) << "x";
        }
        for (const char* name : {"Zephyr", "albatros", "wing.cfg"}) {
            std::ofstream(root / "gliders" / name) << "x";
        }
    }
    void TearDown() override { fs::remove_all(root); }
    std::vector<std::string> search(const std::string& suffix) {
        return searchFiles(root.string() + suffix);
    }
    fs::path root;
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(FileSearchTest, FolderContentsStartWithDotsThenSortWithoutCase) {
    EXPECT_EQ(search("/lands/*"), (Names{".", "..", "alps", "Coast"}));
}

TEST_F(FileSearchTest, ExtensionsMatchWithoutCaseAndNamesStayAsOnDisk) {
    EXPECT_EQ(search("/*.sav"), (Names{"Alpha.sav", "beta.sav", "Run1.SAV"}));
    EXPECT_EQ(search("/*.SAV"), (Names{"Alpha.sav", "beta.sav", "Run1.SAV"}));
    EXPECT_EQ(search("/*.rec"), Names{});
}

TEST_F(FileSearchTest, TrailingDotMatchesNamesWithoutExtension) {
    EXPECT_EQ(search("/gliders/*."), (Names{".", "..", "albatros", "Zephyr"}));
}

TEST_F(FileSearchTest, MissingFolderFindsNothing) {
    EXPECT_TRUE(search("/nowhere/*").empty());
    EXPECT_TRUE(search("/notes.txt/*").empty()) << "a file is not a folder";
}

TEST(Wildcard, StarAndQuestionMark) {
    EXPECT_TRUE(matchesWildcard("*", "."));
    EXPECT_TRUE(matchesWildcard("*.sav", "a.b.SAV"));
    EXPECT_FALSE(matchesWildcard("*.sav", "a.save"));
    EXPECT_FALSE(matchesWildcard("*.sav", "."));
    EXPECT_TRUE(matchesWildcard("r?n*.sav", "run1.sav"));
    EXPECT_FALSE(matchesWildcard("r?n*.sav", "rn1.sav"));
    EXPECT_TRUE(matchesWildcard("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(matchesWildcard("*a*b", "xxaxxbxxc"));
    EXPECT_FALSE(matchesWildcard("*.", "a.b"));
    EXPECT_TRUE(matchesWildcard("*.", "abc"));
}
