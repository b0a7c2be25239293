#include "platform/Keys.h"
#include "ui/commands/CommandHost.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/QuestionBox.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/WidgetEvents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Answer {
    uint32_t type;
    uintptr_t payload;
    std::string text;
};

class AnswerRecorder : public EventSubscriber {
  public:
    explicit AnswerRecorder(bool answersAreTexts = false)
        : EventSubscriber(0xFFFFF), readsText(answersAreTexts) {}
    void onEvent(EventPublisher*, const Event& event) override {
        // A text answer lives only during the call: copy it now.
        heard.push_back({event.type, event.payload, readsText ? ValueEvent::textOf(event) : ""});
    }
    bool readsText;
    std::vector<Answer> heard;
};

} // namespace

// Without an application nothing shows the boxes, and the caller owns them.
TEST(ApplicationHost, AsksYesOrNoAndSendsTheYesEventOnlyOnYes) {
    ApplicationHost host;
    AnswerRecorder command;
    std::unique_ptr<QuestionBox> refused(
        static_cast<QuestionBox*>(host.ask("Quit Ventrix ?", "Warning", Event(256, 7))));
    std::unique_ptr<QuestionBox> accepted(
        static_cast<QuestionBox*>(host.ask("Quit Ventrix ?", "Warning", Event(256, 7))));
    ASSERT_NE(refused->yesButton, nullptr);
    ASSERT_NE(refused->noButton, nullptr);
    EXPECT_EQ(refused->cancelButton, nullptr);
    EXPECT_EQ(refused->text, "Warning");

    refused->subscribe(&command);
    refused->noButton->fire();
    EXPECT_TRUE(command.heard.empty());
    accepted->subscribe(&command);
    accepted->yesButton->fire();
    ASSERT_EQ(command.heard.size(), 1u);
    EXPECT_EQ(command.heard[0].type, 256u);
    EXPECT_EQ(command.heard[0].payload, 7u);
}

TEST(ApplicationHost, EntryBoxesSendTheTypedTextOnReturn) {
    ApplicationHost host;
    AnswerRecorder command(true);
    std::unique_ptr<InputBox> box(static_cast<InputBox*>(host.askText("Spot", Event(256))));
    box->subscribe(&command);
    for (char c : std::string("top"))
        box->characterTyped(c);
    box->keyDown(Key::Return);
    ASSERT_EQ(command.heard.size(), 1u);
    EXPECT_EQ(command.heard[0].type, 256u);
    EXPECT_EQ(command.heard[0].text, "top");
}
