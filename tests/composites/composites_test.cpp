#include <gtest/gtest.h>

#include <memory>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/composites/Boxes.h"
#include "ui/composites/ConsoleWindow.h"
#include "ui/console/ConsolePage.h"
#include "ui/composites/InfoBar.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/Menu.h"
#include "ui/composites/MessageBox.h"
#include "ui/composites/NoticeBox.h"
#include "ui/composites/Page.h"
#include "ui/composites/ProgressBox.h"
#include "ui/composites/QuestionBox.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Slider.h"
#include "world/Scene.h"

// Each answer is told once and closes the box; a progress box shows each report.
TEST(Boxes, AnswersCloseAndReportsShow) {
    const Event yes(256, 1), no(256, 2), cancel(256, 3);
    const std::tuple<int, int, int> cases[] = {{3, 0, 1}, {7, 1, 0}, {7, 2, -1}};
    for (const auto& [buttons, answer, result] : cases) {
        std::unique_ptr<QuestionBox> box(ask("q", "t", buttons, &yes, &no, &cancel));
        Button* const chosen = std::array{box->yesButton, box->noButton, box->cancelButton}[answer];
        EXPECT_EQ(box->cancelButton == nullptr, buttons == 3);
        Recorder caller;
        box->subscribe(&caller);
        box->hitTest(chosen->x + 3, chosen->y + 3);
        EXPECT_TRUE(!box->leftButton(0, chosen->x + 3, chosen->y + 3, true) &&
                    caller.events.empty());
        click(*box, chosen, 3, 3);         // told on the release
        click(*box, box->yesButton, 3, 3); // answered already: nothing more
        ASSERT_EQ(caller.events.size(), 1u);
        EXPECT_EQ(std::tuple(box->result, caller.last().payload, box->closeRequested),
                  std::tuple(result, static_cast<uintptr_t>(answer + 1), true));
    }
    std::unique_ptr<MessageBox> message(showMessage("m", "t", 0));
    click(*message, message->closeButton, 3, 3);
    EXPECT_TRUE(message->closeRequested);
    std::unique_ptr<ProgressBox> progress(showProgress("Opening file...", "Loading"));
    const ProgressReport report{"Computing wind...", 60.0f};
    progress->onEvent(nullptr, ValueEvent::ofPointer(2, &report));
    EXPECT_EQ(std::pair(progress->messageLabel->text, progress->gauge->value),
              std::pair(std::string("Computing wind..."), 60.0f));
}

// Typing reaches the field wherever the pointer is; Return accepts, Escape cancels, once.
TEST(InputBox, ReturnAcceptsAndEscapeCancels) {
    const Event accept(256, 0), cancel(512, 9);
    for (int key : {Key::Return, Key::Escape}) {
        std::unique_ptr<InputBox> box(askText("Spot", &accept, &cancel));
        box->hitTest(-1000, -1000);
        for (char c : std::string("top.1"))
            EXPECT_FALSE(box->keyDown(c) || box->characterTyped(c));
        EXPECT_EQ(box->captionLabel->text + box->field->content, "Spottop.1");
        Recorder caller;
        box->subscribe(&caller);
        EXPECT_FALSE(box->keyDown(key));
        box->keyDown(Key::Return);
        ASSERT_EQ(caller.events.size(), 1u);
        EXPECT_EQ(std::pair(caller.last().type, box->closeRequested),
                  std::pair(key == Key::Return ? 256u : 512u, true));
        if (key == Key::Return) {
            EXPECT_STREQ(reinterpret_cast<const char*>(caller.last().payload), "top.1");
        }
    }
}

