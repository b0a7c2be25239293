#pragma once

// What the command tests share: a stand-in host that logs what the commands ask of the
// application and lets a test answer their boxes, a parameter page's "Valid" and "Reset",
// and a small land with a saved game in a private folder.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/WorkingFolder.h"
#include "ui/commands/SceneCommands.h"
#include "ui/commands/ScreenCommands.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/WidgetEvents.h"
#include "world/Scene.h"

namespace commandtest {

using Log = std::vector<std::string>;

// A box as the commands see it: it counts what it hears, and "Yes" (or Return) in it
// publishes a copy of the event it was given.
struct RecordingBox : Widget {
    RecordingBox(const Event& answer) : answerType(answer.type), answerPayload(answer.payload) {
        mask = 0xFFFFF;
    }
    void onEvent(EventPublisher*, const Event&) override { ++heard; }
    void answer(const char* typed = nullptr) {
        publish(Event(answerType, typed ? reinterpret_cast<uintptr_t>(typed) : answerPayload));
    }
    uint32_t answerType;
    uintptr_t answerPayload;
    int heard = 0;
};

// Logs every box as "text|title" and every other call by name.
class FakeHost : public CommandHost {
  public:
    void requestClose() override { log.push_back("close"); }
    bool isFullScreen() const override { return fullScreen; }
    void setFullScreen(bool on) override { fullScreen = on; }
    std::vector<DisplayMode> displayModes(int) const override { return modes; }
    DisplayMode currentMode() const override { return current; }
    void changeResolution(const DisplayMode& mode) override {
        log.push_back(displayModeName(current = mode));
    }
    bool screenInfoShown() const override { return screenInfo; }
    void setScreenInfoShown(bool shown) override { screenInfo = shown; }
    void applyScreenInfo() override { log.push_back("applyinfo"); }
    void showScene() override { log.push_back("showscene"); }
    void presentNow() override { log.push_back("present"); }
    EventPublisher* ask(const char* text, const char* title, const Event& yes) override {
        return box(text, title, yes);
    }
    EventPublisher* askText(const char* caption, const Event& accept) override {
        return box(caption, "", accept);
    }
    void showMessage(const char* text, const char* title) override { box(text, title); }
    Widget* showProgress(const char* text, const char* title) override { return box(text, title); }
    Widget* showNotice(const char* text, const char* title) override { return box(text, title); }

    Log log;
    std::vector<std::unique_ptr<RecordingBox>> boxes;
    bool fullScreen = false;
    bool screenInfo = true;
    std::vector<DisplayMode> modes;
    DisplayMode current;

  private:
    RecordingBox* box(const char* text, const char* title, const Event& answer = Event(0)) {
        log.push_back(std::string(text) + "|" + title);
        return boxes.emplace_back(std::make_unique<RecordingBox>(answer)).get();
    }
};

// "Valid" and "Reset" of a parameter page, wired to a command and its control as pages do.
struct PageControls {
    PageControls() { reset.releaseType = CommandEvent::Refresh; }
    void wire(Command& command, Widget& control) {
        linkControl(command, control);
        listenTo(command, valid);
        listenTo(command, reset);
    }
    Button valid, reset;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string savedGame(int x, int y) {
    return "wind.show = \"FALSE\"\npompes.show = \"FALSE\"\nsound.play = \"FALSE\"\n"
           "terrain.name = \"square\"\nobs.speed = \"10\"\nobs.x = \"" +
           std::to_string(x) + "\"\nobs.y = \"" + std::to_string(y) + "\"\n";
}

// A private folder with a flat 1000 m square land at 50 m, north along +y, its spots
// "north" (500, 800; wind 3 m/s from 90) and "south" (500, 200; 7 m/s), and
// "start.sav" standing at its centre; commands made by make() use the fake host.
class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string land = "terrain.northdir = \"90\"\nterrain.longitud = \"6.5\"\n"
                           "terrain.latitud = \"45.2\"\nterrain.basetimezone = \"1\"\n"
                           "terrain.points = \"0 0 50 1000 0 50 1000 1000 50 0 1000 50\"\n"
                           "terrain.triangles = \"0 3 1 2 1 3\"\n"
                           "terrain.tree = \"-1 0 1 -1 0 -1 -1 -1 1 -1 -1 -1\"\n[Spot]\n";
        for (const auto& [n, name, y, wind] :
             {std::tuple{1, "north", 800, 3}, {2, "south", 200, 7}}) {
            char spot[300];
            std::snprintf(
                spot, sizeof spot,
                "spot%d.name = \"%s\"\nspot%d.x = \"500\"\nspot%d.y = \"%d\"\n"
                "spot%d.z = \"50\"\nspot%d.wind.speed = \"%d\"\nspot%d.wind.dir = \"90\"\n",
                n, name, n, n, y, n, n, wind, n);
            land += spot;
        }
        writeFile(landFile, land);
        writeFile("start.sav", savedGame(500, 500));
    }
    template <class Made> Made& make(Made* made) {
        made->useHost(host);
        commands.emplace_back(made);
        return *made;
    }
    void load(const char* path = "start.sav") {
        make(new LoadSceneCommand(nullptr, nullptr, &scene))
            .onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path));
    }

    testsupport::WorkingFolder folder;
    const std::filesystem::path landFile = "lands/square/square.map";
    Scene scene;
    FakeHost host;
    std::vector<std::unique_ptr<Command>> commands;
};

} // namespace commandtest
