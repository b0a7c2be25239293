#include "io/KeyValueFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(const std::string& s, std::size_t pos) {
    while (pos < s.size() && isBlank(s[pos]))
        ++pos;
    return pos;
}

std::size_t lineStartOf(const std::string& s, std::size_t pos) {
    if (pos == 0) return 0;
    const std::size_t lf = s.rfind('\n', pos - 1);
    return lf == std::string::npos ? 0 : lf + 1;
}

std::size_t lineEndFrom(const std::string& s, std::size_t pos) {
    const std::size_t lf = s.find('\n', pos);
    return lf == std::string::npos ? s.size() : lf;
}

// Whether a "//" starts in [from, until).
bool commentStartsIn(const std::string& s, std::size_t from, std::size_t until) {
    if (until <= from) return false;
    const std::size_t end = std::min(until + 1, s.size()); // the mark may run past `until`
    return std::string_view(s).substr(from, end - from).find("//") < until - from;
}

// Every carriage return that ends a line goes, also the doubled ones of a file
// converted twice (CR CR LF): a CR left before a LF would be lost at the next
// read, so what is written would not read back the same.
void dropCarriageReturns(std::string& s) {
    std::size_t out = 0;
    std::size_t in = 0;
    while (in < s.size()) {
        if (s[in] != '\r') {
            s[out++] = s[in++];
            continue;
        }
        const std::size_t runEnd = std::min(s.find_first_not_of('\r', in), s.size());
        const bool endsLine = runEnd < s.size() && s[runEnd] == '\n';
        if (!endsLine)
            for (std::size_t i = in; i < runEnd; ++i)
                s[out++] = '\r';
        in = runEnd;
    }
    s.resize(out);
}

// Ends the first word of a line in the key index; a NUL byte is part of a word,
// as the plain search takes it.
bool endsIndexWord(char c) {
    return c == ' ' || c == '\t' || c == '=' || c == '\n';
}

// Removes every "//" with the rest of its line, keeping the line feeds.
std::string withoutComments(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    std::size_t pos = 0;
    while (pos < raw.size()) {
        const std::size_t mark = raw.find("//", pos);
        if (mark == std::string_view::npos) {
            out.append(raw.substr(pos));
            break;
        }
        out.append(raw.substr(pos, mark - pos));
        pos = raw.find('\n', mark);
    }
    return out;
}

std::string_view trimBlanksRight(std::string_view s) {
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads an integer at the start of [first, last): optional sign, digits. Out-of-range
// values are reported as failures so that array readers stop there.
const char* readInt(const char* first, const char* last, long long& result) {
    const char* p = first;
    if (p < last && *p == '+' && p + 1 < last && isDigit(p[1])) ++p;
    const auto [end, ec] = std::from_chars(p, last, result);
    return ec == std::errc() ? end : nullptr;
}

// Reads a decimal real at the start of [first, last): optional sign, digits, optional
// fraction and exponent. No "inf", "nan" or hexadecimal forms. Sets overflow when the
// number is too large for a double.
const char* readReal(const char* first, const char* last, double& result, bool& overflow) {
    overflow = false;
    const char* p = first;
    bool negative = false;
    if (p < last && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const bool startsNumber =
        p < last && (isDigit(*p) || (*p == '.' && p + 1 < last && isDigit(p[1])));
    if (!startsNumber) return nullptr;
    double magnitude = 0.0;
    auto [end, ec] = std::from_chars(p, last, magnitude, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view number(p, static_cast<std::size_t>(end - p));
        const std::size_t e = number.find_first_of("eE");
        overflow = e == std::string_view::npos || e + 1 >= number.size() || number[e + 1] != '-';
        magnitude = overflow ? std::numeric_limits<double>::max() : 0.0;
    } else if (ec != std::errc()) {
        return nullptr;
    }
    result = negative ? -magnitude : magnitude;
    return end;
}

float clampToFloat(double v) {
    constexpr double maxFloat = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(v, -maxFloat, maxFloat));
}

const char* skipSpaces(const char* p, const char* last) {
    while (p < last && isSpace(*p))
        ++p;
    return p;
}

std::string entryLine(std::string_view key, std::string_view valueText) {
    std::string line;
    line.reserve(key.size() + valueText.size() + 6);
    line.append(key).append(" = \"").append(valueText).append("\"\n");
    return line;
}

} // namespace

void KeyValueFile::resetPositions() {
    found = EntryPositions{};
    keyPosition = none;
    equalsPos = none;
    valueQuoted = false;
}

