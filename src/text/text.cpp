#include "text/text.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

// Positions and counts arrive as 32-bit values and are combined with lengths;
// every such sum is made in 64 bits so that no edge value can overflow.
int64_t Length64(const AnsiText& text) { return static_cast<int64_t>(text.size()); }

// A byte of 0x80 or above starts a two-byte character. Only the byte's value
// decides, not the code page's lead-byte table, so every caller agrees on where
// characters begin whatever the system's code page.
bool StartsTwoByteCharacter(unsigned char byte) { return byte >= 0x80; }

unsigned char ByteAt(const AnsiText& text, std::size_t index) {
  return static_cast<unsigned char>(text[index]);
}

// The index of the character after the one that begins at `index`. A lead byte
// that is the last byte of the text steps past the end, which ends every walk.
std::size_t NextCharacter(const AnsiText& text, std::size_t index) {
  return StartsTwoByteCharacter(ByteAt(text, index)) ? index + 2 : index + 1;
}

// Only A-Z have a lower case; every other byte, a second byte of a two-byte
// character included, stands for itself.
unsigned char FoldCase(unsigned char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// True when the sought bytes stand in the text from `index` on. The caller has
// made sure that many bytes remain.
bool MatchesAt(const AnsiText& text, std::size_t index, const AnsiText& sought, bool ignoreCase) {
  const char* here = text.data() + index;
  if (!ignoreCase) return std::memcmp(here, sought.data(), sought.size()) == 0;
  for (std::size_t k = 0; k < sought.size(); ++k) {
    if (FoldCase(static_cast<unsigned char>(here[k])) != FoldCase(static_cast<unsigned char>(sought[k]))) {
      return false;
    }
  }
  return true;
}

bool FitsAt(std::size_t index, std::size_t count, std::size_t limit) {
  return index <= limit && limit - index >= count;
}

constexpr std::size_t kNotFound = AnsiText::npos;

// True when a walk that met a character at `knownStart` meets one at `index`
// too. Right after a byte below 0x80 a character always begins, whether that
// byte was a character or a second byte; over a run of bytes of 0x80 or above
// characters begin at every other byte. So the length of the run just before
// `index` decides, and only that run is read, never the whole walk.
bool StartsCharacter(const AnsiText& text, std::size_t knownStart, std::size_t index) {
  std::size_t runStart = index;
  while (runStart > knownStart && StartsTwoByteCharacter(ByteAt(text, runStart - 1))) --runStart;
  return (index - runStart) % 2 == 0;
}

// The first index from `from` to `last` whose byte could begin the sought text,
// or kNotFound.
std::size_t NextCandidate(const AnsiText& text, unsigned char first, std::size_t from, std::size_t last,
                          bool ignoreCase) {
  const unsigned char folded = FoldCase(first);
  if (ignoreCase && folded >= 'a' && folded <= 'z') {
    for (std::size_t index = from; index <= last; ++index) {
      if (FoldCase(ByteAt(text, index)) == folded) return index;
    }
    return kNotFound;
  }
  const void* found = std::memchr(text.data() + from, first, last - from + 1);
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : kNotFound;
}

// The index of the first occurrence of the (non-empty) sought text that begins
// a character of a walk starting at `from` and ends within the first `limit`
// bytes, or kNotFound. Equivalent to walking character by character, but the
// bytes that cannot begin a match are passed over without being walked: a
// walk's every step waits on the byte before it, and searches run over every
// name at every keystroke.
std::size_t FindFrom(const AnsiText& text, const AnsiText& sought, std::size_t from, std::size_t limit,
                     bool ignoreCase) {
  if (!FitsAt(from, sought.size(), limit)) return kNotFound;
  const std::size_t lastStart = limit - sought.size();
  std::size_t knownStart = from;
  for (std::size_t index = from; index <= lastStart; ++index) {
    index = NextCandidate(text, ByteAt(sought, 0), index, lastStart, ignoreCase);
    if (index == kNotFound) return kNotFound;
    if (!StartsCharacter(text, knownStart, index)) {
      // A second byte: the next byte begins a character.
      knownStart = index + 1;
      continue;
    }
    if (MatchesAt(text, index, sought, ignoreCase)) return index;
    knownStart = index;
  }
  return kNotFound;
}

// Reads a text the way ToInteger sees it once full-width forms are folded to
// ASCII, one byte at a time, without building the folded copy. A two-byte
// character that is no full-width form yields its lead byte, which is no blank,
// sign or digit and so ends the number exactly as the whole character would.
class FoldedNumberReader {
 public:
  explicit FoldedNumberReader(const AnsiText& text) : m_text(text) {}

  // The next folded byte, or 0 at the end (an AnsiText holds no NUL).
  unsigned char Next() {
    if (m_index >= m_text.size()) return 0;
    const unsigned char lead = ByteAt(m_text, m_index);
    if (!StartsTwoByteCharacter(lead)) {
      ++m_index;
      return lead;
    }
    // A lone lead byte at the end is dropped.
    if (m_index + 1 >= m_text.size()) {
      m_index = m_text.size();
      return 0;
    }
    const unsigned char trail = ByteAt(m_text, m_index + 1);
    m_index += 2;
    return FoldFullWidth(lead, trail);
  }

 private:
  static unsigned char FoldFullWidth(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<unsigned char>(trail - 0x80);
    if (lead == 0xA1) {
      if (trail == 0xA1) return ' ';
      if (trail == 0xAB) return '~';
      if (trail == 0xEE || trail == 0xEF) return '*';
    }
    return lead;
  }

  const AnsiText& m_text;
  std::size_t m_index = 0;
};

bool IsBlank(unsigned char byte) { return (byte >= 0x09 && byte <= 0x0D) || byte == 0x20; }

bool IsDigit(unsigned char byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

int32_t TextLength(const AnsiText& text) {
  return static_cast<int32_t>(std::min<int64_t>(Length64(text), std::numeric_limits<int32_t>::max()));
}

AnsiText TextLeft(const AnsiText& text, int32_t count) {
  if (count <= 0) return AnsiText();
  return text.substr(0, static_cast<std::size_t>(count));
}

AnsiText TextRight(const AnsiText& text, int32_t count) {
  if (count <= 0) return AnsiText();
  if (count >= Length64(text)) return text;
  return text.substr(text.size() - static_cast<std::size_t>(count));
}

AnsiText TextMid(const AnsiText& text, int32_t start, int32_t count) {
  if (start < 1 || start > Length64(text) || count <= 0) return AnsiText();
  return text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count));
}

