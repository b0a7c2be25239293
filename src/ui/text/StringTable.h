#pragma once

#include <deque>
#include <string>
#include <vector>

/*
===============================================================================
StringTable: the user-interface texts by numeric id (Windows-1252 bytes),
looked up on first use and kept. Works without an application or a window.

bind() with no file reads from the program's built-in texts. bind(file) reads
a text file of lines "<id><TAB><text>" (e.g. a translation); ids that file
lacks still come from the built-in texts. A pointer returned by text() stays
valid until clear().
===============================================================================
*/
class StringTable {
  public:
    StringTable() = default;
    StringTable(const StringTable&) = delete;
    StringTable& operator=(const StringTable&) = delete;

    // False when the file cannot be read; the table then uses the built-in texts.
    bool bind(const char* libraryFile = nullptr);
    // Null when the id has no text (nothing is cached then). At most 1,023 bytes.
    const char* text(int id);
    void clear();
    int count() const { return static_cast<int>(ids.size()); }

  private:
    const char* lookUp(int id) const;

    std::deque<std::string> texts; // a deque never moves its elements on append
    std::vector<unsigned int> ids;
    std::vector<std::pair<int, std::string>> boundTexts;
};