bool KeyValueFile::open(const char* name) {
    if (!name) return false;
    path = name;
    resetPositions();
    sectionBegin = sectionFinish = none;
    replaceText(0, contents.size(), {});

    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    // A land's file runs to megabytes: growing the text by doubling would copy it many times.
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec) contents.reserve(size);
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        contents.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        contents.clear();
        return false;
    }
    dropCarriageReturns(contents);
    return true;
}

bool KeyValueFile::openText(std::string content) {
    path.clear();
    resetPositions();
    sectionBegin = sectionFinish = none;
    replaceText(0, contents.size(), {});
    contents = std::move(content);
    dropCarriageReturns(contents);
    return true;
}

bool KeyValueFile::write(const char* name) {
    namespace fs = std::filesystem;
    if (name) path = name;
    if (path.empty()) return false;

    std::error_code ec;
    fs::path target = path;
    // Replace the file a link points to, not the link itself.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        target = fs::weakly_canonical(target, ec);
        if (ec) return false;
    }

    std::random_device entropy;
    fs::path temporary;
    FILE* out = nullptr;
    for (int attempt = 0; attempt < 8 && !out; ++attempt) {
        temporary = target;
        temporary += ".tmp" + std::to_string(entropy() % 1000000u);
        out = std::fopen(temporary.c_str(), "wbx"); // never clobber someone else's file
    }
    if (!out) return false;

    bool ok = std::fwrite(contents.data(), 1, contents.size(), out) == contents.size();
    ok = std::fflush(out) == 0 && ok;
    ok = std::fclose(out) == 0 && ok;
    if (ok && fs::exists(target, ec)) {
        const fs::perms kept = fs::status(target, ec).permissions();
        if (!ec) fs::permissions(temporary, kept, ec);
    }
    if (ok) {
        fs::rename(temporary, target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temporary, ec);
    return ok;
}

bool KeyValueFile::exists(const std::string& name) {
    std::error_code ec;
    const auto status = std::filesystem::status(name, ec);
    return !ec && std::filesystem::exists(status);
}

// The plain search: the first occurrence of the token that is not behind "//", has only
// blanks before it on its line and, for keys, is followed by blanks and "=".
std::size_t KeyValueFile::searchLineStartToken(std::string_view token, bool needsEquals) const {
    std::size_t pos = 0;
    while (true) {
        const std::size_t match = contents.find(token, pos);
        if (match == none) return none;
        const std::size_t lineStart = lineStartOf(contents, match);
        bool entry = !commentStartsIn(contents, lineStart, match + 1);
        for (std::size_t i = lineStart; entry && i < match; ++i)
            entry = isBlank(contents[i]);
        if (entry && needsEquals) {
            const std::size_t after = skipBlanks(contents, match + token.size());
            entry = after < contents.size() && contents[after] == '=';
        }
        if (entry) return match;
        const std::size_t nextLine = contents.find('\n', match);
        if (nextLine == none) return none;
        pos = std::max(nextLine, match + 1);
    }
}

bool KeyValueFile::findByScan(std::string_view key) {
    resetPositions();
    if (key.empty()) return false;
    const std::size_t match = searchLineStartToken(key, true);
    return match != none && recordEntryAt(match, key.size());
}

// Keys with blanks, "=" or line feeds, and keys that begin a comment, are left to the
// plain search; every other key can only be found as the first word of an entry line.
bool KeyValueFile::isIndexable(std::string_view key) const {
    return !key.empty() && key.find_first_of(" \t=\n") == std::string_view::npos &&
           !key.starts_with("//");
}

void KeyValueFile::buildIndex() const {
    keyIndex.clear();
    const std::size_t size = contents.size();
    std::size_t lineStart = 0;
    while (lineStart <= size) {
        const std::size_t word = skipBlanks(contents, lineStart);
        std::size_t wordEnd = word;
        while (wordEnd < size && !endsIndexWord(contents[wordEnd]))
            ++wordEnd;
        const std::size_t after = skipBlanks(contents, wordEnd);
        const std::string_view token(contents.data() + word, wordEnd - word);
        if (!token.empty() && after < size && contents[after] == '=' && !token.starts_with("//")) {
            keyIndex.lines.try_emplace(token, word);
        }
        const std::size_t lf = contents.find('\n', after);
        if (lf == none) break;
        lineStart = lf + 1;
    }
    keyIndex.built = true;
}

bool KeyValueFile::find(std::string_view key) {
    if (!isIndexable(key)) return findByScan(key);
    resetPositions();
    if (!keyIndex.built) buildIndex();
    const auto it = keyIndex.lines.find(key);
    return it != keyIndex.lines.end() && recordEntryAt(it->second, key.size());
}

