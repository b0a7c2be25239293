#include "gfx/LandPath.h"

std::string LandPath(const std::string& landName, const std::string& fileName) {
    return "lands/" + landName + "/" + fileName;
}
