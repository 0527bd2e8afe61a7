#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "text/ansi_text.h"

// The text operations every name, path and number goes through. All are pure:
// they never change their arguments, never throw, and answer an out-of-range
// position or count with an empty text, 0 or -1.
//
// "Character-aware" operations walk a text one character at a time: a byte of
// 0x80 or above starts a two-byte character made of that byte and the next,
// whatever the code page's lead-byte table says, so a search never matches on
// the second byte of a Chinese character. A lead byte that is the last byte of
// the text ends the walk. Only the ASCII letters A-Z and a-z have a case.

// The number of bytes in the text.
int32_t TextLength(const AnsiText& text);

// The first `count` bytes; empty for a count of 0 or less, the whole text for a
// count at least the length. Cuts in bytes, so it can split a character.
AnsiText TextLeft(const AnsiText& text, int32_t count);

// The last `count` bytes, with the same edge rules as TextLeft.
AnsiText TextRight(const AnsiText& text, int32_t count);

// At most `count` bytes from 1-based position `start`. Empty when start is
// below 1 or past the end, or when count is 0 or less.
AnsiText TextMid(const AnsiText& text, int32_t start, int32_t count);

// The byte at 1-based `position` as a signed value (-128..127); 0 when the
// position is outside the text.
int32_t CharCode(const AnsiText& text, int32_t position);

// Position of the first occurrence of `sought` at a character boundary at or
// after `start`, or -1. An empty `sought` gives 1 when the searched area holds
// a byte. Character-aware.
int32_t FindText(const AnsiText& text, const AnsiText& sought,
                 std::optional<int32_t> start = std::nullopt, bool ignoreCase = false);

// Position of the last occurrence of `sought` that ends before `start` (the
// whole text when start is omitted), or -1. Overlapping occurrences count.
// Character-aware.
int32_t FindTextReverse(const AnsiText& text, const AnsiText& sought,
                        std::optional<int32_t> start = std::nullopt, bool ignoreCase = false);

// Replaces occurrences of `sought`, left to right and never overlapping, from
// `start` on, at most `count` of them (omitted or negative: all; 0: none).
// Note the polarity: caseSensitive false ignores the case of ASCII letters.
// Character-aware; a lone lead byte at the very end is dropped when the walk
// reaches it unmatched.
AnsiText ReplaceText(const AnsiText& text, const AnsiText& sought, const AnsiText& replacement,
                     std::optional<int32_t> start = std::nullopt,
                     std::optional<int32_t> count = std::nullopt, bool caseSensitive = false);

// The pieces between occurrences of `delimiter` (case-sensitive). A trailing
// delimiter adds no empty piece; an empty text gives no pieces.
// Character-aware.
std::vector<AnsiText> SplitText(const AnsiText& text, const AnsiText& delimiter);

// The longest text RepeatText builds. A repeat count comes from a number the
// user types (the digit count of the sequence rule), so it can ask for
// gigabytes; the result is cut to this many bytes instead. A file name
// component is at most 255 characters, so a longer text can never become a
// name and nothing a rename could use is lost, while 100,000 rows of such
// texts stay near 100 MB, far inside a 32-bit address space.
inline constexpr int32_t kLongestRepeat = 1024;

// `text` repeated `count` times, at most kLongestRepeat bytes (cut at a whole
// repetition). Empty for a count of 0 or less.
AnsiText RepeatText(int32_t count, const AnsiText& text);

// Reads a decimal integer the way a user's typing is read: full-width forms
// become ASCII, leading blanks are skipped, one sign, then digits in 32-bit
// arithmetic that wraps around. Anything that is not a number reads as 0.
int32_t ToInteger(const AnsiText& text);

// The value as "%d" writes it.
AnsiText IntegerToText(int32_t value);

// The value as "%.13g" writes it.
AnsiText RealToText(double value);

// A copy with every a-z byte that begins a character upper-cased.
AnsiText ToUpper(const AnsiText& text);

// True when both texts hold the same bytes; case matters.
bool TextEquals(const AnsiText& left, const AnsiText& right);

// The texts joined end to end.
template <typename... Texts>
AnsiText ConcatText(const Texts&... texts) {
  AnsiText joined;
  joined.reserve((std::size_t{0} + ... + std::string_view(texts).size()));
  (joined.append(texts), ...);
  return joined;
}
