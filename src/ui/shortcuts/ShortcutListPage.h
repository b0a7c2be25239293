#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/composites/Page.h"

class Label;
class TextView;

/*
===============================================================================
The shortcut list: the two keys the application handles itself ("²" and
"Echap"), then every command that has a shortcut key, pages in the menu's
order and commands in registration order, as "<key name> : <description>".

ShortcutListPage is the menu page that shows it: the page with background
428, the picture 419 at (186, 320), 128 x 128, and the list in a text view at
(10, 10), 480 x 300. It is filled when it is created, from the pages made
before it, and not refreshed afterwards.
===============================================================================
*/
std::vector<std::string> shortcutLines(const std::vector<std::unique_ptr<Page>>& pages);

class ShortcutListPage : public Page {
  public:
    static constexpr int backgroundId = 428;
    static constexpr int pictureId = 419;

    using Page::create;
    bool create(int id, int x, int y, int width, int height, Widget* parent,
                const std::vector<std::unique_ptr<Page>>& pages);

    Label* picture = nullptr;
    TextView* list = nullptr;
};
