#include "io/KeyValueFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>
#include <memory>
#include <random>
#include <sstream>

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

class TempDir {
  public:
    TempDir() {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("kvf_test_" + std::to_string(rd()));
        fs::create_directories(dir);
    }
    ~TempDir() { fs::remove_all(dir); }
    fs::path operator/(const std::string& name) const { return dir / name; }
    std::size_t entryCount() const {
        return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
    }
    fs::path dir;
};

} // namespace

// Each text with the keys looked up in it and the value found (none: not found).
TEST(KeyValueLookup, FindsWholeKeysFirstOnTheirLineAndReadsTheirValues) {
    const char* none = nullptr;
    const struct {
        const char* text;
        std::vector<std::pair<const char*, const char*>> lookups;
    } cases[] = {
        {"a = \"1\"\n// b = \"2\"\nx = \"3\" // the third\n", {{"a", "1"}, {"x", "3"}, {"b", none}}},
        {"app.widthX = \"1\"\nq app.width = \"2\"\n \t app.width  \t=   \"3\"\n",
         {{"app.width", "3"}, {"app.wid", none}, {"App.width", none}}},
        {"k = \"first\"\nk = \"second\"\n", {{"k", "first"}}},
        {"a =\nb = // nothing\nc = \"\"\n", {{"a", ""}, {"b", ""}, {"c", ""}}},
        {"v = \"1 2 3\n// a comment \"quoted\"\n4 5 6\" // tail\nw = \"7\"\n",
         {{"v", "1 2 3\n\n4 5 6"}, {"w", "7"}}},
        {"u = \"a // b\"\nc\"\nnext = \"1\"\n", {{"u", "a \nc"}, {"next", "1"}}},
        {"w = 1024  \nh = 768 // tall\nname=ridge\n", {{"w", "1024"}, {"h", "768"}, {"name", "ridge"}}},
        {"a = \"1\"\r\nflag = \"TRUE\"\r\nb = 2\r\n", {{"a", "1"}, {"flag", "TRUE"}, {"b", "2"}}},
    };
    for (const auto& c : cases) {
        for (const auto& [key, value] : c.lookups) {
            SCOPED_TRACE(testing::Message() << key << " in " << c.text);
            KeyValueFile file = fromText(c.text);
            ASSERT_EQ(file.find(key), value != none);
            if (value) {
                EXPECT_EQ(file.value(), value);
                EXPECT_EQ(file.getString(key), value);
            } else {
                EXPECT_EQ(file.entry().valueStart, KeyValueFile::none)
                    << "a failed lookup clears the positions";
            }
        }
    }
    KeyValueFile spaced = fromText(cases[1].text);
    ASSERT_TRUE(spaced.find("app.width"));
    EXPECT_EQ(spaced.entry().lineStart, spaced.text().find(" \t app.width"));
    KeyValueFile empty = fromText(cases[3].text);
    EXPECT_EQ(empty.getInt("a", 42), 42) << "an empty value gives the default";
    EXPECT_EQ(empty.getFloat("missing", 2.5f), 2.5f);
    KeyValueFile crlf = fromText(cases[7].text);
    EXPECT_EQ(crlf.text(), "a = \"1\"\nflag = \"TRUE\"\nb = 2\n");
}

// Numbers read their leading decimal part; only "TRUE" and "true" are true,
// and an empty value gives the default.
TEST(KeyValueTyped, ValuesReadAsNumbersAndBooleans) {
    constexpr int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    const struct {
        const char* value;
        int asInt;
        float asFloat;
        bool asBool;
    } cases[] = {
        {"  -12abc", -12, -12.0f, false}, {" 2.5e1 metres", 2, 25.0f, false},
        {"abc", 0, 0.0f, false},          {"+7", 7, 7.0f, false},
        {"99999999999", big, 1e11f, false}, {"-99999999999", small, -1e11f, false},
        {".5", 0, 0.5f, false},           {"inf", 0, 0.0f, false},
        {"0x10", 0, 0.0f, false},         {"TRUE", 0, 0.0f, true},
        {"true", 0, 0.0f, true},          {"True", 0, 0.0f, false},
        {"FALSE", 0, 0.0f, false},        {"yes", 0, 0.0f, false},
        {"0", 0, 0.0f, false},
    };
    for (const auto& c : cases) {
        KeyValueFile file = fromText(std::string("k = \"") + c.value + "\"\n");
        EXPECT_EQ(file.getInt("k", 5), c.asInt) << c.value;
        EXPECT_FLOAT_EQ(file.getFloat("k", 5), c.asFloat) << c.value;
        EXPECT_EQ(file.getBool("k", !c.asBool), c.asBool) << c.value;
    }
    KeyValueFile empty = fromText("e = \"\"\n");
    EXPECT_TRUE(empty.getBool("e", true));
    EXPECT_FALSE(empty.getBool("e", false));
}

