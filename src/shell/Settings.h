#pragma once

#include <string>
#include <vector>

class KeyValueFile;

/*
===============================================================================
The settings file ("ventrix.ini" in the working folder): the window's size,
colour depth and full-screen flag, plus the read-only server list. The file is
kept open in memory from start-up to close, so every line the program does not
know (servers, comments, other keys) is written back unchanged.
===============================================================================
*/
struct WindowSettings {
    int width = 800;
    int height = 600;
    int colourBits = 32;
    bool fullScreen = false;
};

// Opens the file into `file` and reads the window keys over the defaults. A request for
// full screen from the command line always wins over the file.
WindowSettings loadSettings(KeyValueFile& file, const char* fileName, bool fullScreenRequest);

// Stores the four window keys in `file` and writes it back where it was opened from.
// False when the file could not be written.
bool saveSettings(KeyValueFile& file, const WindowSettings& window);

// The values of "server1", "server2" ... up to the first missing number.
std::vector<std::string> readServerNames(KeyValueFile& file);
