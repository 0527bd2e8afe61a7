#pragma once

#include <string>

#include "text/ansi_text.h"

// A text as a failing test shows it: printable ASCII as it is, every other
// byte as \xHH, so a cut two-byte character can be seen.
inline std::string Printable(const AnsiText& text) {
  std::string shown;
  for (unsigned char byte : text) {
    if (byte >= 0x20 && byte < 0x7F) {
      shown += static_cast<char>(byte);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 15];
    }
  }
  return shown;
}
