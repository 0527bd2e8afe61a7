#include "text/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "text/printable.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr std::optional<int32_t> kOmitted = std::nullopt;

// Two-byte characters of code page 936, and ones chosen for their second byte.
const AnsiText kZhong = "\xD6\xD0";               // 中
const AnsiText kWen = "\xCE\xC4";                 // 文
const AnsiText kTrailSlash = "\x81\x5C";          // second byte is "\"
const AnsiText kTrailA = AnsiText("\x81") + "a";  // second byte is "a"
const AnsiText kTrailUpperA = AnsiText("\x81") + "A";


std::string ShowOptional(std::optional<int32_t> value) {
  return value ? std::to_string(*value) : std::string("omitted");
}

TEST(TextLength, CountsBytes) {
  struct Row {
    AnsiText text;
    int32_t length;
  };
  const Row rows[] = {{"", 0}, {"a", 1}, {kZhong + kWen, 4}, {"a\xC4", 2}, {AnsiText(70000, 'x'), 70000}};
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text.substr(0, 16)));
    EXPECT_EQ(TextLength(row.text), row.length);
  }
}

TEST(TextLeftAndRight, CutInBytesAndAnswerOutOfRangeCountsWithinTheText) {
  struct Row {
    AnsiText text;
    int32_t count;
    AnsiText left;
    AnsiText right;
  };
  const Row rows[] = {
      {"abcdef", 2, "ab", "ef"},
      {"abcdef", 6, "abcdef", "abcdef"},
      {"abcdef", 7, "abcdef", "abcdef"},
      {"abcdef", kMax, "abcdef", "abcdef"},
      {"abcdef", 0, "", ""},
      {"abcdef", -1, "", ""},
      {"abcdef", kMin, "", ""},
      {"", 3, "", ""},
      {kZhong + "a", 1, "\xD6", "a"},
      {"a" + kZhong, 1, "a", "\xD0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " count " + std::to_string(row.count));
    EXPECT_EQ(TextLeft(row.text, row.count), row.left);
    EXPECT_EQ(TextRight(row.text, row.count), row.right);
  }
}

TEST(TextMid, TakesAtMostCountBytesFromAPositionInsideTheText) {
  struct Row {
    AnsiText text;
    int32_t start;
    int32_t count;
    AnsiText expected;
  };
  const Row rows[] = {
      {"abcdef", 2, 3, "bcd"},
      {"abcdef", 1, 6, "abcdef"},
      {"abcdef", 4, 100, "def"},
      {"abcdef", 6, 1, "f"},
      {"abcdef", 2, kMax, "bcdef"},
      {"abcdef", 7, 1, ""},
      {"abcdef", 0, 3, ""},
      {"abcdef", -1, 3, ""},
      {"abcdef", kMin, kMax, ""},
      {"abcdef", kMax, kMax, ""},
      {"abcdef", 2, 0, ""},
      {"abcdef", 2, kMin, ""},
      {"", 1, 1, ""},
      {kZhong + kWen, 2, 2, "\xD0\xCE"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " start " + std::to_string(row.start) + " count " +
                 std::to_string(row.count));
    EXPECT_EQ(TextMid(row.text, row.start, row.count), row.expected);
  }
}

TEST(CharCode, GivesTheByteAsASignedValueOrZeroOutsideTheText) {
  struct Row {
    AnsiText text;
    int32_t position;
    int32_t code;
  };
  const Row rows[] = {
      {"\xC4\xE3", 1, -60}, {"\xC4\xE3", 2, -29}, {"a\xFF", 2, -1}, {"\x80", 1, -128},
      {"\x7F", 1, 127},     {"A", 1, 65},         {"", 1, 0},       {"abc", 0, 0},
      {"abc", 4, 0},        {"abc", kMin, 0},     {"abc", kMax, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " position " + std::to_string(row.position));
    EXPECT_EQ(CharCode(row.text, row.position), row.code);
  }
}

struct SearchRow {
  AnsiText text;
  AnsiText sought;
  std::optional<int32_t> start;
  bool ignoreCase;
  int32_t expected;
};

std::string Describe(const SearchRow& row) {
  return Printable(row.text) + " / " + Printable(row.sought) + " start " + ShowOptional(row.start) +
         (row.ignoreCase ? " ignoring case" : "");
}

TEST(FindText, FindsTheFirstOccurrenceAtACharacterBoundary) {
  const SearchRow rows[] = {
      {"a.b.c", ".", kOmitted, false, 2},
      {"abc", ".", kOmitted, false, -1},
      {"a.b.c", ".", 3, false, 4},
      {"a.b.c", ".", 4, false, 4},
      {"a.b.c", ".", 5, false, -1},
      {"a.b.c", ".", 1, false, 2},
      {"a.b.c", ".", 0, false, 2},
      {"a.b.c", ".", kMin, false, 2},
      {"a.b.c", ".", kMax, false, -1},
      {"a.b.c", "b.c", kOmitted, false, 3},
      {"a.b.c", "c.", kOmitted, false, -1},
      {"ab", "abc", kOmitted, false, -1},
      // An empty sought text is found at 1 whenever the searched area has a byte.
      {"abc", "", kOmitted, false, 1},
      {"abc", "", 3, false, 1},
      {"abc", "", 4, false, -1},
      {"", "", kOmitted, false, -1},
      {"", "a", kOmitted, false, -1},
      // Never on the second byte of a two-byte character.
      {kTrailSlash + "a", "\\", kOmitted, false, -1},
      {kTrailSlash + "\\", "\\", kOmitted, false, 3},
      {kZhong + kWen, "\xD0\xCE", kOmitted, false, -1},
      {kZhong + kWen, kWen, kOmitted, false, 3},
      // The start counts as a boundary, even inside a character.
      {kZhong + kWen, "\xD0\xCE", 2, false, 2},
      {kTrailSlash, "\\", 2, false, 2},
      // A lone lead byte at the end can still be sought.
      {"a\xC4", "\xC4", kOmitted, false, 2},
      {"a\xC4", AnsiText("\xC4") + "b", kOmitted, false, -1},
      // Case: only ASCII letters fold, second bytes of characters included.
      {"a.jpg", "JPG", kOmitted, false, -1},
      {"a.jpg", "JPG", kOmitted, true, 3},
      {"A.JPG", "jpg", kOmitted, true, 3},
      {kTrailUpperA, kTrailA, kOmitted, true, 1},
      {kTrailUpperA, kTrailA, kOmitted, false, -1},
      {"a[", "{", kOmitted, true, -1},
      {"a@", "`", kOmitted, true, -1},
      {"a\xC0", "\xE0", kOmitted, true, -1},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(Describe(row));
    EXPECT_EQ(FindText(row.text, row.sought, row.start, row.ignoreCase), row.expected);
  }
}

TEST(FindTextReverse, FindsTheLastOccurrenceThatEndsBeforeTheStart) {
  const SearchRow rows[] = {
      {"a.b.c", ".", kOmitted, false, 4},
      {"abc", ".", kOmitted, false, -1},
      {"a.b.c", ".", 5, false, 4},
      {"a.b.c", ".", 4, false, 2},
      {"a.b.c", ".", 3, false, 2},
      {"a.b.c", ".", 2, false, -1},
      {"a.b.c", ".", 1, false, -1},
      {"a.b.c", ".", kMin, false, -1},
      {"a.b.c", ".", kMax, false, 4},
      {"aaa", "aa", kOmitted, false, 2},
      {"xabyab", "ab", 6, false, 2},
      {"xabyab", "ab", 7, false, 5},
      {"abc", "", kOmitted, false, 1},
      {"abc", "", 2, false, 1},
      {"abc", "", 1, false, -1},
      {"", "", kOmitted, false, -1},
      {"", ".", kOmitted, false, -1},
      {"\\" + kTrailSlash, "\\", kOmitted, false, 1},
      {kZhong + kWen, "\xD0\xCE", kOmitted, false, -1},
      {"a\xC4", "\xC4", kOmitted, false, 2},
      {"x.JPG.jpg", "JPG", kOmitted, false, 3},
      {"x.JPG.jpg", "JPG", kOmitted, true, 7},
      {kTrailUpperA + "!", kTrailA, kOmitted, true, 1},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(Describe(row));
    EXPECT_EQ(FindTextReverse(row.text, row.sought, row.start, row.ignoreCase), row.expected);
  }
}

// The positions where a walk that begins at `begin` meets a character, worked
// out apart from the walk the operations make.
std::vector<bool> CharacterStarts(const AnsiText& text, std::size_t begin) {
  std::vector<bool> starts(text.size() + 1, false);
  bool secondByte = false;
  for (std::size_t index = begin; index < text.size(); ++index) {
    if (secondByte) {
      secondByte = false;
      continue;
    }
    starts[index] = true;
    secondByte = static_cast<unsigned char>(text[index]) >= 0x80;
  }
  return starts;
}

bool SameIgnoringCase(const AnsiText& left, const AnsiText& right) {
  if (left.size() != right.size()) return false;
  for (std::size_t index = 0; index < left.size(); ++index) {
    auto lower = [](char byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte; };
    if (lower(left[index]) != lower(right[index])) return false;
  }
  return true;
}

AnsiText RandomText(std::mt19937& random, std::size_t longest) {
  static const char kAlphabet[] = {'a', 'A', 'b', '.', '\\', '\xC4', '\xE3', '\x81', '\x5C', '\xFF'};
  AnsiText text(random() % (longest + 1), ' ');
  for (char& byte : text) byte = kAlphabet[random() % sizeof kAlphabet];
  return text;
}

TEST(Searching, AgreesWithAPlainScanOfCharacterStartsOnRandomTexts) {
  std::mt19937 random(936);
  for (int trial = 0; trial < 4000; ++trial) {
    const AnsiText text = RandomText(random, 12);
    const AnsiText sought = RandomText(random, 3);
    const int32_t start = static_cast<int32_t>(random() % 16) - 2;
    const bool ignoreCase = random() % 2 == 0;
    if (sought.empty()) continue;
    SCOPED_TRACE(Printable(text) + " / " + Printable(sought) + " start " + std::to_string(start));

    auto matchesAt = [&](std::size_t index) {
      const AnsiText piece = text.substr(index, sought.size());
      return ignoreCase ? SameIgnoringCase(piece, sought) : piece == sought;
    };

    int32_t first = -1;
    const std::size_t begin = static_cast<std::size_t>(std::max(start, 1) - 1);
    if (begin < text.size()) {
      const std::vector<bool> starts = CharacterStarts(text, begin);
      for (std::size_t index = begin; index + sought.size() <= text.size() && first == -1; ++index) {
        if (starts[index] && matchesAt(index)) first = static_cast<int32_t>(index + 1);
      }
    }
    EXPECT_EQ(FindText(text, sought, start, ignoreCase), first);

    int32_t last = -1;
    const int64_t limit = std::min<int64_t>(int64_t{start} - 1, static_cast<int64_t>(text.size()));
    const std::vector<bool> starts = CharacterStarts(text, 0);
    for (std::size_t index = 0; static_cast<int64_t>(index + sought.size()) <= limit; ++index) {
      if (starts[index] && matchesAt(index)) last = static_cast<int32_t>(index + 1);
    }
    EXPECT_EQ(FindTextReverse(text, sought, start, ignoreCase), last);
  }
}

struct ReplaceRow {
  AnsiText text;
  AnsiText sought;
  AnsiText replacement;
  std::optional<int32_t> start;
  std::optional<int32_t> count;
  bool caseSensitive;
  AnsiText expected;
};

TEST(ReplaceText, ReplacesLeftToRightWithoutOverlapOrRescanning) {
  const ReplaceRow rows[] = {
      {"A.JPG", "jpg", "png", kOmitted, kOmitted, false, "A.png"},
      {"A.JPG", "jpg", "png", kOmitted, kOmitted, true, "A.JPG"},
      {"aaa", "aa", "b", kOmitted, kOmitted, true, "ba"},
      {"aa", "a", "aa", kOmitted, kOmitted, true, "aaaa"},
      {"a.b.c", ".", "", kOmitted, kOmitted, true, "abc"},
      {"abc", "", "x", kOmitted, kOmitted, true, "abc"},
      {"", "a", "x", kOmitted, kOmitted, true, ""},
      {"abc", "abcd", "x", kOmitted, kOmitted, true, "abc"},
      {"abc", "abc", kZhong, kOmitted, kOmitted, true, kZhong},
      // Start: below 1 counts as 1; past the end changes nothing.
      {"aaaa", "a", "b", 3, kOmitted, true, "aabb"},
      {"aaaa", "a", "b", 0, kOmitted, true, "bbbb"},
      {"aaaa", "a", "b", kMin, kOmitted, true, "bbbb"},
      {"aaaa", "a", "b", 4, kOmitted, true, "aaab"},
      {"aaaa", "a", "b", 5, kOmitted, true, "aaaa"},
      {"aaaa", "a", "b", kMax, kOmitted, true, "aaaa"},
      // Count: 0 replaces nothing, a negative count everything.
      {"aaaa", "a", "b", kOmitted, 2, true, "bbaa"},
      {"aaaa", "a", "b", 2, 2, true, "abba"},
      {"aaaa", "a", "b", kOmitted, 0, true, "aaaa"},
      {"aaaa", "a", "b", kOmitted, -1, true, "bbbb"},
      {"aaaa", "a", "b", kOmitted, kMin, true, "bbbb"},
      {"aaaa", "a", "b", kOmitted, kMax, true, "bbbb"},
      // Never inside a two-byte character.
      {kTrailSlash + "\\", "\\", "/", kOmitted, kOmitted, true, kTrailSlash + "/"},
      {kZhong + kWen, "\xD0\xCE", "x", kOmitted, kOmitted, true, kZhong + kWen},
      {kZhong + kWen, "\xD0\xCE", "x", 2, kOmitted, true, AnsiText("\xD6") + "x\xC4"},
      // Case folds only ASCII letters, on every byte compared.
      {kTrailUpperA, kTrailA, "x", kOmitted, kOmitted, false, "x"},
      {"a[", "{", "x", kOmitted, kOmitted, false, "a["},
      {"Ab", "aB", "x", kOmitted, kOmitted, false, "x"},
      // A lone lead byte at the end: dropped when a one-byte walk reaches it
      // unmatched, kept when the walk stops short of it.
      {"a\xC4", "b", "x", kOmitted, kOmitted, true, "a"},
      {"a\xC4", "a", "x", kOmitted, kOmitted, true, "x"},
      {"a\xC4", "bc", "x", kOmitted, kOmitted, true, "a\xC4"},
      {"a\xC4", "\xC4", "x", kOmitted, kOmitted, true, "ax"},
      {"aa\xC4", "a", "b", kOmitted, 1, true, "ba\xC4"},
      {"\xC4", "b", "x", kOmitted, kOmitted, true, ""},
  };
  for (const ReplaceRow& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " / " + Printable(row.sought) + " -> " + Printable(row.replacement) +
                 " start " + ShowOptional(row.start) + " count " + ShowOptional(row.count) +
                 (row.caseSensitive ? " case-sensitive" : ""));
    EXPECT_EQ(ReplaceText(row.text, row.sought, row.replacement, row.start, row.count, row.caseSensitive),
              row.expected);
  }
}

