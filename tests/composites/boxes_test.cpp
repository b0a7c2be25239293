#include <gtest/gtest.h>

#include <memory>

#include "platform/Keys.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/composites/Boxes.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/MessageBox.h"
#include "ui/composites/NoticeBox.h"
#include "ui/composites/ProgressBox.h"
#include "ui/composites/QuestionBox.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Gauge.h"
#include "ui/toolkit/Label.h"
#include "world/Scene.h"

// Without an application nothing shows the boxes: the tests own them.

namespace {
void click(Container& box, Widget* widget) {
    const int px = widget->x + 3;
    const int py = widget->y + 3;
    box.hitTest(px, py);
    box.leftButton(0, px, py, true);
    box.leftButton(0, px, py, false);
}

// Position of a child relative to its box's client area, as the box made it.
int relativeX(const Container& box, const Widget* child) {
    return child->x - box.clientRect().x;
}
int relativeY(const Container& box, const Widget* child) {
    return child->y - box.clientRect().y;
}
} // namespace

TEST(MessageBox, HasItsPictureTextAndCloseButton) {
    std::unique_ptr<MessageBox> box(showMessage("File open error", "Error", 1));
    EXPECT_TRUE(box->deleteWhenRemoved);
    EXPECT_EQ(box->width, 600);
    EXPECT_EQ(box->height, 200);
    EXPECT_EQ(box->text, "Error");
    ASSERT_NE(box->picture, nullptr);
    EXPECT_EQ(relativeX(*box, box->picture), 0);
    EXPECT_EQ(relativeY(*box, box->picture), 50);
    EXPECT_EQ(box->closeButton->text, "Close");
    EXPECT_EQ(relativeX(*box, box->closeButton), 200);
    EXPECT_EQ(relativeY(*box, box->closeButton), 10);
    EXPECT_EQ(box->messageLabel->text, "File open error");
    EXPECT_TRUE(box->messageLabel->noFill);
    EXPECT_EQ(box->messageLabel->align, AlignCentre);

    std::unique_ptr<MessageBox> plain(showMessage("text", "title", 0));
    EXPECT_EQ(plain->picture, nullptr);
}

TEST(MessageBox, CloseButtonClosesIt) {
    std::unique_ptr<MessageBox> box(showMessage("m", "t", 0));
    EXPECT_FALSE(box->closeRequested);
    click(*box, box->closeButton);
    EXPECT_TRUE(box->closeRequested);
}

TEST(QuestionBox, NoMovesLeftWhenCancelIsAskedToo) {
    std::unique_ptr<QuestionBox> yesNo(
        ask("Quit Ventrix ?", "Warning", 3, nullptr, nullptr, nullptr));
    ASSERT_NE(yesNo->yesButton, nullptr);
    ASSERT_NE(yesNo->noButton, nullptr);
    EXPECT_EQ(yesNo->cancelButton, nullptr);
    EXPECT_EQ(relativeX(*yesNo, yesNo->yesButton), 80);
    EXPECT_EQ(relativeX(*yesNo, yesNo->noButton), 280);
    EXPECT_EQ(relativeY(*yesNo, yesNo->noButton), 20);
    EXPECT_EQ(yesNo->yesButton->text, "Yes");
    EXPECT_EQ(yesNo->noButton->text, "No");
    EXPECT_EQ(yesNo->result, -2);

    std::unique_ptr<QuestionBox> all(ask("q", "t", 7, nullptr, nullptr, nullptr));
    EXPECT_EQ(relativeX(*all, all->noButton), 180);
    EXPECT_EQ(relativeX(*all, all->cancelButton), 300);
    EXPECT_EQ(all->cancelButton->width, 100);
    EXPECT_EQ(all->cancelButton->text, "Cancel");
    EXPECT_EQ(all->questionLabel->width, 588);
}

TEST(QuestionBox, TheChosenAnswersEventGoesToTheSubscribers) {
    const Event yes(256, 1234);
    std::unique_ptr<QuestionBox> box(ask("Save land file ?", "Warning", 3, &yes, nullptr, nullptr));
    Recorder caller(256);
    box->subscribe(&caller);
    click(*box, box->yesButton);
    EXPECT_EQ(box->result, 1);
    ASSERT_EQ(caller.events.size(), 1u);
    EXPECT_EQ(caller.last().type, 256u);
    EXPECT_EQ(caller.last().payload, 1234u);
    EXPECT_TRUE(box->closeRequested);
}

TEST(QuestionBox, NoWithoutANoEventOnlyCloses) {
    const Event yes(256, 1);
    std::unique_ptr<QuestionBox> box(ask("q", "t", 3, &yes, nullptr, nullptr));
    Recorder caller;
    box->subscribe(&caller);
    click(*box, box->noButton);
    EXPECT_EQ(box->result, 0);
    EXPECT_TRUE(caller.events.empty());
    EXPECT_TRUE(box->closeRequested);
}

