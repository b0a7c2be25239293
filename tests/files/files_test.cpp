#include "ui/files/FileLists.h"
#include "ui/toolkit/ListBox.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/WorkingFolder.h"

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {
void touch(const fs::path& path, const std::string& text = "") {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}
} // namespace

// Every list shows the names as they are on disk, replacing what it held (and its selection);
// "." and ".." are no lands, gliders have no extension, games and demos match in any case.
TEST(FileLists, ListsReplaceTheirItemsWithWhatIsOnDisk) {
    testsupport::WorkingFolder work("ventrix-files");
    const std::string root = work.path().string();
    for (const char* land : {"lands/Coast", "lands/alps", "gliders/ASW28", "gliders/pike"})
        fs::create_directories(work.path() / land);
    for (const char* file :
         {"gliders/readme.txt", "Run1.SAV", "evening.sav", "notes.txt", "old.sav.bak", "f.rec"})
        touch(work.path() / file);
    ListBox list;
    const struct {
        void (*fill)(ListBox&, const std::string&);
        Names expected;
    } cases[] = {{fillLands, {"alps", "Coast"}},
                 {fillGliders, {"ASW28", "pike"}},
                 {fillSaves, {"evening.sav", "Run1.SAV"}},
                 {fillDemos, {"f.rec"}}};
    for (const auto& row : cases) {
        list.addItem("stale");
        list.selected = 0;
        row.fill(list, root);
        EXPECT_EQ(list.items, row.expected);
        EXPECT_EQ(list.selected, -1);
        list.addItem("stale");
        row.fill(list, root + "/missing");
        EXPECT_TRUE(list.items.empty()) << "a missing folder lists nothing";
    }
}

// Servers are read up to the first missing number and added to what the list holds.
TEST(FileLists, ServersStopAtTheFirstGap) {
    testsupport::WorkingFolder work("ventrix-files");
    const std::string root = work.path().string();
    touch(work.path() / "ventrix.ini", "screen.width = \"800\"\nserver1 = \"alpha\"\n"
                                       "server2 = \"beta:4000\"\nserver4 = \"after the gap\"\n");
    ListBox list;
    list.addItem("kept");
    fillServers(list, root);
    EXPECT_EQ(list.items, (Names{"kept", "alpha", "beta:4000"}));
    touch(work.path() / "ventrix.ini", "server2 = \"b\"\n");
    EXPECT_TRUE(readServers(root).empty());
    EXPECT_TRUE(readServers(root + "/missing").empty());
}