TEST(KeyValueTyped, ArraysStopAtTheFirstNonNumber) {
    KeyValueFile file = fromText("a = \"1 2\tx 4\"\nf = \"0.5 -1e2 +3 .25 end 9\"\ne = \"\"\n"
                                 "o = \"1 99999999999 3\"\n");
    EXPECT_EQ(file.getIntArray("a", {}), (std::vector<int>{1, 2}));
    EXPECT_EQ(file.getFloatArray("f", {}), (std::vector<float>{0.5f, -100.0f, 3.0f, 0.25f}));
    EXPECT_EQ(file.getIntArray("e", {7, 8}), (std::vector<int>{7, 8}));
    EXPECT_EQ(file.getFloatArray("missing", {1.5f}), (std::vector<float>{1.5f}));
    EXPECT_EQ(file.getIntArray("o", {}), (std::vector<int>{1}));
}

TEST(KeyValueTyped, LargeArrayReadsEveryNumber) {
    std::string numbers;
    for (int i = 0; i < 1000; ++i)
        numbers += std::to_string(i) + (i % 10 == 9 ? "\n" : " ");
    KeyValueFile file = fromText("big = \"" + numbers + "\"\n");
    const std::vector<int> read = file.getIntArray("big", {});
    ASSERT_EQ(read.size(), 1000u);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(read[i], i);
}

TEST(KeyValueEdit, SetValueKeepsTheCommentBehindIt) {
    KeyValueFile file = fromText("a = \"1\"  // keep me\nb = \"2\"\n");
    file.setValue("a", "100");
    EXPECT_EQ(file.text(), "a = \"100\"  // keep me\nb = \"2\"\n");
    EXPECT_EQ(file.value(), "100") << "the positions follow the edit";
}

TEST(KeyValueEdit, SetValueChangesTheFirstOfDuplicatesAndQuotesAnUnquotedValue) {
    KeyValueFile duplicates = fromText("k = \"first\"\nk = \"second\"\n");
    duplicates.setValue("k", "changed");
    EXPECT_EQ(duplicates.text(), "k = \"changed\"\nk = \"second\"\n");
    KeyValueFile unquoted = fromText("w = 1024  \nh = 768 // tall\nname=ridge\n");
    unquoted.setValue("h", "600");
    EXPECT_EQ(unquoted.text(), "w = 1024  \nh = \"600\" // tall\nname=ridge\n");
}

TEST(KeyValueEdit, SetValueFillsAnEntryWithoutValue) {
    KeyValueFile file = fromText("a =   // empty\n");
    file.setValue("a", "5");
    EXPECT_EQ(file.text(), "a = \"5\"   // empty\n");
    EXPECT_EQ(file.getInt("a", 0), 5);
}

TEST(KeyValueEdit, SetValueAppendsMissingKeysOnTheirOwnLine) {
    KeyValueFile file = fromText("a = \"1\"\n");
    file.setValue("b", "2");
    EXPECT_EQ(file.text(), "a = \"1\"\nb = \"2\"\n");

    KeyValueFile unfinished = fromText("a = \"1\"");
    unfinished.setValue("b", "2");
    EXPECT_EQ(unfinished.text(), "a = \"1\"\nb = \"2\"\n");
    EXPECT_EQ(unfinished.getString("a"), "1");

    KeyValueFile empty;
    empty.setValue("x", "y");
    EXPECT_EQ(empty.text(), "x = \"y\"\n");
}

