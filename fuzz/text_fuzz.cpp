// Every text operation on arbitrary bytes, positions and counts, checked
// against what each promises about its result.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "text/text.h"

namespace {

// True when `index` (0-based) is where a character begins in a walk of `text`
// from its first byte.
bool IsCharacterBoundary(const AnsiText& text, std::size_t index) {
  std::size_t at = 0;
  while (at < index) at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
  return at == index;
}

// The text with A-Z lowered, every byte on its own, as case-blind comparisons see it.
AnsiText Folded(AnsiText text) {
  for (char& byte : text) {
    if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte + ('a' - 'A'));
  }
  return text;
}

AnsiText Join(const std::vector<AnsiText>& pieces, const AnsiText& delimiter) {
  AnsiText joined;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    if (k) joined += delimiter;
    joined += pieces[k];
  }
  return joined;
}

void CheckCuts(const AnsiText& text, int32_t start, int32_t count) {
  const int64_t length = TextLength(text);
  FUZZ_CHECK(length == static_cast<int64_t>(text.size()));

  const AnsiText left = TextLeft(text, count);
  FUZZ_CHECK(text.compare(0, left.size(), left) == 0);
  FUZZ_CHECK(static_cast<int64_t>(left.size()) == (count <= 0 ? 0 : std::min<int64_t>(count, length)));

  const AnsiText right = TextRight(text, count);
  FUZZ_CHECK(static_cast<int64_t>(right.size()) == (count <= 0 ? 0 : std::min<int64_t>(count, length)));
  FUZZ_CHECK(text.compare(text.size() - right.size(), right.size(), right) == 0);

  const AnsiText middle = TextMid(text, start, count);
  if (start < 1 || start > length || count <= 0) {
    FUZZ_CHECK(middle.empty());
  } else {
    FUZZ_CHECK(middle == text.substr(static_cast<std::size_t>(start - 1),
                                     static_cast<std::size_t>(std::min<int64_t>(count, length))));
  }

  const int32_t code = CharCode(text, start);
  if (start < 1 || start > length) {
    FUZZ_CHECK(code == 0);
  } else {
    FUZZ_CHECK(code == static_cast<signed char>(text[static_cast<std::size_t>(start - 1)]));
  }
}

void CheckSearches(const AnsiText& text, const AnsiText& sought, int32_t start, bool ignoreCase) {
  const int32_t forward = FindText(text, sought, start, ignoreCase);
  const int32_t reverse = FindTextReverse(text, sought, start, ignoreCase);
  for (const int32_t found : {forward, reverse}) {
    FUZZ_CHECK(found == -1 || (found >= 1 && found <= TextLength(text)));
    if (found == -1 || sought.empty()) continue;
    FUZZ_CHECK(static_cast<std::size_t>(found - 1) + sought.size() <= text.size());
    const AnsiText match = text.substr(static_cast<std::size_t>(found - 1), sought.size());
    FUZZ_CHECK(ignoreCase ? Folded(match) == Folded(sought) : match == sought);
  }
  // A walk from the first byte never stops on the second byte of a character.
  if (reverse > 0 && !sought.empty()) FUZZ_CHECK(IsCharacterBoundary(text, static_cast<std::size_t>(reverse - 1)));
  if (forward > 0 && !sought.empty() && start <= 1) {
    FUZZ_CHECK(IsCharacterBoundary(text, static_cast<std::size_t>(forward - 1)));
  }
  // The whole-text searches agree with each other: what one finds, so does the other.
  const int32_t first = FindText(text, sought, std::nullopt, ignoreCase);
  const int32_t last = FindTextReverse(text, sought, std::nullopt, ignoreCase);
  FUZZ_CHECK((first == -1) == (last == -1));
  if (first != -1) FUZZ_CHECK(first <= last);
}

void CheckReplace(const AnsiText& text, const AnsiText& sought, const AnsiText& replacement, int32_t start,
                  int32_t count, bool caseSensitive) {
  const AnsiText replaced = ReplaceText(text, sought, replacement, start, count, caseSensitive);
  // Replacing a text by itself changes nothing but a lone lead byte at the very end.
  const AnsiText same = ReplaceText(text, sought, sought, start, count, true);
  FUZZ_CHECK(same == text || (!text.empty() && same + text.back() == text));
  if (replacement.empty()) FUZZ_CHECK(replaced.size() <= text.size());
  if (sought.empty() || count == 0) FUZZ_CHECK(replaced == text);
  // Once every exact occurrence is gone, a search of the result finds none,
  // when the sought text cannot be formed across a removed stretch.
  if (sought.size() == 1) {
    const AnsiText removed = ReplaceText(text, sought, AnsiText(), 1, std::nullopt, true);
    FUZZ_CHECK(FindText(removed, sought) == -1);
  }
}

void CheckSplit(const AnsiText& text, const AnsiText& delimiter) {
  const std::vector<AnsiText> pieces = SplitText(text, delimiter);
  if (text.empty()) {
    FUZZ_CHECK(pieces.empty());
    return;
  }
  const AnsiText joined = Join(pieces, delimiter);
  FUZZ_CHECK(joined == text || joined + delimiter == text);
}

void CheckNumbers(int32_t value, const AnsiText& text) {
  FUZZ_CHECK(ToInteger(IntegerToText(value)) == value);
  FUZZ_CHECK(RealToText(value) == IntegerToText(value));
  // Stepping past the 32-bit range stays exact in double precision.
  FUZZ_CHECK(RealToText(static_cast<double>(value) + 1) == std::to_string(static_cast<int64_t>(value) + 1));
  FUZZ_CHECK(RealToText(static_cast<double>(value) - 1) == std::to_string(static_cast<int64_t>(value) - 1));
  (void)ToInteger(text);
  const AnsiText repeated = RepeatText(value, text);
  FUZZ_CHECK(static_cast<int64_t>(repeated.size()) <= kLongestRepeat);
  if (value <= 0 || text.empty()) FUZZ_CHECK(repeated.empty());
}

void CheckCase(const AnsiText& text, const AnsiText& other) {
  const AnsiText upper = ToUpper(text);
  FUZZ_CHECK(upper.size() == text.size());
  FUZZ_CHECK(ToUpper(upper) == upper);
  FUZZ_CHECK(FindText(upper, text, std::nullopt, true) == (text.empty() ? -1 : 1));
  FUZZ_CHECK(TextEquals(text, other) == (text == other));
  FUZZ_CHECK(ConcatText(text, other).size() == text.size() + other.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int32_t start = input.Integer();
  const int32_t count = input.Integer();
  const bool flag = input.Flag();
  const AnsiText sought = input.Text();
  const AnsiText replacement = input.Text();
  const AnsiText text = input.Rest();

  CheckCuts(text, start, count);
  CheckSearches(text, sought, start, flag);
  CheckReplace(text, sought, replacement, start, count, flag);
  CheckSplit(text, sought);
  CheckNumbers(count, sought);
  CheckCase(text, sought);
  return 0;
}
