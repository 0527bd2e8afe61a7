#include "list/folder_dialog_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "loading_test_support_win32.h"

namespace {

const AnsiText kTitle = "\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE\xBC\xD0";  // 选择文件夹

bool EnabledWhileOpen(const FolderDialogUser& user, HWND window) {
  for (const auto& [seen, enabled] : user.enabledWhileOpen) {
    if (seen == window) return enabled;
  }
  ADD_FAILURE() << "window not seen while the dialog was open";
  return true;
}

class FolderDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { owner.Activate(); }

  ScratchFolder scratch;
  TestWindow owner;
};

struct ChoiceCase {
  const char* name;
  FolderDialogUser::Action action;
  AnsiText path;      // where the user goes
  AnsiText expected;  // what ChooseFolder returns
};

TEST_F(FolderDialogTest, ReturnsThePathOfTheChosenFolderOrAnEmptyText) {
  scratch.MakeFolder("chosen");
  const AnsiText root = scratch.Path().substr(0, 3);
  const ChoiceCase cases[] = {
      {"a folder", FolderDialogUser::Action::ChoosePath, scratch.PathOf("chosen"), scratch.PathOf("chosen")},
      {"a drive root ends in a separator", FolderDialogUser::Action::ChoosePath, root, root},
      {"an item without a file-system path", FolderDialogUser::Action::ChooseComputer, root, ""},
      {"cancelled", FolderDialogUser::Action::Cancel, "", ""},
  };
  for (const ChoiceCase& row : cases) {
    SCOPED_TRACE(row.name);
    const FolderDialogUser user(row.action, row.path);
    const AnsiText chosen = ChooseFolder(kTitle);
    EXPECT_TRUE(user.finished);
    EXPECT_EQ(user.failure, "");
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, chosen.c_str(), -1, row.expected.c_str(), -1),
              CSTR_EQUAL)
        << chosen;
    PumpUntilIdle();
  }
}

TEST_F(FolderDialogTest, IsModalToEveryWindowOfTheProgramAndShowsItsTitle) {
  TestWindow other;
  TestWindow alreadyDisabled;
  EnableWindow(alreadyDisabled.Handle(), FALSE);
  owner.Activate();

  const FolderDialogUser user(FolderDialogUser::Action::Cancel);
  EXPECT_EQ(ChooseFolder(kTitle), "");
  PumpUntilIdle();

  ASSERT_TRUE(user.dialogSeen);
  EXPECT_EQ(user.owner, owner.Handle());
  EXPECT_NE(std::find(user.dialogTexts.begin(), user.dialogTexts.end(), kTitle), user.dialogTexts.end());
  EXPECT_FALSE(EnabledWhileOpen(user, owner.Handle()));
  EXPECT_FALSE(EnabledWhileOpen(user, other.Handle()));
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
  EXPECT_FALSE(IsWindowEnabled(alreadyDisabled.Handle()));
  EXPECT_EQ(GetActiveWindow(), owner.Handle());
}

}  // namespace
