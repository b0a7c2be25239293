#pragma once

#include <string>
#include <vector>

class ListBox;

/*
===============================================================================
File lists: the names the menu offers, read from the disk at each call.

  lands     the entries of folder/lands
  gliders   the entries of folder/gliders without an extension
  saves     the folder's .sav files   demos   its .rec files
  servers   the "server1", "server2", ... values of folder/ventrix.ini, up to
            the first missing number

Names are listed as they are on disk, so the name shown is the name opened;
the ".sav" and ".rec" endings match in any case. The searches list in the
search's order without "." and "..", and replace what the list held: a search
that finds nothing leaves the list empty. The servers are added to what the
list holds.
===============================================================================
*/
std::vector<std::string> findLands(const std::string& folder);
std::vector<std::string> findGliders(const std::string& folder);
std::vector<std::string> findSaves(const std::string& folder);
std::vector<std::string> findDemos(const std::string& folder);
std::vector<std::string> readServers(const std::string& folder);

void fillLands(ListBox& list, const std::string& folder);
void fillGliders(ListBox& list, const std::string& folder);
void fillSaves(ListBox& list, const std::string& folder);
void fillDemos(ListBox& list, const std::string& folder);
void fillServers(ListBox& list, const std::string& folder);
