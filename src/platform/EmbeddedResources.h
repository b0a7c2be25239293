#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The tables the build embeds: generated pictures, sound and icon, and the
// compiled user-interface texts. Only Resources.cpp reads them.
struct EmbeddedResource {
    int id;
    const char* type;
    const std::uint8_t* data;
    std::size_t size;
};

struct EmbeddedText {
    int id;
    const char* text;
};

std::span<const EmbeddedResource> embeddedResources();
std::span<const EmbeddedText> embeddedTexts();
