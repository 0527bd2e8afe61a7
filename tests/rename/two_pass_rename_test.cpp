#include "rename/two_pass_rename.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "rename/memory_file_system.h"
#include "rename_scenario.h"
#include "test_folder.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct EdgeCase {
  std::string name;
  FolderForm form;
  NamePairs entries;  // name, contents (kFolderMark for a folder)
  NamePairs rows;     // old name, new name
  std::vector<AnsiText> marks;
  std::map<AnsiText, AnsiText> expected;
};

void PrintTo(const EdgeCase& edgeCase, std::ostream* out) { *out << edgeCase.name; }

const AnsiText kFolder = kFolderMark;
const AnsiText kSecondByteBackslash = "\x81\x5C";  // a character whose second byte is "\"
const AnsiText kOtherSecondByteBackslash = "\x95\x5C";
const AnsiText kSecondByteLetter = "\xB0\x41";  // a character whose second byte is "A"

const std::vector<EdgeCase> kEdgeCases = {
    {"Swap",
     FolderForm::Plain,
     {{"a", "1"}, {"b", "2"}},
     {{"a", "b"}, {"b", "a"}},
     {"OK", "OK"},
     {{"a", "2"}, {"b", "1"}}},
    {"ShiftInListOrder",
     FolderForm::Plain,
     {{"a", "1"}, {"b", "2"}, {"c", "3"}},
     {{"a", "b"}, {"b", "c"}, {"c", "d"}},
     {"OK", "OK", "OK"},
     {{"b", "1"}, {"c", "2"}, {"d", "3"}}},
    {"ShiftInReverseOrder",
     FolderForm::Plain,
     {{"a", "1"}, {"b", "2"}, {"c", "3"}},
     {{"c", "d"}, {"b", "c"}, {"a", "b"}},
     {"OK", "OK", "OK"},
     {{"b", "1"}, {"c", "2"}, {"d", "3"}}},
    {"NewNameEqualsOldName",
     FolderForm::Plain,
     {{"a.txt", "1"}},
     {{"a.txt", "a.txt"}},
     {"OK"},
     {{"a.txt", "1"}}},
    {"TwoRowsOneNewName",
     FolderForm::Plain,
     {{"a", "1"}, {"b", "2"}},
     {{"a", "x"}, {"b", "x"}},
     {"OK", "NO"},
     {{"x", "1"}, {"b", "2"}}},
    {"TargetHeldByAnUnlistedEntryGivesTheOldNameBack",
     FolderForm::Plain,
     {{"a", "1"}, {"b", "2"}},
     {{"a", "b"}},
     {"NO"},
     {{"a", "1"}, {"b", "2"}}},
    {"ShiftBlockedAtItsEndGivesEveryOldNameBack",
     FolderForm::Plain,
     {{"a", "1"}, {"b", "2"}, {"c", "3"}},
     {{"a", "b"}, {"b", "c"}},
     {"NO", "NO"},
     {{"a", "1"}, {"b", "2"}, {"c", "3"}}},
    {"RenamedEntriesThatBlockEachOtherAllGoBack",
     FolderForm::Plain,
     {{"p", "1"}, {"AA-y", "2"}, {"y", "3"}},
     {{"AA-y", "p"}, {"p", "y"}},
     {"NO", "NO"},
     {{"p", "1"}, {"AA-y", "2"}, {"y", "3"}}},
    {"ForeignTemporaryEntryIsNeverTaken",
     FolderForm::Plain,
     {{"a", "1"}, {"AA-b", "2"}},
     {{"a", "b"}},
     {"NO"},
     {{"a", "1"}, {"AA-b", "2"}}},
    {"ForeignTemporaryEntryOfAVanishedRow",
     FolderForm::Plain,
     {{"AA-x", "2"}},
     {{"gone", "x"}},
     {"NO"},
     {{"AA-x", "2"}}},
    {"EntryRenamedThisRunIsNotAnotherRowsSource",
     FolderForm::Plain,
     {{"a", "1"}},
     {{"a", "x"}, {"AA-x", "y"}},
     {"OK", "NO"},
     {{"x", "1"}}},
    {"EmptyPreview", FolderForm::Plain, {{"a", "1"}}, {{"a", ""}}, {"NO"}, {{"a", "1"}}},
    {"VanishedEntry",
     FolderForm::Plain,
     {{"a", "1"}},
     {{"gone", "x"}, {"a", "b"}},
     {"NO", "OK"},
     {{"b", "1"}}},
    {"EmptyWorkingFolder", FolderForm::Empty, {{"a", "1"}}, {{"a", "b"}}, {"NO"}, {{"a", "1"}}},
    {"NetworkWorkingFolder", FolderForm::Network, {{"a", "1"}}, {{"a", "b"}}, {"NO"}, {{"a", "1"}}},
    {"WorkingFolderEndingInSeparator",
     FolderForm::EndingInSeparator,
     {{"a", "1"}, {"b", "2"}},
     {{"a", "b"}, {"b", "c"}},
     {"OK", "OK"},
     {{"b", "1"}, {"c", "2"}}},
    {"ForbiddenCharactersInDirectMode",
     FolderForm::Plain,
     {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}},
     {{"a", "x?y"}, {"b", "x*y"}, {"c", "x<y"}, {"d", "x>y"}, {"e", "x|y"}, {"f", "x\"y"}},
     {"NO", "NO", "NO", "NO", "NO", "NO"},
     {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}}},
    {"DeviceNameAsNewName", FolderForm::Plain, {{"a", "1"}}, {{"a", "CON"}}, {"NO"}, {{"a", "1"}}},
    {"NewNameEndingInADotLandsWithoutIt",
     FolderForm::Plain,
     {{"a", "1"}},
     {{"a", "name0001."}},
     {"OK"},
     {{"name0001", "1"}}},
    {"CaseOnlyRename", FolderForm::Plain, {{"a.txt", "1"}}, {{"a.txt", "A.TXT"}}, {"OK"}, {{"A.TXT", "1"}}},
    {"RowNamingTheEntryInAnotherCase",
     FolderForm::Plain,
     {{"a.txt", "1"}},
     {{"A.txt", "b.txt"}},
     {"OK"},
     {{"b.txt", "1"}}},
    {"DuplicateRows", FolderForm::Plain, {{"a", "1"}}, {{"a", "x"}, {"a", "y"}}, {"OK", "NO"}, {{"x", "1"}}},
    {"Folder",
     FolderForm::Plain,
     {{"sub", kFolder}, {"sub\\id", "1"}},
     {{"sub", "dir"}},
     {"OK"},
     {{"dir", kFolder}, {"dir\\id", "1"}}},
    {"NestedNameRenamedInItsOwnFolder",
     FolderForm::Plain,
     {{"b", kFolder}, {"b\\id", "1"}, {"b\\y.txt", "2"}, {"AA-b", kFolder}, {"AA-b\\id", "3"}},
     {{"b\\y.txt", "b\\z.txt"}},
     {"OK"},
     {{"b", kFolder}, {"b\\id", "1"}, {"b\\z.txt", "2"}, {"AA-b", kFolder}, {"AA-b\\id", "3"}}},
    {"NeverIntoAnotherFolder",
     FolderForm::Plain,
     {{"a", "1"}, {"b", kFolder}, {"b\\id", "2"}, {"b\\y", "3"}},
     {{"a", "b\\a"}, {"b\\y", "y"}, {"b\\y", "c\\y"}, {"a", ".."}, {"a", "."}, {"a", "b\\"}},
     {"NO", "NO", "NO", "NO", "NO", "NO"},
     {{"a", "1"}, {"b", kFolder}, {"b\\id", "2"}, {"b\\y", "3"}}},
    {"FolderHoldingARenamedEntryStays",
     FolderForm::Plain,
     {{"b", kFolder}, {"b\\id", "1"}, {"b\\y", "2"}},
     {{"b\\y", "b\\z"}, {"b", "c"}},
     {"OK", "NO"},
     {{"b", kFolder}, {"b\\id", "1"}, {"b\\z", "2"}}},
    {"EntryInsideARenamedFolderFailsAlone",
     FolderForm::Plain,
     {{"b", kFolder}, {"b\\id", "1"}, {"b\\y", "2"}},
     {{"b", "c"}, {"b\\y", "b\\z"}},
     {"OK", "NO"},
     {{"c", kFolder}, {"c\\id", "1"}, {"c\\y", "2"}}},
    {"ChineseNamesWithSeparatorBytes",
     FolderForm::Plain,
     {{kSecondByteBackslash + ".txt", "1"},
      {kOtherSecondByteBackslash, kFolder},
      {kOtherSecondByteBackslash + "\\id", "2"},
      {kOtherSecondByteBackslash + "\\y", "3"}},
     {{kSecondByteBackslash + ".txt", kSecondByteLetter + ".txt"},
      {kOtherSecondByteBackslash + "\\y", kOtherSecondByteBackslash + "\\" + kSecondByteBackslash}},
     {"OK", "OK"},
     {{kSecondByteLetter + ".txt", "1"},
      {kOtherSecondByteBackslash, kFolder},
      {kOtherSecondByteBackslash + "\\id", "2"},
      {kOtherSecondByteBackslash + "\\" + kSecondByteBackslash, "3"}}},
    {"EmptyList", FolderForm::Plain, {{"a", "1"}}, {}, {}, {{"a", "1"}}},
};

class RenameEdgeCase : public ::testing::TestWithParam<std::tuple<FolderKind, EdgeCase>> {};

TEST_P(RenameEdgeCase, EndsAsExpectedAndKeepsThePromise) {
  const auto& [kind, edgeCase] = GetParam();
  const std::unique_ptr<TestFolder> folder = kind.make();
  Fill(*folder, edgeCase.entries);
  RenameList list = ListOf(edgeCase.rows);
  const RunOutcome outcome =
      RunAndCheck(*folder, list, WorkingFolderFor(*folder, edgeCase.form), nullptr, false);
  EXPECT_THAT(outcome.broken, IsEmpty());
  EXPECT_EQ(MarksOf(list), edgeCase.marks);
  EXPECT_EQ(outcome.entries, edgeCase.expected);
  if (edgeCase.form == FolderForm::Empty || edgeCase.form == FolderForm::Network) {
    EXPECT_TRUE(outcome.calls.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    , RenameEdgeCase, ::testing::Combine(::testing::ValuesIn(FolderKinds()), ::testing::ValuesIn(kEdgeCases)),
    [](const auto& info) { return std::get<0>(info.param).name + "_" + std::get<1>(info.param).name; });

class RenameTwice : public ::testing::TestWithParam<FolderKind> {};

// A second run without a rule change takes every renamed entry to its
// temporary name and back, and tries every failed row again.
TEST_P(RenameTwice, RenamesOkRowsInPlaceAndRetriesTheOthers) {
  const std::unique_ptr<TestFolder> folder = GetParam().make();
  Fill(*folder, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
  RenameList list = ListOf({{"a", "b"}, {"b", "a"}, {"c", "d"}});
  EXPECT_THAT(RunAndCheck(*folder, list, folder->Path(), nullptr, false).broken, IsEmpty());
  EXPECT_THAT(MarksOf(list), ElementsAre("OK", "OK", "NO"));

  const RunOutcome second = RunAndCheck(*folder, list, folder->Path(), nullptr, false);
  EXPECT_THAT(second.broken, IsEmpty());
  EXPECT_THAT(MarksOf(list), ElementsAre("OK", "OK", "NO"));
  EXPECT_EQ(second.entries, (std::map<AnsiText, AnsiText>{{"a", "2"}, {"b", "1"}, {"c", "3"}, {"d", "4"}}));
  EXPECT_EQ(list.GetCell(0, kOldNameColumn), "b");
  EXPECT_EQ(list.GetCell(2, kOldNameColumn), "c");
  ASSERT_GE(second.calls.size(), 4u);
  EXPECT_EQ(second.calls[0].to, folder->Path() + "\\AA-b");
  EXPECT_TRUE(second.calls[0].succeeded);
}

INSTANTIATE_TEST_SUITE_P(, RenameTwice, ::testing::ValuesIn(FolderKinds()),
                         [](const auto& info) { return info.param.name; });

// Records the rows the run scrolls into view.
class ScrollRecorder : public ListDisplay {
 public:
  std::vector<int32_t> scrolled;
  void RowsCleared() override {}
  void RowAppended(int32_t) override {}
  void CellChanged(int32_t, int32_t) override {}
  void ScrollIntoView(int32_t row) override { scrolled.push_back(row); }
  void ResultColumnReset() override {}
};

TEST(RunRename, ScrollsEveryRowIntoViewInEachPass) {
  MemoryTestFolder folder;
  Fill(folder, {{"a", "1"}, {"b", "2"}});
  RenameList list = ListOf({{"a", "x"}, {"gone", "y"}, {"b", "b"}});
  ScrollRecorder display;
  list.AttachDisplay(&display);
  RunRename(list, folder.Path(), folder.Files());
  EXPECT_THAT(display.scrolled, ElementsAre(0, 1, 2, 0, 1, 2));
}

TEST(RunRename, GuardedModeAsksTheFileSystemOnlyForValidTargets) {
  struct Case {
    const char* from;
    const char* to;
    bool asked;
  };
  const Case cases[] = {
      {"C:\\work\\a", "C:\\work\\AA-b", true}, {"C:\\work\\a", "C:\\work\\", false},
      {"C:\\work\\a", "C:\\work\\b?c", false}, {"\\\\server\\a", "\\\\server\\b", false},
      {"C:\\work\\a", "work\\b", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
    MemoryTestFolder folder;
    folder.MakeFile("a", "1");
    RecordingFileSystem recording(folder.Files());
    const bool renamed = RenameToValidTarget(recording, c.from, c.to);
    EXPECT_EQ(recording.calls.size(), c.asked ? 1u : 0u);
    EXPECT_EQ(renamed, c.asked);
  }
}

}  // namespace
