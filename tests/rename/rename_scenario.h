#pragma once

#include <map>
#include <utility>
#include <vector>

#include "list/rename_list.h"
#include "rename_promise.h"
#include "test_folder.h"

// How the working folder is written for a run in a test folder.
enum class FolderForm { Plain, EndingInSeparator, Empty, Network };

AnsiText WorkingFolderFor(const TestFolder& folder, FolderForm form);

using NamePairs = std::vector<std::pair<AnsiText, AnsiText>>;

// Makes entries (name, contents; kFolderMark makes a folder) in list order.
void Fill(TestFolder& folder, const NamePairs& entries);

// A list of rows (old name, new name).
RenameList ListOf(const NamePairs& rows);

std::vector<AnsiText> MarksOf(const RenameList& list);

struct RunOutcome {
  std::map<AnsiText, AnsiText> entries;
  std::vector<RecordingFileSystem::Call> calls;
  std::vector<std::string> broken;  // the promises the run broke
};

// Runs the list's rows in the folder through `files` (the folder's own file
// system when null) and checks the promise.
RunOutcome RunAndCheck(TestFolder& folder, RenameList& list, const AnsiText& workingFolder,
                       FileSystem* files = nullptr, bool mayLeaveWaiting = true);
