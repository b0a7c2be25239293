#include "ui/text/StringTable.h"

#include <charconv>
#include <fstream>

#include "platform/Resources.h"

namespace {

// A text holds at most this many bytes, as the resource loader's buffer allows.
constexpr std::size_t MaxTextLength = 1023;

bool parseLine(const std::string& line, std::pair<int, std::string>& entry) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) return false;
    int id = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + tab, id);
    if (error != std::errc() || end != line.data() + tab) return false;
    std::string text = line.substr(tab + 1);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    entry = {id, text.substr(0, MaxTextLength)};
    return true;
}

} // namespace

bool StringTable::bind(const char* libraryFile) {
    boundTexts.clear();
    if (libraryFile == nullptr || *libraryFile == '\0') return true;
    std::ifstream file(libraryFile, std::ios::binary);
    if (!file) return false;
    std::string line;
    std::pair<int, std::string> entry;
    while (std::getline(file, line))
        if (parseLine(line, entry)) boundTexts.push_back(entry);
    return true;
}

const char* StringTable::lookUp(int id) const {
    for (const auto& [boundId, text] : boundTexts)
        if (boundId == id) return text.c_str();
    return resourceString(id);
}

const char* StringTable::text(int id) {
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == static_cast<unsigned int>(id)) return texts[i].c_str();
    const char* found = lookUp(id);
    if (found == nullptr || *found == '\0') return nullptr; // tried again next time
    texts.emplace_back(found, std::min(std::char_traits<char>::length(found), MaxTextLength));
    ids.push_back(static_cast<unsigned int>(id));
    return texts.back().c_str();
}

void StringTable::clear() {
    texts.clear();
    ids.clear();
}
