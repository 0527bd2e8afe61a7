#include "list/open_folder_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list/drop_loading.h"
#include "list/drop_object_win32.h"
#include "list/folder_enumeration_win32.h"
#include "list/folder_loading.h"
#include "list/rename_list.h"
#include "list/working_folder.h"
#include "loading_test_support.h"
#include "loading_test_support_win32.h"

namespace {

using Names = std::vector<AnsiText>;

bool SamePath(const AnsiText& left, const AnsiText& right) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, left.c_str(), -1, right.c_str(), -1) == CSTR_EQUAL;
}

class OpenFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWorkingFolder("");
    owner.Activate();
  }
  void TearDown() override {
    SetWorkingFolder("");
    PumpUntilIdle();
  }

  ScratchFolder scratch;
  TestWindow owner;
  RenameList list;
  MarkingRules rules;
};

TEST_F(OpenFolderTest, AChosenFolderBecomesTheWorkingFolderAndIsListed) {
  scratch.MakeFolder("sub");
  scratch.MakeFile("file.txt");
  FillWithEarlierRows(list);
  const FolderDialogUser user(FolderDialogUser::Action::ChoosePath, scratch.Path());

  OpenFolder(list, rules);

  EXPECT_TRUE(user.finished);
  EXPECT_EQ(user.failure, "");
  EXPECT_TRUE(SamePath(WorkingFolder(), scratch.Path())) << WorkingFolder();
  EXPECT_EQ(OldNames(list), Names({"sub", "file.txt"}));
  EXPECT_EQ(Column(list, kPreviewColumn), Names({">sub", ">file.txt"}));
}

TEST_F(OpenFolderTest, ACancelledDialogEmptiesTheWorkingFolderAndRefreshesTheRowsKept) {
  SetWorkingFolder(scratch.Path());
  FillWithEarlierRows(list);
  const FolderDialogUser user(FolderDialogUser::Action::Cancel);

  OpenFolder(list, rules);

  EXPECT_TRUE(user.dialogSeen);
  EXPECT_EQ(WorkingFolder(), "");
  EXPECT_EQ(OldNames(list), Names({"old1", "old2"}));
  EXPECT_EQ(Column(list, kPreviewColumn), Names({">old1", ">old2"}));
  EXPECT_EQ(Column(list, kResultColumn), Names({"", ""}));
}

TEST(PumpMessages, DispatchesEverythingWaitingAndKeepsTheQuitMessageForTheLoop) {
  int commands = 0;
  TestWindow window([](void* count, int) { ++*static_cast<int*>(count); }, &commands);
  for (int i = 0; i < 3; ++i) PostMessageA(window.Handle(), WM_COMMAND, 1, 0);
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(commands, 3);

  PostMessageA(window.Handle(), WM_COMMAND, 1, 0);
  PostQuitMessage(7);
  EXPECT_FALSE(PumpMessages());
  EXPECT_EQ(commands, 4);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

// The commands a window gets while a folder is listed: the Open button,
// Execute and a drop that OLE delivers.
enum Command { kOpen = 1, kExecute = 2, kDrop = 3 };

class ReentryTest : public OpenFolderTest {
 protected:
  void SetUp() override {
    OpenFolderTest::SetUp();
    scratch.MakeFolder("sub");
    for (int i = 0; i < 30; ++i) scratch.MakeFile("file" + std::to_string(100 + i));
  }

  static void OnCommand(void* context, int command) { static_cast<ReentryTest*>(context)->Handle(command); }

  void Handle(int command) {
    handled.push_back(command);
    if (command == kOpen) OpenFolder(list, rules);
    if (command == kExecute && !IsListing()) executed = true;
    if (command == kDrop) {
      TestDataObject* data = TestDataObject::Files({"C:\\dropped\\a.txt"});
      DWORD effect = DROPEFFECT_COPY;
      dropObject.Target()->DragEnter(data, 0, POINTL{}, &effect);
      effect = DROPEFFECT_COPY;
      dropAnswer = dropObject.Target()->Drop(data, 0, POINTL{}, &effect);
      data->Release();
    }
  }

  LoadOutcome Load() {
    Win32FolderEnumeration files;
    WindowMessagePump pump;
    return LoadFolder(scratch.Path(), files, list, rules, pump);
  }

  Names Expected() const {
    Names names{"sub"};
    for (int i = 0; i < 30; ++i) names.push_back("file" + std::to_string(100 + i));
    return names;
  }

  TestWindow window{&ReentryTest::OnCommand, this};
  std::vector<int> handled;
  bool executed = false;
  std::vector<bool> dropsTaken;
  HRESULT dropAnswer = S_OK;
  DropObject dropObject{
      [this](const AnsiText& text) { dropsTaken.push_back(AcceptDrop(text, list, rules)); }};
};

TEST_F(ReentryTest, OpenExecuteAndADropPostedDuringAListingAreIgnored) {
  SetWorkingFolder(scratch.Path());
  // Should the guard fail, the user cancels the dialog so the test ends.
  const FolderDialogUser user(FolderDialogUser::Action::Cancel);
  for (const Command command : {kOpen, kDrop, kExecute})
    PostMessageA(window.Handle(), WM_COMMAND, command, 0);

  EXPECT_EQ(Load(), LoadOutcome::Loaded);

  EXPECT_EQ(handled, std::vector<int>({kOpen, kDrop, kExecute}));
  EXPECT_FALSE(user.dialogSeen);
  EXPECT_FALSE(executed);
  EXPECT_EQ(dropsTaken, std::vector<bool>({false}));
  EXPECT_EQ(dropAnswer, E_FAIL);
  EXPECT_EQ(WorkingFolder(), scratch.Path());
  Names rows = OldNames(list);
  EXPECT_EQ(rows.size(), Expected().size());
  std::sort(rows.begin(), rows.end());
  Names expected = Expected();
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(rows, expected);

  // Once the listing is over, the same actions run.
  PostMessageA(window.Handle(), WM_COMMAND, kExecute, 0);
  PostMessageA(window.Handle(), WM_COMMAND, kDrop, 0);
  PumpUntilIdle();
  EXPECT_TRUE(executed);
  EXPECT_EQ(dropsTaken, std::vector<bool>({false, true}));
  EXPECT_EQ(OldNames(list), Names({"a.txt"}));
}

TEST_F(ReentryTest, ClosingTheWindowDuringAListingStopsItAndLeavesTheQuitMessage) {
  PostMessageA(window.Handle(), WM_CLOSE, 0, 0);

  EXPECT_EQ(Load(), LoadOutcome::Stopped);

  EXPECT_FALSE(IsWindow(window.Handle()));
  EXPECT_FALSE(IsListing());
  // Stopped while the folder was read: no rows and no refresh follow.
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(rules.reads, 0);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
