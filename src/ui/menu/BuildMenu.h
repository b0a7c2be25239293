#pragma once

#include <memory>

#include "ui/menu/MenuTargets.h"

class Menu;

/*
===============================================================================
buildMenu: makes the Menu at (20, 20) and its eighteen pages, in the order
0, 1, 2, 3, 4, 5, 8, 7, 9, 10, 11, 12, 13, 14, 15, 17, 6, 16 (the order the
commands register in, so "help" and the shortcut list follow it), and makes
page 0 the root. The pages' commands act on the targets. The file lists of the
pages are read from the working folder.
===============================================================================
*/
std::unique_ptr<Menu> buildMenu(const MenuTargets& targets);
