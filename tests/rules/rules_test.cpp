#include "rules/rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "list/recording_display.h"
#include "list/rename_list.h"
#include "text/printable.h"
#include "text/text.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

const AnsiText kZhong = "\xD6\xD0";       // 中
const AnsiText kTrailSlash = "\x81\x5C";  // second byte is "\"


// The settings a fresh window starts with on the sequence tab.
RuleSettings SequenceSettings() {
  RuleSettings settings;
  settings.startNumber = 1;
  settings.digitCount = 4;
  return settings;
}

TEST(SequenceRule, NumbersEachRowAndKeepsTheLastExtension) {
  struct Row {
    AnsiText oldName;
    int32_t rowIndex;
    int32_t startNumber;
    int32_t digitCount;
    AnsiText extraText;
    bool keepOldName;
    bool extraBeforeNumber;
    AnsiText expected;
  };
  const Row rows[] = {
      {"photo.jpg", 0, 1, 4, "", false, false, "0001.jpg"},
      {"photo.jpg", 2, 1, 4, "", false, false, "0003.jpg"},
      {"photo.jpg", 0, 1, 4, "_x", true, false, "photo0001_x.jpg"},
      {"photo.jpg", 0, 1, 4, "_x", true, true, "photo_x0001.jpg"},
      {"photo.jpg", 0, 1, 4, "_x", false, true, "_x0001.jpg"},
      {"photo.jpg", 0, 1, 4, "_x", false, false, "0001_x.jpg"},
      {"a.b.c", 0, 1, 4, "", true, false, "a0001.c"},
      {"README", 0, 1, 4, "", true, false, "0001"},
      {"README", 0, 1, 4, "-", true, true, "-0001"},
      {".hidden", 0, 1, 4, "", true, false, "0001.hidden"},
      {"name.", 0, 1, 4, "", true, false, "name0001."},
      {"", 0, 1, 4, "", true, false, "0001"},
      {"photo.jpg", 0, 123, 2, "", false, false, "123.jpg"},
      {"photo.jpg", 0, 7, 0, "", false, false, "7.jpg"},
      {"photo.jpg", 0, 7, -3, "", false, false, "7.jpg"},
      {"photo.jpg", 0, 7, kMin, "", false, false, "7.jpg"},
      {"photo.jpg", 0, -5, 4, "", false, false, "00-5.jpg"},
      {"photo.jpg", 3, 0, 0, "", false, false, "3.jpg"},
      // The row's number wraps around in 32 bits.
      {"a.txt", 1, kMax, 0, "", false, false, "-2147483648.txt"},
      {"a.txt", kMax, kMax, 0, "", false, false, "-2.txt"},
      {"a.txt", 0, kMin, 12, "", false, false, "0-2147483648.txt"},
      // A "." that is the second byte of a two-byte character is no dot.
      {"\x81.txt", 0, 1, 4, "", true, false, "0001"},
      {"a.\x81.b", 0, 1, 4, "", true, false, "a0001.\x81.b"},
      {kZhong + ".jpg", 0, 1, 4, kZhong, true, false, kZhong + "0001" + kZhong + ".jpg"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.oldName) + " row " + std::to_string(row.rowIndex) + " from " +
                 std::to_string(row.startNumber) + " digits " + std::to_string(row.digitCount) + " extra " +
                 Printable(row.extraText) + (row.keepOldName ? " keep" : "") +
                 (row.extraBeforeNumber ? " extra-left" : ""));
    RuleSettings settings;
    settings.startNumber = row.startNumber;
    settings.digitCount = row.digitCount;
    settings.extraText = row.extraText;
    settings.keepOldName = row.keepOldName;
    settings.extraBeforeNumber = row.extraBeforeNumber;
    EXPECT_EQ(ComputePreview(row.oldName, row.rowIndex, RenameMode::Sequence, settings), row.expected);
  }
}

