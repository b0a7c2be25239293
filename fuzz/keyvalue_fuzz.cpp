// Fuzz target: the key-value text file. The input is a file's content. Every
// key that the text could hold is looked up through the index and by a plain
// scan (they must agree), read through every typed getter, edited with
// setValue and setSection, and the text is written and read back.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "FuzzChecks.h"
#include "io/KeyValueFile.h"

namespace {

constexpr std::size_t maxKeys = 48;

bool isKeyCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '%' || c == '-';
}

// A key setValue can always find again: a plain dotted word.
bool isPlainKey(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), isKeyCharacter);
}

// The first word of each line, a prefix of it, and a few keys of the real files,
// plus forms (trailing blank, "=" inside) that only the plain scan can answer.
std::vector<std::string> candidateKeys(const std::string& text) {
    std::vector<std::string> keys = {"terrain.points", "spot1.name", "app.width", "a", "",
                                     "pompe.nbmax"};
    std::size_t lineStart = 0;
    while (lineStart < text.size() && keys.size() < maxKeys) {
        std::size_t word = text.find_first_not_of(" \t", lineStart);
        if (word == std::string::npos) break;
        const std::size_t wordEnd = std::min(text.find_first_of(" \t=\n", word), text.size());
        if (wordEnd > word) {
            const std::string token = text.substr(word, wordEnd - word);
            keys.push_back(token);
            keys.push_back(token.substr(0, token.size() / 2 + 1));
            if (keys.size() < 8) keys.push_back(token + " ");
        }
        const std::size_t lf = text.find('\n', lineStart);
        if (lf == std::string::npos) break;
        lineStart = lf + 1;
    }
    return keys;
}

std::string escaped(const std::string& key) {
    std::string out;
    for (unsigned char c : key) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c < 32 || c > 126 ? "\\x%02x" : "%c", c);
        out += hex;
    }
    return out;
}

void checkPositions(const KeyValueFile& file) {
    const auto& e = file.entry();
    const std::size_t size = file.text().size();
    fuzzRequire(e.lineStart <= size && e.lineEnd <= size, "entry line inside the text");
    fuzzRequire(e.lineStart <= e.lineEnd, "entry line ordered");
    if (e.valueStart == KeyValueFile::none) {
        fuzzRequire(e.valueEnd == KeyValueFile::none, "no value start means no value end");
        return;
    }
    fuzzRequire(e.lineStart <= e.valueStart && e.valueStart < e.valueEnd && e.valueEnd <= size,
                "value inside its entry");
}

// The index and the plain scan must find the same entry.
void checkLookup(KeyValueFile& file, const std::string& key) {
    const bool indexed = file.find(key);
    const KeyValueFile::EntryPositions byIndex = file.entry();
    const std::string indexedValue = file.value();
    const bool scanned = file.findByScan(key);
    const KeyValueFile::EntryPositions& byScan = file.entry();
    if (indexed != scanned || byIndex.lineStart != byScan.lineStart)
        std::fprintf(stderr, "key \"%s\": index %s at %zu, scan %s at %zu\n", escaped(key).c_str(),
                     indexed ? "finds" : "misses", byIndex.lineStart, scanned ? "finds" : "misses",
                     byScan.lineStart);
    fuzzRequire(indexed == scanned, "find and findByScan disagree on presence");
    fuzzRequire(byIndex.lineStart == byScan.lineStart && byIndex.lineEnd == byScan.lineEnd &&
                    byIndex.valueStart == byScan.valueStart && byIndex.valueEnd == byScan.valueEnd,
                "find and findByScan record different positions");
    fuzzRequire(indexedValue == file.value(), "find and findByScan give different values");
    if (scanned) checkPositions(file);
    // A key holding "//" puts its own quotes behind a comment mark: they do not close.
    fuzzRequire(indexedValue.find('"') == std::string::npos || !indexed ||
                    key.find("//") != std::string::npos ||
                    byIndex.valueStart == KeyValueFile::none ||
                    file.text()[byIndex.valueStart] != '"',
                "a quoted value never holds a double quote");
}

