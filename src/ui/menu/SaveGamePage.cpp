#include "ui/menu/SaveGamePage.h"

#include "ui/commands/AskingCommands.h"
#include "ui/files/FileLists.h"
#include "ui/menu/NavigationPage.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/WidgetEvents.h"

std::string savedGameFileName(const std::string& typed) {
    // A name of blanks would only make a hidden or nameless file.
    if (typed.find_first_not_of(' ') == std::string::npos) return {};
    if (typed.find(".sav") != std::string::npos) return typed;
    return typed + ".sav";
}

SaveGamePage::SaveGamePage(const MenuTargets& menuTargets) : targets(menuTargets) {}

bool SaveGamePage::build() {
    addCaption(*this, 35, 78, 380);
    list = addScrolledList(*this, 78, 230, 120, 150).list;
    field = addEditField(*this, 78, 190, 120, 20);
    list->subscribe(field);
    save = addPageActionButton(*this, 22, 148);
    saveScene = new SaveSceneCommand(this, targets.console, targets.scene);
    addPagePicture(*this, 424);
    return true;
}

void SaveGamePage::onShow() {
    fillSaves(*list, ".");
}

void SaveGamePage::onEvent(EventPublisher* publisher, const Event& event) {
    if (publisher != save || (event.type & EventActivated) == 0) return;
    const std::string path = savedGameFileName(field->content);
    if (path.empty()) return;
    saveScene->onEvent(this, ValueEvent::ofText(EventActivated, path.c_str()));
    onShow();
}
