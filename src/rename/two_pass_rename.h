#pragma once

#include "list/rename_list.h"
#include "rename/file_system.h"

// Renames `from` to `to` through the file system; true exactly when it did.
bool RenamePath(FileSystem& fileSystem, const AnsiText& from, const AnsiText& to);

// As RenamePath, but refuses without asking the file system when `to` is not a
// valid target path (IsValidTargetPath).
bool RenameToValidTarget(FileSystem& fileSystem, const AnsiText& from, const AnsiText& to);

// Renames every listed entry inside `workingFolder` from its old name (column
// 0) to its new name (column 1): first every entry to a temporary name, "AA-"
// before the new name's last component in the entry's own folder, then every
// such entry to its new name, so names can be swapped or shifted among the
// listed entries. Each row is scrolled into view as it is processed and ends
// marked "OK" (column 0 then takes the new name) or "NO".
//
// It never replaces an entry, never moves one to another folder, and never
// leaves one under a temporary name unless giving its old name back failed:
// a row marked "NO" has its entry under its old name, and an entry that is
// not listed keeps its name.
void RunRename(RenameList& list, const AnsiText& workingFolder, FileSystem& fileSystem);