TEST(KeyValueEdit, SetValueInsertsAfterTheLastFoundSectionHeading) {
    KeyValueFile file = fromText("top = \"1\"\n[Spot]\nspot1.name = \"a\"\n[Other]\n");
    ASSERT_TRUE(file.findSection("Spot"));
    file.setValue("top", "22"); // an edit before the heading must not lose the section
    file.setValue("spot2.name", "b");
    EXPECT_EQ(file.text(),
              "top = \"22\"\n[Spot]\nspot2.name = \"b\"\nspot1.name = \"a\"\n[Other]\n");

    ASSERT_FALSE(file.findSection("Missing"));
    file.setValue("tail", "t");
    EXPECT_EQ(file.text().substr(file.text().size() - 11), "tail = \"t\"\n");
}

TEST(KeyValueSections, SectionRunsToTheNextUncommentedBracket) {
    const std::string text =
        "a = \"1\"\n  [Spot]\ns = \"x\"\n// [not a heading]\nt = \"y\"\n[Next]\n";
    KeyValueFile file = fromText(text);
    ASSERT_TRUE(file.findSection("Spot"));
    EXPECT_EQ(file.sectionStart(), text.find("  [Spot]"));
    EXPECT_EQ(file.sectionEnd(), text.find("\n[Next]"));
    EXPECT_FALSE(file.findSection("not a heading"));

    file.setSection("Spot", "[Spot]\nnew = \"1\"");
    EXPECT_EQ(file.text(), "a = \"1\"\n[Spot]\nnew = \"1\"\n[Next]\n");
    EXPECT_EQ(file.getInt("new", 0), 1);
}

TEST(KeyValueSections, MissingSectionIsAppendedAndLastSectionRunsToTheEnd) {
    KeyValueFile file = fromText("a = \"1\"\n");
    file.setSection("Spot", "[Spot]\ns = \"1\"\n");
    EXPECT_EQ(file.text(), "a = \"1\"\n\n[Spot]\ns = \"1\"\n");
    ASSERT_TRUE(file.findSection("Spot"));
    EXPECT_EQ(file.sectionEnd(), file.text().size());
    file.setSection("Spot", "[Spot]\ns = \"2\"\n");
    EXPECT_EQ(file.text(), "a = \"1\"\n\n[Spot]\ns = \"2\"\n");
}

// The index must find exactly what the plain top-down search finds, on any text.
TEST(KeyValueIndex, AgreesWithThePlainSearchOnRandomTexts) {
    std::mt19937 rng(12345);
    const std::string alphabet = "ab  \t==\"\"//\n\n[]1x.";
    const std::vector<std::string> keys = {"a",   "b",  "ab",  "a.b", "x",   "1",   "/a", "a/",
                                           "[a]", " a", "a b", "a=",  "//a", "\na", "aa", "b1"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 80)(rng);
        for (int i = 0; i < length; ++i) {
            text +=
                alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
        }
        KeyValueFile indexed = fromText(text);
        KeyValueFile scanned = fromText(text);
        for (const std::string& key : keys) {
            const bool byIndex = indexed.find(key);
            ASSERT_EQ(byIndex, scanned.findByScan(key))
                << "key [" << key << "] in [" << text << "]";
            ASSERT_EQ(indexed.entry().lineStart, scanned.entry().lineStart);
            ASSERT_EQ(indexed.entry().lineEnd, scanned.entry().lineEnd);
            ASSERT_EQ(indexed.entry().valueStart, scanned.entry().valueStart);
            ASSERT_EQ(indexed.entry().valueEnd, scanned.entry().valueEnd);
            ASSERT_EQ(indexed.value(), scanned.value());
        }
    }
}

TEST(KeyValueIndex, EditsAreSeenByLaterLookups) {
    KeyValueFile file = fromText("a = \"1\"\nb = \"2\"\n");
    EXPECT_EQ(file.getInt("b", 0), 2);
    file.setValue("a", "a much longer value than before");
    EXPECT_EQ(file.getInt("b", 0), 2);
    file.setValue("c", "3");
    EXPECT_EQ(file.getInt("c", 0), 3);
    EXPECT_TRUE(file.find("b"));
    file.setSection("S", "[S]\nd = \"4\"\n");
    EXPECT_EQ(file.value(), "") << "positions found before an edit are dropped, not reused";
    EXPECT_EQ(file.getInt("d", 0), 4);
    file.openText("b = \"9\"\n");
    EXPECT_EQ(file.getInt("b", 0), 9);
    EXPECT_FALSE(file.find("c"));
}

