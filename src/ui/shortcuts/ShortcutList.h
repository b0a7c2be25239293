#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/composites/Page.h"

class Label;
class Menu;
class TextView;

/*
===============================================================================
The shortcut list: the two keys the application handles itself ("²" and
"Echap"), then every command that has a shortcut key, pages in the menu's
order and commands in registration order, as "<key name> : <description>".

ShortcutPage is the menu page that shows it: a 512 x 512 page with the
picture 419 at (186, 320) and the list in a text view at (10, 10), 480 x 300,
filled when the page is built (once every other page holds its commands) and
not refreshed afterwards.
===============================================================================
*/
std::vector<std::string> shortcutLines(const std::vector<const Page*>& pages);
std::vector<std::string> shortcutLines(const Menu& menu);

class ShortcutPage : public Page {
  public:
    static constexpr int backgroundId = 428;
    static constexpr int pictureId = 419;

    explicit ShortcutPage(const Menu& owner) : menu(owner) {}

    // create(id, x, y, 512, 512, menu, texture(backgroundId)) first.
    bool build() override;

    Label* picture = nullptr;
    TextView* list = nullptr;

  private:
    const Menu& menu;
};
