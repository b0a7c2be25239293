#include "ui/commands/AskingCommands.h"

#include <cassert>

#include <filesystem>
#include <system_error>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/toolkit/Widget.h"
#include "world/Scene.h"

namespace {

constexpr int quitQuestion = 25;
constexpr int warningTitle = 26;
constexpr int openErrorText = 97;
constexpr int errorTitle = 98;
constexpr int overwriteQuestion = 99;
constexpr int spotCaption = 100;
constexpr int waitingTitle = 102;
constexpr int savingText = 123;
constexpr int saveLandQuestion = 128;

const char* unstorableNameText = "Names cannot hold \", //, [ or line breaks";

const char* tableText(int id) {
    const char* found = text(id);
    return found ? found : "";
}

void refuseName(CommandHost& host) {
    host.showMessage(unstorableNameText, tableText(errorTitle));
}

// Shows the waiting notice while work runs, and "File open error" when it failed.
template <class Work> bool saveWithNotice(CommandHost& host, Work work) {
    Widget* notice = host.showNotice(tableText(savingText), tableText(waitingTitle));
    host.presentNow();
    const bool saved = work();
    if (notice) notice->closeRequested = true;
    if (!saved) host.showMessage(tableText(openErrorText), tableText(errorTitle));
    return saved;
}

bool samePath(const std::string& path, const std::string& other) {
    if (path == other) return true;
    if (other.empty()) return false;
    std::error_code error;
    return std::filesystem::equivalent(path, other, error);
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace

bool isStorableName(std::string_view name) {
    return name.find_first_of("\"[\r\n") == std::string_view::npos &&
           name.find("//") == std::string_view::npos;
}

// ---------------------------------------------------------------------------

ExitCommand::ExitCommand(Page* page, ConsolePage* console, ApplicationServices* application)
    : Command("exit", 103, CommandEvent::Activate | CommandEvent::Confirm, page, console) {
    hostApplication(application);
}

void ExitCommand::onEvent(EventPublisher*, const Event& event) {
    if (event.type & CommandEvent::Activate) execute();
    if (event.type & CommandEvent::Confirm) confirm();
}

bool ExitCommand::execute() {
    EventPublisher* box =
        host().ask(tableText(quitQuestion), tableText(warningTitle), Event(CommandEvent::Confirm));
    if (box) box->subscribe(this);
    return true;
}

void ExitCommand::confirm() {
    host().requestClose();
}

// ---------------------------------------------------------------------------

SaveSceneCommand::SaveSceneCommand(Page* page, ConsolePage* console, Scene* target)
    : Command("savescene", 106, CommandEvent::Activate | CommandEvent::Confirm, page, console),
      scene(target) {
    assert(scene && "a world command needs the scene; make the scene before the menu");
}

void SaveSceneCommand::onEvent(EventPublisher*, const Event& event) {
    if (!scene->isLoaded()) return;
    if (event.type & CommandEvent::Activate) {
        CommandValue path;
        path.text = eventText(event);
        setValue(path);
        execute();
    }
    if (event.type & CommandEvent::Confirm) {
        const auto asked = askedPaths.find(event.payload);
        if (asked == askedPaths.end()) return;
        value.text = asked->second;
        askedPaths.erase(asked);
        confirm();
    }
}

bool SaveSceneCommand::execute() {
    pending = false;
    const std::string path = value.text;
    if (path.empty()) return false;
    if (!isStorableName(path)) {
        refuseName(host());
        return false;
    }
    if (fileExists(path) && !samePath(path, scene->savedGamePath())) {
        const uintptr_t question = ++lastQuestion;
        askedPaths[question] = path;
        EventPublisher* box = host().ask(tableText(overwriteQuestion), tableText(warningTitle),
                                         Event(CommandEvent::Confirm, question));
        if (box) box->subscribe(this);
        return true;
    }
    return save(path);
}

void SaveSceneCommand::confirm() {
    if (!value.text.empty()) save(value.text);
}

bool SaveSceneCommand::save(const std::string& path) {
    return saveWithNotice(host(), [&] { return scene->writeSavedGame(path); });
}

std::string SaveSceneCommand::runFromConsole(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return name + " takes the path of the game to save";
    if (!scene->isLoaded()) return name + ": no world to save";
    CommandValue path;
    path.text = joinWords(arguments);
    setValue(path);
    execute();
    return {};
}

// ---------------------------------------------------------------------------

SaveMapCommand::SaveMapCommand(Page* page, ConsolePage* console, Scene* target)
    : Command("savemap", 107, CommandEvent::Activate | CommandEvent::Confirm, page, console),
      scene(target) {
    assert(scene && "a world command needs the scene; make the scene before the menu");
    shortcutKey = 'w';
}

void SaveMapCommand::onEvent(EventPublisher*, const Event& event) {
    if (event.type & CommandEvent::Activate) execute();
    if (event.type & CommandEvent::Confirm) confirm();
}

bool SaveMapCommand::execute() {
    if (!scene->landReady()) return false;
    EventPublisher* box = host().ask(tableText(saveLandQuestion), tableText(warningTitle),
                                     Event(CommandEvent::Confirm));
    if (box) box->subscribe(this);
    return true;
}

void SaveMapCommand::confirm() {
    if (!scene->landReady()) return;
    saveWithNotice(host(), [&] { return scene->saveLandSpots(); });
}

// ---------------------------------------------------------------------------

AddSpotCommand::AddSpotCommand(Page* page, ConsolePage* console, Scene* target)
    : Command("addspot", 108, CommandEvent::Activate | CommandEvent::Confirm, page, console),
      scene(target) {
    assert(scene && "a world command needs the scene; make the scene before the menu");
    shortcutKey = 'v';
}

void AddSpotCommand::onEvent(EventPublisher*, const Event& event) {
    if (event.type & CommandEvent::Activate) execute();
    if (event.type & CommandEvent::Confirm) {
        CommandValue spotName;
        spotName.text = eventText(event);
        setValue(spotName);
        confirm();
    }
}

bool AddSpotCommand::execute() {
    if (!scene->isLoaded()) return false;
    EventPublisher* box = host().askText(tableText(spotCaption), Event(CommandEvent::Confirm));
    if (box) box->subscribe(this);
    return true;
}

void AddSpotCommand::confirm() {
    pending = false;
    if (!scene->isLoaded() || value.text.empty()) return;
    if (!isStorableName(value.text)) {
        refuseName(host());
        return;
    }
    scene->addSpot(value.text);
}

std::string AddSpotCommand::runFromConsole(const std::vector<std::string>& arguments) {
    if (!scene->isLoaded()) return name + ": no world to add a spot to";
    if (arguments.empty()) {
        execute();
        return {};
    }
    CommandValue spotName;
    spotName.text = joinWords(arguments);
    setValue(spotName);
    confirm();
    return {};
}
