#pragma once

// A private temporary folder that becomes the current directory for the length of a test,
// so tests can write lands, saved games and settings without touching each other's files.

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace testsupport {

class WorkingFolder {
  public:
    explicit WorkingFolder(const char* prefix = "ventrix-test")
        : previous(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        folder = pattern;
        std::filesystem::current_path(folder);
    }

    ~WorkingFolder() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::current_path(previous, ignored);
        // A test may have made part of the folder read-only; give it back first.
        for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }

    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    const std::filesystem::path& path() const { return folder; }

  private:
    std::filesystem::path previous;
    std::filesystem::path folder;
};

} // namespace testsupport
