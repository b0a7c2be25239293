#include "ui/toolkit/ToggleGroup.h"

#include "ui/toolkit/WidgetEvents.h"

ToggleGroup::ToggleGroup() {
    mask = EventButtonState | EventChanged;
}

bool ToggleGroup::hitTest(int, int) {
    setActive(false);
    return false;
}

void ToggleGroup::onEvent(EventPublisher* publisher, const Event& event) {
    if (event.kind() != KindButton || (event.type & EventChanged) == 0) return;
    publish(ValueEvent::ofBool(EventChanged, false));
    if (auto* reporter = dynamic_cast<EventSubscriber*>(publisher)) {
        reporter->onEvent(this, ValueEvent::ofBool(EventChanged, true));
    }
}
