#include "ui/toolkit/WidgetEvents.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

ValueEvent ValueEvent::ofBool(uint32_t eventType, bool value) {
    return ValueEvent(eventType, value ? 1 : 0);
}

ValueEvent ValueEvent::ofInt(uint32_t eventType, int value) {
    return ValueEvent(eventType, static_cast<uintptr_t>(static_cast<intptr_t>(value)));
}

ValueEvent ValueEvent::ofFloat(uint32_t eventType, float value) {
    return ValueEvent(eventType, wordOfFloat(value));
}

ValueEvent ValueEvent::ofText(uint32_t eventType, const char* text) {
    return ValueEvent(eventType, reinterpret_cast<uintptr_t>(text));
}

ValueEvent ValueEvent::ofPointer(uint32_t eventType, const void* pointer) {
    return ValueEvent(eventType, reinterpret_cast<uintptr_t>(pointer));
}

uintptr_t ValueEvent::wordOfFloat(float value) {
    return std::bit_cast<uint32_t>(value);
}

bool ValueEvent::boolOf(const Event& event) {
    return (event.payload & 0xFF) != 0;
}

int ValueEvent::intOf(const Event& event) {
    return static_cast<int>(static_cast<uint32_t>(event.payload));
}

float ValueEvent::floatOf(const Event& event) {
    return std::bit_cast<float>(static_cast<uint32_t>(event.payload));
}

const char* ValueEvent::textOf(const Event& event) {
    const char* text = reinterpret_cast<const char*>(event.payload);
    return text ? text : "";
}

namespace {
const char* skipToNumber(const char* text) {
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text == '+') ++text;
    return text;
}
} // namespace

int textToInt(const char* text) {
    if (text == nullptr) return 0;
    const char* start = skipToNumber(text);
    int value = 0;
    std::from_chars(start, start + std::strlen(start), value);
    return value;
}

float textToFloat(const char* text) {
    if (text == nullptr) return 0.0f;
    const char* start = skipToNumber(text);
    float value = 0.0f;
    const auto result = std::from_chars(start, start + std::strlen(start), value);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0.0f;
    return value;
}
