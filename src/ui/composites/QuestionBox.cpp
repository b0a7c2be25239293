#include "ui/composites/QuestionBox.h"

#include "shell/Accessors.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/WidgetEvents.h"

namespace {
std::optional<Event> copyOf(const Event* event) {
    if (event == nullptr) return std::nullopt;
    return Event(event->type, event->payload);
}

Button* makeButton(Container* box, int textId, int x, int width, Texture* hover) {
    auto* button = new Button;
    button->create(::text(textId), x, 20, width, 30, box, ::texture(412), ::texture(413), hover);
    return button;
}
} // namespace

bool QuestionBox::create(const char* question, const char* title, int buttons, const Event* yes,
                         const Event* no, const Event* cancel) {
    constexpr int boxWidth = 600;
    constexpr int boxHeight = 200;
    if ((buttons & (AskYes | AskNo | AskCancel)) == 0) buttons = AskCancel;
    createWithTitle(title, (clientWidth() - boxWidth) / 2, (clientHeight() - boxHeight) / 2,
                    boxWidth, boxHeight, nullptr, ::texture(420));
    picture = new Label;
    picture->create(nullptr, 0, 20, 64, 64, this, ::texture(200));
    if (buttons & AskYes) yesButton = makeButton(this, 6, 80, 90, ::texture(430));
    if (buttons & AskNo) {
        noButton = makeButton(this, 7, (buttons & AskCancel) ? 180 : 280, 90, ::texture(430));
    }
    if (buttons & AskCancel) cancelButton = makeButton(this, 8, 300, 100, ::texture(417));
    questionLabel = new Label;
    questionLabel->font = defaultFont("Arial", 24, false, false);
    questionLabel->noFill = true;
    questionLabel->align = AlignCentre;
    questionLabel->create(question, 0, 80, 588, 20, this, nullptr);
    yesEvent = copyOf(yes);
    noEvent = copyOf(no);
    cancelEvent = copyOf(cancel);
    return true;
}

void QuestionBox::resize(int windowWidth, int windowHeight) {
    centreIn(windowWidth, windowHeight);
}

void QuestionBox::onEvent(EventPublisher* publisher, const Event& event) {
    if ((event.type & EventActivated) == 0 || publisher == nullptr) return;
    if (publisher == yesButton) {
        answer(1, yesEvent);
    } else if (publisher == noButton) {
        answer(0, noEvent);
    } else if (publisher == cancelButton) {
        answer(-1, cancelEvent);
    }
}

void QuestionBox::answer(int answerResult, const std::optional<Event>& answerEvent) {
    if (result != -2) return; // answered already; the box is closing
    result = answerResult;
    if (answerEvent) publish(*answerEvent);
    close();
}
