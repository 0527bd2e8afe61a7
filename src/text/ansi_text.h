#pragma once

#include <cstdint>
#include <string>

// A text in the system's ANSI code page (936 on the systems the program is
// built for), held as raw bytes. Every text reaches the program through
// NUL-terminated platform strings, so an AnsiText never holds a NUL byte; a
// missing text and an empty text are the same value.
//
// Lengths, positions and counts are 32-bit signed and count bytes; positions
// are 1-based. A byte of 0x80 or above starts a two-byte character.
using AnsiText = std::string;
