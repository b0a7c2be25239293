#include "io/KeyValueFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <random>
#include <sstream>

#include "support/WorkingFolder.h"

namespace fs = std::filesystem;

namespace {

KeyValueFile fromText(const std::string& text) {
    KeyValueFile file;
    file.openText(text);
    return file;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::size_t entryCount() {
    return std::distance(fs::directory_iterator("."), fs::directory_iterator());
}

constexpr const char* absent = "<absent>";

} // namespace

TEST(KeyValueFile, LookupsFindWholeKeysFirstOnTheirLineOutsideComments) {
    struct Row {
        const char* name;
        std::string text;
        const char* key;
        const char* value; // absent: no such entry
    };
    const std::string comments = "a = \"1\"\n// b = \"2\"\nx = \"3\" // the third\n";
    const std::string spaced =
        "app.widthX = \"1\"\nq app.width = \"2\"\n \t app.width  \t=   \"3\"\n";
    const std::string empties = "a =\nb = // nothing\nc = \"\"\n";
    const std::string multi = "v = \"1 2 3\n// a comment \"quoted\"\n4 5 6\" // tail\nw = \"7\"\n";
    const std::string quoteInComment = "u = \"a // b\"\nc\"\nnext = \"1\"\n";
    const std::string unquoted = "w = 1024  \nh = 768 // tall\nname=ridge\n";
    const std::string crlf = "a = \"1\"\r\nflag = \"TRUE\"\r\nb = 2\r\n";
    const Row rows[] = {
        {"plain", comments, "a", "1"},
        {"commented out", comments, "b", absent},
        {"comment behind", comments, "x", "3"},
        {"spaces and tabs", spaced, "app.width", "3"},
        {"prefix", spaced, "app.wid", absent},
        {"first word without =", spaced, "q", absent},
        {"case", spaced, "App.width", absent},
        {"first duplicate", "k = \"first\"\nk = \"second\"\n", "k", "first"},
        {"no value", empties, "a", ""},
        {"comment only", empties, "b", ""},
        {"empty quotes", empties, "c", ""},
        {"multi-line", multi, "v", "1 2 3\n\n4 5 6"},
        {"after multi-line", multi, "w", "7"},
        {"quote in comment", quoteInComment, "u", "a \nc"},
        {"after it", quoteInComment, "next", "1"},
        {"unquoted", unquoted, "w", "1024"},
        {"unquoted comment", unquoted, "h", "768"},
        {"no spaces", unquoted, "name", "ridge"},
        {"crlf", crlf, "b", "2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        KeyValueFile file = fromText(row.text);
        EXPECT_EQ(file.find(row.key), row.value != absent);
        if (row.value != absent)
            EXPECT_EQ(file.getString(row.key), row.value);
        else
            EXPECT_EQ(file.entry().valueStart, KeyValueFile::none);
    }
    EXPECT_EQ(fromText(crlf).text(), "a = \"1\"\nflag = \"TRUE\"\nb = 2\n");
    KeyValueFile file = fromText(spaced);
    ASSERT_TRUE(file.find("app.width"));
    EXPECT_EQ(file.entry().lineStart, file.text().find(" \t app.width"));
}

TEST(KeyValueFile, TypedReadsTakeTheLeadingNumberOrTheDefault) {
    KeyValueFile file = fromText(
        "i = \"  -12abc\"\nf = \" 2.5e1 metres\"\nn = \"abc\"\np = \"+7\"\nbig = \"99999999999\"\n"
        "neg = \"-99999999999\"\ndot = \".5\"\ninf = \"inf\"\nhex = \"0x10\"\n"
        "huge = \"+99999999999999999999\"\ntiny = \"-99999999999999999999\"\ne = \"\"\n"
        "a = \"1 2\tx 4\"\nfa = \"0.5 -1e2 +3 .25 end 9\"\no = \"1 99999999999 3\"\n"
        "t1 = \"TRUE\"\nt2 = \"true\"\nf1 = \"FALSE\"\nf2 = \"0\"\nf3 = \"yes\"\nf4 = \"True\"\n");
    constexpr int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
    const std::pair<const char*, int> ints[] = {
        {"i", -12},    {"n", 0},         {"p", 7},   {"big", top}, {"neg", bottom},
        {"huge", top}, {"tiny", bottom}, {"hex", 0}, {"e", 42},    {"missing", 42}};
    for (const auto& [key, expected] : ints)
        EXPECT_EQ(file.getInt(key, 42), expected) << key;
    const std::pair<const char*, float> floats[] = {
        {"f", 25.0f}, {"n", 0.0f}, {"dot", 0.5f}, {"inf", 0.0f}, {"i", -12.0f}, {"missing", 2.5f}};
    for (const auto& [key, expected] : floats)
        EXPECT_FLOAT_EQ(file.getFloat(key, 2.5f), expected) << key;
    for (const char* key : {"t1", "t2"})
        EXPECT_TRUE(file.getBool(key, false)) << key;
    for (const char* key : {"f1", "f2", "f3", "f4"})
        EXPECT_FALSE(file.getBool(key, true)) << key;
    EXPECT_TRUE(file.getBool("e", true));
    EXPECT_FALSE(file.getBool("e", false));
    EXPECT_EQ(file.getIntArray("a", {}), (std::vector<int>{1, 2}));
    EXPECT_EQ(file.getFloatArray("fa", {}), (std::vector<float>{0.5f, -100.0f, 3.0f, 0.25f}));
    EXPECT_EQ(file.getIntArray("e", {7, 8}), (std::vector<int>{7, 8}));
    EXPECT_EQ(file.getFloatArray("missing", {1.5f}), (std::vector<float>{1.5f}));
    EXPECT_EQ(file.getIntArray("o", {}), (std::vector<int>{1}));
    std::string numbers;
    for (int i = 0; i < 1000; ++i)
        numbers += std::to_string(i) + (i % 10 == 9 ? "\n" : " ");
    const std::vector<int> read = fromText("big = \"" + numbers + "\"\n").getIntArray("big", {});
    ASSERT_EQ(read.size(), 1000u);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(read[i], i);
}

TEST(KeyValueFile, SetValueEditsInPlaceOrAppends) {
    const struct {
        const char *text, *key, *value, *expected;
    } rows[] = {
        {"a = \"1\"  // keep me\nb = \"2\"\n", "a", "100", "a = \"100\"  // keep me\nb = \"2\"\n"},
        {"a =   // empty\n", "a", "5", "a = \"5\"   // empty\n"},
        {"k = \"first\"\nk = \"second\"\n", "k", "x", "k = \"x\"\nk = \"second\"\n"},
        {"w = 1024  \nh = 768 // tall\n", "h", "600", "w = 1024  \nh = \"600\" // tall\n"},
        {"a = \"1\"\n", "b", "2", "a = \"1\"\nb = \"2\"\n"},
        {"a = \"1\"", "b", "2", "a = \"1\"\nb = \"2\"\n"},
        {"", "x", "y", "x = \"y\"\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        KeyValueFile file = fromText(row.text);
        file.setValue(row.key, row.value);
        EXPECT_EQ(file.text(), row.expected);
        EXPECT_EQ(file.getString(row.key), row.value) << "the positions follow the edit";
    }
}

TEST(KeyValueFile, SectionsRunToTheNextUncommentedBracketAndTakeInsertions) {
    const std::string text = "a = \"1\"\n  [Spot]\ns = \"x\"\n// [not a heading]\n// [\nt = \"y\"\n"
                             "[Next]\nn = \"1\"\n";
    KeyValueFile file = fromText(text);
    ASSERT_TRUE(file.findSection("Spot"));
    EXPECT_EQ(file.sectionStart(), text.find("  [Spot]"));
    EXPECT_EQ(file.sectionEnd(), text.find("\n[Next]"));
    file.setValue("n", "a longer value"); // an edit after the section leaves it as it is
    EXPECT_EQ(file.sectionEnd(), text.find("\n[Next]"));
    file.setValue("a", "22"); // an edit before it shifts it
    EXPECT_EQ(file.sectionStart(), text.find("  [Spot]") + 1);
    file.setValue("u", "2"); // a new key goes right after the heading, inside the section
    EXPECT_EQ(file.sectionStart(), text.find("  [Spot]") + 1);
    EXPECT_EQ(file.sectionEnd(), file.text().find("\n[Next]"));
    EXPECT_EQ(file.text().find("u = \"2\"\n"), file.text().find("[Spot]\n") + 7);
    EXPECT_FALSE(file.findSection("not a heading"));
    file.setSection("Spot", "[Spot]\nnew = \"1\"");
    EXPECT_EQ(file.text(), "a = \"22\"\n[Spot]\nnew = \"1\"\n[Next]\nn = \"a longer value\"\n");
    EXPECT_EQ(file.getInt("new", 0), 1);

    KeyValueFile bare = fromText("a = \"1\"\n");
    bare.setSection("Spot", "[Spot]\ns = \"1\"\n");
    EXPECT_EQ(bare.text(), "a = \"1\"\n\n[Spot]\ns = \"1\"\n");
    ASSERT_TRUE(bare.findSection("Spot"));
    EXPECT_EQ(bare.sectionEnd(), bare.text().size());
    bare.setSection("Spot", "[Spot]\ns = \"2\"\n");
    EXPECT_EQ(bare.text(), "a = \"1\"\n\n[Spot]\ns = \"2\"\n");
    ASSERT_FALSE(bare.findSection("Missing"));
    bare.setValue("tail", "t");
    EXPECT_EQ(bare.text().substr(bare.text().size() - 11), "tail = \"t\"\n");
}

// The index must find exactly what the plain top-down search finds, on any text,
// and after edits must not answer from positions found before them.
TEST(KeyValueFile, IndexAgreesWithThePlainSearchOnRandomTextsAndEdits) {
    std::mt19937 rng(12345);
    const std::string alphabet = "ab  \t==\"\"//\n\n[]1x.";
    const std::vector<std::string> keys = {"a",   "b",  "ab",  "a.b", "x",   "1",   "/a", "a/",
                                           "[a]", " a", "a b", "a=",  "//a", "\na", "aa", "b1"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 80)(rng);
        for (int i = 0; i < length; ++i)
            text +=
                alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
        KeyValueFile indexed = fromText(text);
        KeyValueFile scanned = fromText(text);
        if (round % 2 == 1) {
            indexed.find("a"); // built before the edit, must not survive it
            indexed.setValue("b", "long value");
            scanned.setValue("b", "long value");
        }
        for (const std::string& key : keys) {
            ASSERT_EQ(indexed.find(key), scanned.findByScan(key))
                << "[" << key << "] in [" << text << "]";
            ASSERT_EQ(indexed.entry().lineStart, scanned.entry().lineStart);
            ASSERT_EQ(indexed.entry().lineEnd, scanned.entry().lineEnd);
            ASSERT_EQ(indexed.entry().valueStart, scanned.entry().valueStart);
            ASSERT_EQ(indexed.entry().valueEnd, scanned.entry().valueEnd);
        }
    }
    KeyValueFile file = fromText("a = \"1\"\nb = \"2\"\n");
    EXPECT_TRUE(file.find("b"));
    file.setSection("S", "[S]\nd = \"4\"\n");
    EXPECT_EQ(file.value(), "") << "positions found before an edit are dropped, not reused";
    file.openText("b = \"9\"\n");
    EXPECT_EQ(file.getInt("b", 0), 9);
    EXPECT_FALSE(file.find("d"));
}

// Copies and moves must not look up through an index that points into another
// object's text. A short text lives inside the object (a change to the source
// shows at once), a long one on the heap (AddressSanitizer sees the freed text).
TEST(KeyValueFile, CopiesAndMovesKeepWorkingLookups) {
    for (const std::string& tail : {std::string(), std::string(200, '\n')}) {
        SCOPED_TRACE(tail.size());
        const auto indexed = [&] {
            auto file = std::make_unique<KeyValueFile>(fromText("w = \"1\"\n" + tail));
            EXPECT_TRUE(file->find("w"));
            return file;
        };
        auto source = indexed();
        KeyValueFile copied(*source);
        KeyValueFile assigned = fromText("x = \"0\"\n");
        EXPECT_TRUE(assigned.find("x"));
        assigned = *source;
        source->openText("v = \"2\"\n" + tail);
        source.reset();
        auto movedFrom = indexed();
        KeyValueFile moved(std::move(*movedFrom));
        auto moveAssignedFrom = indexed();
        KeyValueFile moveAssigned = fromText("x = \"0\"\n");
        EXPECT_TRUE(moveAssigned.find("x"));
        moveAssigned = std::move(*moveAssignedFrom);
        for (KeyValueFile* file : {&copied, &assigned, &moved, &moveAssigned}) {
            EXPECT_EQ(file->getInt("w", 0), 1);
            EXPECT_FALSE(file->find("x"));
        }
    }
}

TEST(KeyValueFile, WritesReplaceWholeFilesOrFailLeavingTheOldOne) {
    testsupport::WorkingFolder folder("kvf");
    const std::string text = "// settings\napp.width = \"800\"\n\n[Spot]\nv = \"1\n2 // c\n3\"\n";
    ASSERT_TRUE(fromText(text).write("a.ini"));
    EXPECT_EQ(readBytes("a.ini"), text);
    KeyValueFile in;
    ASSERT_TRUE(in.open("a.ini"));
    EXPECT_EQ(in.text(), text);
    EXPECT_EQ(entryCount(), 1u) << "no temporary file may be left behind";

    KeyValueFile fresh;
    EXPECT_FALSE(KeyValueFile::exists("new.ini"));
    EXPECT_FALSE(fresh.open("new.ini"));
    EXPECT_FALSE(fresh.open(nullptr));
    fresh.setValue("w", "800");
    ASSERT_TRUE(fresh.write()) << "a missing file keeps its name for the first write";
    EXPECT_EQ(readBytes("new.ini"), "w = \"800\"\n");

    KeyValueFile noName = fromText("a = \"1\"\n");
    EXPECT_FALSE(noName.write());
    EXPECT_FALSE(noName.write("no/such/folder/x.ini"));
    fs::create_directory("dir");
    EXPECT_FALSE(noName.write("dir")) << "a folder cannot be replaced by a file";
    EXPECT_TRUE(fs::is_directory("dir"));
    EXPECT_FALSE(noName.open("dir"));
    EXPECT_EQ(entryCount(), 3u);

    std::ofstream("kept.ini") << "old\n";
    fs::permissions("kept.ini", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("kept.ini", "link.ini");
    ASSERT_TRUE(fromText("new\n").write("link.ini"));
    EXPECT_TRUE(fs::is_symlink("link.ini")) << "writing through a link replaces the linked file";
    EXPECT_EQ(readBytes("kept.ini"), "new\n");
    EXPECT_EQ(fs::status("kept.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    std::ofstream("crlf.ini", std::ios::binary) << "a = \"1\"\r\nb = \"2\"\r\n";
    ASSERT_TRUE(in.open("crlf.ini"));
    EXPECT_EQ(in.text(), "a = \"1\"\nb = \"2\"\n");
}