TEST(SequenceRule, AHugeDigitCountPadsToTheLongestRepeatWithoutCutting) {
  RuleSettings settings = SequenceSettings();
  for (int32_t digitCount : {kMax, 2000000000}) {
    SCOPED_TRACE(digitCount);
    settings.digitCount = digitCount;
    const AnsiText preview = ComputePreview("a.txt", 41, RenameMode::Sequence, settings);
    EXPECT_EQ(preview, AnsiText(kLongestRepeat, '0') + "42.txt");
  }
}

TEST(ReplaceRule, ReplacesEveryOccurrenceIgnoringTheCaseOfLetters) {
  struct Row {
    AnsiText oldName;
    AnsiText sought;
    AnsiText replacement;
    AnsiText expected;
  };
  const Row rows[] = {
      {"A.JPG", "jpg", "png", "A.png"},
      {"a.jpg.JPG", "JPG", "png", "a.png.png"},
      {"A.JPG", "", "png", "A.JPG"},
      {"a-b-c", "-", "", "abc"},
      {"aaa", "aa", "b", "ba"},
      {"aa", "a", "aa", "aaaa"},
      {kTrailSlash + "a\\", "\\", "_", kTrailSlash + "a_"},
      {"x\xC4", "y", "z", "x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.oldName) + " / " + Printable(row.sought) + " -> " +
                 Printable(row.replacement));
    RuleSettings settings;
    settings.soughtText = row.sought;
    settings.replacementText = row.replacement;
    EXPECT_EQ(ComputePreview(row.oldName, 0, RenameMode::Replace, settings), row.expected);
  }
}

TEST(DeleteRule, CutsAtACharacterOrAPositionOnEitherSide) {
  struct Row {
    AnsiText oldName;
    AnsiText deleteText;
    bool byCharacter;
    AnsiText left;
    AnsiText right;
  };
  const Row rows[] = {
      {"a-b-c.txt", "-", true, "c.txt", "a"},
      {"abc.txt", "-", true, "", ""},
      {"abc.txt", "", true, "abc.txt", ""},
      {"a--b--c", "--", true, "c", "a"},
      {"a-b", "a-b", true, "", ""},
      {"A-b", "a", true, "", ""},
      {"\x81-x-y", "-", true, "y", "\x81-x"},
      {"abcdef", "3", false, "cdef", "ab"},
      {"abcdef", "1", false, "abcdef", ""},
      {"abcdef", "", false, "", ""},
      {"abcdef", "0", false, "", ""},
      {"abcdef", "-2", false, "", ""},
      {"abcdef", "9", false, "", "abcdef"},
      {"abcdef", "7", false, "", "abcdef"},
      {"abcdef", "6", false, "f", "abcde"},
      {"abcdef", "x3", false, "", ""},
      {"abcdef", "\xA3\xB3", false, "cdef", "ab"},
      {"abcdef", "4294967299", false, "cdef", "ab"},
      {"abcdef", "2147483647", false, "", "abcdef"},
      {"abcdef", "-2147483648", false, "", ""},
      {kZhong + "ab", "2", false, AnsiText("\xD0") + "ab", "\xD6"},
  };
  for (const Row& row : rows) {
    for (bool deleteLeft : {true, false}) {
      SCOPED_TRACE(Printable(row.oldName) + " / " + Printable(row.deleteText) +
                   (row.byCharacter ? " by character" : " by position") + (deleteLeft ? " left" : " right"));
      RuleSettings settings;
      settings.deleteText = row.deleteText;
      settings.deleteByCharacter = row.byCharacter;
      settings.deleteLeft = deleteLeft;
      EXPECT_EQ(ComputePreview(row.oldName, 0, RenameMode::Delete, settings),
                deleteLeft ? row.left : row.right);
    }
  }
}