int32_t CharCode(const AnsiText& text, int32_t position) {
  if (position < 1 || position > Length64(text)) return 0;
  return static_cast<signed char>(text[static_cast<std::size_t>(position) - 1]);
}

int32_t FindText(const AnsiText& text, const AnsiText& sought, std::optional<int32_t> start,
                 bool ignoreCase) {
  // 1. The search area begins at `start`, which counts as a character boundary.
  const int64_t first = std::max<int64_t>(start.value_or(1), 1);
  if (first > Length64(text)) return -1;
  // 2. An empty sought text is found at once in any area that holds a byte.
  if (sought.empty()) return 1;
  // 3. The first match at a character boundary wins.
  const std::size_t found =
      FindFrom(text, sought, static_cast<std::size_t>(first - 1), text.size(), ignoreCase);
  // 4.
  return found == kNotFound ? -1 : static_cast<int32_t>(found + 1);
}

int32_t FindTextReverse(const AnsiText& text, const AnsiText& sought, std::optional<int32_t> start,
                        bool ignoreCase) {
  // 1. A match must end within the first `limit` bytes.
  int64_t limit = Length64(text);
  if (start.has_value()) limit = std::min<int64_t>(int64_t{*start} - 1, limit);
  if (limit <= 0) return -1;
  // 2.
  if (sought.empty()) return 1;
  // 3. Character boundaries are known only walking forwards, so the walk starts
  //    at the first byte and keeps the last match; it steps one character after
  //    a match, so overlapping occurrences count.
  std::size_t lastMatch = kNotFound;
  for (std::size_t found = FindFrom(text, sought, 0, static_cast<std::size_t>(limit), ignoreCase);
       found != kNotFound; found = FindFrom(text, sought, NextCharacter(text, found),
                                            static_cast<std::size_t>(limit), ignoreCase)) {
    lastMatch = found;
  }
  // 4.
  return lastMatch == kNotFound ? -1 : static_cast<int32_t>(lastMatch + 1);
}

