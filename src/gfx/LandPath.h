#pragma once

#include <string>

// Path of a file in a land's directory, relative to the working directory:
// "lands/" + land name + "/" + file name.
std::string LandPath(const std::string& landName, const std::string& fileName);
