#pragma once

#include <string>
#include <vector>

#include "shell/Event.h"
#include "ui/text/Font.h"
#include "ui/toolkit/WidgetEvents.h"

// Fonts measured without a window: the same faces the widgets ask for.
inline Font* testFont(const char* face, int height, bool bold = false, bool italic = false) {
    static FontCache cache;
    return cache.get(face, height, bold, italic);
}

inline Font* monoFont() {
    return testFont("Courier New", 14);
}

// What a subscriber heard, with the fields of every event kind copied out.
struct HeardEvent {
    EventPublisher* from = nullptr;
    uint32_t type = 0;
    int kind = -1;
    uintptr_t payload = 0;
    std::string text;
    int length = 0, visibleChars = 0, offset = 0;
    float value = 0, min = 0, max = 0;
    int count = 0, selected = -1, rows = 0, hover = -1, first = 0;
    bool pressed = false, checked = false;
};

class Recorder : public EventSubscriber {
  public:
    explicit Recorder(uint32_t recorderMask = 0xFFFFF) : EventSubscriber(recorderMask) {}

    void onEvent(EventPublisher* publisher, const Event& event) override {
        HeardEvent heard;
        heard.from = publisher;
        heard.type = event.type;
        heard.kind = event.kind();
        heard.payload = event.payload;
        switch (event.kind()) {
        case KindText: {
            const auto& e = static_cast<const TextEvent&>(event);
            heard.text = e.text ? e.text : "";
            heard.length = e.length;
            heard.visibleChars = e.visibleChars;
            heard.offset = e.offset;
            break;
        }
        case KindRange: {
            const auto& e = static_cast<const RangeEvent&>(event);
            heard.value = e.value;
            heard.min = e.min;
            heard.max = e.max;
            break;
        }
        case KindList: {
            const auto& e = static_cast<const ListEvent&>(event);
            heard.text = e.text ? e.text : "";
            heard.count = e.count;
            heard.selected = e.selected;
            heard.rows = e.rows;
            heard.hover = e.hover;
            heard.first = e.first;
            break;
        }
        case KindButton: {
            const auto& e = static_cast<const ButtonEvent&>(event);
            heard.pressed = e.pressed;
            heard.checked = e.checked;
            break;
        }
        default:
            break;
        }
        events.push_back(heard);
    }

    std::vector<uint32_t> types() const {
        std::vector<uint32_t> result;
        for (const auto& e : events)
            result.push_back(e.type);
        return result;
    }
    const HeardEvent& last() const { return events.back(); }
    void clear() { events.clear(); }

    std::vector<HeardEvent> events;
};
