#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Keys.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/commands/Command.h"
#include "ui/composites/Menu.h"
#include "ui/composites/Page.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/WidgetEvents.h"

namespace {
// A command that notes every run in a shared log.
class LoggingCommand : public Command {
  public:
    LoggingCommand(const char* commandName, int key, Page* page, std::vector<std::string>& runs)
        : Command(commandName, 103, 8, page, nullptr), log(runs) {
        shortcutKey = key;
    }
    ~LoggingCommand() override { log.push_back("~" + name); }
    bool execute() override {
        log.push_back(name);
        return true;
    }
    std::vector<std::string>& log;
};

class ShowCountingPage : public Page {
  public:
    void onShow() override { ++shown; }
    int shown = 0;
};

// A menu of a root page (id 0) and two sub-pages (ids 5 and 7), as the menu builds them.
struct MenuFixture {
    MenuFixture() {
        menu.create(nullptr, 20, 20, 0, 0, nullptr);
        root = makePage(0);
        loadPage = makePage(5);
        savePage = makePage(7);
        menu.setRoot(root);
    }
    ShowCountingPage* makePage(int id) {
        auto* page = new ShowCountingPage;
        page->create(id, 0, 0, 256, 512, &menu, nullptr);
        return page;
    }
    Menu menu;
    ShowCountingPage* root;
    ShowCountingPage* loadPage;
    ShowCountingPage* savePage;
};
} // namespace

TEST(Menu, PagesLieAtTheMenusCornerAndReportToIt) {
    MenuFixture f;
    EXPECT_EQ(f.root->x, 20);
    EXPECT_EQ(f.root->y, 20);
    EXPECT_EQ(f.root->pageId, 0);
    EXPECT_EQ(f.menu.pages.size(), 3u);
    EXPECT_TRUE(f.loadPage->isSubscribed(&f.menu));
    EXPECT_EQ(f.menu.top(), f.root);
    f.menu.onEvent(nullptr, ButtonEvent(24, false, false)); // only value events open pages
    EXPECT_EQ(f.menu.top(), f.root);
}

TEST(Menu, AnOpenPageEventPushesThatPageAndShowsIt) {
    MenuFixture f;
    f.loadPage->publish(ValueEvent::ofInt(8, 7));
    EXPECT_EQ(f.menu.top(), f.savePage);
    EXPECT_EQ(f.savePage->shown, 1);
    EXPECT_EQ(f.menu.stack.size(), 2u);
    f.root->publish(ValueEvent::ofInt(8, 42)); // no page has it
    EXPECT_EQ(f.menu.top(), f.savePage);
    EXPECT_EQ(f.menu.stack.size(), 2u);
}

TEST(Menu, EscapePopsOnlyWhenThereIsAPageBelow) {
    MenuFixture f;
    EXPECT_TRUE(f.menu.keyDown(Key::Escape)); // root only: not used
    f.menu.push(f.loadPage);
    f.menu.push(f.savePage);
    EXPECT_FALSE(f.menu.keyDown(Key::Escape));
    EXPECT_EQ(f.menu.top(), f.loadPage);
    EXPECT_FALSE(f.menu.keyDown(Key::Escape));
    EXPECT_EQ(f.menu.top(), f.root);
    EXPECT_TRUE(f.menu.keyDown(Key::Escape));
    EXPECT_TRUE(f.menu.keyDown('a'));
}

TEST(Menu, AKeyTheTopPageUsesDoesNotPop) {
    MenuFixture f;
    f.menu.push(f.loadPage);
    auto* field = new EditField;
    field->create(nullptr, 0, 0, 100, 20, f.loadPage, nullptr, nullptr, false);
    f.menu.hitTest(field->x + 2, field->y + 2);
    EXPECT_FALSE(f.menu.keyDown('x'));
    EXPECT_FALSE(f.menu.characterTyped('x'));
    EXPECT_EQ(field->content, "x");
    // The field passes Escape on, so the page pops.
    EXPECT_FALSE(f.menu.keyDown(Key::Escape));
    EXPECT_EQ(f.menu.top(), f.root);
}

