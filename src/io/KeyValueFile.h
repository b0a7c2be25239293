#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/*
===============================================================================
KeyValueFile: the one reader, editor and writer of every text file (settings,
land files, saved games).

It keeps the whole file as one string and edits values in place, so comments,
blank lines, unknown keys and line order survive a read-modify-write cycle.

An entry is a line: blanks, key, blanks, "=", blanks, "value" in double quotes.
Keys are case-sensitive, must be the first non-blank text of their line and are
never found behind "//". Of several entries with one key the first is found.
A value may run over several lines; "//" and the rest of its line are dropped
from it when read. "[name]" at the start of a line heads a section.

Lookups go through an index of the entry lines, built on the first lookup and
dropped by every edit; it finds exactly what a plain top-down search finds
(findByScan), only without rescanning a 20 MB land file for every key.

CR LF line ends are read as LF; files are written with LF, through a temporary
file in the same folder renamed over the old one, so a failed write never
leaves a half-written file behind.
===============================================================================
*/
class KeyValueFile {
  public:
    static constexpr std::size_t none = std::string::npos;

    // Positions in text() of the entry found by the last key lookup; all none
    // after a failed lookup. valueStart is the opening quote (or the first
    // character of a value written without quotes), valueEnd is one past the
    // closing quote (or the end of the unquoted value).
    struct EntryPositions {
        std::size_t lineStart = none;
        std::size_t lineEnd = none;
        std::size_t valueStart = none;
        std::size_t valueEnd = none;
    };

    // Loads the file; false for a null or unreadable name, which is kept all
    // the same so that a later write() without a name creates the file.
    bool open(const char* name);
    bool open(const std::string& name) { return open(name.c_str()); }
    // Loads content from memory (no file name is set).
    bool openText(std::string content);

    // Stores the text as the given file, which becomes fileName(), or as
    // fileName() when none is given. False when nothing could be written.
    bool write(const char* name = nullptr);
    bool write(const std::string& name) { return write(name.c_str()); }
    static bool exists(const std::string& name);

    bool find(std::string_view key);
    // The same lookup as find() by a plain search from the top of the text;
    // find() must always agree with it.
    bool findByScan(std::string_view key);
    std::string value() const;

    std::string getString(std::string_view key);
    float getFloat(std::string_view key, float defaultValue);
    int getInt(std::string_view key, int defaultValue);
    bool getBool(std::string_view key, bool defaultValue);
    // Numbers separated by whitespace; the first token that is not a number
    // ends the list. A missing or empty value gives the defaults.
    std::vector<float> getFloatArray(std::string_view key, const std::vector<float>& defaults);
    std::vector<int> getIntArray(std::string_view key, const std::vector<int>& defaults);

    void setValue(std::string_view key, std::string_view valueText);

    bool findSection(std::string_view name);
    // sectionText is expected to begin with its own heading line.
    void setSection(std::string_view name, std::string_view sectionText);

    const std::string& text() const { return contents; }
    const std::string& fileName() const { return path; }
    const EntryPositions& entry() const { return found; }
    std::size_t sectionStart() const { return sectionBegin; }
    std::size_t sectionEnd() const { return sectionFinish; }

  private:
    // The found value as value() gives it, seen in the text itself unless a
    // comment must be cut out of it (then kept in scratch): a land's arrays
    // run to megabytes, too long to copy before parsing.
    std::string_view valueView(std::string& scratch) const;

    void resetPositions();
    bool recordEntryAt(std::size_t keyPos, std::size_t keyLength);
    void recordQuotedValue(std::size_t quotePos);
    void recordUnquotedValue(std::size_t valuePos, std::size_t lineEnd, std::size_t comment);
    std::size_t findClosingQuote(std::size_t openingQuote) const;
    std::size_t searchLineStartToken(std::string_view token, bool needsEquals) const;
    bool isIndexable(std::string_view key) const;
    void buildIndex() const;
    void replaceText(std::size_t pos, std::size_t oldLength, std::string_view with);
    void shiftSection(std::size_t pos, std::size_t oldLength, std::size_t newLength);

    std::string path;
    std::string contents;
    std::size_t sectionBegin = none;
    std::size_t sectionFinish = none;
    EntryPositions found;
    std::size_t keyPosition = none; // the key and "=" of the entry found last
    std::size_t equalsPos = none;
    bool valueQuoted = false;

    // First entry line per key, as views into contents. A copy or a move
    // starts without one and leaves its source without one: the views point
    // into the text they were built from, which the other object does not own.
    struct KeyIndex {
        std::unordered_map<std::string_view, std::size_t> lines;
        bool built = false;

        KeyIndex() = default;
        KeyIndex(const KeyIndex&) {}
        KeyIndex(KeyIndex&& source) noexcept { source.clear(); }
        KeyIndex& operator=(const KeyIndex&) {
            clear();
            return *this;
        }
        KeyIndex& operator=(KeyIndex&& source) noexcept {
            clear();
            source.clear();
            return *this;
        }
        ~KeyIndex() = default;
        void clear() {
            lines.clear();
            built = false;
        }
    };
    mutable KeyIndex keyIndex;
};
