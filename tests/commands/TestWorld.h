#pragma once

#include "support/WorkingFolder.h"

// A private working folder holding one small land, and a saved game naming it,
// so the commands can build, load and save real worlds in tests.

#include <filesystem>
#include <string>

namespace commandtest {

using WorkingFolder = testsupport::WorkingFolder;

// A flat 1000 m square land at height 50 with two spots:
// "north" at (500, 800) with wind 3 m/s, "south" at (500, 200) with wind 7 m/s.
// Returns the land file's path.
std::filesystem::path writeSquareLand(const std::string& name);

// A saved game that names the land and places the observer.
std::string savedGameText(const std::string& landName, float x, float y);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text);

} // namespace commandtest
