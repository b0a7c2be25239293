#include "platform/FileSearch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool globMatch(std::string_view wildcard, std::string_view name) {
    std::size_t w = 0, n = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && (wildcard[w] == '?' || lower(wildcard[w]) == lower(name[n]))) {
            ++w;
            ++n;
        } else if (w < wildcard.size() && wildcard[w] == '*') {
            starAt = w++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            w = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == '*')
        ++w;
    return w == wildcard.size();
}

bool caseInsensitiveLess(const std::string& a, const std::string& b) {
    const auto byLower = [](char x, char y) { return lower(x) < lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byLower)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byLower)) return false;
    return a < b; // names differing only in case keep a fixed order
}

} // namespace

bool matchesWildcard(std::string_view wildcard, std::string_view name) {
    if (globMatch(wildcard, name)) return true;
    const bool noExtension = name.find('.') == std::string_view::npos;
    return wildcard.size() > 1 && wildcard.back() == '.' && noExtension &&
           globMatch(wildcard.substr(0, wildcard.size() - 1), name);
}

std::vector<std::string> searchFiles(const std::string& pattern) {
    namespace fs = std::filesystem;
    const std::size_t slash = pattern.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash);
    const std::string wildcard = slash == std::string::npos ? pattern : pattern.substr(slash + 1);

    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? "/" : folder, ec);
    if (ec) return names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::string name = it->path().filename().string();
        if (matchesWildcard(wildcard, name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), caseInsensitiveLess);
    for (const char* dots : {"..", "."}) {
        if (matchesWildcard(wildcard, dots)) names.insert(names.begin(), dots);
    }
    return names;
}
