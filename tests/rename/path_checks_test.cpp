#include "rename/path_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Characters of code page 936 whose second byte is a one-byte character that
// matters to paths.
const AnsiText kSecondByteBackslash = "\x81\x5C";  // 乗
const AnsiText kSecondByteBar = "\x81\x7C";        // 亅
const AnsiText kSecondByteLetter = "\xB0\x41";     // 癆
const AnsiText kSecondByteSlash = "\x81\x2F";      // not a valid character, but a lead byte still takes it

struct PathCase {
  AnsiText path;
  bool expected;
};

TEST(IsDrivePath, AcceptsOnlyPathsBeginningWithALetterAndHoldingAColonSeparator) {
  const std::vector<PathCase> cases = {
      {"C:\\dir\\file.txt", true},
      {"c:/dir", true},
      {"C:", false},
      {"1:\\x", false},
      {"", false},
      {"\\\\server\\share\\x", false},
      {"//server/share/x", false},
      {"ab:\\x", true},
      {"C:\\dir\\\\a.txt", true},
      {"C:\\\\\\\\\\dir", true},
      {"C://///dir", true},
      {"C:\\/dir", true},
      {"z:\\", true},
      {"\xD6\xD0:\\x", false},  // a Chinese first character is no drive letter
      {"[:\\x", false},
      {"@:\\x", false},
      {"C" + kSecondByteBackslash + "x", false},  // the 0x5C is no separator
      {"x\\y:\\", true},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(IsDrivePath(c.path), c.expected);
  }
}

// Runs of separators collapse in the copy only: the answer is the one for the
// path with every run cut to a single character.
TEST(IsDrivePath, AnswersForLongRunsAsForTheCollapsedPath) {
  for (int run = 1; run <= 9; ++run) {
    for (const char* separator : {"\\", "/"}) {
      AnsiText separators;
      for (int i = 0; i < run; ++i) separators += separator;
      for (const AnsiText& path : {"C:" + separators + "dir", separators + "C:" + separators + "x",
                                   "C" + separators + ":" + separators}) {
        SCOPED_TRACE(path);
        AnsiText collapsed = path;
        for (std::size_t at = collapsed.find(AnsiText(2, separator[0])); at != AnsiText::npos;
             at = collapsed.find(AnsiText(2, separator[0]))) {
          collapsed.erase(at, 1);
        }
        EXPECT_EQ(IsDrivePath(path), IsDrivePath(collapsed));
      }
    }
  }
}

TEST(IsValidTargetPath, WantsADrivePathWithANonEmptyCleanFinalName) {
  const std::vector<PathCase> cases = {
      {"C:\\dir\\AA-new.txt", true},
      {"C:\\dir\\", false},
      {"C:\\dir\\a*b.txt", false},
      {"C:\\dir\\a?.txt", false},
      {"C:\\dir\\name", true},
      {"\\\\server\\share\\name", false},
      {"\\AA-name", false},
      {"C:/dir/name", true},
      {"C:\\dir\\\\name", true},
      {"C:\\dir\\a|b", false},
      {"C:\\dir\\a\"b", false},
      {"C:\\dir\\a<b", false},
      {"C:\\dir\\a>b", false},
      {"C:\\dir\\" + kSecondByteBackslash, true},
      {"C:\\dir\\x" + kSecondByteBar + ".txt", true},
      {"C:dir", false},
      {"1:\\dir\\name", false},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(IsValidTargetPath(c.path), c.expected);
  }
}

TEST(HasForbiddenChar, FindsEachForbiddenCharacterButNoSecondByte) {
  for (const char* forbidden : ForbiddenChars) {
    SCOPED_TRACE(forbidden);
    EXPECT_TRUE(HasForbiddenChar(AnsiText("a") + forbidden + "b"));
    EXPECT_TRUE(HasForbiddenChar(forbidden));
  }
  const std::vector<PathCase> cases = {
      {"", false},
      {"plain name.txt", false},
      {kSecondByteBackslash + ".txt", false},
      {kSecondByteBar, false},
      {"\xD6\xD0\xCE\xC4", false},
      {kSecondByteBackslash + "\\", true},
      {"\"quoted\"", true},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(HasForbiddenChar(c.path), c.expected);
  }
}

