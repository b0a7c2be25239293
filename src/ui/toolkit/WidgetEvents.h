#pragma once

#include <cstdint>

#include "shell/Event.h"

/*
===============================================================================
Widget events: the event classes the controls publish and the type bits they
carry. An event may carry several bits (a button release is 16 | 8).

kind() names the class: 0 ValueEvent (the same shape as a plain Event, whose
payload is the value), 1 TextEvent, 2 RangeEvent, 4 ListEvent, 8 ButtonEvent.
Events live on the sender's stack: a text pointer is valid only during the
call.
===============================================================================
*/
enum WidgetEventType : uint32_t {
    EventSelection = 1, // a list's selection moved
    EventChanged = 2,   // a value or a text changed
    EventHover = 4,     // a list's hover row changed
    EventActivated = 8, // a button released, Return in a field; to the Menu: open a page
    EventButtonState = 16,
    EventScrolled = 32,
    EventCloseMenu = 64,
    EventRefresh = 128, // ask the commands for the world's current values
    EventKey = 256,     // a key for every page's commands, or a confirmation
    EventShown = 512,   // a control's value was moved by its owner: for read-outs only
};

enum WidgetEventKind {
    KindValue = 0,
    KindText = 1,
    KindRange = 2,
    KindList = 4,
    KindButton = 8,
};

/*
ValueEvent: one word read as a bool (low byte), an int, a float (its bits), a
text or a pointer, as sender and receiver agree. The static readers work on any
kind-0 event, so a plain Event sent by a command reads the same way.
*/
class ValueEvent : public Event {
  public:
    explicit ValueEvent(uint32_t eventType, uintptr_t value = 0) : Event(eventType, value) {}

    static ValueEvent ofBool(uint32_t eventType, bool value);
    static ValueEvent ofInt(uint32_t eventType, int value);
    static ValueEvent ofFloat(uint32_t eventType, float value);
    static ValueEvent ofText(uint32_t eventType, const char* text);
    static ValueEvent ofPointer(uint32_t eventType, const void* pointer);

    static uintptr_t wordOfFloat(float value);
    static bool boolOf(const Event& event);
    static int intOf(const Event& event);
    static float floatOf(const Event& event);
    // Never null: a null text reads as the empty text.
    static const char* textOf(const Event& event);
    template <class T> static const T* pointerOf(const Event& event) {
        return reinterpret_cast<const T*>(event.payload);
    }
};

// From EditField: its whole content and its horizontal scroll.
class TextEvent : public Event {
  public:
    explicit TextEvent(uint32_t eventType) : Event(eventType) {}
    int kind() const override { return KindText; }

    const char* text = "";
    int length = 0;
    int visibleChars = 0;
    int offset = 0;
};

// From Slider: its value and its bounds.
class RangeEvent : public Event {
  public:
    RangeEvent(uint32_t eventType, float eventValue, float eventMin, float eventMax)
        : Event(eventType), value(eventValue), min(eventMin), max(eventMax) {}
    int kind() const override { return KindRange; }

    float value;
    float min;
    float max;
};

// From ListBox and TextView. text is the selected item, else the list's header.
class ListEvent : public Event {
  public:
    explicit ListEvent(uint32_t eventType) : Event(eventType) {}
    int kind() const override { return KindList; }

    const char* text = "";
    int count = 0;
    int selected = -1;
    int rows = 0;
    int hover = -1;
    int first = 0;
};

// From Button and ToggleButton.
class ButtonEvent : public Event {
  public:
    ButtonEvent(uint32_t eventType, bool isPressed, bool isChecked)
        : Event(eventType), pressed(isPressed), checked(isChecked) {}
    int kind() const override { return KindButton; }

    bool pressed;
    bool checked;
};

// A text read as a number the way users type one: leading blanks and a sign
// allowed, anything unreadable is 0, trailing text ignored.
int textToInt(const char* text);
float textToFloat(const char* text);