bool KeyValueFile::recordEntryAt(std::size_t keyPos, std::size_t keyLength) {
    const std::size_t eq = skipBlanks(contents, keyPos + keyLength);
    if (eq >= contents.size() || contents[eq] != '=') return false;
    equalsPos = eq;
    keyPosition = keyPos;
    found.lineStart = lineStartOf(contents, keyPos);
    const std::size_t lineEnd = lineEndFrom(contents, eq);
    const std::size_t commentMark =
        std::string_view(contents).substr(eq + 1, lineEnd - eq - 1).find("//");
    const std::size_t comment = commentMark == none ? none : eq + 1 + commentMark;
    const std::size_t valuePos = skipBlanks(contents, eq + 1);
    if (valuePos >= lineEnd || valuePos == comment) {
        found.lineEnd = lineEnd;
    } else if (contents[valuePos] == '"') {
        recordQuotedValue(valuePos);
    } else {
        recordUnquotedValue(valuePos, lineEnd, comment);
    }
    return true;
}

void KeyValueFile::recordQuotedValue(std::size_t quotePos) {
    valueQuoted = true;
    found.valueStart = quotePos;
    const std::size_t closing = findClosingQuote(quotePos);
    found.valueEnd = closing == none ? contents.size() : closing + 1;
    found.lineEnd = lineEndFrom(contents, found.valueEnd);
}

void KeyValueFile::recordUnquotedValue(std::size_t valuePos, std::size_t lineEnd,
                                       std::size_t comment) {
    valueQuoted = false;
    found.lineEnd = lineEnd;
    found.valueStart = valuePos;
    if (comment == none) {
        found.valueEnd = lineEnd;
        return;
    }
    std::size_t end = comment;
    while (end > valuePos && isBlank(contents[end - 1]))
        --end;
    found.valueEnd = end;
}

// The next double quote that has no "//" before it on its own line. Only the stretch
// since the previous quote is examined each time, so a long value is walked once.
std::size_t KeyValueFile::findClosingQuote(std::size_t openingQuote) const {
    const std::string_view all(contents);
    bool commented = commentStartsIn(contents, lineStartOf(contents, openingQuote), openingQuote);
    std::size_t previous = openingQuote;
    while (true) {
        const std::size_t quote = contents.find('"', previous + 1);
        if (quote == none) return none;
        const std::size_t lf = all.substr(previous, quote - previous).rfind('\n');
        const std::size_t from = lf == none ? previous : previous + lf + 1;
        if (lf != none) commented = false;
        commented = commented || commentStartsIn(contents, from, quote);
        if (!commented) return quote;
        previous = quote;
    }
}

std::string_view KeyValueFile::valueView(std::string& scratch) const {
    if (found.valueStart == none) return {};
    const std::string_view all(contents);
    if (!valueQuoted)
        return trimBlanksRight(all.substr(found.valueStart, found.valueEnd - found.valueStart));
    std::size_t end = found.valueEnd;
    if (end - 1 > found.valueStart && contents[end - 1] == '"') --end; // else: never closed
    const std::string_view inner = all.substr(found.valueStart + 1, end - found.valueStart - 1);
    if (inner.find("//") == std::string_view::npos) return inner;
    scratch = withoutComments(inner);
    return scratch;
}

std::string KeyValueFile::value() const {
    std::string scratch;
    const std::string_view view = valueView(scratch);
    return scratch.empty() ? std::string(view) : scratch;
}

std::string KeyValueFile::getString(std::string_view key) {
    if (!find(key)) return {};
    return value();
}

float KeyValueFile::getFloat(std::string_view key, float defaultValue) {
    const std::string s = getString(key);
    if (s.empty()) return defaultValue;
    const char* last = s.data() + s.size();
    double v = 0.0;
    bool overflow = false;
    if (!readReal(skipSpaces(s.data(), last), last, v, overflow)) return 0.0f;
    return clampToFloat(v);
}

