#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

/*
===============================================================================
Built-in resources, embedded into the program at build time: pictures of type
"RT_RCDATA" (uncompressed TGA), the wave sound of type "WAVE" and the window
icon 501 of type "ICON" (a 32-bit TGA with alpha, top row first). Type names
are compared exactly.
===============================================================================
*/
using ResourceBytes = std::span<const std::uint8_t>;

// The bytes of resource id of that type; false when there is none.
bool findResource(int id, const char* typeName, ResourceBytes& bytes);

// The built-in user-interface text of that id (Windows-1252), or null.
const char* resourceString(int id);

// Id of the version line ("Ventrix version ...").
constexpr int VersionTextId = 152;

// Id of the window icon.
constexpr int IconResourceId = 501;