TEST(Menu, InputAndHitTestsGoToTheTopPageOnly) {
    MenuFixture f;
    auto* rootButton = new Button;
    rootButton->create("root", 10, 10, 100, 30, f.root, nullptr, nullptr, nullptr);
    auto* loadButton = new Button;
    loadButton->create("load", 10, 10, 100, 30, f.loadPage, nullptr, nullptr, nullptr);
    Recorder heard(8);
    rootButton->subscribe(&heard);
    loadButton->subscribe(&heard);
    f.menu.push(f.loadPage);
    const int px = loadButton->x + 5;
    const int py = loadButton->y + 5;
    EXPECT_TRUE(f.menu.hitTest(px, py));
    f.menu.leftButton(0, px, py, true);
    f.menu.leftButton(0, px, py, false);
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(heard.last().from, loadButton);
    EXPECT_FALSE(rootButton->active);
    EXPECT_FALSE(f.menu.hitTest(1000, 1000));

    Menu empty;
    empty.create(nullptr, 0, 0, 0, 0, nullptr);
    EXPECT_TRUE(empty.keyDown('a'));
    EXPECT_TRUE(empty.leftButton(0, 1, 1, true));
    EXPECT_FALSE(empty.hitTest(1, 1));
}

TEST(Menu, CloseGoesBackToTheRootAndAsksToLeave) {
    MenuFixture f;
    f.menu.push(f.loadPage);
    f.menu.push(f.savePage);
    f.savePage->publish(ValueEvent(64));
    EXPECT_TRUE(f.menu.closeRequested);
    EXPECT_EQ(f.menu.top(), f.root);
    EXPECT_EQ(f.menu.stack.size(), 1u);
    EXPECT_EQ(f.menu.pages.size(), 3u);
    EXPECT_FALSE(f.root->closeRequested);
}

TEST(Menu, SceneKeysReachEveryPagesCommandsInOrder) {
    std::vector<std::string> runs; // outlives the pages: their commands log their end
    MenuFixture f;
    new LoggingCommand("addspot", 'v', f.savePage, runs);
    new LoggingCommand("changespot", Key::Tab, f.root, runs);
    new LoggingCommand("first", 'v', f.root, runs);
    new LoggingCommand("second", 'v', f.loadPage, runs);
    f.menu.onEvent(nullptr, Event(256, 'v'));
    EXPECT_EQ(runs, (std::vector<std::string>{"first", "second", "addspot"}));
    runs.clear();
    f.menu.onEvent(nullptr, Event(256, 'V')); // Shift+v is another key
    EXPECT_TRUE(runs.empty());
    f.menu.onEvent(nullptr, Event(256, static_cast<uintptr_t>(Key::Tab)));
    EXPECT_EQ(runs, (std::vector<std::string>{"changespot"}));
}

TEST(Menu, FollowsTheWindowsSize) {
    MenuFixture f;
    f.menu.resize(1024, 768);
    EXPECT_EQ(f.menu.width, 1024);
    EXPECT_EQ(f.menu.height, 768);
    EXPECT_EQ(f.root->width, 256); // the pages keep theirs
}

TEST(Page, OwnsItsCommands) {
    std::vector<std::string> runs;
    int before = 0;
    {
        Page page;
        page.create(3, 0, 0, 256, 512, nullptr, nullptr);
        new LoggingCommand("one", 'a', &page, runs);
        new LoggingCommand("two", 'a', &page, runs);
        before = static_cast<int>(page.commands.size());
        page.dispatchKey('a');
        page.close(); // pages stay when the menu closes
        EXPECT_FALSE(page.closeRequested);
    }
    EXPECT_EQ(before, 2);
    EXPECT_EQ(runs, (std::vector<std::string>{"one", "two", "~two", "~one"}));
}
