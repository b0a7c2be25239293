#pragma once

#include <string>
#include <vector>

#include "shell/Event.h"
#include "ui/text/Font.h"
#include "ui/toolkit/Container.h"
#include "ui/toolkit/WidgetEvents.h"

// Fonts measured without a window: the same faces the widgets ask for.
inline Font* testFont(const char* face, int height, bool bold = false, bool italic = false) {
    static FontCache cache;
    return cache.get(face, height, bold, italic);
}

inline Font* monoFont() {
    return testFont("Courier New", 14);
}

// Presses and releases the left button at a point of a widget, as the layer would.
template <class Root> void click(Root& root, const Widget* widget, int dx = -1, int dy = -1) {
    const int px = widget->x + (dx < 0 ? widget->width / 2 : dx);
    const int py = widget->y + (dy < 0 ? widget->height / 2 : dy);
    root.hitTest(px, py);
    root.leftButton(0, px, py, true);
    root.leftButton(0, px, py, false);
}

// What a subscriber heard, with the fields of every event kind copied out.
struct HeardEvent {
    EventPublisher* from = nullptr;
    uint32_t type = 0;
    uintptr_t payload = 0;
    std::string text;
    int length = 0, visibleChars = 0, offset = 0, count = 0, selected = -1, first = 0;
    float value = 0, min = 0, max = 0;
    bool pressed = false;
};

class Recorder : public EventSubscriber {
  public:
    explicit Recorder(uint32_t recorderMask = 0xFFFFF) : EventSubscriber(recorderMask) {}

    void onEvent(EventPublisher* publisher, const Event& event) override {
        HeardEvent h;
        h.from = publisher, h.type = event.type, h.payload = event.payload;
        if (event.kind() == KindText) {
            const auto& e = static_cast<const TextEvent&>(event);
            h.text = e.text ? e.text : "";
            h.length = e.length, h.visibleChars = e.visibleChars, h.offset = e.offset;
        } else if (event.kind() == KindRange) {
            const auto& e = static_cast<const RangeEvent&>(event);
            h.value = e.value, h.min = e.min, h.max = e.max;
        } else if (event.kind() == KindList) {
            const auto& e = static_cast<const ListEvent&>(event);
            h.text = e.text ? e.text : "";
            h.count = e.count, h.selected = e.selected, h.first = e.first;
        } else if (event.kind() == KindButton) {
            h.pressed = static_cast<const ButtonEvent&>(event).pressed;
        }
        events.push_back(h);
    }

    std::vector<uint32_t> types() const {
        std::vector<uint32_t> result;
        for (const auto& e : events)
            result.push_back(e.type);
        return result;
    }
    const HeardEvent& last() const { return events.back(); }

    std::vector<HeardEvent> events;
};