TEST(QuestionBox, CancelAndNoCarryTheirOwnEvents) {
    const Event no(256, 2), cancel(256, 3);
    std::unique_ptr<QuestionBox> box(ask("q", "t", 7, nullptr, &no, &cancel));
    Recorder caller;
    box->subscribe(&caller);
    click(*box, box->cancelButton);
    EXPECT_EQ(box->result, -1);
    ASSERT_EQ(caller.events.size(), 1u);
    EXPECT_EQ(caller.last().payload, 3u);
    click(*box, box->noButton); // answered already: nothing more
    EXPECT_EQ(box->result, -1);
    EXPECT_EQ(caller.events.size(), 1u);
}

TEST(QuestionBox, WithoutButtonsItCanStillBeClosed) {
    std::unique_ptr<QuestionBox> box(ask("q", "t", 0, nullptr, nullptr, nullptr));
    ASSERT_NE(box->cancelButton, nullptr);
    click(*box, box->cancelButton);
    EXPECT_TRUE(box->closeRequested);
}

TEST(ProgressBox, ShowsEachReportInTextAndGauge) {
    std::unique_ptr<ProgressBox> box(showProgress("Opening file...", "Loading"));
    EXPECT_EQ(box->width, 600);
    EXPECT_EQ(box->height, 120);
    EXPECT_EQ(box->messageLabel->text, "Opening file...");
    EXPECT_FALSE(box->gauge->vertical);
    EXPECT_EQ(box->gauge->width, 600 - 110);
    EXPECT_EQ(relativeX(*box, box->gauge), 80);
    EXPECT_EQ(relativeY(*box, box->gauge), 20);
    const ProgressReport report{"Computing wind...", 60.0f};
    box->onEvent(nullptr, ValueEvent::ofPointer(2, &report));
    EXPECT_EQ(box->messageLabel->text, "Computing wind...");
    EXPECT_FLOAT_EQ(box->gauge->value, 60.0f);
    const int barAt60 = box->gauge->thumbRect.right;
    const ProgressReport done{"Load completed", 100.0f};
    box->onEvent(nullptr, ValueEvent::ofPointer(2, &done));
    EXPECT_GT(box->gauge->thumbRect.right, barAt60);
}

TEST(NoticeBox, ShowsItsTextUntilClosed) {
    std::unique_ptr<NoticeBox> box(showNotice("Saving file...", "Waiting..."));
    EXPECT_EQ(box->messageLabel->text, "Saving file...");
    EXPECT_EQ(box->text, "Waiting...");
    EXPECT_EQ(relativeX(*box, box->picture), 10);
    EXPECT_FALSE(box->closeRequested);
    box->close();
    EXPECT_TRUE(box->closeRequested);
}

TEST(InputBox, TypingGoesToTheFieldWhereverThePointerIs) {
    const Event accept(256, 0);
    std::unique_ptr<InputBox> box(askText("Spot", &accept, nullptr));
    EXPECT_EQ(box->width, 172);
    EXPECT_EQ(box->height, 42);
    EXPECT_EQ(box->captionLabel->text, "Spot");
    box->hitTest(-1000, -1000); // the pointer is far away
    for (char c : std::string("top.1")) {
        EXPECT_FALSE(box->keyDown(c));
        EXPECT_FALSE(box->characterTyped(c));
    }
    EXPECT_EQ(box->field->content, "top.1");
    Recorder caller(256);
    box->subscribe(&caller);
    EXPECT_FALSE(box->keyDown(Key::Return));
    ASSERT_EQ(caller.events.size(), 1u);
    EXPECT_STREQ(reinterpret_cast<const char*>(caller.last().payload), "top.1");
    EXPECT_TRUE(box->closeRequested);
}

TEST(InputBox, EscapeCancelsAndCloses) {
    const Event accept(256, 0), cancel(512, 9);
    std::unique_ptr<InputBox> box(askText("Spot", &accept, &cancel));
    Recorder caller;
    box->subscribe(&caller);
    box->keyDown('a');
    EXPECT_FALSE(box->keyDown(Key::Escape));
    ASSERT_EQ(caller.events.size(), 1u);
    EXPECT_EQ(caller.last().type, 512u);
    EXPECT_TRUE(box->closeRequested);
    box->keyDown(Key::Return); // closing: no second answer
    EXPECT_EQ(caller.events.size(), 1u);
}

TEST(Boxes, StayInTheMiddleAndKeepTheirSizeWhenTheWindowChanges) {
    std::unique_ptr<MessageBox> message(showMessage("m", "t", 1));
    std::unique_ptr<QuestionBox> question(ask("q", "t", 3, nullptr, nullptr, nullptr));
    std::unique_ptr<ProgressBox> progress(showProgress("p", "t"));
    std::unique_ptr<NoticeBox> notice(showNotice("n", "t"));
    std::unique_ptr<InputBox> input(askText("c", nullptr, nullptr));
    for (Container* box : std::initializer_list<Container*>{
             message.get(), question.get(), progress.get(), notice.get(), input.get()}) {
        const int boxWidth = box->width;
        const int boxHeight = box->height;
        box->resize(1024, 768);
        EXPECT_EQ(box->width, boxWidth);
        EXPECT_EQ(box->height, boxHeight);
        EXPECT_EQ(box->x, (1024 - boxWidth) / 2);
        EXPECT_EQ(box->y, (768 - boxHeight) / 2);
    }
    // Children came along.
    EXPECT_EQ(relativeX(*question, question->noButton), 280);
    EXPECT_EQ(relativeY(*input, input->field), 5);
}
