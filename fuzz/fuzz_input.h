#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "text/ansi_text.h"

// Cuts a fuzzer's bytes into the arguments of one call: numbers, flags and
// texts. Running out of bytes gives zeros and empty texts, so every input is a
// valid call.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  int32_t Integer() {
    uint32_t value = 0;
    for (int k = 0; k < 4; ++k) value = value << 8 | Byte();
    int32_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
  }

  bool Flag() { return Byte() & 1; }

  // A text of up to 255 bytes. A text never holds a NUL (texts come from
  // NUL-terminated platform strings), so NUL bytes become "\".
  AnsiText Text() {
    const std::size_t length = Byte();
    AnsiText text;
    for (std::size_t k = 0; k < length && m_offset < m_size; ++k) {
      const char byte = static_cast<char>(Byte());
      text.push_back(byte == 0 ? '\\' : byte);
    }
    return text;
  }

  // Everything that is left, as one text.
  AnsiText Rest() {
    AnsiText text;
    while (m_offset < m_size) {
      const char byte = static_cast<char>(Byte());
      text.push_back(byte == 0 ? '\\' : byte);
    }
    return text;
  }

 private:
  uint8_t Byte() { return m_offset < m_size ? m_data[m_offset++] : 0; }

  const uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_offset = 0;
};

// Aborts the run with a message when an invariant does not hold.
#define FUZZ_CHECK(condition)                                                  \
  do {                                                                         \
    if (!(condition)) {                                                        \
      __builtin_printf("invariant failed: %s (%s:%d)\n", #condition, __FILE__, \
                       __LINE__);                                              \
      __builtin_trap();                                                        \
    }                                                                          \
  } while (false)