void checkGetters(KeyValueFile& file, const std::string& key) {
    const std::string value = file.getString(key);
    const float f = file.getFloat(key, 1.5f);
    fuzzRequire(std::isfinite(f), "getFloat gives a finite number");
    if (value.empty()) {
        fuzzRequire(f == 1.5f, "an empty value gives the float default");
        fuzzRequire(file.getInt(key, -7) == -7, "an empty value gives the int default");
        fuzzRequire(file.getBool(key, true) && !file.getBool(key, false),
                    "an empty value gives the bool default");
    } else {
        fuzzRequire(file.getBool(key, true) == (value == "true" || value == "TRUE"),
                    "getBool is true exactly for true and TRUE");
        (void)file.getInt(key, 0);
    }
    const std::vector<float> floats = file.getFloatArray(key, {9.0f});
    fuzzRequire(allFinite(floats), "array numbers are finite");
    fuzzRequire(value.empty() || floats.size() <= value.size(), "at most one number per character");
    const std::vector<int> ints = file.getIntArray(key, {});
    fuzzRequire(ints.size() <= value.size(), "at most one integer per character");
}

void checkSetValue(const KeyValueFile& original, const std::string& key) {
    if (!isPlainKey(key)) return;
    KeyValueFile edited = original;
    const bool existed = edited.find(key);
    const std::string before = edited.text();
    edited.setValue(key, "4.25 x");
    fuzzRequire(edited.getString(key) == "4.25 x", "setValue then getString gives the new value");
    fuzzRequire(edited.find(key) == edited.findByScan(key), "index after an edit");
    if (!existed) {
        const std::string line = key + " = \"4.25 x\"\n";
        fuzzRequire(
            edited.text().size() >= line.size() &&
                edited.text().compare(edited.text().size() - line.size(), line.size(), line) == 0,
            "a new key is appended as a whole line");
        fuzzRequire(edited.text().compare(0, before.size(), before) == 0,
                    "appending keeps the old text");
    }
}

void checkSection(const KeyValueFile& original) {
    KeyValueFile edited = original;
    const std::string section = "[Spot]\nspot1.name = \"Top\"\nspot1.x = \"1.000000\"\n\n";
    edited.setSection("Spot", section);
    fuzzRequire(edited.findSection("Spot"), "a section that was set is found");
    fuzzRequire(edited.text().find(section) != std::string::npos, "the section text is kept whole");
    fuzzRequire(edited.sectionStart() <= edited.sectionEnd() &&
                    edited.sectionEnd() <= edited.text().size(),
                "section bounds inside the text");
    KeyValueFile untouched = original;
    fuzzRequire(edited.getString("spot1.name") == "Top" || untouched.find("spot1.name"),
                "a key of a new section is found unless an earlier entry shadows it");
}

std::string scratchPath() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("ventrix-fuzz-kv-" + std::to_string(getpid()) + ".txt"))
                                        .string();
    return path;
}

void checkWriteAndRead(KeyValueFile& file) {
    const std::string path = scratchPath();
    fuzzRequire(file.write(path), "write succeeds in the temporary folder");
    std::ifstream written(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(written)),
                            std::istreambuf_iterator<char>());
    fuzzRequire(bytes == file.text(), "the text is written unchanged");
    KeyValueFile reread;
    fuzzRequire(reread.open(path), "a written file opens");
    fuzzRequire(reread.text() == file.text(), "text written and read back is the same text");
    std::filesystem::remove(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    KeyValueFile file;
    file.openText(inputText(data, size));
    fuzzRequire(file.text().size() <= size, "reading never adds text");
    fuzzRequire(file.text().find("\r\n") == std::string::npos, "every line ends with a line feed");
    for (const std::string& key : candidateKeys(file.text())) {
        checkLookup(file, key);
        checkGetters(file, key);
        checkSetValue(file, key);
    }
    checkSection(file);
    checkWriteAndRead(file);
    return 0;
}
