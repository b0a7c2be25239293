#include "ui/commands/SceneCommands.h"

#include <cassert>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/toolkit/Widget.h"
#include "world/Scene.h"

namespace {

constexpr int openingText = 42;
constexpr int loadingTitle = 43;
constexpr int openErrorText = 97;
constexpr int errorTitle = 98;
constexpr int computingText = 101;
constexpr int waitingTitle = 102;

const char* tableText(int id) {
    const char* found = text(id);
    return found ? found : "";
}

} // namespace

void buildSceneWithProgress(CommandHost& host, Scene& scene) {
    Widget* progress = host.showProgress(tableText(openingText), tableText(loadingTitle));
    host.presentNow();
    if (progress) scene.subscribe(progress);
    scene.build();
    if (progress) {
        scene.unsubscribe(progress);
        progress->closeRequested = true;
    }
    host.showScene();
    host.applyScreenInfo();
}

// ---------------------------------------------------------------------------

CreateSceneCommand::CreateSceneCommand(Page* page, ConsolePage* console, Scene* target)
    : Command("createscene", 104, CommandEvent::Activate, page, console), scene(target) {
    assert(scene && "a world command needs the scene; make the scene before the menu");
}

bool CreateSceneCommand::execute() {
    buildSceneWithProgress(host(), *scene);
    return true;
}

// ---------------------------------------------------------------------------

LoadSceneCommand::LoadSceneCommand(Page* page, ConsolePage* console, Scene* target)
    : Command("loadscene", 105, CommandEvent::Activate, page, console), scene(target) {
    assert(scene && "a world command needs the scene; make the scene before the menu");
}

void LoadSceneCommand::onEvent(EventPublisher*, const Event& event) {
    CommandValue path;
    path.text = eventText(event);
    setValue(path);
    execute();
}

bool LoadSceneCommand::execute() {
    pending = false;
    if (!scene->readSavedGame(value.text)) {
        host().showMessage(tableText(openErrorText), tableText(errorTitle));
        return false;
    }
    buildSceneWithProgress(host(), *scene);
    return true;
}

std::string LoadSceneCommand::runFromConsole(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return name + " takes the path of the game to load";
    CommandValue path;
    path.text = joinWords(arguments);
    setValue(path);
    execute();
    return {};
}

// ---------------------------------------------------------------------------

ChangeSpotCommand::ChangeSpotCommand(Page* page, ConsolePage* console, Scene* target)
    : Command("changespot", 109, CommandEvent::Activate, page, console), scene(target) {
    assert(scene && "a world command needs the scene; make the scene before the menu");
    shortcutKey = Key::Tab;
}

bool ChangeSpotCommand::execute() {
    if (!scene->isLoaded()) return false;
    Widget* notice = host().showNotice(tableText(computingText), tableText(waitingTitle));
    host().presentNow();
    scene->nextSpot();
    if (notice) notice->closeRequested = true;
    return true;
}
