#include "rename/two_pass_rename.h"

#include <cstddef>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "rename/path_checks.h"
#include "text/text.h"

namespace {

const AnsiText kTemporaryPrefix = "AA-";
const AnsiText kSucceeded = "OK";
const AnsiText kFailed = "NO";

// Where a row's entry is during the run.
enum class Place { Old, Temporary, New };

struct RowRename {
  bool direct = false;
  bool moved = false;  // the first pass took the entry to its temporary name
  Place place = Place::Old;
  AnsiText oldName;
  AnsiText paths[3];  // indexed by Place
};

struct Run {
  RenameList& list;
  const AnsiText& workingFolder;
  FileSystem& fileSystem;
  std::vector<RowRename> rows;
  // For each path this run gave a name to, the row whose entry sits there.
  std::unordered_map<AnsiText, int32_t> holders;
  // Every folder above a temporary name this run created.
  std::unordered_set<AnsiText> foldersAboveTemporaries;
};

// A row is renamed only to a real name in its entry's own folder.
bool IsRenamable(const AnsiText& oldName, const AnsiText& newName) {
  if (newName.empty() || !TextEquals(FolderPart(oldName), FolderPart(newName))) return false;
  const AnsiText last = LastComponent(newName);
  return !last.empty() && !TextEquals(last, ".") && !TextEquals(last, "..");
}

// The temporary name goes before the last component, so the entry stays in
// its own folder while it waits for its new name.
AnsiText TemporaryPath(const AnsiText& workingFolder, const AnsiText& newName) {
  return ConcatText(workingFolder, "\\", FolderPart(newName), kTemporaryPrefix, LastComponent(newName));
}

// The folders above an identity, nearest last; never the identity itself.
std::vector<AnsiText> FoldersAbove(const AnsiText& identity) {
  std::vector<AnsiText> folders;
  std::size_t index = 0;
  while (index < identity.size() && identity[index] == '\\') ++index;
  for (; index < identity.size(); ++index) {
    if (static_cast<unsigned char>(identity[index]) >= 0x80) {
      ++index;
    } else if (identity[index] == '\\') {
      folders.push_back(identity.substr(0, index));
    }
  }
  return folders;
}

// The entry at this path is one the run has already moved to a temporary name,
// lies inside one, or holds one inside it; taking it as another row's source
// would carry off an entry that belongs to an earlier row.
bool IsTouchedByThisRun(const Run& run, const AnsiText& identity) {
  if (run.holders.count(identity) != 0 || run.foldersAboveTemporaries.count(identity) != 0) return true;
  for (const AnsiText& folder : FoldersAbove(identity)) {
    if (run.holders.count(folder) != 0) return true;
  }
  return false;
}

// Moves row r's entry to another of its places, directly: going back needs no
// guard, as the entry already held both names during the run.
bool MoveRowDirectly(Run& run, int32_t r, Place target) {
  RowRename& row = run.rows[static_cast<std::size_t>(r)];
  const AnsiText& from = row.paths[static_cast<int>(row.place)];
  const AnsiText& to = row.paths[static_cast<int>(target)];
  if (!RenamePath(run.fileSystem, from, to)) return false;
  run.holders.erase(PathIdentity(from));
  run.holders[PathIdentity(to)] = r;
  row.place = target;
  return true;
}

void ShowReturned(Run& run, int32_t r) {
  run.list.SetCell(r, kResultColumn, kFailed);
  run.list.SetCell(r, kOldNameColumn, run.rows[static_cast<std::size_t>(r)].oldName);
}

void MoveToTemporaryNames(Run& run) {
  const int32_t n = run.list.RowCount();
  run.rows.resize(static_cast<std::size_t>(n));
  for (int32_t r = 0; r < n; ++r) {
    run.list.EnsureVisible(r);
    RowRename& row = run.rows[static_cast<std::size_t>(r)];
    row.oldName = run.list.GetCell(r, kOldNameColumn);
    const AnsiText newName = run.list.GetCell(r, kPreviewColumn);
    const AnsiText checkPath = ConcatText(run.workingFolder, "\\", row.oldName);
    row.direct = IsDrivePath(checkPath);
    row.paths[static_cast<int>(Place::Old)] = checkPath;
    row.paths[static_cast<int>(Place::Temporary)] = TemporaryPath(run.workingFolder, newName);
    row.paths[static_cast<int>(Place::New)] = ConcatText(run.workingFolder, "\\", newName);
    if (!IsRenamable(row.oldName, newName)) continue;
    if (IsTouchedByThisRun(run, PathIdentity(row.paths[static_cast<int>(Place::Old)]))) continue;

    const AnsiText& from = row.paths[static_cast<int>(Place::Old)];
    const AnsiText& to = row.paths[static_cast<int>(Place::Temporary)];
    row.moved =
        row.direct ? RenamePath(run.fileSystem, from, to) : RenameToValidTarget(run.fileSystem, from, to);
    if (!row.moved) continue;
    row.place = Place::Temporary;
    const AnsiText identity = PathIdentity(to);
    run.holders[identity] = r;
    for (AnsiText& folder : FoldersAbove(identity)) run.foldersAboveTemporaries.insert(std::move(folder));
  }
}

// Only entries this run moved to a temporary name are renamed on: whatever
// else may sit under a row's temporary name is not the row's entry.
void MoveToNewNames(Run& run) {
  const int32_t n = run.list.RowCount();
  for (int32_t r = 0; r < n; ++r) {
    run.list.EnsureVisible(r);
    if (static_cast<std::size_t>(r) >= run.rows.size() || !run.rows[static_cast<std::size_t>(r)].moved) {
      run.list.SetCell(r, kResultColumn, kFailed);
      continue;
    }
    RowRename& row = run.rows[static_cast<std::size_t>(r)];
    const AnsiText& from = row.paths[static_cast<int>(Place::Temporary)];
    const AnsiText& to = row.paths[static_cast<int>(Place::New)];
    const bool ok =
        row.direct ? RenamePath(run.fileSystem, from, to) : RenameToValidTarget(run.fileSystem, from, to);
    if (ok) {
      run.holders.erase(PathIdentity(from));
      run.holders[PathIdentity(to)] = r;
      row.place = Place::New;
      run.list.SetCell(r, kResultColumn, kSucceeded);
      run.list.SetCell(r, kOldNameColumn, run.list.GetCell(r, kPreviewColumn));
    } else {
      run.list.SetCell(r, kResultColumn, kFailed);
    }
  }
}

// Gives row `first` its old name back. When that name is held by another
// row's entry, that row gives its own old name back first, and so on down the
// chain (as when b was shifted to c and c could not become d): a row that
// renamed successfully then ends "NO" too, with its entry under its old name.
// A chain that closes on itself is opened by moving one renamed entry back to
// its temporary name, from where it returns once the way is clear. The chain
// is walked with a stack of its own, as it can be as long as the list.
void ReturnToOldName(Run& run, int32_t first, std::vector<int32_t>& waiting) {
  enum Mark : char { kUnvisited, kOnStack, kSettled };
  std::unordered_map<int32_t, Mark> marks;
  std::vector<int32_t> stack{first};
  marks[first] = kOnStack;
  while (!stack.empty()) {
    const int32_t r = stack.back();
    RowRename& row = run.rows[static_cast<std::size_t>(r)];
    if (MoveRowDirectly(run, r, Place::Old)) {
      ShowReturned(run, r);
      marks[r] = kSettled;
      stack.pop_back();
      continue;
    }
    const auto holder = run.holders.find(PathIdentity(row.paths[static_cast<int>(Place::Old)]));
    const int32_t blocking = holder == run.holders.end() ? -1 : holder->second;
    if (blocking >= 0 && blocking != r) {
      const Mark mark = marks.count(blocking) != 0 ? marks[blocking] : kUnvisited;
      if (mark == kUnvisited) {
        marks[blocking] = kOnStack;
        stack.push_back(blocking);
        continue;
      }
      if (mark == kOnStack && row.place == Place::New && MoveRowDirectly(run, r, Place::Temporary)) {
        ShowReturned(run, r);
        waiting.push_back(r);
        marks[r] = kSettled;
        stack.pop_back();
        continue;
      }
    }
    // The old name is held by an entry the run does not own, or the disk
    // refused: the entry stays where it is.
    marks[r] = kSettled;
    stack.pop_back();
  }
}

void ReturnFailedRows(Run& run) {
  std::vector<int32_t> waiting;
  for (int32_t r = 0; r < static_cast<int32_t>(run.rows.size()); ++r) {
    if (run.rows[static_cast<std::size_t>(r)].place == Place::Temporary) waiting.push_back(r);
  }
  for (std::size_t next = 0; next < waiting.size(); ++next) {
    const int32_t r = waiting[next];
    if (run.rows[static_cast<std::size_t>(r)].place == Place::Temporary) ReturnToOldName(run, r, waiting);
  }
}

}  // namespace

bool RenamePath(FileSystem& fileSystem, const AnsiText& from, const AnsiText& to) {
  return fileSystem.MoveEntry(from, to);
}

bool RenameToValidTarget(FileSystem& fileSystem, const AnsiText& from, const AnsiText& to) {
  return IsValidTargetPath(to) && RenamePath(fileSystem, from, to);
}

void RunRename(RenameList& list, const AnsiText& workingFolder, FileSystem& fileSystem) {
  Run run{list, workingFolder, fileSystem, {}, {}, {}};
  MoveToTemporaryNames(run);
  MoveToNewNames(run);
  ReturnFailedRows(run);
}
