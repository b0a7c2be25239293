#include "shell/Settings.h"

#include "io/KeyValueFile.h"

WindowSettings loadSettings(KeyValueFile& file, const char* fileName, bool fullScreenRequest) {
    WindowSettings window;
    window.fullScreen = fullScreenRequest;
    if (!file.open(fileName) || file.text().empty()) return window;
    window.width = file.getInt("app.width", window.width);
    window.height = file.getInt("app.height", window.height);
    window.colourBits = file.getInt("app.colorbits", window.colourBits);
    if (!fullScreenRequest) window.fullScreen = file.getBool("app.fullscreen", false);
    return window;
}

bool saveSettings(KeyValueFile& file, const WindowSettings& window) {
    file.setValue("app.width", std::to_string(window.width));
    file.setValue("app.height", std::to_string(window.height));
    file.setValue("app.colorbits", std::to_string(window.colourBits));
    file.setValue("app.fullscreen", window.fullScreen ? "TRUE" : "FALSE");
    return file.write();
}

std::vector<std::string> readServerNames(KeyValueFile& file) {
    std::vector<std::string> names;
    for (int n = 1;; ++n) {
        const std::string key = "server" + std::to_string(n);
        if (!file.find(key)) break;
        std::string name = file.value();
        if (!name.empty()) names.push_back(std::move(name)); // an empty entry still counts
    }
    return names;
}