// Replacing as a plain walk one character at a time, to check the search
// that passes over bytes against.
AnsiText ReplaceByWalking(const AnsiText& text, const AnsiText& sought, const AnsiText& replacement,
                          std::size_t begin, int64_t limit, bool ignoreCase) {
  AnsiText result = text.substr(0, begin);
  std::size_t index = begin;
  int64_t made = 0;
  while (made != limit && index + sought.size() <= text.size()) {
    const AnsiText here = text.substr(index, sought.size());
    if (ignoreCase ? SameIgnoringCase(here, sought) : here == sought) {
      result += replacement;
      index += sought.size();
      ++made;
      continue;
    }
    const bool twoBytes = static_cast<unsigned char>(text[index]) >= 0x80;
    if (twoBytes && index + 1 == text.size()) return result;
    const std::size_t step = twoBytes ? 2 : 1;
    result += text.substr(index, step);
    index += step;
  }
  return result + text.substr(index);
}

TEST(ReplaceText, AgreesWithAPlainWalkOnRandomTexts) {
  std::mt19937 random(1252);
  for (int trial = 0; trial < 4000; ++trial) {
    const AnsiText text = RandomText(random, 12);
    const AnsiText sought = RandomText(random, 3);
    const int32_t start = static_cast<int32_t>(random() % 16) - 2;
    const int32_t count = static_cast<int32_t>(random() % 5) - 1;
    const bool caseSensitive = random() % 2 == 0;
    if (text.empty() || sought.empty() || start > TextLength(text) || count == 0) continue;
    SCOPED_TRACE(Printable(text) + " / " + Printable(sought) + " start " + std::to_string(start) + " count " +
                 std::to_string(count) + (caseSensitive ? " case-sensitive" : ""));
    const std::size_t begin = static_cast<std::size_t>(std::max(start, 1) - 1);
    EXPECT_EQ(ReplaceText(text, sought, "<>", start, count, caseSensitive),
              ReplaceByWalking(text, sought, "<>", begin, count, !caseSensitive));
  }
}