// Copies and moves must not look up through an index that points into another
// object's text. A short text lives inside the object (a change to the source
// shows at once), a long one on the heap (AddressSanitizer sees the freed text).
TEST(KeyValueIndex, CopiesAndMovesKeepWorkingLookups) {
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
            EXPECT_TRUE(file->find("w"));
            EXPECT_EQ(file->getInt("w", 0), 1);
            EXPECT_FALSE(file->find("x"));
        }
    }
}

TEST(KeyValueFiles, WrittenTextReadsBackTheSame) {
    TempDir dir;
    const std::string text = "// settings\napp.width = \"800\"\n\n[Spot]\nv = \"1\n2 // c\n3\"\n";
    KeyValueFile out = fromText(text);
    ASSERT_TRUE(out.write((dir / "a.ini").string()));
    EXPECT_EQ(readBytes(dir / "a.ini"), text);
    KeyValueFile in;
    ASSERT_TRUE(in.open((dir / "a.ini").string()));
    EXPECT_EQ(in.text(), text);
    EXPECT_EQ(in.fileName(), (dir / "a.ini").string());
    EXPECT_EQ(dir.entryCount(), 1u) << "no temporary file may be left behind";
}

TEST(KeyValueFiles, MissingFileKeepsItsNameForTheFirstWrite) {
    TempDir dir;
    const std::string name = (dir / "new.ini").string();
    KeyValueFile file;
    EXPECT_FALSE(KeyValueFile::exists(name));
    EXPECT_FALSE(file.open(name));
    EXPECT_FALSE(file.open(nullptr));
    EXPECT_EQ(file.fileName(), name);
    file.setValue("app.width", "800");
    ASSERT_TRUE(file.write());
    EXPECT_TRUE(KeyValueFile::exists(name));
    EXPECT_EQ(readBytes(name), "app.width = \"800\"\n");
}

TEST(KeyValueFiles, FailedWritesReportFalseAndKeepTheOldFile) {
    TempDir dir;
    KeyValueFile noName = fromText("a = \"1\"\n");
    EXPECT_FALSE(noName.write());
    EXPECT_FALSE(noName.write((dir / "no/such/folder/x.ini").string()));
    EXPECT_FALSE(noName.write(dir.dir.string())) << "a folder cannot be replaced by a file";
    EXPECT_TRUE(fs::is_directory(dir.dir));
    EXPECT_EQ(dir.entryCount(), 0u);

    const fs::path kept = dir / "kept.ini";
    std::ofstream(kept) << "old\n";
    fs::permissions(kept, fs::perms::owner_read | fs::perms::owner_write);
    KeyValueFile file = fromText("new\n");
    ASSERT_TRUE(file.write(kept.string()));
    EXPECT_EQ(readBytes(kept), "new\n");
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(KeyValueFiles, WritingThroughALinkReplacesTheLinkedFile) {
    TempDir dir;
    std::ofstream(dir / "real.ini") << "old\n";
    fs::create_symlink("real.ini", dir / "link.ini");
    KeyValueFile file = fromText("new\n");
    ASSERT_TRUE(file.write((dir / "link.ini").string()));
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(readBytes(dir / "real.ini"), "new\n");
}

TEST(KeyValueFiles, OpenReadsCarriageReturnsAsLineFeedsAndRefusesFolders) {
    TempDir dir;
    std::ofstream(dir / "crlf.ini", std::ios::binary) << "a = \"1\"\r\nb = \"2\"\r\n";
    KeyValueFile file;
    ASSERT_TRUE(file.open((dir / "crlf.ini").string()));
    EXPECT_EQ(file.text(), "a = \"1\"\nb = \"2\"\n");
    KeyValueFile folder;
    EXPECT_FALSE(folder.open(dir.dir.string()));
    EXPECT_TRUE(folder.text().empty());
}
