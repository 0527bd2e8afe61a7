#include "rename/file_system_win32.h"

#include <windows.h>

// MoveFileA refuses an existing target (ignoring case, as the file system
// compares names) and fails on a missing source; both failures are what the
// rename run relies on, so no flag of MoveFileExA is wanted here.
bool Win32FileSystem::MoveEntry(const AnsiText& from, const AnsiText& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}
