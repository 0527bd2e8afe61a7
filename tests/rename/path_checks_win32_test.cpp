// shlwapi.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <shlwapi.h>
// clang-format on

#include <gtest/gtest.h>

#include <vector>

#include "rename/path_checks.h"

namespace {

// The core finds a path's final component itself; the shell's routine must
// find the same one, Chinese names whose second byte is "\" or "/" included.
TEST(FinalComponentPosition, AgreesWithPathFindFileName) {
  const AnsiText backslashSecond = "\x81\x5C";  // 乗
  const AnsiText otherBackslashSecond = "\x95\x5C";
  const std::vector<AnsiText> paths = {
      "C:\\dir\\a.txt",
      "C:\\dir\\",
      "C:\\dir\\\\",
      "C:\\dir\\\\a.txt",
      "C:/dir/a.txt",
      "C:\\dir/a",
      "C:a.txt",
      "C:",
      "C:\\",
      "a.txt",
      "",
      "\\\\server\\share\\a",
      "\\\\server\\share\\",
      "C:\\dir\\" + backslashSecond,
      "C:\\dir\\" + backslashSecond + ".txt",
      "C:\\" + backslashSecond + "\\" + otherBackslashSecond,
      "C:\\" + backslashSecond + "\\",
      "C:\\dir\\x" + backslashSecond + "\\\\",
      "C:\\dir\\AA-\xD6\xD0\xCE\xC4.txt",
      "C:\\dir\\name.",
      "C:\\dir\\:x",
      "x:y:z",
  };
  for (const AnsiText& path : paths) {
    SCOPED_TRACE(path);
    const char* found = PathFindFileNameA(path.c_str());
    EXPECT_EQ(FinalComponentPosition(path), static_cast<int32_t>(found - path.c_str()) + 1);
    const AnsiText component = found;
    // Empty when the component's last character, as the platform walks it,
    // is a backslash.
    const char* end = found + component.size();
    const char* last = CharPrevA(found, end);
    const bool endsInSeparator = !component.empty() && end - last == 1 && *last == '\\';
    const AnsiText expected = endsInSeparator ? AnsiText() : component;
    EXPECT_EQ(FileNamePart(path, true), expected);
  }
}

}  // namespace
