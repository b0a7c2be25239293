#pragma once

#include <string>
#include <string_view>
#include <vector>

/*
===============================================================================
Directory search by pattern, as the file lists use it: a folder, "/" and a
wildcard with "*" and "?" (for example the folder "./lands" and the wildcard
"*", or the folder "." and the wildcard "*.sav").

Returns the names (without folder) in the order a Windows search on NTFS gives
them: "." and ".." first (when the wildcard matches them), then the folder's
entries in case-insensitive alphabetical order. Names are matched without
regard to case and returned as they are on disk. Folders and files alike are
returned. A missing folder gives an empty list.
===============================================================================
*/
std::vector<std::string> searchFiles(const std::string& pattern);

// Case-insensitive "*" / "?" match. A wildcard ending in "." also matches names that
// have no extension, as "*." does on Windows.
bool matchesWildcard(std::string_view wildcard, std::string_view name);
