#include "ui/composites/Page.h"

#include <cassert>

#include "ui/commands/Command.h"
#include "ui/toolkit/WidgetEvents.h"

Page::Page() {
    mask = EventActivated;
}

// Commands go before the widgets they listen to.
Page::~Page() {
    while (!commands.empty())
        commands.pop_back();
}

bool Page::create(int id, int newX, int newY, int newWidth, int newHeight, Widget* parent,
                  Texture* background) {
    pageId = id;
    return createWithTitle(nullptr, newX, newY, newWidth, newHeight, parent, background);
}

void Page::dispatchKey(int key) {
    for (std::size_t i = 0; i < commands.size(); ++i)
        commands[i]->onKey(key);
}

void Page::addCommand(Command* command) {
    assert(command && "Page::addCommand needs a command; a command adds itself when made");
    if (command) commands.emplace_back(command);
}