TEST(InsertRule, PutsTheTextAfterTheGivenByte) {
  struct Row {
    AnsiText oldName;
    int32_t position;
    AnsiText insertText;
    AnsiText expected;
  };
  const Row rows[] = {
      {"abc", 0, "_", "_abc"},
      {"abc", 1, "_", "a_bc"},
      {"abc", 2, "_", "ab_c"},
      {"abc", 3, "_", "abc_"},
      {"abc", 4, "_", "abc_"},
      {"abc", kMax, "_", "abc_"},
      {"abc", -1, "_", "_"},
      {"abc", kMin, "_", "_"},
      {"abc", 2, "", "abc"},
      {"", 0, "_", "_"},
      {"", 5, "_", "_"},
      {kZhong + ".txt", 1, "_", "\xD6_\xD0.txt"},
      {"a.txt", 1, kZhong, "a" + kZhong + ".txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.oldName) + " at " + std::to_string(row.position) + " + " +
                 Printable(row.insertText));
    RuleSettings settings;
    settings.insertPosition = row.position;
    settings.insertText = row.insertText;
    EXPECT_EQ(ComputePreview(row.oldName, 0, RenameMode::Insert, settings), row.expected);
  }
}

TEST(ComputePreview, GivesAnEmptyNameForAModeOutsideTheRules) {
  for (int32_t mode : {-1, 4, 100, kMin, kMax}) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(ComputePreview("photo.jpg", 0, static_cast<RenameMode>(mode), SequenceSettings()), "");
  }
}

TEST(TextBeforeFirst, TakesTheBytesBeforeTheFirstOccurrenceFromTheStart) {
  struct Row {
    AnsiText text;
    AnsiText delimiter;
    int32_t start;
    bool ignoreCase;
    AnsiText expected;
  };
  const Row rows[] = {
      {"a.b.c", ".", 1, false, "a"},  {"a.b.c", ".", 3, false, "a.b"},
      {"a.b.c", ".", 0, false, "a"},  {"a.b.c", ".", kMin, false, "a"},
      {"a.b.c", ".", 5, false, ""},   {"a.b.c", ".", kMax, false, ""},
      {"abc", ".", 1, false, ""},     {".abc", ".", 1, false, ""},
      {"abc", "", 1, false, ""},      {"xJPGy", "jpg", 1, false, ""},
      {"xJPGy", "jpg", 1, true, "x"}, {kTrailSlash + "a\\b", "\\", 1, false, kTrailSlash + "a"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " / " + Printable(row.delimiter) + " start " +
                 std::to_string(row.start));
    EXPECT_EQ(TextBeforeFirst(row.text, row.delimiter, row.start, row.ignoreCase), row.expected);
  }
}

TEST(TextAfterLast, TakesTheBytesAfterTheLastOccurrenceBeforeTheStart) {
  struct Row {
    AnsiText text;
    AnsiText delimiter;
    std::optional<int32_t> start;
    bool ignoreCase;
    AnsiText expected;
  };
  const Row rows[] = {
      {"a.b.c", ".", std::nullopt, false, "c"},
      {"a.b.c", ".", 4, false, "b.c"},
      {"a.b.c", ".", 2, false, ""},
      {"a.b.c", ".", kMin, false, ""},
      {"a.b.c", ".", kMax, false, "c"},
      {"abc", ".", std::nullopt, false, ""},
      {"abc.", ".", std::nullopt, false, ""},
      {"xabyabz", "ab", std::nullopt, false, "z"},
      {"abc", "", std::nullopt, false, "abc"},
      {"", "", std::nullopt, false, ""},
      {"ab", "abc", std::nullopt, false, ""},
      {"x.JPG.jpg", "JPG", std::nullopt, false, ".jpg"},
      {"x.JPG.jpg", "JPG", std::nullopt, true, ""},
      {"C:\\d\\" + kTrailSlash + "f", "\\", std::nullopt, false, kTrailSlash + "f"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " / " + Printable(row.delimiter) + " start " +
                 (row.start ? std::to_string(*row.start) : std::string("omitted")));
    EXPECT_EQ(TextAfterLast(row.text, row.delimiter, row.start, row.ignoreCase), row.expected);
  }
}

