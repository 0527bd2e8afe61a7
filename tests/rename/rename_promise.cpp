#include "rename_promise.h"

#include <set>

#include "rename/path_checks.h"

namespace {

AnsiText ParentPath(const AnsiText& path) {
  const int32_t separator = FindLastSeparator(path);
  return separator <= 0 ? AnsiText() : path.substr(0, static_cast<std::size_t>(separator - 1));
}

// Who an entry is, whatever its name.
AnsiText EntityOf(const std::map<AnsiText, AnsiText>& entries, const AnsiText& path) {
  const auto entry = entries.find(path);
  if (entry == entries.end()) return AnsiText();
  if (entry->second != kFolderMark) return "file:" + entry->second;
  const auto id = entries.find(path + "\\id");
  return id == entries.end() ? "folder@" + path : "folder:" + id->second;
}

struct Census {
  std::map<AnsiText, AnsiText> pathOf;    // entity -> stored path
  std::map<AnsiText, AnsiText> entityAt;  // PathIdentity of path -> entity
  std::map<AnsiText, AnsiText> parentOf;  // entity -> entity of its folder
  std::vector<std::string> duplicates;
};

Census TakeCensus(const std::map<AnsiText, AnsiText>& entries) {
  Census census;
  for (const auto& [path, contents] : entries) {
    const AnsiText entity = EntityOf(entries, path);
    if (!census.pathOf.emplace(entity, path).second) census.duplicates.push_back(entity);
    census.entityAt[PathIdentity(path)] = entity;
    census.parentOf[entity] = EntityOf(entries, ParentPath(path));
  }
  return census;
}

AnsiText RelativeTemporaryName(const AnsiText& newName) {
  return FolderPart(newName) + "AA-" + LastComponent(newName);
}

bool BackRenameFailed(const std::vector<RecordingFileSystem::Call>& calls, const AnsiText& workingFolder,
                      const RowBefore& row) {
  const AnsiText temporary = PathIdentity(workingFolder + "\\" + RelativeTemporaryName(row.newName));
  const AnsiText old = PathIdentity(workingFolder + "\\" + row.oldName);
  for (const RecordingFileSystem::Call& call : calls) {
    if (!call.succeeded && PathIdentity(call.from) == temporary && PathIdentity(call.to) == old) return true;
  }
  return false;
}

}  // namespace

std::vector<RowBefore> RowsOf(const RenameList& list) {
  std::vector<RowBefore> rows;
  for (int32_t r = 0; r < list.RowCount(); ++r) {
    rows.push_back(RowBefore{list.GetCell(r, kOldNameColumn), list.GetCell(r, kPreviewColumn)});
  }
  return rows;
}

std::vector<std::string> BrokenPromises(const std::map<AnsiText, AnsiText>& before,
                                        const std::vector<RowBefore>& rows, const RenameList& list,
                                        const std::map<AnsiText, AnsiText>& after,
                                        const std::vector<RecordingFileSystem::Call>& calls,
                                        const AnsiText& workingFolder, bool mayLeaveWaiting) {
  std::vector<std::string> broken;
  const Census was = TakeCensus(before);
  const Census is = TakeCensus(after);
  for (const AnsiText& entity : is.duplicates) broken.push_back(entity + " exists twice");
  for (const auto& [entity, path] : was.pathOf) {
    const auto now = is.pathOf.find(entity);
    if (now == is.pathOf.end()) {
      broken.push_back(path + " (" + entity + ") is gone");
    } else if (is.parentOf.at(entity) != was.parentOf.at(entity)) {
      broken.push_back(path + " moved to another folder as " + now->second);
    }
  }
  for (const auto& [entity, path] : is.pathOf) {
    if (was.pathOf.count(entity) == 0) broken.push_back(path + " (" + entity + ") appeared");
  }

  // Which entity each row names, and what its mark promises.
  std::set<AnsiText> named;
  std::set<AnsiText> renamedByAnOkRow;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto entity = was.entityAt.find(PathIdentity(rows[r].oldName));
    if (entity == was.entityAt.end()) continue;
    named.insert(entity->second);
    if (list.GetCell(static_cast<int32_t>(r), kResultColumn) == "OK") renamedByAnOkRow.insert(entity->second);
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto row = static_cast<int32_t>(r);
    const RowBefore& wasRow = rows[r];
    const std::string label =
        "row " + std::to_string(r) + " (" + wasRow.oldName + " -> " + wasRow.newName + ")";
    const AnsiText mark = list.GetCell(row, kResultColumn);
    const auto found = was.entityAt.find(PathIdentity(wasRow.oldName));
    const bool hasEntity = found != was.entityAt.end() && is.pathOf.count(found->second) != 0;
    const AnsiText where = hasEntity ? is.pathOf.at(found->second) : AnsiText();
    if (mark == "OK") {
      if (!hasEntity) {
        broken.push_back(label + " says OK but named no entry");
      } else if (PathIdentity(where) != PathIdentity(wasRow.newName) ||
                 LastComponent(where) != LastComponent(StoredPath(wasRow.newName))) {
        broken.push_back(label + " says OK but its entry is at " + where);
      }
      if (list.GetCell(row, kOldNameColumn) != wasRow.newName)
        broken.push_back(label + " says OK but shows another name");
    } else if (mark == "NO") {
      if (list.GetCell(row, kOldNameColumn) != wasRow.oldName)
        broken.push_back(label + " says NO but shows another name");
      if (!hasEntity || renamedByAnOkRow.count(found->second) != 0) continue;
      // Its folder may have been renamed by another row; its own name may not,
      // apart from the letter case a row naming it gives it on its way back.
      const AnsiText wasName = LastComponent(was.pathOf.at(found->second));
      const AnsiText isName = LastComponent(where);
      bool sameName = isName == wasName;
      for (const RowBefore& other : rows) {
        const auto otherEntity = was.entityAt.find(PathIdentity(other.oldName));
        if (otherEntity == was.entityAt.end() || otherEntity->second != found->second) continue;
        sameName = sameName || isName == LastComponent(StoredPath(other.oldName));
      }
      if (sameName) continue;
      // Or it waits under the temporary name of a row naming it whose way back failed.
      bool leftWaiting = false;
      for (const RowBefore& other : rows) {
        const auto otherEntity = was.entityAt.find(PathIdentity(other.oldName));
        if (otherEntity == was.entityAt.end() || otherEntity->second != found->second) continue;
        leftWaiting =
            leftWaiting ||
            (mayLeaveWaiting && PathIdentity(where) == PathIdentity(RelativeTemporaryName(other.newName)) &&
             BackRenameFailed(calls, workingFolder, other));
      }
      if (!leftWaiting) broken.push_back(label + " says NO but its entry is at " + where);
    } else {
      broken.push_back(label + " has the mark '" + mark + "'");
    }
    if (list.GetCell(row, kPreviewColumn) != wasRow.newName) broken.push_back(label + " lost its preview");
  }

  for (const auto& [entity, path] : was.pathOf) {
    if (named.count(entity) != 0 || is.pathOf.count(entity) == 0) continue;
    if (LastComponent(is.pathOf.at(entity)) != LastComponent(path)) {
      broken.push_back(path + ", named by no row, is now " + is.pathOf.at(entity));
    }
  }
  return broken;
}
