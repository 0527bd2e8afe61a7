#include "rename/file_system.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "rename/memory_file_system.h"
#include "rename/path_checks.h"
#include "test_folder.h"

namespace {

using Entries = std::map<AnsiText, AnsiText>;
const AnsiText kFolder = kFolderMark;

// One rename in a folder holding a file "a" (contents "1"), a file "b" ("2")
// and a folder "sub" holding "s" ("3"). Paths are relative to the folder.
struct MoveCase {
  std::string name;
  AnsiText from;
  AnsiText to;
  bool succeeds;
  Entries after;
};

const Entries kUnchanged = {{"a", "1"}, {"b", "2"}, {"sub", kFolder}, {"sub\\s", "3"}};

const std::vector<MoveCase> kMoveCases = {
    {"RenamesAFile", "a", "c", true, {{"c", "1"}, {"b", "2"}, {"sub", kFolder}, {"sub\\s", "3"}}},
    {"RefusesAnExistingTarget", "a", "b", false, kUnchanged},
    {"RefusesAnExistingTargetInAnotherCase", "a", "B", false, kUnchanged},
    {"RenamesToAnotherLetterCase",
     "a",
     "A",
     true,
     {{"A", "1"}, {"b", "2"}, {"sub", kFolder}, {"sub\\s", "3"}}},
    {"RenamesToTheSameName", "a", "a", true, kUnchanged},
    {"FailsOnAMissingSource", "gone", "c", false, kUnchanged},
    {"FindsTheSourceInAnotherCase",
     "A",
     "c",
     true,
     {{"c", "1"}, {"b", "2"}, {"sub", kFolder}, {"sub\\s", "3"}}},
    {"RenamesAFolderWithItsEntries",
     "sub",
     "dir",
     true,
     {{"a", "1"}, {"b", "2"}, {"dir", kFolder}, {"dir\\s", "3"}}},
    {"MovesIntoAnotherFolderWhenAsked",
     "a",
     "sub\\a",
     true,
     {{"b", "2"}, {"sub", kFolder}, {"sub\\a", "1"}, {"sub\\s", "3"}}},
    {"RefusesAFolderInsideItself", "sub", "sub\\inner", false, kUnchanged},
    {"RefusesATargetInAMissingFolder", "a", "nowhere\\a", false, kUnchanged},
    {"RefusesATargetEndingInASeparator", "a", "c\\", false, kUnchanged},
    {"TakesDoubledSeparators",
     "\\a",
     "\\\\c",
     true,
     {{"c", "1"}, {"b", "2"}, {"sub", kFolder}, {"sub\\s", "3"}}},
    {"TakesForwardSlashes",
     "sub/s",
     "sub/t",
     true,
     {{"a", "1"}, {"b", "2"}, {"sub", kFolder}, {"sub\\t", "3"}}},
    {"DropsATrailingDotAndBlank",
     "a",
     "c. ",
     true,
     {{"c", "1"}, {"b", "2"}, {"sub", kFolder}, {"sub\\s", "3"}}},
    {"RefusesAWildcard", "a", "c*", false, kUnchanged},
    {"RefusesAQuestionMark", "a", "c?", false, kUnchanged},
};

void PrintTo(const MoveCase& c, std::ostream* out) { *out << c.name; }

class FileSystemContract : public ::testing::TestWithParam<std::tuple<FolderKind, MoveCase>> {};

TEST_P(FileSystemContract, MoveEntry) {
  const auto& [kind, c] = GetParam();
  const std::unique_ptr<TestFolder> folder = kind.make();
  folder->MakeFile("a", "1");
  folder->MakeFile("b", "2");
  folder->MakeFolder("sub");
  folder->MakeFile("sub\\s", "3");
  EXPECT_EQ(folder->Files().MoveEntry(folder->Path() + "\\" + c.from, folder->Path() + "\\" + c.to),
            c.succeeds);
  const bool renameToItself = PathIdentity(c.from) == PathIdentity(c.to) && c.from != c.to;
  EXPECT_EQ(folder->Entries(), renameToItself && folder->KeepsCaseOnRenameToItself() ? kUnchanged : c.after);
}

INSTANTIATE_TEST_SUITE_P(, FileSystemContract,
                         ::testing::Combine(::testing::ValuesIn(FolderKinds()),
                                            ::testing::ValuesIn(kMoveCases)),
                         [](const auto& info) {
                           return std::get<0>(info.param).name + "_" + std::get<1>(info.param).name;
                         });

TEST(MemoryFileSystem, FailsTheChosenCallOnceOrFromThenOn) {
  struct Case {
    MemoryFileSystem::Fault fault;
    std::vector<bool> answers;
  };
  const Case cases[] = {
      {MemoryFileSystem::Fault::Once, {true, false, true, true}},
      {MemoryFileSystem::Fault::FromThenOn, {true, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault == MemoryFileSystem::Fault::Once ? "once" : "from then on");
    MemoryFileSystem files;
    files.AddFolder("C:\\work");
    ASSERT_TRUE(files.AddFile("C:\\work\\a", "1"));
    files.FailCall(2, c.fault);
    std::vector<bool> answers;
    AnsiText current = "C:\\work\\a";
    for (int call = 0; call < 4; ++call) {
      const AnsiText next = call % 2 == 0 ? "C:\\work\\x" : "C:\\work\\a";
      const bool answer = files.MoveEntry(current, next);
      if (answer) current = next;
      answers.push_back(answer);
    }
    EXPECT_EQ(answers, c.answers);
    EXPECT_EQ(files.CallCount(), 4);
    ASSERT_NE(files.Find(current), nullptr);
    EXPECT_EQ(files.Find(current)->contents, "1");
    EXPECT_EQ(files.Entries().size(), 3u);  // C:, C:\work and the file, under one name
  }
}

TEST(MemoryFileSystem, RefusesNamesWindowsRefuses) {
  MemoryFileSystem files;
  files.AddFolder("C:\\work");
  ASSERT_TRUE(files.AddFile("C:\\work\\a", "1"));
  for (const AnsiText name : {"CON", "con.txt", "Nul", "COM1", "lpt9.log", "a\x01", "a:b", "...", " "}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(files.MoveEntry("C:\\work\\a", "C:\\work\\" + name));
  }
  for (const AnsiText name : {"CONSOLE", "COM0", "x.CON", "\x81\x5C", "a..b"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(files.MoveEntry("C:\\work\\a", "C:\\work\\" + name));
    ASSERT_TRUE(files.MoveEntry("C:\\work\\" + name, "C:\\work\\a"));
  }
}

}  // namespace