TEST(PadWithZeros, PutsZerosInFrontAndNeverCuts) {
  struct Row {
    AnsiText text;
    int32_t width;
    AnsiText expected;
  };
  const Row rows[] = {
      {"7", 4, "0007"}, {"-5", 4, "00-5"}, {"123", 2, "123"}, {"123", 3, "123"},         {"", 2, "00"},
      {"7", 0, "7"},    {"7", -1, "7"},    {"7", kMin, "7"},  {kZhong, 3, "0" + kZhong},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " to " + std::to_string(row.width));
    EXPECT_EQ(PadWithZeros(row.text, row.width), row.expected);
  }
  EXPECT_EQ(PadWithZeros("7", kMax), AnsiText(kLongestRepeat, '0') + "7");
}

TEST(ReplaceMany, AppliesThePairsInTurnEachOnThePreviousResult) {
  struct Row {
    AnsiText text;
    std::optional<int32_t> count;
    int32_t start;
    bool caseSensitive;
    Replacement pairs[5];
    AnsiText expected;
  };
  const Row rows[] = {
      {"ab", std::nullopt, 1, false, {{"a", "b"}, {"b", "c"}, {}, {}, {}}, "cc"},
      {"ab", std::nullopt, 1, false, {{"b", "c"}, {"a", "b"}, {}, {}, {}}, "bc"},
      {"abc", std::nullopt, 1, false, {{}, {"", "x"}, {"c", "d"}, {}, {"a", ""}}, "bd"},
      {"AaAa", std::nullopt, 1, false, {{"a", "x"}, {}, {}, {}, {}}, "xxxx"},
      {"AaAa", std::nullopt, 1, true, {{"a", "x"}, {}, {}, {}, {}}, "AxAx"},
      {"aaaa", 1, 1, true, {{"a", "b"}, {"a", "c"}, {}, {}, {}}, "bcaa"},
      {"aaaa", std::nullopt, 3, true, {{"a", "b"}, {}, {}, {}, {}}, "aabb"},
      {"aaaa", std::nullopt, 0, true, {{"a", "b"}, {}, {}, {}, {}}, "bbbb"},
      {"aaaa", std::nullopt, kMin, true, {{"a", "b"}, {}, {}, {}, {}}, "bbbb"},
      {"aaaa", 0, 1, true, {{"a", "b"}, {}, {}, {}, {}}, "aaaa"},
      {"", std::nullopt, 1, true, {{"a", "b"}, {}, {}, {}, {}}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Printable(row.text) + " first pair " + Printable(row.pairs[0].sought) + " start " +
                 std::to_string(row.start) + (row.caseSensitive ? " case-sensitive" : ""));
    EXPECT_EQ(ReplaceMany(row.text, row.count, row.start, row.caseSensitive, row.pairs), row.expected);
  }
}


// Gives the values a test sets, and counts how often they are read.
class FixedRules : public RuleSource {
 public:
  RuleReading reading;
  mutable int reads = 0;

  RuleReading ReadRuleSettings() const override {
    ++reads;
    return reading;
  }
};

// A list of old names whose previews and results hold earlier values, with a
// display that records only what a refresh does.
class RefreshPreviewTest : public ::testing::Test {
 protected:
  void Fill(const std::vector<AnsiText>& names) {
    for (const AnsiText& name : names) {
      const int32_t row = list.AppendRow();
      list.SetCell(row, kOldNameColumn, name);
      list.SetCell(row, kPreviewColumn, "earlier " + name);
      list.SetCell(row, kResultColumn, "OK");
    }
    list.AttachDisplay(&display);
  }

  void ExpectColumn(int32_t column, const std::vector<AnsiText>& expected) {
    ASSERT_EQ(list.RowCount(), static_cast<int32_t>(expected.size()));
    for (int32_t row = 0; row < list.RowCount(); ++row) {
      SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
      EXPECT_EQ(list.GetCell(row, column), expected[static_cast<std::size_t>(row)]);
    }
  }

  RenameList list;
  RecordingDisplay display;
  FixedRules rules;
};

