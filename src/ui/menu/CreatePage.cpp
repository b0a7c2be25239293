#include "ui/menu/CreatePage.h"

#include "ui/commands/SceneCommands.h"
#include "ui/menu/MenuPageId.h"
#include "ui/menu/PageParts.h"
#include "ui/menu/WorldState.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/WidgetEvents.h"

CreatePage::CreatePage(const MenuTargets& menuTargets)
    : NavigationPage(426, {{12, 300, PageType}, {23, 250, PageLand}, {17, 200, PageGlider}}),
      targets(menuTargets) {}

bool CreatePage::build() {
    NavigationPage::build();
    create = addPageActionButton(*this, 144);
    createScene = new CreateSceneCommand(this, targets.console, targets.scene);
    return true;
}

// The page hands the release on itself, so the menu is closed only after the build.
void CreatePage::onRelease(EventPublisher* publisher, const Event& event) {
    if (publisher != create) return;
    createScene->onEvent(this, event);
    if (worldLoaded(targets.scene)) publish(ValueEvent(EventCloseMenu));
}
