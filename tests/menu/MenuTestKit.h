#pragma once

#include "support/WorkingFolder.h"

// A built menu over a real scene, with a stand-in for the application's boxes,
// and pointer helpers that click where a user would: at page coordinates, as
// the pages are laid out (the menu sits at (20, 20), page contents 6 further in).

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "support/FakeHost.h"
#include "ui/composites/Menu.h"
#include "ui/composites/Page.h"
#include "ui/console/ConsolePage.h"
#include "ui/menu/MenuTargets.h"
#include "world/Scene.h"

namespace menutest {

// Page-content origin in the window.
constexpr int ContentX = 26;
constexpr int ContentY = 26;

// A temporary working folder, entered for the life of the object.
using WorkingFolder = testsupport::WorkingFolder;

// A flat 1000 m square land with the spots "north" (500, 800) and "south" (500, 200).
void writeSquareLand(const std::string& name);
// A saved game naming the land, the observer at (x, y).
void writeSavedGame(const std::filesystem::path& path, const std::string& landName, float x,
                    float y);
std::string readFile(const std::filesystem::path& path);

class MenuTest : public ::testing::Test {
  protected:
    // Builds the menu in the current folder; tests that need files make them first.
    void buildTheMenu();
    // Builds a world from the square land, as a loaded game would.
    void loadSquareWorld();

    Page& page(int id) const;
    template <class P> P& pageAs(int id) const { return dynamic_cast<P&>(page(id)); }
    Command* command(const std::string& name) const;

    // Presses and releases the left button at page coordinates of the top page.
    void clickPage(int x, int y);
    // Presses and releases the left button over the middle of a control.
    void click(const Element& control);
    void typeText(const Element& field, const std::string& typed);
    // Drags a horizontal slider's knob from its middle to window x.
    void dragTo(const Element& slider, int windowX);
    void escape() { menu->keyDown(27); }
    int topId() const { return menu->top() ? menu->top()->pageId : -1; }

    std::unique_ptr<WorkingFolder> folder = std::make_unique<WorkingFolder>();
    Scene scene;
    ConsolePage console;
    commandtest::FakeHost host;
    MenuTargets targets;
    std::unique_ptr<Menu> menu;
};

} // namespace menutest
