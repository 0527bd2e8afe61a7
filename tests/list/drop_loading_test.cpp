#include "list/drop_loading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/rename_list.h"
#include "list/working_folder.h"
#include "loading_test_support.h"

namespace {

using Names = std::vector<AnsiText>;

struct EffectCase {
  const char* name;
  bool accepted;
  uint32_t keys;
  uint32_t allowed;
  uint32_t effect;
};

TEST(ChooseDropEffect, FollowsTheKeysAndWhatTheSourceAllows) {
  constexpr uint32_t kAll = kDropEffectCopy | kDropEffectMove | kDropEffectLink;
  constexpr uint32_t kLeftButton = 0x01;
  constexpr uint32_t kAlt = 0x20;
  const EffectCase cases[] = {
      {"data not accepted", false, 0, kAll, kDropEffectNone},
      {"data not accepted, Ctrl", false, kKeyControl, kAll, kDropEffectNone},
      {"Ctrl", true, kKeyControl, kAll, kDropEffectCopy},
      {"Ctrl, copy not allowed", true, kKeyControl, kDropEffectMove | kDropEffectLink, kDropEffectNone},
      {"Shift", true, kKeyShift, kAll, kDropEffectMove},
      {"Shift, move not allowed", true, kKeyShift, kDropEffectCopy | kDropEffectLink, kDropEffectNone},
      {"Ctrl and Shift", true, kKeyControl | kKeyShift, kAll, kDropEffectNone},
      {"no key, all allowed", true, 0, kAll, kDropEffectCopy},
      {"no key, move and link", true, 0, kDropEffectMove | kDropEffectLink, kDropEffectMove},
      {"no key, link only", true, 0, kDropEffectLink, kDropEffectLink},
      {"no key, nothing allowed", true, 0, kDropEffectNone, kDropEffectNone},
      {"mouse button and Alt do not count", true, kLeftButton | kAlt, kDropEffectMove, kDropEffectMove},
      {"Ctrl with the mouse button", true, kLeftButton | kKeyControl, kAll, kDropEffectCopy},
  };
  for (const EffectCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ChooseDropEffect(row.accepted, row.keys, row.allowed), row.effect);
  }
}

TEST(ReceivedText, GivesOnePathAloneAndEveryPathOfSeveralWithALineBreak) {
  EXPECT_EQ(ReceivedText({}), "");
  EXPECT_EQ(ReceivedText({"C:\\dir\\a.txt"}), "C:\\dir\\a.txt");
  EXPECT_EQ(ReceivedText({"C:\\dir\\a.txt", "C:\\dir\\b.txt"}), "C:\\dir\\a.txt\r\nC:\\dir\\b.txt\r\n");
}

struct DropCase {
  const char* name;
  Names paths;
  AnsiText workingFolder;
  Names oldNames;
};

class AcceptDropTest : public ::testing::Test {
 protected:
  void SetUp() override { SetWorkingFolder("C:\\before"); }
  void TearDown() override { SetWorkingFolder(""); }

  RenameList list;
  MarkingRules rules;
};

TEST_F(AcceptDropTest, ReplacesTheRowsWithTheDroppedNamesUnderTheFirstPathsFolder) {
  const DropCase cases[] = {
      {"one file", {"C:\\dir\\a.txt"}, "C:\\dir\\", {"a.txt"}},
      {"several files",
       {"C:\\dir\\b.txt", "C:\\dir\\a.txt", "C:\\dir\\c"},
       "C:\\dir\\",
       {"b.txt", "a.txt", "c"}},
      {"a folder", {"C:\\dir\\sub"}, "C:\\dir\\", {"sub"}},
      {"two folders", {"C:\\dir\\x.txt", "D:\\other\\y.txt"}, "C:\\dir\\", {"x.txt", ""}},
      {"a nested path", {"C:\\dir\\x.txt", "C:\\dir\\b\\y.txt"}, "C:\\dir\\", {"x.txt", "b\\y.txt"}},
      {"a drive root", {"D:\\"}, "D:\\", {""}},
      {"letter case differs", {"C:\\Dir\\x.txt", "C:\\dir\\y.txt"}, "C:\\Dir\\", {"x.txt", ""}},
      // 乗 (0x81 0x5C) ends the folder name: its second byte is no separator.
      {"two-byte character ending in 0x5C", {"C:\\\x81\x5C\\a.txt"}, "C:\\\x81\x5C\\", {"a.txt"}},
      {"folder repeated inside the path", {"C:\\d\\x", "C:\\d\\C:\\d\\y"}, "C:\\d\\", {"x", "y"}},
  };
  for (const DropCase& row : cases) {
    SCOPED_TRACE(row.name);
    FillWithEarlierRows(list);
    EXPECT_TRUE(AcceptDrop(ReceivedText(row.paths), list, rules));
    EXPECT_EQ(WorkingFolder(), row.workingFolder);
    EXPECT_EQ(OldNames(list), row.oldNames);
    EXPECT_EQ(Column(list, kPreviewColumn), Marked(row.oldNames));
    EXPECT_EQ(Column(list, kResultColumn), Names(row.oldNames.size(), ""));
  }
}

TEST_F(AcceptDropTest, ADropWithoutAnyPathChangesNothing) {
  FillWithEarlierRows(list);
  EXPECT_FALSE(AcceptDrop("", list, rules));
  EXPECT_EQ(WorkingFolder(), "C:\\before");
  EXPECT_EQ(OldNames(list), Names({"old1", "old2"}));
  EXPECT_EQ(Column(list, kResultColumn), Names({"OK", "OK"}));
  EXPECT_EQ(rules.reads, 0);
}

}  // namespace