// Pages open by event, Escape pops them, input goes to the top one, closing goes to the root.
TEST(Menu, PagesStackAndInputGoesToTheTopOne) {
    Menu menu;
    menu.create(nullptr, 20, 20, 0, 0, nullptr);
    Page* pages[3];
    Button* buttons[2];
    Recorder heard(8);
    for (int i = 0; i < 3; ++i) {
        pages[i] = new Page;
        pages[i]->create(i == 0 ? 0 : 3 + 2 * i, 0, 0, 256, 512, &menu, nullptr);
        if (i == 2) break;
        buttons[i] = new Button;
        buttons[i]->create("b", 10, 10, 100, 30, pages[i], nullptr, nullptr, nullptr);
        buttons[i]->subscribe(&heard);
    }
    menu.setRoot(pages[0]);
    EXPECT_TRUE(menu.keyDown(Key::Escape)) << "the root alone: not used";
    pages[0]->publish(ValueEvent::ofInt(8, 5));
    pages[1]->publish(ValueEvent::ofInt(8, 42)); // no page has it
    EXPECT_EQ(menu.top(), pages[1]);
    click(menu, buttons[1], 5, 5);
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(std::pair(heard.last().from, menu.hitTest(1000, 1000)),
              std::pair((EventPublisher*)buttons[1], false));
    menu.push(pages[2]);
    EXPECT_FALSE(menu.keyDown(Key::Escape));
    EXPECT_EQ(menu.top(), pages[1]);
    menu.push(pages[2]);
    pages[2]->publish(ValueEvent(64));
    EXPECT_EQ(std::tuple(menu.closeRequested, menu.stack.size(), menu.top()),
              std::tuple(true, std::size_t{1}, pages[0]));
}

// The console's page takes the keys wherever the pointer is; the bar follows the lines.
TEST(ConsoleWindow, KeysReachThePageAndTheBarFollowsTheLines) {
    ConsoleWindow console;
    auto* page = new ConsolePage;
    console.createWithTitle(nullptr, 0, 0, 800, 200, nullptr, nullptr, page);
    EXPECT_EQ(page->width, console.clientRect().width - 12);
    console.exclusive = true;
    console.hitTest(5000, 5000);
    EXPECT_FALSE(console.characterTyped('h') || console.characterTyped('i'));
    EXPECT_EQ(page->buffer().input(), "hi");
    EXPECT_TRUE(console.keyDown(Key::Escape) && console.keyDown(Key::Console));
    for (int i = 0; i < page->rows + 9; ++i)
        page->addLine("line " + std::to_string(i));
    const int last = page->buffer().lineCount() - page->rows; // the first line with the last shown
    Slider* bar = console.scrollBar;
    EXPECT_FLOAT_EQ(bar->value, float(last));
    console.hitTest(bar->x + 5, bar->y + bar->height - 1);
    console.leftButton(0, bar->x + 5, bar->y + bar->height - 1, true); // the top: first line
    const int atTop = page->first;
    console.mouseMove(bar->x + 5, bar->y + 1);
    EXPECT_EQ(std::pair(atTop, page->first), std::pair(0, last));
}

// On a new window size boxes stay centred and the info bar takes the width.
TEST(Resizing, BoxesStayCentredAndTheInfoBarTakesTheWidth) {
    std::unique_ptr<QuestionBox> question(ask("q", "t", 3, nullptr, nullptr, nullptr));
    std::unique_ptr<InputBox> input(askText("c", nullptr, nullptr));
    std::unique_ptr<MessageBox> message(showMessage("m", "t", 1));
    std::unique_ptr<NoticeBox> notice(showNotice("n", "t"));
    ConsoleWindow console;
    console.createWithTitle(nullptr, 0, 0, 800, 200, nullptr, nullptr);
    for (Container* box : std::initializer_list<Container*>{
             question.get(), input.get(), message.get(), notice.get(), &console}) {
        const int boxWidth = box->width, boxHeight = box->height;
        EXPECT_TRUE(box == &console || (box->x == (clientWidth() - boxWidth) / 2 &&
                                        box->y == (clientHeight() - boxHeight) / 2));
        box->resize(1024, 768);
        EXPECT_EQ(std::tuple(box->width, box->height,
                             box == &console || box->x == (1024 - boxWidth) / 2,
                             box == &console || box->y == (768 - boxHeight) / 2),
                  std::tuple(boxWidth, boxHeight, true, true));
    }
    InfoBar bar; // one row of items, or one item a row
    bar.create(0, 0, 300, 600);
    bar.createItems(nullptr, nullptr);
    for (int width : {1600, 100}) {
        bar.resize(width, 600);
        EXPECT_EQ(std::pair(bar.width, bar.children()[0]->y),
                  std::pair(width, width > 800 ? 6 : 214));
    }
    Widget* first = bar.children()[0].get();
    EXPECT_FALSE(bar.hitTest(first->x + 1, first->y + 1));
    bar.setActive(true);
    EXPECT_EQ(std::pair(first->active, bar.activeChild == nullptr), std::pair(false, true));
}
