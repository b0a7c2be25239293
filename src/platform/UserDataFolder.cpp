#include "platform/UserDataFolder.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? fs::path(value) : fs::path();
}

} // namespace

fs::path installedDataFolder() {
    std::error_code failed;
    const fs::path executable = fs::read_symlink("/proc/self/exe", failed);
    if (failed) return {};
    const fs::path data = executable.parent_path().parent_path() / "share" / "ventrix";
    return fs::is_directory(data, failed) ? data : fs::path();
}

fs::path userDataFolder() {
    if (const fs::path own = environmentPath("VENTRIX_HOME"); !own.empty()) return own;
    // The XDG rule: a relative XDG_DATA_HOME is invalid and ignored.
    if (const fs::path xdg = environmentPath("XDG_DATA_HOME"); xdg.is_absolute())
        return xdg / "ventrix";
    const fs::path home = environmentPath("HOME");
    return home.empty() ? fs::path() : home / ".local" / "share" / "ventrix";
}

std::string copyMissing(const fs::path& from, const fs::path& to) {
    std::error_code failed;
    fs::create_directories(to, failed);
    if (!failed)
        fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::skip_existing, failed);
    if (failed)
        return "cannot copy " + from.string() + " to " + to.string() + ": " + failed.message();
    return {};
}

bool enterUserDataFolder(std::string& error) {
    const fs::path data = installedDataFolder();
    if (data.empty()) return true;
    const fs::path folder = userDataFolder();
    if (folder.empty()) {
        error = "no working folder: neither VENTRIX_HOME, XDG_DATA_HOME nor HOME is set";
        return false;
    }
    error = copyMissing(data, folder);
    if (!error.empty()) return false;
    std::error_code failed;
    fs::current_path(folder, failed);
    if (failed) error = "cannot enter " + folder.string() + ": " + failed.message();
    return !failed;
}
