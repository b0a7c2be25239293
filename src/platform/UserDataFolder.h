#pragma once

#include <filesystem>
#include <string>

/*
===============================================================================
The installed program's working folder.

An installed ventrix finds its sample lands and games in <prefix>/share/ventrix
beside <prefix>/bin. It copies them into the user's folder (VENTRIX_HOME, else
${XDG_DATA_HOME:-~/.local/share}/ventrix) without ever overwriting what the user
has there, and runs in that folder. A program started from its build tree has
no such data folder and runs where it was started, as scripts/run and the tests
expect.
===============================================================================
*/

// <prefix>/share/ventrix for the running executable, or empty when it is not installed.
std::filesystem::path installedDataFolder();

// The user's working folder as the environment names it; empty when no home is known.
std::filesystem::path userDataFolder();

// Copies every file and folder of from that to lacks; an error text, or empty on success.
std::string copyMissing(const std::filesystem::path& from, const std::filesystem::path& to);

// For an installed program: prepares the user's folder and makes it the working folder.
// False, with the reason in error, when that fails; true (and nothing done) otherwise.
bool enterUserDataFolder(std::string& error);
