#include "ui/files/FileLists.h"

#include <algorithm>

#include "io/KeyValueFile.h"
#include "platform/FileSearch.h"
#include "ui/toolkit/ListBox.h"

namespace {

std::vector<std::string> search(const std::string& folder, const char* suffix) {
    std::vector<std::string> names = searchFiles(folder + suffix);
    // A folder's own "." and ".." are no lands or gliders.
    std::erase_if(names, [](const std::string& name) { return name == "." || name == ".."; });
    return names;
}

void replaceItems(ListBox& list, const std::vector<std::string>& names) {
    list.clear();
    for (const std::string& name : names)
        list.addItem(name);
}

} // namespace

std::vector<std::string> findLands(const std::string& folder) {
    return search(folder, "/lands/*");
}

std::vector<std::string> findGliders(const std::string& folder) {
    return search(folder, "/gliders/*.");
}

std::vector<std::string> findSaves(const std::string& folder) {
    return search(folder, "/*.sav");
}

std::vector<std::string> findDemos(const std::string& folder) {
    return search(folder, "/*.rec");
}

std::vector<std::string> readServers(const std::string& folder) {
    std::vector<std::string> servers;
    KeyValueFile settings;
    if (!settings.open(folder + "/ventrix.ini")) return servers;
    for (int n = 1; settings.find("server" + std::to_string(n)); ++n)
        servers.push_back(settings.value());
    return servers;
}

void fillLands(ListBox& list, const std::string& folder) {
    replaceItems(list, findLands(folder));
}

void fillGliders(ListBox& list, const std::string& folder) {
    replaceItems(list, findGliders(folder));
}

void fillSaves(ListBox& list, const std::string& folder) {
    replaceItems(list, findSaves(folder));
}

void fillDemos(ListBox& list, const std::string& folder) {
    replaceItems(list, findDemos(folder));
}

void fillServers(ListBox& list, const std::string& folder) {
    for (const std::string& server : readServers(folder))
        list.addItem(server);
}