TEST(ForbiddenChars, AreSearchedInTheirOrder) {
  const std::vector<AnsiText> expected = {"?", "/", "\\", "<", ">", "*", "|", ":", "\""};
  ASSERT_EQ(ForbiddenChars.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(ForbiddenChars[i], expected[i]);
}

struct ComponentCase {
  AnsiText path;
  AnsiText expected;
};

TEST(FileNamePart, IsTheFinalComponentOrEmptyAfterASeparator) {
  const std::vector<ComponentCase> cases = {
      {"C:\\dir\\a.txt", "a.txt"},
      {"C:\\dir\\", ""},
      {"C:\\dir\\\\", ""},
      {"C:\\dir\\\\a.txt", "a.txt"},
      {"C:/dir/a.txt", "a.txt"},
      {"C:a.txt", "a.txt"},
      {"a.txt", "a.txt"},
      {"", ""},
      {"C:\\", ""},
      {"C:\\dir\\" + kSecondByteBackslash, kSecondByteBackslash},
      {"C:\\" + kSecondByteBackslash + "x", kSecondByteBackslash + "x"},
      {"C:\\dir\\name.", "name."},
  };
  for (const ComponentCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileNamePart(c.path, true), c.expected);
  }
}

TEST(FolderPart, EndsAtTheLastSeparatorCharacter) {
  struct Case {
    AnsiText name;
    AnsiText folder;
    AnsiText last;
  };
  const std::vector<Case> cases = {
      {"a.txt", "", "a.txt"},
      {"b\\y.txt", "b\\", "y.txt"},
      {"b/y.txt", "b/", "y.txt"},
      {"b\\c/y", "b\\c/", "y"},
      {"b\\", "b\\", ""},
      {"", "", ""},
      {kSecondByteBackslash + "x", "", kSecondByteBackslash + "x"},
      {kSecondByteBackslash + "\\" + kSecondByteBackslash, kSecondByteBackslash + "\\", kSecondByteBackslash},
      {"x" + kSecondByteSlash, "", "x" + kSecondByteSlash},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FolderPart(c.name), c.folder);
    EXPECT_EQ(LastComponent(c.name), c.last);
  }
}

TEST(PathIdentity, EqualExactlyForPathsNamingTheSameEntry) {
  struct Case {
    AnsiText left;
    AnsiText right;
    bool same;
  };
  const std::vector<Case> cases = {
      {"C:\\Work\\A.TXT", "c:\\work\\a.txt", true},
      {"C:\\work\\\\a", "C:/work/a", true},
      {"C:\\work\\a.", "C:\\work\\a", true},
      {"C:\\work\\a. .", "C:\\work\\a", true},
      {"C:\\work\\.\\a", "C:\\work\\a", true},
      {"C:\\work\\sub\\..\\a", "C:\\work\\a", true},
      {"C:\\work\\a", "C:\\work\\b", false},
      {"C:\\work\\" + kSecondByteLetter, "C:\\work\\\xB0\x61", false},        // a second byte has no case
      {"C:\\work\\" + kSecondByteBackslash + "..\\a", "C:\\work\\a", false},  // no ".." component here
      {"C:\\work\\AA-x", "C:\\work\\aa-X", true},
      {"\\\\server\\a", "\\server\\a", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left + " | " + c.right);
    EXPECT_EQ(PathIdentity(c.left) == PathIdentity(c.right), c.same);
  }
}

TEST(StoredPath, KeepsLetterCaseAndDropsWhatThePlatformDrops) {
  const std::vector<ComponentCase> cases = {
      {"C:\\Work\\\\Name0001.", "C:\\Work\\Name0001"},
      {"C:/Work/A.TXT ", "C:\\Work\\A.TXT"},
      {"C:\\Work\\sub.\\x", "C:\\Work\\sub\\x"},
      {"C:\\Work\\...\\x", "C:\\Work\\...\\x"},
      {"C:\\Work\\" + kSecondByteBackslash, "C:\\Work\\" + kSecondByteBackslash},
  };
  for (const ComponentCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(StoredPath(c.path), c.expected);
  }
}

}  // namespace
