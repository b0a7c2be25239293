#include "ui/toolkit/ToggleButton.h"

#include "ui/toolkit/Draw2d.h"
#include "ui/toolkit/WidgetEvents.h"

ToggleButton::ToggleButton() {
    mask = EventChanged;
}

bool ToggleButton::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                          Widget* parent, Texture* normal, Texture* checkedPicture, Texture* hover,
                          Texture* checkedHover, Texture* pressedPicture) {
    if (font == nullptr) font = defaultFont("Arial", 18, false, false);
    boxSize = newHeight;
    Label::create(newText, newX, newY, newWidth, newHeight, parent, normal);
    if (normal == nullptr) setBevel(BevelRaised);
    hoverTexture = hover ? hover : normal;
    checkedTexture = checkedPicture ? checkedPicture : normal;
    checkedHoverTexture = checkedHover ? checkedHover : checkedTexture;
    pressedTexture = pressedPicture ? pressedPicture : checkedTexture;
    updateLook();
    return true;
}

// The text height here is the full line height, not the capital height of a Label.
void ToggleButton::layoutText() {
    const TextSize size = measureText(font, text);
    textY = y + (height - size.height) / 2;
    switch (align) {
    case AlignCentre:
        textX = x + (width + boxSize - size.width) / 2;
        break;
    case AlignRight:
        textX = x + width - margin - size.width;
        break;
    default:
        textX = x + margin + boxSize;
        break;
    }
}

void ToggleButton::setPressed(bool down) {
    if (!down && !pressed) return;
    pressed = down;
    uint32_t type = EventButtonState;
    if (!down) {
        checked = !checked;
        type |= EventChanged;
    }
    publish(ButtonEvent(type, pressed, checked));
    updateLook();
}

void ToggleButton::toggle() {
    checked = !checked;
    publish(ButtonEvent(EventButtonState | EventChanged, pressed, checked));
    updateLook();
}

void ToggleButton::updateLook() {
    if (pressed) {
        setBevelIfAny(BevelSunken);
        texture = checkedTexture;
    } else if (!active) {
        setBevelIfAny(BevelRaised);
        texture = checked ? checkedTexture : normalTexture;
    } else {
        setBevelIfAny(BevelRaised);
        texture = checked ? checkedHoverTexture : hoverTexture;
    }
}

void ToggleButton::setChecked(bool isChecked) {
    checked = isChecked;
    updateLook();
}

void ToggleButton::draw() {
    updateLook(); // checked may have been set directly since the last look change
    Label::draw();
    if (normalTexture != nullptr) return;
    const int inset = boxSize / 4;
    const int left = x + inset;
    const int bottom = y + inset;
    const int side = boxSize - 2 * inset;
    const float well[3] = {0.25f, 0.25f, 0.25f};
    const float mark[3] = {0.95f, 0.85f, 0.3f};
    const float edge[3] = {0.75f, 0.75f, 0.75f};
    fillRect(left, bottom, left + side, bottom + side, well);
    outlineRect(left, bottom, left + side, bottom + side, edge);
    if (checked) fillRect(left + 3, bottom + 3, left + side - 2, bottom + side - 2, mark);
}

void ToggleButton::onEvent(EventPublisher*, const Event& event) {
    if (event.kind() == KindValue) {
        checked = ValueEvent::boolOf(event);
    } else if (event.kind() == KindButton) {
        checked = static_cast<const ButtonEvent&>(event).checked;
    } else {
        return;
    }
    updateLook();
}
