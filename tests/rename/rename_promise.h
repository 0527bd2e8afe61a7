#pragma once

#include <map>
#include <string>
#include <vector>

#include "list/rename_list.h"
#include "test_folder.h"

// A row as it stood before a run.
struct RowBefore {
  AnsiText oldName;
  AnsiText newName;
};

std::vector<RowBefore> RowsOf(const RenameList& list);

// Everything a run did that it promises never to do, one sentence each; empty
// when it kept its word. The promise: every entry that existed before exists
// once after, with its contents and in its folder; a row marked "OK" has its
// entry under the new name (as the platform stores it) and shows that name as
// its old name; a row marked "NO" has its entry under its old name, unless
// giving the old name back was tried and failed, which leaves the entry under
// its temporary name; an entry no row names keeps its name.
//
// Entries are told apart by their contents, so every file of a test must have
// contents of its own, and a folder is known by the contents of its file "id".
// With `mayLeaveWaiting` false, no entry may be left under a temporary name
// at all.
std::vector<std::string> BrokenPromises(const std::map<AnsiText, AnsiText>& before,
                                        const std::vector<RowBefore>& rows, const RenameList& list,
                                        const std::map<AnsiText, AnsiText>& after,
                                        const std::vector<RecordingFileSystem::Call>& calls,
                                        const AnsiText& workingFolder, bool mayLeaveWaiting = true);
