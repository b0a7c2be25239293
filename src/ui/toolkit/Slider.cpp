#include "ui/toolkit/Slider.h"

#include <algorithm>

#include "ui/toolkit/WidgetEvents.h"

Slider::Slider() {
    mask = EventSelection | EventChanged | EventScrolled;
}

void Slider::sizeThumb() {
    const int side = std::max(0, crossLength() - 2 * margin);
    thumbSize = Size{side, side};
}

bool Slider::leftButton(int, int px, int py, bool down) {
    dragging = down;
    mouseMove(px, py);
    return !active;
}

bool Slider::mouseMove(int px, int py) {
    if (!active || !dragging) return true;
    const int along = vertical ? py : px;
    const int span = travel();
    const float fraction =
        span > 0 ? static_cast<float>(along - axisStart() - margin) / span : 0.0f;
    setValue(fraction * (max - min) + min);
    publish(RangeEvent(scrollMode ? EventScrolled : EventChanged, value, min, max));
    return false;
}

// Leaving the slider ends a drag.
bool Slider::hitTest(int px, int py) {
    const bool inside = Element::hitTest(px, py);
    if (!inside) dragging = false;
    return inside;
}

void Slider::setFarBound(float bound) {
    if (fromStart) {
        max = bound;
    } else {
        min = bound;
    }
    setValue(value);
}

void Slider::showValue() {
    if (!scrollMode) publish(RangeEvent(EventShown, value, min, max));
}

void Slider::takeText(const char* typed) {
    setValue(textToFloat(typed));
    showValue();
}

void Slider::onEvent(EventPublisher*, const Event& event) {
    switch (event.kind()) {
    case KindValue:
        setValue(ValueEvent::floatOf(event));
        showValue();
        return;
    case KindRange:
        setValue(static_cast<const RangeEvent&>(event).value);
        showValue();
        return;
    case KindText: {
        const auto& textEvent = static_cast<const TextEvent&>(event);
        if (event.type & EventChanged) {
            if (scrollMode) {
                setFarBound(static_cast<float>(textEvent.length - textEvent.visibleChars));
            } else {
                takeText(textEvent.text);
            }
        }
        if ((event.type & EventScrolled) && scrollMode)
            setValue(static_cast<float>(textEvent.offset));
        return;
    }
    case KindList: {
        const auto& listEvent = static_cast<const ListEvent&>(event);
        if (event.type & EventChanged) {
            if (scrollMode) {
                setFarBound(static_cast<float>(listEvent.count - listEvent.rows));
            } else {
                takeText(listEvent.text);
            }
        }
        if ((event.type & EventScrolled) && scrollMode)
            setValue(static_cast<float>(listEvent.first));
        if ((event.type & EventSelection) && !scrollMode) takeText(listEvent.text);
        return;
    }
    default:
        return;
    }
}
