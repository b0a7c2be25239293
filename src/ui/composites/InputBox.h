#pragma once

#include <optional>

#include "shell/Event.h"
#include "ui/toolkit/Container.h"

class EditField;
class Label;

/*
===============================================================================
InputBox: a small box in the middle of the window that asks for one line of
text: a caption and an edit field. It is shown exclusive, and its field takes
every key while the box holds the input, wherever the pointer is. Return
publishes the copy of the accept event with the field's text as its value (the
text lives as long as the box) and closes the box; Escape publishes the copy
of the cancel event and closes it.
===============================================================================
*/
class InputBox : public Container {
  public:
    using Container::create;
    bool create(const char* caption, const Event* accept, const Event* cancel);

    bool keyDown(int key) override;
    bool characterTyped(int character) override;
    bool keyUp(int key) override;
    void resize(int windowWidth, int windowHeight) override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    Label* captionLabel = nullptr;
    EditField* field = nullptr;
    std::optional<Event> acceptEvent;
    std::optional<Event> cancelEvent;

  private:
    bool answered = false;
};
