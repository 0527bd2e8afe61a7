#include "rename_scenario.h"

#include "rename/two_pass_rename.h"

AnsiText WorkingFolderFor(const TestFolder& folder, FolderForm form) {
  switch (form) {
    case FolderForm::Plain:
      return folder.Path();
    case FolderForm::EndingInSeparator:
      return folder.Path() + "\\";
    case FolderForm::Empty:
      return "";
    case FolderForm::Network:
      return "\\\\server\\share\\work";
  }
  return "";
}

void Fill(TestFolder& folder, const NamePairs& entries) {
  for (const auto& [name, contents] : entries) {
    if (contents == kFolderMark) {
      folder.MakeFolder(name);
    } else {
      folder.MakeFile(name, contents);
    }
  }
}

RenameList ListOf(const NamePairs& rows) {
  RenameList list;
  for (const auto& [oldName, newName] : rows) {
    const int32_t row = list.AppendRow();
    list.SetCell(row, kOldNameColumn, oldName);
    list.SetCell(row, kPreviewColumn, newName);
  }
  return list;
}

std::vector<AnsiText> MarksOf(const RenameList& list) {
  std::vector<AnsiText> marks;
  for (int32_t r = 0; r < list.RowCount(); ++r) marks.push_back(list.GetCell(r, kResultColumn));
  return marks;
}

RunOutcome RunAndCheck(TestFolder& folder, RenameList& list, const AnsiText& workingFolder, FileSystem* files,
                       bool mayLeaveWaiting) {
  const std::map<AnsiText, AnsiText> before = folder.Entries();
  const std::vector<RowBefore> rows = RowsOf(list);
  RecordingFileSystem recording(files ? *files : folder.Files());
  RunRename(list, workingFolder, recording);
  RunOutcome outcome;
  outcome.entries = folder.Entries();
  outcome.calls = std::move(recording.calls);
  outcome.broken =
      BrokenPromises(before, rows, list, outcome.entries, outcome.calls, workingFolder, mayLeaveWaiting);
  return outcome;
}
