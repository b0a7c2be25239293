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
    std::stringstream ss;
    ss << std::ifstream(path, std::ios::binary).rdbuf();
    return ss.str();
}

} // namespace

TEST(KeyValueFile, LookupsFindWholeKeysFirstOnTheirLineOutsideComments) {
    const std::string text = "app.widthX = \"1\"\nq app.width = \"2\"\n \t app.width  \t=   \"3\"\n"
                             "v = \"1 2 3\n// a comment \"quoted\"\n4 5 6\" // tail\nw = \"7\"\n"
                             "u = \"a // b\"\nc\"\nnext = \"1\"\na = \"1\"\n// b = \"2\"\n"
                             "x = \"3\" // the third\nk = \"first\"\nk = \"2nd\"\ne =\n"
                             "f = // nothing\ng = \"\"\nwide = 1024  \nh = 768 // tall\n"
                             "name=ridge\r\nc = 2\r\nj =// none\nm = 5 //\n";
    const std::pair<const char*, const char*> found[] = {
        {"a", "1"},         {"x", "3"},       {"k", "first"}, {"e", ""},         {"f", ""},
        {"g", ""},          {"wide", "1024"}, {"h", "768"},   {"name", "ridge"}, {"c", "2"},
        {"app.width", "3"}, {"w", "7"},       {"next", "1"},  {"j", ""},         {"m", "5"}};
    KeyValueFile file = fromText(text);
    for (const auto& [key, value] : found) {
        EXPECT_TRUE(file.find(key)) << key;
        EXPECT_EQ(file.getString(key), value) << key;
    }
    EXPECT_EQ(file.getString("v"), "1 2 3\n\n4 5 6");
    EXPECT_EQ(file.getString("u"), "a \nc");
    for (const char* key : {"b", "app.wid", "q", "App.width"}) {
        EXPECT_FALSE(file.find(key)) << key;
        EXPECT_EQ(file.entry().valueStart, KeyValueFile::none) << key;
    }
    // Only returns that end a line go; a NUL is part of the key, for the index as for the scan.
    EXPECT_EQ(fromText("a = \"1\"\r\r\nb = 2\r\nc = \"x\ry\"\r").text(),
              "a = \"1\"\nb = 2\nc = \"x\ry\"\r");
    KeyValueFile nul = fromText(std::string("a\0b = \"1\"\nc = \"2\"\n", 18));
    EXPECT_EQ(nul.getString(std::string("a\0b", 3)), "1");
    EXPECT_FALSE(nul.find("a"));
}

TEST(KeyValueFile, TypedReadsTakeTheLeadingNumberOrTheDefault) {
    KeyValueFile file = fromText(
        "i = \"  -12abc\"\nf = \" 2.5e1 metres\"\nn = \"abc\"\np = \"+7\"\nbig = \"99999999999\"\n"
        "huge = \"+99999999999999999999\"\ntiny = \"-99999999999999999999\"\n"
        "neg = \"-99999999999\"\ndot = \".5\"\ninf = \"inf\"\nhex = \"0x10\"\ne = \"\"\n"
        "a = \"1 2\tx 4\"\nfa = \"0.5 -1e2 +3 .25 end 9\"\no = \"1 99999999999 3\"\n"
        "t1 = \"TRUE\"\nt2 = \"true\"\nf1 = \"FALSE\"\nf2 = \"0\"\nf3 = \"yes\"\nf4 = \"True\"\n");
    constexpr int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
    const std::pair<const char*, int> ints[] = {
        {"i", -12}, {"n", 0},        {"p", 7},      {"big", top},     {"hex", 0},
        {"e", 42},  {"neg", bottom}, {"huge", top}, {"tiny", bottom}, {"missing", 42}};
    for (const auto& [key, expected] : ints)
        EXPECT_EQ(file.getInt(key, 42), expected) << key;
    const std::pair<const char*, float> floats[] = {
        {"f", 25.0f}, {"n", 0.0f}, {"dot", 0.5f}, {"inf", 0.0f}, {"i", -12.0f}, {"missing", 2.5f}};
    for (const auto& [key, expected] : floats)
        EXPECT_FLOAT_EQ(file.getFloat(key, 2.5f), expected) << key;
    for (const char* key : {"t1", "t2", "f1", "f2", "f3", "f4"})
        EXPECT_EQ(file.getBool(key, key[0] == 'f'), key[0] == 't') << key;
    EXPECT_TRUE(file.getBool("e", true) && !file.getBool("e", false));
    EXPECT_EQ(file.getIntArray("a", {}), (std::vector<int>{1, 2}));
    EXPECT_EQ(file.getFloatArray("fa", {}), (std::vector<float>{0.5f, -100.0f, 3.0f, 0.25f}));
    EXPECT_EQ(file.getIntArray("e", {7, 8}), (std::vector<int>{7, 8})) << "an empty value";
    EXPECT_EQ(file.getIntArray("o", {}), (std::vector<int>{1}));
}

