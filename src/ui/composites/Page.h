#pragma once

#include <memory>
#include <vector>

#include "ui/toolkit/Container.h"

class Command;

/*
===============================================================================
Page: one page of the menu, a container that the Menu stacks. It owns the
console commands that belong to it (their shortcut keys work whether or not
the page is shown) and hands every key the scene reports to them
(dispatchKey). Subclasses fill themselves in build and refresh in onShow,
which the Menu calls each time the page is pushed.
===============================================================================
*/
class Page : public Container {
  public:
    Page();
    ~Page() override;

    using Container::create;
    virtual bool create(int id, int x, int y, int width, int height, Widget* parent,
                        Texture* background);
    virtual void onShow() {}
    // Each command of the page, in registration order, runs when the key is its shortcut.
    virtual void dispatchKey(int key);
    virtual bool build() { return true; }
    // A page stays alive while the menu closes.
    void close() override {}

    // Takes ownership; called by the command's constructor.
    void addCommand(Command* command);

    std::vector<std::unique_ptr<Command>> commands;
    int pageId = -1;
};