AnsiText ReplaceText(const AnsiText& text, const AnsiText& sought, const AnsiText& replacement,
                     std::optional<int32_t> start, std::optional<int32_t> count, bool caseSensitive) {
  // 1. A negative count, like an omitted one, sets no limit.
  const int64_t first = std::max<int64_t>(start.value_or(1), 1);
  const int64_t limit = count.value_or(-1);
  // 2.
  if (text.empty() || sought.empty() || first > Length64(text) || limit == 0) return text;

  // 3. The bytes before `start`, and those between matches, are copied as
  //    they are.
  AnsiText result;
  result.reserve(text.size());
  std::size_t index = static_cast<std::size_t>(first - 1);
  result.append(text, 0, index);
  int64_t made = 0;
  while (made != limit) {
    const std::size_t found = FindFrom(text, sought, index, text.size(), !caseSensitive);
    if (found == kNotFound) {
      // A lead byte that ends the text is no character of its own: when a
      // one-byte walk reaches it unmatched, it is left out and the walk ends.
      const std::size_t lastByte = text.size() - 1;
      if (sought.size() == 1 && lastByte >= index && StartsTwoByteCharacter(ByteAt(text, lastByte)) &&
          StartsCharacter(text, index, lastByte)) {
        result.append(text, index, lastByte - index);
        return result;
      }
      break;
    }
    result.append(text, index, found - index);
    result.append(replacement);
    index = found + sought.size();
    ++made;
  }
  // 4. The bytes the replacing did not reach, a final lone lead byte among them.
  result.append(text, index, AnsiText::npos);
  return result;
}

std::vector<AnsiText> SplitText(const AnsiText& text, const AnsiText& delimiter) {
  // 1.
  if (text.empty()) return {};
  if (delimiter.empty()) return {text};
  // 2. Each delimiter at a character boundary ends the current piece.
  std::vector<AnsiText> pieces;
  std::size_t pieceStart = 0;
  for (std::size_t found = FindFrom(text, delimiter, 0, text.size(), false); found != kNotFound;
       found = FindFrom(text, delimiter, pieceStart, text.size(), false)) {
    pieces.push_back(text.substr(pieceStart, found - pieceStart));
    pieceStart = found + delimiter.size();
  }
  // 3. A trailing delimiter leaves nothing, and so adds no piece.
  if (pieceStart < text.size()) pieces.push_back(text.substr(pieceStart));
  return pieces;
}

AnsiText RepeatText(int32_t count, const AnsiText& text) {
  if (count <= 0 || text.empty()) return AnsiText();
  const int64_t fitting = kLongestRepeat / Length64(text);
  const int64_t repetitions = std::min<int64_t>(count, fitting);
  AnsiText repeated;
  repeated.reserve(static_cast<std::size_t>(repetitions) * text.size());
  for (int64_t k = 0; k < repetitions; ++k) repeated.append(text);
  return repeated;
}

int32_t ToInteger(const AnsiText& text) {
  // 1. Full-width forms are folded as the reader goes.
  FoldedNumberReader reader(text);
  unsigned char byte = reader.Next();
  // 2.
  while (IsBlank(byte)) byte = reader.Next();
  // 3.
  const bool negative = byte == '-';
  if (byte == '+' || byte == '-') byte = reader.Next();
  // 4. Unsigned arithmetic wraps around as the 32-bit value must, without the
  //    undefined behaviour of a signed overflow.
  uint32_t value = 0;
  for (; IsDigit(byte); byte = reader.Next()) value = value * 10u + static_cast<uint32_t>(byte - '0');
  if (negative) value = 0u - value;
  // 5.
  return static_cast<int32_t>(value);
}

AnsiText IntegerToText(int32_t value) {
  // to_chars writes what "%d" writes, and never depends on the locale.
  char digits[16];
  const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
  return AnsiText(digits, written.ptr);
}

AnsiText RealToText(double value) {
  // to_chars in general form with a precision is "%.13g" in the "C" locale, so
  // the decimal point is "." whatever locale the process has set.
  char digits[64];
  const std::to_chars_result written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 13);
  if (written.ec != std::errc()) return AnsiText();
  return AnsiText(digits, written.ptr);
}

AnsiText ToUpper(const AnsiText& text) {
  AnsiText upper = text;
  for (std::size_t index = 0; index < upper.size(); index = NextCharacter(upper, index)) {
    const unsigned char byte = ByteAt(upper, index);
    if (byte >= 'a' && byte <= 'z') upper[index] = static_cast<char>(byte - ('a' - 'A'));
  }
  return upper;
}

bool TextEquals(const AnsiText& left, const AnsiText& right) { return left == right; }
