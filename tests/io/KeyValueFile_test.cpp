#include "io/KeyValueFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

TEST(KeyValueLookup, KeysBehindCommentsAreNotEntries) {
    KeyValueFile file = fromText("a = \"1\"\n// b = \"2\"\nx = \"3\" // the third\n");
    EXPECT_EQ(file.getString("a"), "1");
    EXPECT_EQ(file.getInt("x", -1), 3);
    EXPECT_FALSE(file.find("b"));
    EXPECT_EQ(file.entry().valueStart, KeyValueFile::none)
        << "a failed lookup clears the positions";
}

TEST(KeyValueLookup, KeyMustBeWholeAndFirstOnItsLine) {
    KeyValueFile file =
        fromText("app.widthX = \"1\"\nq app.width = \"2\"\n \t app.width  \t=   \"3\"\n");
    EXPECT_EQ(file.getInt("app.width", 0), 3);
    EXPECT_EQ(file.entry().lineStart, file.text().find(" \t app.width"));
    EXPECT_FALSE(file.find("app.wid"));
    EXPECT_FALSE(file.find("App.width")) << "keys are case-sensitive";
}

TEST(KeyValueLookup, FirstOfDuplicateKeysWins) {
    KeyValueFile file = fromText("k = \"first\"\nk = \"second\"\n");
    EXPECT_EQ(file.getString("k"), "first");
    file.setValue("k", "changed");
    EXPECT_EQ(file.text(), "k = \"changed\"\nk = \"second\"\n");
}

TEST(KeyValueLookup, EntryWithoutValueGivesDefaults) {
    KeyValueFile file = fromText("a =\nb = // nothing\nc = \"\"\n");
    for (const char* key : {"a", "b", "c"}) {
        EXPECT_TRUE(file.find(key)) << key;
        EXPECT_EQ(file.getInt(key, 42), 42) << key;
        EXPECT_EQ(file.getString(key), "") << key;
    }
    EXPECT_EQ(file.getFloat("missing", 2.5f), 2.5f);
}

