#pragma once

#include <string>

/*
===============================================================================
Key names as the shortcut list shows them.

Named keys are padded with blanks to nine characters ("Tab      "); any other
key is shown as its character followed by seven blanks ("z       "), so the
columns of the list line up one character short for plain keys, as they always
have. Named keys are recognised by the platform's key constants, never by the
character codes they would collide with ("%" is not Left).
===============================================================================
*/
std::string keyName(int key);