int KeyValueFile::getInt(std::string_view key, int defaultValue) {
    const std::string s = getString(key);
    if (s.empty()) return defaultValue;
    const char* first = skipSpaces(s.data(), s.data() + s.size());
    const char* last = s.data() + s.size();
    long long v = 0;
    if (!readInt(first, last, v)) {
        // Too large for any integer: saturate in the direction of its sign.
        const char* p = first + (first < last && (*first == '+' || *first == '-'));
        if (p == last || !isDigit(*p)) return 0;
        return first < last && *first == '-' ? std::numeric_limits<int>::min()
                                             : std::numeric_limits<int>::max();
    }
    return static_cast<int>(
        std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool KeyValueFile::getBool(std::string_view key, bool defaultValue) {
    const std::string s = getString(key);
    if (s.empty()) return defaultValue;
    return s == "true" || s == "TRUE";
}

std::vector<float> KeyValueFile::getFloatArray(std::string_view key,
                                               const std::vector<float>& defaults) {
    std::string scratch;
    const std::string_view s = find(key) ? valueView(scratch) : std::string_view{};
    if (s.empty()) return defaults;
    std::vector<float> numbers;
    numbers.reserve(s.size() / 2 + 1); // every number takes a character and a blank
    const char* last = s.data() + s.size();
    for (const char* p = skipSpaces(s.data(), last); p < last; p = skipSpaces(p, last)) {
        double v = 0.0;
        bool overflow = false;
        p = readReal(p, last, v, overflow);
        if (!p || overflow) break;
        numbers.push_back(clampToFloat(v));
    }
    return numbers;
}

std::vector<int> KeyValueFile::getIntArray(std::string_view key, const std::vector<int>& defaults) {
    std::string scratch;
    const std::string_view s = find(key) ? valueView(scratch) : std::string_view{};
    if (s.empty()) return defaults;
    std::vector<int> numbers;
    numbers.reserve(s.size() / 2 + 1); // every number takes a character and a blank
    const char* last = s.data() + s.size();
    for (const char* p = skipSpaces(s.data(), last); p < last; p = skipSpaces(p, last)) {
        long long v = 0;
        p = readInt(p, last, v);
        if (!p || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
            break;
        }
        numbers.push_back(static_cast<int>(v));
    }
    return numbers;
}

void KeyValueFile::setValue(std::string_view key, std::string_view valueText) {
    const std::string quoted = "\"" + std::string(valueText) + "\"";
    if (find(key)) {
        const std::size_t keyPos = keyPosition;
        if (found.valueStart != none) {
            replaceText(found.valueStart, found.valueEnd - found.valueStart, quoted);
        } else {
            replaceText(equalsPos + 1, 0, " " + quoted);
        }
        recordEntryAt(keyPos, key.size());
        return;
    }
    std::size_t insertAt = contents.size();
    const std::string line = entryLine(key, valueText);
    if (sectionBegin != none) {
        const std::size_t headingEnd = contents.find('\n', sectionBegin);
        if (headingEnd != none) insertAt = headingEnd + 1;
    }
    // Never glue the new entry onto an unfinished last line.
    if (insertAt == contents.size() && !contents.empty() && contents.back() != '\n') {
        replaceText(contents.size(), 0, "\n");
        insertAt = contents.size();
    }
    replaceText(insertAt, 0, line);
    recordEntryAt(insertAt, key.size());
}

bool KeyValueFile::findSection(std::string_view name) {
    sectionBegin = sectionFinish = none;
    const std::string heading = "[" + std::string(name) + "]";
    const std::size_t match = searchLineStartToken(heading, false);
    if (match == none) return false;
    sectionBegin = lineStartOf(contents, match);
    const std::size_t headingEnd = match + heading.size();
    std::size_t from = headingEnd;
    while (true) {
        const std::size_t bracket = contents.find('[', from);
        if (bracket == none) {
            sectionFinish = contents.size();
            return true;
        }
        if (!commentStartsIn(contents, lineStartOf(contents, bracket), bracket - 1)) {
            const std::size_t lf = contents.rfind('\n', bracket);
            sectionFinish = lf != none && lf >= headingEnd ? lf : bracket;
            return true;
        }
        from = bracket + 1;
    }
}

void KeyValueFile::setSection(std::string_view name, std::string_view sectionText) {
    if (findSection(name)) {
        const std::size_t start = sectionBegin;
        replaceText(start, sectionFinish - start, sectionText);
        sectionBegin = start;
        sectionFinish = start + sectionText.size();
        return;
    }
    std::string appended = "\n";
    appended.append(sectionText);
    replaceText(contents.size(), 0, appended);
}

void KeyValueFile::replaceText(std::size_t pos, std::size_t oldLength, std::string_view with) {
    contents.replace(pos, oldLength, with);
    resetPositions(); // the entry found last may have moved or gone
    keyIndex.clear();
    shiftSection(pos, oldLength, with.size());
}

// Keeps the remembered section on its heading when text before or inside it changes.
void KeyValueFile::shiftSection(std::size_t pos, std::size_t oldLength, std::size_t newLength) {
    if (sectionBegin == none) return;
    auto shifted = [&](std::size_t p) { return p - oldLength + newLength; };
    if (pos < sectionBegin && pos + oldLength > sectionBegin) {
        sectionBegin = sectionFinish = none; // the heading itself was replaced
        return;
    }
    if (pos + oldLength <= sectionBegin && (pos < sectionBegin || oldLength == 0)) {
        sectionBegin = shifted(sectionBegin);
        sectionFinish = shifted(sectionFinish);
    } else if (pos < sectionFinish) {
        sectionFinish = pos + oldLength <= sectionFinish ? shifted(sectionFinish) : pos + newLength;
    }
}