TEST(KeyValueLookup, MultiLineValueDropsComments) {
    KeyValueFile file =
        fromText("v = \"1 2 3\n// a comment \"quoted\"\n4 5 6\" // tail\nw = \"7\"\n");
    EXPECT_EQ(file.getString("v"), "1 2 3\n\n4 5 6");
    EXPECT_EQ(file.getIntArray("v", {}), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(file.getInt("w", 0), 7) << "the value's end must be found past the comment line";
}

TEST(KeyValueLookup, QuoteBehindCommentOnItsLineDoesNotClose) {
    KeyValueFile file = fromText("u = \"a // b\"\nc\"\nnext = \"1\"\n");
    EXPECT_EQ(file.getString("u"), "a \nc");
    EXPECT_EQ(file.getInt("next", 0), 1);
}

TEST(KeyValueLookup, UnquotedValueIsReadWhole) {
    KeyValueFile file = fromText("w = 1024  \nh = 768 // tall\nname=ridge\n");
    EXPECT_EQ(file.getString("w"), "1024");
    EXPECT_EQ(file.getString("h"), "768");
    EXPECT_EQ(file.getString("name"), "ridge");
    file.setValue("h", "600");
    EXPECT_EQ(file.text(), "w = 1024  \nh = \"600\" // tall\nname=ridge\n");
}

TEST(KeyValueLookup, CarriageReturnLineFeedReadsAsLineFeed) {
    KeyValueFile file = fromText("a = \"1\"\r\nflag = \"TRUE\"\r\nb = 2\r\n");
    EXPECT_EQ(file.text(), "a = \"1\"\nflag = \"TRUE\"\nb = 2\n");
    EXPECT_TRUE(file.getBool("flag", false));
    EXPECT_EQ(file.getString("b"), "2");
}

TEST(KeyValueTyped, BooleansAcceptOnlyTrueSpellings) {
    KeyValueFile file = fromText("t1 = \"TRUE\"\nt2 = \"true\"\nf1 = \"FALSE\"\nf2 = \"false\"\n"
                                 "f3 = \"0\"\nf4 = \"yes\"\nf5 = \"True\"\ne = \"\"\n");
    EXPECT_TRUE(file.getBool("t1", false));
    EXPECT_TRUE(file.getBool("t2", false));
    for (const char* key : {"f1", "f2", "f3", "f4", "f5"})
        EXPECT_FALSE(file.getBool(key, true)) << key;
    EXPECT_TRUE(file.getBool("e", true));
    EXPECT_FALSE(file.getBool("e", false));
}

TEST(KeyValueTyped, NumbersReadTheirLeadingPart) {
    KeyValueFile file = fromText("i = \"  -12abc\"\nf = \" 2.5e1 metres\"\nn = \"abc\"\n"
                                 "p = \"+7\"\nbig = \"99999999999\"\nneg = \"-99999999999\"\n"
                                 "dot = \".5\"\ninf = \"inf\"\nhex = \"0x10\"\n"
                                 "huge = \"+99999999999999999999\"\n"
                                 "tiny = \"-99999999999999999999\"\n");
    EXPECT_EQ(file.getInt("i", 0), -12);
    EXPECT_FLOAT_EQ(file.getFloat("f", 0), 25.0f);
    EXPECT_EQ(file.getInt("n", 5), 0);
    EXPECT_EQ(file.getFloat("n", 5), 0.0f);
    EXPECT_EQ(file.getInt("p", 0), 7);
    EXPECT_EQ(file.getInt("big", 0), std::numeric_limits<int>::max());
    EXPECT_EQ(file.getInt("neg", 0), std::numeric_limits<int>::min());
    EXPECT_EQ(file.getInt("huge", 0), std::numeric_limits<int>::max()) << "beyond any integer";
    EXPECT_EQ(file.getInt("tiny", 0), std::numeric_limits<int>::min());
    EXPECT_FLOAT_EQ(file.getFloat("dot", 0), 0.5f);
    EXPECT_EQ(file.getFloat("inf", 1), 0.0f) << "only decimal numbers count";
    EXPECT_EQ(file.getInt("hex", 1), 0);
    EXPECT_FLOAT_EQ(file.getFloat("i", 0), -12.0f);
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
    file.setValue("spot3.name", "c"); // an insertion inside the section keeps its heading
    EXPECT_EQ(file.text(), "top = \"22\"\n[Spot]\nspot3.name = \"c\"\nspot2.name = \"b\"\n"
                           "spot1.name = \"a\"\n[Other]\n");
    EXPECT_EQ(file.sectionStart(), file.text().find("[Spot]"));

    ASSERT_FALSE(file.findSection("Missing"));
    file.setValue("tail", "t");
    EXPECT_EQ(file.text().substr(file.text().size() - 11), "tail = \"t\"\n");
}

TEST(KeyValueSections, SectionRunsToTheNextUncommentedBracket) {
    const std::string text =
        "a = \"1\"\n  [Spot]\ns = \"x\"\n// [not a heading]\n// [\nt = \"y\"\n[Next]\nn = \"1\"\n";
    KeyValueFile file = fromText(text);
    ASSERT_TRUE(file.findSection("Spot"));
    EXPECT_EQ(file.sectionStart(), text.find("  [Spot]"));
    EXPECT_EQ(file.sectionEnd(), text.find("\n[Next]"));
    file.setValue("n", "a longer value"); // an edit after the section leaves it as it is
    EXPECT_EQ(file.sectionEnd(), text.find("\n[Next]"));
    EXPECT_FALSE(file.findSection("not a heading"));

    file.setSection("Spot", "[Spot]\nnew = \"1\"");
    EXPECT_EQ(file.text(), "a = \"1\"\n[Spot]\nnew = \"1\"\n[Next]\nn = \"a longer value\"\n");
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