TEST(ReplaceText, DefaultsIgnoreCaseAndReplaceEverything) {
  EXPECT_EQ(ReplaceText("JPG.jpg.Jpg", "jpg", "png"), "png.png.png");
}

TEST(SplitText, CutsAtEveryDelimiterAndDropsOnlyATrailingEmptyPiece) {
  struct Row {
    AnsiText text;
    AnsiText delimiter;
    std::vector<AnsiText> pieces;
  };
  const Row rows[] = {
      {"", ",", {}},
      {"", "", {}},
      {"abc", "", {"abc"}},
      {"abc", ",", {"abc"}},
      {"a\r\nb\r\n", "\r\n", {"a", "b"}},
      {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
      {",a", ",", {"", "a"}},
      {",", ",", {""}},
      {"a,,", ",", {"a", ""}},
      {"ab", "abc", {"ab"}},
      {"aXb", "x", {"aXb"}},
      {kTrailSlash + "a\\b", "\\", {kTrailSlash + "a", "b"}},
      {"a,\xC4", ",", {"a", "\xC4"}},
      {"C:\\x\\" + kZhong + ".txt", "\\", {"C:", "x", kZhong + ".txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " / " + Printable(row.delimiter));
    EXPECT_EQ(SplitText(row.text, row.delimiter), row.pieces);
  }
}

TEST(SplitText, PiecesJoinedByTheDelimiterGiveBackTheTextOnRandomTexts) {
  std::mt19937 random(20);
  for (int trial = 0; trial < 3000; ++trial) {
    const AnsiText text = RandomText(random, 14);
    const AnsiText delimiter = RandomText(random, 2);
    if (delimiter.empty()) continue;
    SCOPED_TRACE(Printable(text) + " / " + Printable(delimiter));
    const std::vector<AnsiText> pieces = SplitText(text, delimiter);
    AnsiText joined;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      if (k > 0) joined += delimiter;
      joined += pieces[k];
    }
    // A trailing delimiter leaves no piece of its own.
    const bool endsWithDelimiter = joined.size() + delimiter.size() == text.size();
    EXPECT_EQ(endsWithDelimiter ? joined + delimiter : joined, text);
  }
}

TEST(RepeatText, RepeatsWholeCopiesUpToTheLongestRepeat) {
  struct Row {
    int32_t count;
    AnsiText text;
    AnsiText expected;
  };
  const Row rows[] = {
      {3, "ab", "ababab"},
      {1, "x", "x"},
      {0, "x", ""},
      {-1, "x", ""},
      {kMin, "x", ""},
      {5, "", ""},
      {kMax, "", ""},
      {2, kZhong, kZhong + kZhong},
      {kLongestRepeat, "0", AnsiText(kLongestRepeat, '0')},
      {kLongestRepeat + 1, "0", AnsiText(kLongestRepeat, '0')},
      {2000000000, "0", AnsiText(kLongestRepeat, '0')},
      {kMax, "0", AnsiText(kLongestRepeat, '0')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.count) + " x " + Printable(row.text));
    EXPECT_EQ(RepeatText(row.count, row.text), row.expected);
  }
}

TEST(RepeatText, CutsAHugeCountAtAWholeRepetition) {
  for (const AnsiText& text : {AnsiText("abc"), kZhong + "7", AnsiText(1000, 'z')}) {
    SCOPED_TRACE(Printable(text.substr(0, 8)));
    const AnsiText repeated = RepeatText(2000000000, text);
    EXPECT_LE(repeated.size(), static_cast<std::size_t>(kLongestRepeat));
    EXPECT_GT(repeated.size() + text.size(), static_cast<std::size_t>(kLongestRepeat));
    EXPECT_EQ(repeated.size() % text.size(), 0u);
    EXPECT_EQ(repeated.substr(repeated.size() - text.size()), text);
  }
  EXPECT_EQ(RepeatText(1, AnsiText(kLongestRepeat + 1, 'z')), "");
}

TEST(ToInteger, ReadsTypedNumbersAndWrapsAroundIn32Bits) {
  struct Row {
    AnsiText text;
    int32_t value;
  };
  const Row rows[] = {
      {"  42", 42},
      {"+7", 7},
      {"-3x", -3},
      {"007", 7},
      {"", 0},
      {"abc", 0},
      {"3.9", 3},
      {"0x10", 0},
      {"12ab", 12},
      {"-", 0},
      {"+-3", 0},
      {"- 3", 0},
      {"1 2", 1},
      {"\t\n\v\f\r -12", -12},
      {"2147483647", kMax},
      {"-2147483648", kMin},
      {"2147483648", kMin},
      {"-2147483649", kMax},
      {"4294967297", 1},
      {"99999999999999999999", 1661992959},
      // Full-width forms read as their ASCII twins.
      {"\xA3\xB1\xA3\xB2", 12},
      {"\xA3\xAD\xA3\xB5", -5},
      {"\xA3\xAB\xA3\xB9", 9},
      {AnsiText("\xA1\xA1\xA1\xA1") + "8", 8},
      {AnsiText("1\xA3\xB2") + "3", 123},
      {AnsiText("\xA1\xAB") + "5", 0},
      {AnsiText("\xA1\xEE") + "5", 0},
      {AnsiText("\xA3\xA0") + "5", 0},
      // Other two-byte characters end the number; their second byte is no digit.
      {"\x81\x31", 0},
      {AnsiText("1\x81") + "2", 1},
      {"\xC4", 0},
      {"5\xC4", 5},
      {AnsiText(100000, '9'), -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text.substr(0, 24)));
    EXPECT_EQ(ToInteger(row.text), row.value);
  }
}

