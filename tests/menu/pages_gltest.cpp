// Every menu page as seen (on a plain ground) over no world, in a folder with one glider.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/GlScreen.h"
#include "support/Golden.h"
#include "support/WorkingFolder.h"
#include "ui/composites/Menu.h"
#include "ui/composites/Page.h"
#include "ui/console/ConsolePage.h"
#include "ui/menu/BuildMenu.h"
#include "ui/menu/MenuPageId.h"
#include "world/Scene.h"

using namespace testsupport;

TEST(MenuOnScreen, EveryPageLooksAsApproved) {
    GlScreen::get();
    WorkingFolder folder("ventrix-pages");
    std::filesystem::create_directories("gliders/Alpha");
    Scene scene;
    ConsolePage console;
    const auto menu = buildMenu({nullptr, &scene, &scene.theObserver(), &console});
    for (int id = PageMain; id <= PageAbout; ++id) {
        menu->backToRoot();
        if (id != PageMain) menu->push(menu->findPage(id));
        Page& page = *menu->top();
        page.texture = page.normalTexture = nullptr; // a plain ground keeps pictures small
        GlScreen::get().clear();
        menu->draw();
        EXPECT_TRUE(matchesGolden(
            "menu_page_" + std::to_string(id),
            cropped(GlScreen::get().grab(), page.x, page.y, page.width, page.height)));
    }
}
