#include "ui/menu/LoadGamePage.h"

#include "ui/commands/SceneCommands.h"
#include "ui/files/FileLists.h"
#include "ui/menu/NavigationPage.h"
#include "ui/menu/PageParts.h"
#include "ui/menu/WorldState.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/WidgetEvents.h"

LoadGamePage::LoadGamePage(const MenuTargets& menuTargets) : targets(menuTargets) {}

bool LoadGamePage::build() {
    addCaption(*this, 36, 78, 380);
    list = addScrolledList(*this, 78, 200, 120, 180).list;
    load = addPageActionButton(*this, 18);
    loadScene = new LoadSceneCommand(this, targets.console, targets.scene);
    addPagePicture(*this, 426);
    return true;
}

void LoadGamePage::onShow() {
    fillSaves(*list, ".");
}

void LoadGamePage::onEvent(EventPublisher* publisher, const Event& event) {
    if (publisher != load || (event.type & EventActivated) == 0) return;
    if (list->selected < 0 || list->selected >= list->count()) return;
    const std::string path = list->items[list->selected];
    loadScene->onEvent(this, ValueEvent::ofText(EventActivated, path.c_str()));
    if (worldLoaded(targets.scene)) publish(ValueEvent(EventCloseMenu));
}
