#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "rename/two_pass_rename.h"
#include "rename_scenario.h"
#include "test_folder_win32.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Renames on a real disk where the platform, not the name, decides.
class RenameOnDisk : public ::testing::Test {
 protected:
  RealTestFolder m_folder;
};

// The platform keeps a read-only file's attribute through a rename; either
// way the row's mark must tell where the file is.
TEST_F(RenameOnDisk, ReadOnlyFile) {
  Fill(m_folder, {{"ro.txt", "1"}, {"b.txt", "2"}});
  ASSERT_TRUE(SetFileAttributesA((m_folder.Path() + "\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  RenameList list = ListOf({{"ro.txt", "b.txt"}, {"b.txt", "ro.txt"}});
  const RunOutcome outcome = RunAndCheck(m_folder, list, m_folder.Path(), nullptr, false);
  EXPECT_THAT(outcome.broken, IsEmpty());
  EXPECT_THAT(MarksOf(list), ElementsAre("OK", "OK"));
  const DWORD attributes = GetFileAttributesA((m_folder.Path() + "\\b.txt").c_str());
  EXPECT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u);
}

// A file another program holds open without sharing deletion cannot be
// renamed (Windows and Wine agree); the entry that was to swap names with it
// gets its own name back.
TEST_F(RenameOnDisk, FileHeldOpenByAnotherHandle) {
  Fill(m_folder, {{"held.txt", "1"}, {"b.txt", "2"}});
  const HANDLE held = CreateFileA((m_folder.Path() + "\\held.txt").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  RenameList list = ListOf({{"held.txt", "b.txt"}, {"b.txt", "held.txt"}});
  const RunOutcome outcome = RunAndCheck(m_folder, list, m_folder.Path(), nullptr, false);
  CloseHandle(held);
  EXPECT_THAT(outcome.broken, IsEmpty());
  EXPECT_THAT(MarksOf(list), ElementsAre("NO", "NO"));
  EXPECT_EQ(m_folder.Entries(), (std::map<AnsiText, AnsiText>{{"held.txt", "1"}, {"b.txt", "2"}}));
}

// A name outside the ANSI code page reads back with "?" in place of the
// character; a row naming it so reaches no entry and changes nothing.
TEST_F(RenameOnDisk, NameTheAnsiCodePageCannotShow) {
  const std::wstring wideName = L"x\u0E01.txt";  // a Thai letter, not in code page 936
  const HANDLE file = CreateFileW((m_folder.WidePath() + L"\\" + wideName).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "1", 1, &written, nullptr);
  CloseHandle(file);
  Fill(m_folder, {{"b.txt", "2"}});
  const std::map<AnsiText, AnsiText> before = m_folder.Entries();
  ASSERT_EQ(before.count("x?.txt"), 1u);

  RenameList list = ListOf({{"x?.txt", "y.txt"}, {"b.txt", "x?.txt"}});
  const RunOutcome outcome = RunAndCheck(m_folder, list, m_folder.Path(), nullptr, false);
  EXPECT_THAT(outcome.broken, IsEmpty());
  EXPECT_THAT(MarksOf(list), ElementsAre("NO", "NO"));
  EXPECT_EQ(outcome.entries, before);
  EXPECT_NE(GetFileAttributesW((m_folder.WidePath() + L"\\" + wideName).c_str()), INVALID_FILE_ATTRIBUTES);
}

// The letter case a row asks for is the one the disk shows, as the ANSI
// listing reads it.
TEST_F(RenameOnDisk, CaseOnlyRenameShowsTheNewCase) {
  Fill(m_folder, {{"a.txt", "1"}});
  RenameList list = ListOf({{"a.txt", "A.TXT"}});
  EXPECT_THAT(RunAndCheck(m_folder, list, m_folder.Path(), nullptr, false).broken, IsEmpty());
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((m_folder.Path() + "\\*.txt").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(found.cFileName, "A.TXT");
  EXPECT_FALSE(FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace
