#pragma once

#include <optional>

#include "shell/Event.h"
#include "ui/toolkit/Container.h"

class Button;
class Label;

enum QuestionButtons {
    AskYes = 1,
    AskNo = 2,
    AskCancel = 4,
};

/*
===============================================================================
QuestionBox: a 600 by 200 box in the middle of the window asking a question
with "Yes", "No" and "Cancel" buttons, as asked for. The answer sets result
(1 yes, 0 no, -1 cancel; -2 until answered), publishes the copy of that
answer's event to the box's subscribers (when one was given) and closes the
box. The events are kept as plain events (type and payload).

A box asked for no button at all gets "Cancel", so it can always be closed.
===============================================================================
*/
class QuestionBox : public Container {
  public:
    using Container::create;
    bool create(const char* question, const char* title, int buttons, const Event* yes,
                const Event* no, const Event* cancel);

    void resize(int windowWidth, int windowHeight) override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    Label* picture = nullptr;
    Label* questionLabel = nullptr;
    Button* yesButton = nullptr;
    Button* noButton = nullptr;
    Button* cancelButton = nullptr;
    std::optional<Event> yesEvent;
    std::optional<Event> noEvent;
    std::optional<Event> cancelEvent;
    int result = -2;

  private:
    void answer(int answerResult, const std::optional<Event>& answerEvent);
};
