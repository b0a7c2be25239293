#include "ui/menu/BuildMenu.h"

#include "shell/Accessors.h"
#include "ui/composites/Menu.h"
#include "ui/menu/AboutPage.h"
#include "ui/menu/CreatePage.h"
#include "ui/menu/DemosPage.h"
#include "ui/menu/GeneralPage.h"
#include "ui/menu/GliderPage.h"
#include "ui/menu/LandPage.h"
#include "ui/menu/LoadGamePage.h"
#include "ui/menu/MainPage.h"
#include "ui/menu/MenuPageId.h"
#include "ui/menu/SaveDemoPage.h"
#include "ui/menu/SaveGamePage.h"
#include "ui/menu/ServersPage.h"
#include "ui/menu/SystemPage.h"
#include "ui/menu/TypePage.h"
#include "ui/shortcuts/ShortcutListPage.h"

namespace {
constexpr int BuildOrder[] = {
    PageMain,    PageScenario, PageDemo,   PageParameters, PageHelp,   PageLoadGame,
    PageServers, PageSaveGame, PageDemos,  PageSaveDemo,   PageType,   PageLand,
    PageGlider,  PageGeneral,  PageSystem, PageAbout,      PageCreate, PageShortcuts};

constexpr int SmallPageBackground = 414;
constexpr int ParameterBackground = 429;

Page* makePage(int id, const MenuTargets& targets) {
    switch (id) {
    case PageMain:
        return new MainPage(targets);
    case PageScenario:
        return new NavigationPage(415, {{18, 350, PageLoadGame},
                                        {144, 300, PageCreate},
                                        {20, 250, PageServers},
                                        {22, 200, PageSaveGame}});
    case PageDemo:
        return new NavigationPage(421, {{18, 300, PageDemos}, {22, 250, PageSaveDemo}});
    case PageParameters:
        return new NavigationPage(422, {{12, 350, PageType},
                                        {23, 300, PageLand},
                                        {17, 250, PageGlider},
                                        {19, 200, PageGeneral},
                                        {21, 150, PageSystem}});
    case PageHelp:
        return new NavigationPage(423, {{15, 300, PageShortcuts}, {24, 250, PageAbout}});
    case PageLoadGame:
        return new LoadGamePage(targets);
    case PageCreate:
        return new CreatePage(targets);
    case PageSaveGame:
        return new SaveGamePage(targets);
    case PageServers:
        return new ServersPage;
    case PageDemos:
        return new DemosPage;
    case PageSaveDemo:
        return new SaveDemoPage;
    case PageType:
        return new TypePage;
    case PageLand:
        return new LandPage(targets);
    case PageGlider:
        return new GliderPage;
    case PageGeneral:
        return new GeneralPage(targets);
    case PageSystem:
        return new SystemPage(targets);
    case PageAbout:
        return new AboutPage;
    default:
        return nullptr;
    }
}

int widthOf(int id) {
    return id >= PageLand ? LargePageWidth : SmallPageWidth;
}

int backgroundOf(int id) {
    return id >= PageLand ? ParameterBackground : SmallPageBackground;
}

void addShortcutList(Menu& menu) {
    auto* page = new ShortcutListPage;
    page->create(PageShortcuts, 0, 0, LargePageWidth, PageHeight, &menu, menu.pages);
}
} // namespace

std::unique_ptr<Menu> buildMenu(const MenuTargets& targets) {
    auto menu = std::make_unique<Menu>();
    menu->create(nullptr, 20, 20, 0, 0, nullptr);
    for (int id : BuildOrder) {
        if (id == PageShortcuts) {
            addShortcutList(*menu);
            continue;
        }
        Page* page = makePage(id, targets);
        page->create(id, 0, 0, widthOf(id), PageHeight, menu.get(), texture(backgroundOf(id)));
        page->build();
    }
    menu->setRoot(menu->findPage(PageMain));
    return menu;
}
