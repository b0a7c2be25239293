#include "ui/files/FileLists.h"
#include "ui/toolkit/ListBox.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A fresh folder standing for the program's working folder.
class FileLists : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ventrix-files-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        root = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    void touch(const fs::path& relative, const std::string& text = "") {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative) << text;
    }
    void makeFolder(const fs::path& relative) { fs::create_directories(root / relative); }

    using Names = std::vector<std::string>;
    std::string folder() const { return root.string(); }

    fs::path root;
    ListBox list;
};

} // namespace

TEST_F(FileLists, LandsAreTheLandsFolderEntriesAsOnDisk) {
    makeFolder("lands/Coast");
    makeFolder("lands/alps");
    makeFolder("lands/Brevent");
    fillLands(list, folder());
    EXPECT_EQ(list.items, (Names{"alps", "Brevent", "Coast"}))
        << "the search's order, names as they are on disk";
}

TEST_F(FileLists, TheFolderItselfAndItsParentAreNoLands) {
    makeFolder("lands");
    list.addItem("old");
    fillLands(list, folder());
    EXPECT_TRUE(list.items.empty());
    makeFolder("lands/ridge");
    fillLands(list, folder());
    EXPECT_EQ(list.items, Names{"ridge"});
}

TEST_F(FileLists, GlidersAreTheEntriesWithoutAnExtension) {
    makeFolder("gliders/ASW28");
    makeFolder("gliders/pike");
    touch("gliders/readme.txt");
    fillGliders(list, folder());
    EXPECT_EQ(list.items, (Names{"ASW28", "pike"}));
}

TEST_F(FileLists, SavedGamesMatchTheirEndingInAnyCase) {
    touch("Run1.SAV");
    touch("evening.sav");
    touch("notes.txt");
    touch("old.sav.bak");
    touch("flight.rec");
    fillSaves(list, folder());
    EXPECT_EQ(list.items, (Names{"evening.sav", "Run1.SAV"}))
        << "listed as on disk, so the name opens the file";
    for (const std::string& name : list.items)
        EXPECT_TRUE(fs::exists(root / name)) << name;
    fillDemos(list, folder());
    EXPECT_EQ(list.items, Names{"flight.rec"});
}

TEST_F(FileLists, ASearchThatFindsNothingEmptiesTheList) {
    touch("one.sav");
    fillSaves(list, folder());
    ASSERT_EQ(list.items, Names{"one.sav"});
    list.selected = 0;
    fs::remove(root / "one.sav");
    fillSaves(list, folder());
    EXPECT_TRUE(list.items.empty()) << "a deleted game is no longer offered";
    EXPECT_EQ(list.selected, -1);

    list.addItem("stale");
    fillLands(list, (root / "missing").string());
    EXPECT_TRUE(list.items.empty()) << "a missing folder lists nothing";
}

TEST_F(FileLists, RefillingReplacesTheItemsAndTheSelection) {
    touch("a.sav");
    touch("b.sav");
    fillSaves(list, folder());
    list.selected = 1;
    touch("c.sav");
    fillSaves(list, folder());
    EXPECT_EQ(list.items, (Names{"a.sav", "b.sav", "c.sav"}));
    EXPECT_EQ(list.selected, -1);
}

TEST_F(FileLists, ServersAreReadUpToTheFirstMissingNumber) {
    touch("ventrix.ini", "screen.width = \"800\"\n"
                         "server1 = \"alpha.example.org\"\n"
                         "server2 = \"beta.example.org:4000\"\n"
                         "server4 = \"after the gap\"\n");
    list.addItem("kept");
    fillServers(list, folder());
    EXPECT_EQ(list.items, (Names{"kept", "alpha.example.org", "beta.example.org:4000"}))
        << "the list is not cleared first; server4 follows a gap";
}

TEST_F(FileLists, AGapAtTheFirstServerListsNone) {
    touch("ventrix.ini", "server2 = \"b\"\nserver3 = \"c\"\n");
    fillServers(list, folder());
    EXPECT_TRUE(list.items.empty());
    fillServers(list, (root / "missing").string());
    EXPECT_TRUE(list.items.empty());
}

TEST_F(FileLists, OnlyTheFirstServerOfAGapIsListed) {
    touch("ventrix.ini", "server1 = \"a\"\nserver3 = \"c\"\n");
    EXPECT_EQ(readServers(folder()), Names{"a"});
}