TEST(IntegerToText, WritesPlainDecimal) {
  struct Row {
    int32_t value;
    AnsiText text;
  };
  const Row rows[] = {{0, "0"}, {-5, "-5"}, {42, "42"}, {kMin, "-2147483648"}, {kMax, "2147483647"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(IntegerToText(row.value), row.text);
    EXPECT_EQ(ToInteger(IntegerToText(row.value)), row.value);
  }
}

TEST(RealToText, WritesThirteenSignificantDigits) {
  struct Row {
    double value;
    AnsiText text;
  };
  const Row rows[] = {
      {5.0, "5"},
      {-1.0, "-1"},
      {0.0, "0"},
      {2147483648.0, "2147483648"},
      {-4294967296.0, "-4294967296"},
      {9999999999.0, "9999999999"},
      {0.5, "0.5"},
      {1.0 / 3.0, "0.3333333333333"},
      {1234567890123.0, "1234567890123"},
      {0.0001, "0.0001"},
      {0.00001, "1e-05"},
      {1e13, "1e+13"},
      {12345678901234.0, "1.234567890123e+13"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(RealToText(row.value), row.text);
  }
}

TEST(ToUpper, UpperCasesOnlyASCIILettersThatBeginACharacter) {
  struct Row {
    AnsiText text;
    AnsiText expected;
  };
  const Row rows[] = {
      {"c:", "C:"},
      {"abcXYZ09", "ABCXYZ09"},
      {"", ""},
      {"{|}`@[", "{|}`@["},
      {kTrailA + "b", kTrailA + "B"},
      {"a" + kZhong + "z", "A" + kZhong + "Z"},
      {"a\xE0", "A\xE0"},
      {"a\xC4", "A\xC4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text));
    EXPECT_EQ(ToUpper(row.text), row.expected);
  }
}

TEST(TextEqualsAndConcatText, CompareAndJoinBytes) {
  EXPECT_TRUE(TextEquals("", AnsiText()));
  EXPECT_TRUE(TextEquals(kZhong, "\xD6\xD0"));
  EXPECT_FALSE(TextEquals("abc", "ABC"));
  EXPECT_FALSE(TextEquals("abc", "abcd"));
  EXPECT_EQ(ConcatText(AnsiText("a"), AnsiText(), kZhong, AnsiText(".txt")), "a" + kZhong + ".txt");
  EXPECT_EQ(ConcatText(AnsiText(), AnsiText()), "");
}

// Every operation on texts made of troublesome bytes, with the extreme
// positions and counts: under the sanitizers this finds any read outside a
// text or any signed overflow.
TEST(TextOperations, StayInsideTheirTextsForEveryEdgePositionAndCount) {
  const int32_t edges[] = {kMin, kMin + 1, -2, -1, 0, 1, 2, 3, 4, 5, kMax - 1, kMax};
  const AnsiText texts[] = {"", "\xC4", "a\xC4", kZhong + "a", kTrailSlash, "ab\\"};
  const AnsiText sought[] = {"", "\xC4", "a", "\\", "a\xC4"};
  for (const AnsiText& text : texts) {
    for (int32_t edge : edges) {
      SCOPED_TRACE(Printable(text) + " at " + std::to_string(edge));
      EXPECT_LE(TextLeft(text, edge).size(), text.size());
      EXPECT_LE(TextRight(text, edge).size(), text.size());
      EXPECT_LE(TextMid(text, edge, kMax).size(), text.size());
      for (int32_t count : edges) EXPECT_LE(TextMid(text, edge, count).size(), text.size());
      const int32_t code = CharCode(text, edge);
      EXPECT_TRUE(code >= -128 && code <= 127);
      for (const AnsiText& what : sought) {
        const int32_t found = FindText(text, what, edge, true);
        EXPECT_TRUE(found == -1 || (found >= 1 && found <= TextLength(text)));
        const int32_t foundBack = FindTextReverse(text, what, edge, false);
        EXPECT_TRUE(foundBack == -1 || (foundBack >= 1 && foundBack <= TextLength(text)));
        for (int32_t count : edges) {
          EXPECT_LE(ReplaceText(text, what, "", edge, count, false).size(), text.size());
        }
      }
    }
  }
}

}  // namespace