TEST_F(RefreshPreviewTest, OnAnEmptyListOnlyResetsTheResultColumn) {
  list.AttachDisplay(&display);
  for (int32_t mode : {0, 1, 2, 3, -1, 4}) {
    SCOPED_TRACE(mode);
    display.calls.clear();
    rules.reading.mode = static_cast<RenameMode>(mode);
    RefreshPreview(list, rules);
    EXPECT_EQ(display.calls, std::vector<std::string>{"result column reset"});
  }
}

TEST_F(RefreshPreviewTest, ResetsResultsFirstThenWritesEveryPreviewInRowOrder) {
  Fill({"photo.jpg", "README", "a.b.c"});
  rules.reading.mode = RenameMode::Sequence;
  rules.reading.settings = SequenceSettings();
  RefreshPreview(list, rules);

  const std::vector<std::string> expectedCalls = {"result column reset", "changed 0,1", "changed 1,1",
                                                  "changed 2,1"};
  EXPECT_EQ(display.calls, expectedCalls);
  EXPECT_EQ(rules.reads, 1);
  ExpectColumn(kOldNameColumn, {"photo.jpg", "README", "a.b.c"});
  ExpectColumn(kPreviewColumn, {"0001.jpg", "0002", "0003.c"});
  ExpectColumn(kResultColumn, {"", "", ""});
}

TEST_F(RefreshPreviewTest, UsesTheRuleOfEachModeOnTheOldNames) {
  struct Row {
    RenameMode mode;
    std::vector<AnsiText> previews;
  };
  const Row rows[] = {
      {RenameMode::Sequence, {"x_10.JPG", "x_11.jpg"}},
      {RenameMode::Replace, {"a-b.png", "c.png"}},
      {RenameMode::Delete, {"b.JPG", ""}},
      {RenameMode::Insert, {"a-" + kZhong + "b.JPG", "c." + kZhong + "jpg"}},
  };
  Fill({"a-b.JPG", "c.jpg"});
  RuleSettings& settings = rules.reading.settings;
  settings.startNumber = 10;
  settings.digitCount = 2;
  settings.extraText = "x_";
  settings.extraBeforeNumber = true;
  settings.soughtText = "jpg";
  settings.replacementText = "png";
  settings.deleteText = "-";
  settings.deleteByCharacter = true;
  settings.deleteLeft = true;
  settings.insertPosition = 2;
  settings.insertText = kZhong;
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int32_t>(row.mode));
    rules.reading.mode = row.mode;
    RefreshPreview(list, rules);
    ExpectColumn(kPreviewColumn, row.previews);
    ExpectColumn(kOldNameColumn, {"a-b.JPG", "c.jpg"});
  }
}

TEST_F(RefreshPreviewTest, LeavesPreviewsAsTheyWereForAModeOutsideTheRules) {
  for (int32_t mode : {-1, 4, 7, kMin, kMax}) {
    SCOPED_TRACE(mode);
    list.ClearRows();
    list.AttachDisplay(nullptr);
    Fill({"a.txt", "b.txt"});
    display.calls.clear();
    rules.reading.mode = static_cast<RenameMode>(mode);
    rules.reading.settings = SequenceSettings();
    RefreshPreview(list, rules);
    EXPECT_EQ(display.calls, std::vector<std::string>{"result column reset"});
    ExpectColumn(kPreviewColumn, {"earlier a.txt", "earlier b.txt"});
    ExpectColumn(kResultColumn, {"", ""});
  }
}

TEST_F(RefreshPreviewTest, ReadsTheRulesAfreshAtEveryCall) {
  Fill({"a.txt"});
  rules.reading.mode = RenameMode::Insert;
  rules.reading.settings.insertText = "x";
  RefreshPreview(list, rules);
  ExpectColumn(kPreviewColumn, {"xa.txt"});
  rules.reading.settings.insertText = "y";
  RefreshPreview(list, rules);
  ExpectColumn(kPreviewColumn, {"ya.txt"});
  EXPECT_EQ(rules.reads, 2);
}

}  // namespace