// Edits keep comments and neighbours, and the section positions follow them.
TEST(KeyValueFile, EditsWorkInPlaceAppendAndMoveTheSection) {
    KeyValueFile edited = fromText("a = \"1\"  // keep me\nb =   // empty\nk = \"first\"\n"
                                   "k = \"second\"\nh = 768 // tall");
    const std::pair<const char*, const char*> edits[] = {
        {"a", "100"}, {"b", "5"}, {"k", "x"}, {"h", "6"}, {"y", ""}};
    for (const auto& [key, value] : edits) {
        edited.setValue(key, value);
        EXPECT_EQ(edited.value(), value) << "the entry stays found through the edit";
    }
    EXPECT_EQ(edited.text(), "a = \"100\"  // keep me\nb = \"5\"   // empty\nk = \"x\"\n"
                             "k = \"second\"\nh = \"6\" // tall\ny = \"\"\n");
    const std::string text = "a = \"1\"\n  [Spot]\ns = \"x\"\n// [not a heading]\n// [\nt = \"y\"\n"
                             "[Next]\nn = \"1\"\n";
    KeyValueFile file = fromText(text);
    ASSERT_TRUE(file.findSection("Spot"));
    EXPECT_EQ(file.sectionStart(), text.find("  [Spot]"));
    EXPECT_EQ(file.sectionEnd(), text.find("\n[Next]"));
    file.setValue("n", "a longer value"); // after the section: it stays
    EXPECT_EQ(file.sectionEnd(), text.find("\n[Next]"));
    file.setValue("a", "22"); // before it: it shifts
    EXPECT_EQ(file.sectionStart(), text.find("  [Spot]") + 1);
    file.setValue("u", "2"); // a new key goes right after the heading, inside the section
    EXPECT_EQ(file.sectionStart(), text.find("  [Spot]") + 1);
    EXPECT_EQ(file.sectionEnd(), file.text().find("\n[Next]"));
    EXPECT_EQ(file.text(), "a = \"22\"\n  [Spot]\nu = \"2\"\ns = \"x\"\n// [not a heading]\n// [\n"
                           "t = \"y\"\n[Next]\nn = \"a longer value\"\n");
    file.setSection("Spot", "[Spot]\nnew = \"1\"");
    EXPECT_EQ(file.text(), "a = \"22\"\n[Spot]\nnew = \"1\"\n[Next]\nn = \"a longer value\"\n");
    EXPECT_EQ(file.getInt("new", 0), 1);

    KeyValueFile swallowed = fromText("first = \"0\"\na = \"1\n[S]\n\"\n");
    ASSERT_TRUE(swallowed.findSection("S"));
    swallowed.setValue("a", "x"); // the open value held the heading: it goes with it
    EXPECT_EQ(swallowed.sectionStart(), KeyValueFile::none);
    KeyValueFile bare = fromText("a = \"1\"\n");
    bare.setSection("Spot", "[Spot]\ns = \"1\"\n");
    bare.setSection("Spot", "[Spot]\ns = \"2\"\n");
    EXPECT_EQ(bare.text(), "a = \"1\"\n\n[Spot]\ns = \"2\"\n");
    ASSERT_TRUE(bare.findSection("Spot"));
    EXPECT_EQ(bare.sectionEnd(), bare.text().size());
    ASSERT_FALSE(bare.findSection("Missing")); // no section: a new key goes at the end
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
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    for (int round = 0; round < 3000; ++round) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, 80)(rng), ' ');
        for (char& c : text)
            c = alphabet[letter(rng)];
        KeyValueFile indexed = fromText(text), scanned = fromText(text);
        if (round % 2 == 1) {
            indexed.find("a"); // built before the edit, must not survive it
            indexed.setValue("b", "long value");
            scanned.setValue("b", "long value");
        }
        for (const std::string& key : keys) {
            ASSERT_EQ(indexed.find(key), scanned.findByScan(key)) << key << " in [" << text << "]";
            const auto &a = indexed.entry(), &b = scanned.entry();
            ASSERT_EQ(std::tie(a.lineStart, a.lineEnd, a.valueStart, a.valueEnd),
                      std::tie(b.lineStart, b.lineEnd, b.valueStart, b.valueEnd));
        }
    }
    KeyValueFile file = fromText("a = \"1\"\nb = \"2\"\n");
    EXPECT_TRUE(file.find("b"));
    file.setSection("S", "[S]\nd = \"4\"\n");
    EXPECT_EQ(file.value(), "") << "positions found before an edit are dropped, not reused";
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
        KeyValueFile copied(*source), assigned = fromText("x = \"0\"\n");
        EXPECT_TRUE(assigned.find("x"));
        assigned = *source;
        source->openText("v = \"2\"\n" + tail);
        EXPECT_EQ(source->getInt("v", 0), 2) << "the new text's own index";
        source.reset();
        auto movedFrom = indexed(), moveAssignedFrom = indexed();
        KeyValueFile moved(std::move(*movedFrom)), moveAssigned = fromText("x = \"0\"\n");
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

    KeyValueFile fresh; // a missing file keeps its name for the first write
    EXPECT_FALSE(KeyValueFile::exists("new.ini") || fresh.open("new.ini") || fresh.open(nullptr));
    fresh.setValue("w", "800");
    ASSERT_TRUE(fresh.write());
    EXPECT_EQ(readBytes("new.ini"), "w = \"800\"\n");

    KeyValueFile noName = fromText("a = \"1\"\n");
    fs::create_directory("dir"); // a folder cannot be replaced by a file
    for (const char* name : {"", "no/such/folder/x.ini", "dir"})
        EXPECT_FALSE(noName.write(*name ? name : nullptr)) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 3)
        << "no temporary file may be left behind";

    std::ofstream("crlf.ini", std::ios::binary) << "a = \"1\"\r\nb = \"2\"\r\n";
    ASSERT_TRUE(in.open("crlf.ini"));
    EXPECT_EQ(in.text(), "a = \"1\"\nb = \"2\"\n");
    EXPECT_FALSE(in.open("dir")) << "a folder is not a file";
}
