#include "menu/MenuTestKit.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "ui/commands/Command.h"
#include "ui/menu/BuildMenu.h"

namespace menutest {

namespace fs = std::filesystem;

namespace {

std::string entry(const std::string& key, const std::string& value) {
    return key + " = \"" + value + "\"\n";
}

std::string spot(int n, const char* name, float x, float y, float windSpeed) {
    const std::string prefix = "spot" + std::to_string(n) + ".";
    return entry(prefix + "name", name) + entry(prefix + "x", std::to_string(x)) +
           entry(prefix + "y", std::to_string(y)) + entry(prefix + "z", "50.000000") +
           entry(prefix + "orientation", "0.000000") +
           entry(prefix + "wind.speed", std::to_string(windSpeed)) +
           entry(prefix + "wind.dir", "90.000000");
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

} // namespace

void writeSquareLand(const std::string& name) {
    const fs::path path = fs::path("lands") / name / (name + ".map");
    fs::create_directories(path.parent_path());
    writeText(path, entry("terrain.northdir", "90.000000") + entry("terrain.longitud", "6.5") +
                        entry("terrain.latitud", "45.2") + entry("terrain.basetimezone", "1") +
                        entry("terrain.points", "0 0 50 1000 0 50 1000 1000 50 0 1000 50") +
                        entry("terrain.triangles", "0 3 1 2 1 3") +
                        entry("terrain.tree", "-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1") + "[Spot]\n" +
                        spot(1, "north", 500, 800, 3) + spot(2, "south", 500, 200, 7));
}

void writeSavedGame(const fs::path& path, const std::string& landName, float x, float y) {
    writeText(path, entry("wind.show", "FALSE") + entry("pompes.show", "FALSE") +
                        entry("sound.play", "FALSE") + entry("terrain.name", landName) +
                        entry("obs.x", std::to_string(x)) + entry("obs.y", std::to_string(y)));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void MenuTest::buildTheMenu() {
    targets.scene = &scene;
    targets.observer = &scene.theObserver();
    targets.console = &console;
    menu = buildMenu(targets);
    for (const auto& menuPage : menu->pages) {
        for (const auto& pageCommand : menuPage->commands)
            pageCommand->useHost(host);
    }
}

void MenuTest::loadSquareWorld() {
    writeSquareLand("square");
    writeSavedGame("start.sav", "square", 500, 500);
    ASSERT_TRUE(scene.readSavedGame("start.sav"));
    ASSERT_TRUE(scene.build());
    ASSERT_TRUE(scene.isLoaded());
}

Page& MenuTest::page(int id) const {
    Page* found = menu->findPage(id);
    if (found == nullptr) throw std::runtime_error("no page " + std::to_string(id));
    return *found;
}

Command* MenuTest::command(const std::string& name) const {
    for (const auto& menuPage : menu->pages) {
        for (const auto& pageCommand : menuPage->commands) {
            if (pageCommand->name == name) return pageCommand.get();
        }
    }
    return nullptr;
}

void MenuTest::clickPage(int x, int y) {
    const int windowX = ContentX + x;
    const int windowY = ContentY + y;
    menu->hitTest(windowX, windowY);
    menu->leftButton(0, windowX, windowY, true);
    menu->hitTest(windowX, windowY);
    menu->leftButton(0, windowX, windowY, false);
}

void MenuTest::click(const Element& control) {
    clickPage(control.x + control.width / 2 - ContentX, control.y + control.height / 2 - ContentY);
}

void MenuTest::typeText(const Element& field, const std::string& typed) {
    menu->hitTest(field.x + field.width / 2, field.y + field.height / 2);
    for (char c : typed) {
        menu->keyDown(static_cast<unsigned char>(c));
        menu->characterTyped(static_cast<unsigned char>(c));
        menu->keyUp(static_cast<unsigned char>(c));
    }
}

void MenuTest::dragTo(const Element& slider, int windowX) {
    const int middleX = slider.x + slider.width / 2;
    const int middleY = slider.y + slider.height / 2;
    menu->hitTest(middleX, middleY);
    menu->leftButton(0, middleX, middleY, true);
    menu->hitTest(windowX, middleY);
    menu->mouseMove(windowX, middleY);
    menu->leftButton(0, windowX, middleY, false);
}

} // namespace menutest
