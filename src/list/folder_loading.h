#pragma once

#include <memory>
#include <vector>

#include "list/folder_enumeration.h"
#include "text/ansi_text.h"

class RenameList;
class RuleSource;

// The filter of FindEntry. Only the directory bit counts: hidden, system,
// read-only and archive entries are taken like any other.
enum class EntryKind { Folders, NonFolders };

// Names in the order they were found, each copied in.
using NameList = std::vector<AnsiText>;

// The state of one enumeration: an open search, or none (null).
using Search = std::unique_ptr<FolderSearch>;

// What a listing asks of its surroundings after each file it finds.
class ListingPump {
 public:
  virtual ~ListingPump() = default;
  // Handles everything waiting for the program, so the window stays
  // responsive. False when the program is ending: the listing stops.
  virtual bool PumpMessages() = 0;
};

// How a load ended.
enum class LoadOutcome {
  Loaded,   // ran to its end, RefreshPreview included
  Refused,  // another listing was running: nothing was touched
  Stopped,  // the program is ending: the load ended early, without a refresh
};

// The next entry of `kind`: a non-empty `pattern` starts a new enumeration
// into `search`, an empty one continues it. Returns the bare name, or an
// empty text at the end, when the search is closed again. A search that
// fails to start stays closed.
AnsiText FindEntry(FolderEnumeration& files, const AnsiText& pattern, EntryKind kind, Search& search);

// The folder's subfolders, except those whose name begins with "." (which
// leaves out "." and ".."), appended to `names`. Dispatches nothing.
void ListSubfolders(FolderEnumeration& files, const AnsiText& folder, NameList& names);

// The folder's non-folder entries matching `pattern` appended to `names`,
// dotted names included; the pump runs after each one. False when the pump
// stopped the listing; the names found so far stay in `names`.
bool ListFiles(FolderEnumeration& files, const AnsiText& folder, const AnsiText& pattern, NameList& names,
               ListingPump& pump);

// Replaces the rows with the folder's subfolders, then its files, each group
// in the enumeration's order, and refreshes the previews. An empty folder
// text leaves the rows as they are and only refreshes. A folder that cannot
// be enumerated ends with no rows. The folder is read from `files` once; the
// pump runs after each entry read and after each file listed. While a load
// runs, a second one is refused, and so are drops (see AcceptDrop).
LoadOutcome LoadFolder(const AnsiText& folder, FolderEnumeration& files, RenameList& list,
                       const RuleSource& rules, ListingPump& pump);

// True while LoadFolder runs. Open, a drop and Execute do nothing then;
// rule edits still refresh the previews of the rows present.
bool IsListing();

// The folder with a "\" appended unless its last character already is one.
// Tested by character: in "乗" the second byte is 0x5C, yet it is no
// separator.
AnsiText FolderPrefix(const AnsiText& folder);
