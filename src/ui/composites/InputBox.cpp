#include "ui/composites/InputBox.h"

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/WidgetEvents.h"

bool InputBox::create(const char* caption, const Event* accept, const Event* cancel) {
    constexpr int boxWidth = 172;
    constexpr int boxHeight = 42;
    createWithTitle(nullptr, (clientWidth() - boxWidth) / 2, (clientHeight() - boxHeight) / 2,
                    boxWidth, boxHeight, nullptr, ::texture(431));
    captionLabel = new Label;
    captionLabel->noFill = true;
    captionLabel->create(caption, 5, 5, 50, 20, this, nullptr);
    field = new EditField;
    field->create(nullptr, 55, 5, 100, 20, this, nullptr, nullptr, false);
    field->hasFocus = true;
    if (accept) acceptEvent = Event(accept->type, accept->payload);
    if (cancel) cancelEvent = Event(cancel->type, cancel->payload);
    return true;
}

bool InputBox::keyDown(int key) {
    if (key != Key::Escape) return field->keyDown(key);
    if (!answered) {
        answered = true;
        if (cancelEvent) publish(*cancelEvent);
        close();
    }
    return false;
}

bool InputBox::characterTyped(int character) {
    return field->characterTyped(character);
}

bool InputBox::keyUp(int key) {
    return field->keyUp(key);
}

void InputBox::resize(int windowWidth, int windowHeight) {
    centreIn(windowWidth, windowHeight);
}

void InputBox::onEvent(EventPublisher* publisher, const Event& event) {
    if (publisher != field || (event.type & EventActivated) == 0 || answered) return;
    answered = true;
    if (acceptEvent) {
        Event accepted(acceptEvent->type, reinterpret_cast<uintptr_t>(field->content.c_str()));
        publish(accepted);
    }
    close();
}
