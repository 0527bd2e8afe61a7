#include "list/folder_enumeration_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list/folder_loading.h"
#include "list/open_folder_win32.h"
#include "list/rename_list.h"
#include "loading_test_support.h"
#include "loading_test_support_win32.h"

namespace {

using Names = std::vector<AnsiText>;

// 乗 in code page 936: its second byte is 0x5C, the code of "\".
const AnsiText kTrailSeparatorName = "\x81\x5C";

Names WithoutDotted(const Names& names) {
  Names kept;
  for (const AnsiText& name : names) {
    if (name[0] != '.') kept.push_back(name);
  }
  return kept;
}

Names Joined(Names first, const Names& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

class RealFolderTest : public ::testing::Test {
 protected:
  LoadOutcome Load(const AnsiText& folder) { return LoadFolder(folder, files, list, rules, pump); }

  ScratchFolder scratch;
  Win32FolderEnumeration files;
  WindowMessagePump pump;
  RenameList list;
  MarkingRules rules;
};

TEST_F(RealFolderTest, ListsSubfoldersThenFilesWhateverTheirAttributes) {
  scratch.MakeFolder("b");
  scratch.MakeFolder("a");
  scratch.MakeFolder(".dotted");
  scratch.MakeFolder("hidden folder", FILE_ATTRIBUTE_HIDDEN);
  scratch.MakeFolder("system folder", FILE_ATTRIBUTE_SYSTEM);
  scratch.MakeFile("a\\nested.txt");
  scratch.MakeFile("z.txt");
  scratch.MakeFile(".dotfile");
  scratch.MakeFile("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  scratch.MakeFile("system.txt", FILE_ATTRIBUTE_SYSTEM);
  scratch.MakeFile("read-only.txt", FILE_ATTRIBUTE_READONLY);
  scratch.MakeFile("\xD6\xD0\xCE\xC4.txt");  // 中文.txt
  FillWithEarlierRows(list);

  EXPECT_EQ(Load(scratch.Path()), LoadOutcome::Loaded);

  // Each group in the platform's own order; only the grouping is the
  // program's.
  const RawListing raw = ListRaw(scratch.PathOf("*.*"));
  const Names expected = Joined(WithoutDotted(raw.folders), raw.files);
  EXPECT_EQ(OldNames(list), expected);
  EXPECT_EQ(Column(list, kPreviewColumn), Marked(expected));
  for (const char* name : {"a", "b", "hidden folder", "system folder", "z.txt", ".dotfile", "hidden.txt",
                           "system.txt", "read-only.txt", "\xD6\xD0\xCE\xC4.txt"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(std::count(expected.begin(), expected.end(), AnsiText(name)), 1);
  }
  EXPECT_EQ(expected.size(), 10u);
  EXPECT_EQ(std::find(expected.begin(), expected.end(), "nested.txt"), expected.end());
}

TEST_F(RealFolderTest, AnEmptyOrVanishedFolderEndsWithNoRows) {
  scratch.MakeFolder("empty");
  scratch.MakeFolder("vanished");
  RemoveDirectoryA(scratch.PathOf("vanished").c_str());
  for (const char* name : {"empty", "vanished"}) {
    SCOPED_TRACE(name);
    FillWithEarlierRows(list);
    const int readsBefore = rules.reads;
    EXPECT_EQ(Load(scratch.PathOf(name)), LoadOutcome::Loaded);
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(rules.reads, readsBefore + 1);
  }
}

TEST_F(RealFolderTest, ADriveRootIsListedWithASingleSeparator) {
  const AnsiText root = scratch.Path().substr(0, 3);
  ASSERT_EQ(root[2], '\\');

  Load(root);

  const RawListing raw = ListRaw(root + "*.*");
  ASSERT_FALSE(raw.folders.empty());
  EXPECT_EQ(OldNames(list), Joined(WithoutDotted(raw.folders), raw.files));
  // The scratch folder's top folder is one of the root's subfolders.
  const AnsiText top = scratch.Path().substr(3, scratch.Path().find('\\', 3) - 3);
  const Names rows = OldNames(list);
  EXPECT_NE(std::find_if(rows.begin(), rows.end(),
                         [&](const AnsiText& name) {
                           return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), -1,
                                                 top.c_str(), -1) == CSTR_EQUAL;
                         }),
            rows.end());
}

TEST_F(RealFolderTest, AFolderWhoseNameEndsInASecondByteOf0x5CIsListedInside) {
  scratch.MakeFolder(kTrailSeparatorName);
  scratch.MakeFolder(kTrailSeparatorName + "\\inner");
  scratch.MakeFile(kTrailSeparatorName + "\\inside.txt");
  scratch.MakeFile("outside.txt");

  Load(scratch.PathOf(kTrailSeparatorName));

  EXPECT_EQ(OldNames(list), Names({"inner", "inside.txt"}));
}

TEST_F(RealFolderTest, ANameOutsideTheCodePageIsListedAsThePlatformReportsIt) {
  scratch.MakeWideFile(L"x\xD55C.txt");  // a Hangul syllable: no code page 936 form

  Load(scratch.Path());

  const RawListing raw = ListRaw(scratch.PathOf("*.*"));
  ASSERT_EQ(raw.files.size(), 1u);
  EXPECT_EQ(OldNames(list), raw.files);
  EXPECT_NE(raw.files[0].find('?'), AnsiText::npos) << raw.files[0];
}

}  // namespace
