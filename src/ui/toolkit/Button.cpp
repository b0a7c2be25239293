#include "ui/toolkit/Button.h"

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/toolkit/WidgetEvents.h"

Button::Button() {
    mask = EventButtonState;
}

bool Button::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                    Widget* parent, Texture* normal, Texture* pressedPicture, Texture* hover) {
    if (font == nullptr) font = defaultFont("Arial", 24, true, false);
    Label::create(newText, newX, newY, newWidth, newHeight, parent, normal);
    if (normal == nullptr) setBevel(BevelRaised);
    hoverTexture = hover ? hover : normal;
    pressedTexture = pressedPicture ? pressedPicture : normal;
    return true;
}

void Button::setBevelIfAny(int style) {
    if (bevelStyle != BevelNone) setBevel(style);
}

void Button::updateLook() {
    if (pressed) {
        setBevelIfAny(BevelSunken);
        texture = pressedTexture;
    } else if (!active) {
        setBevelIfAny(BevelRaised);
        texture = normalTexture;
    } else {
        setBevelIfAny(BevelRaised);
        texture = hoverTexture;
    }
}

void Button::setPressed(bool down) {
    if (!down && !pressed) return; // a release without a press on this button
    pressed = down;
    const uint32_t type = EventButtonState | (down == reportState ? releaseType : 0);
    publish(ButtonEvent(type, pressed, false));
    updateLook();
}

void Button::fire() {
    publish(ButtonEvent(EventButtonState | releaseType, pressed, false));
}

bool Button::leftButton(int, int, int, bool down) {
    if (!active) {
        pressed = false;
        updateLook();
        return true;
    }
    setPressed(down);
    return false;
}

bool Button::keyDown(int key) {
    if (key != Key::Return && key != Key::Space) return true;
    setPressed(true);
    return false;
}

bool Button::keyUp(int key) {
    if (key != Key::Return && key != Key::Space) return true;
    setPressed(false);
    return false;
}

void Button::mouseEnter() {
    Widget::mouseEnter();
    updateLook();
}

void Button::mouseLeave() {
    Widget::mouseLeave();
    pressed = false; // leaving cancels the press, silently
    updateLook();
}

void Button::draw() {
    Label::draw();
    if (!autoRepeat || !pressed) return;
    const double now = timeNow();
    if (now > lastRepeat + repeatInterval) {
        lastRepeat = static_cast<float>(now);
        publish(ButtonEvent(EventButtonState, pressed, false));
    }
}

void Button::onEvent(EventPublisher*, const Event& event) {
    if (event.kind() == KindValue) {
        pressed = ValueEvent::boolOf(event);
    } else if (event.kind() == KindButton) {
        pressed = static_cast<const ButtonEvent&>(event).pressed;
    } else {
        return;
    }
    updateLook();
}
