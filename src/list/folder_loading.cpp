#include "list/folder_loading.h"

#include <utility>

#include "list/rename_list.h"
#include "rules/rules.h"
#include "text/text.h"

namespace {

const AnsiText kSeparator = "\\";
const AnsiText kAllEntries = "*.*";

// One GUI thread runs every load, so a plain flag is enough.
bool g_listing = false;

class ListingFlag {
 public:
  ListingFlag() { g_listing = true; }
  ~ListingFlag() { g_listing = false; }
  ListingFlag(const ListingFlag&) = delete;
  ListingFlag& operator=(const ListingFlag&) = delete;
};

bool Passes(const FoundEntry& entry, EntryKind kind) {
  return entry.isFolder == (kind == EntryKind::Folders);
}

void AppendRows(RenameList& list, const NameList& names) {
  for (const AnsiText& name : names) list.SetCell(list.AppendRow(), kOldNameColumn, name);
}

// Reads the folder from the platform once per load. Both listings
// enumerate the same pattern, and a large folder's walk is the whole cost of
// a load, so the first enumeration records the entries as it reads them and
// a second one of the same pattern replays them. The first walk pumps after
// every entry it reads, so the window stays responsive through it too.
class SingleWalk final : public FolderEnumeration {
 public:
  SingleWalk(FolderEnumeration& files, ListingPump& pump) : m_files(files), m_pump(pump) {}

  std::unique_ptr<FolderSearch> Start(const AnsiText& pattern, FoundEntry& first) override {
    if (m_complete && pattern == m_pattern) {
      if (m_entries.empty()) return nullptr;
      first = m_entries.front();
      return std::make_unique<ReplayingSearch>(m_entries);
    }
    m_pattern = pattern;
    m_entries.clear();
    m_complete = false;
    std::unique_ptr<FolderSearch> search = m_files.Start(pattern, first);
    if (!search) {
      m_complete = true;
      return nullptr;
    }
    m_entries.push_back(first);
    return std::make_unique<RecordingSearch>(*this, std::move(search));
  }

  // The pump asked the listing to stop while the folder was read.
  bool Stopped() const { return m_stopped; }

 private:
  class RecordingSearch final : public FolderSearch {
   public:
    RecordingSearch(SingleWalk& walk, std::unique_ptr<FolderSearch> search)
        : m_walk(walk), m_search(std::move(search)) {}

    bool Next(FoundEntry& entry) override {
      if (m_walk.m_stopped) return false;
      if (!m_walk.m_pump.PumpMessages()) {
        m_walk.m_stopped = true;
        return false;
      }
      if (!m_search->Next(entry)) {
        // An error ends the walk like its end: both listings see the
        // entries read so far.
        m_walk.m_complete = true;
        return false;
      }
      m_walk.m_entries.push_back(entry);
      return true;
    }

   private:
    SingleWalk& m_walk;
    std::unique_ptr<FolderSearch> m_search;
  };

  class ReplayingSearch final : public FolderSearch {
   public:
    explicit ReplayingSearch(const std::vector<FoundEntry>& entries) : m_entries(entries) {}

    bool Next(FoundEntry& entry) override {
      if (m_next >= m_entries.size()) return false;
      entry = m_entries[m_next++];
      return true;
    }

   private:
    const std::vector<FoundEntry>& m_entries;
    std::size_t m_next = 1;
  };

  FolderEnumeration& m_files;
  ListingPump& m_pump;
  AnsiText m_pattern;
  std::vector<FoundEntry> m_entries;
  bool m_complete = false;
  bool m_stopped = false;
};

}  // namespace

AnsiText FolderPrefix(const AnsiText& folder) {
  // FindTextReverse walks by character, so a trail byte of 0x5C never
  // counts as the final separator.
  const int32_t length = TextLength(folder);
  if (length > 0 && FindTextReverse(folder, kSeparator) == length) return folder;
  return ConcatText(folder, kSeparator);
}

AnsiText FindEntry(FolderEnumeration& files, const AnsiText& pattern, EntryKind kind, Search& search) {
  FoundEntry entry;
  // 1.
  if (!pattern.empty()) {
    search = files.Start(pattern, entry);
    if (!search) return AnsiText();
  } else if (!search || !search->Next(entry)) {
    // 2.
    search.reset();
    return AnsiText();
  }
  // 3.
  while (!Passes(entry, kind)) {
    if (!search->Next(entry)) {
      search.reset();
      return AnsiText();
    }
  }
  // 4.
  return std::move(entry.name);
}

void ListSubfolders(FolderEnumeration& files, const AnsiText& folder, NameList& names) {
  // 1.
  const AnsiText prefix = FolderPrefix(folder);
  // 2.
  Search search;
  AnsiText name = FindEntry(files, ConcatText(prefix, kAllEntries), EntryKind::Folders, search);
  // 3. The dot test leaves out "." and ".." and every other dotted folder.
  while (!name.empty()) {
    if (name[0] != '.') names.push_back(std::move(name));
    name = FindEntry(files, AnsiText(), EntryKind::Folders, search);
  }
}

bool ListFiles(FolderEnumeration& files, const AnsiText& folder, const AnsiText& pattern, NameList& names,
               ListingPump& pump) {
  // 1.
  const AnsiText prefix = FolderPrefix(folder);
  // 2.
  Search search;
  AnsiText name = FindEntry(files, ConcatText(prefix, pattern), EntryKind::NonFolders, search);
  // 3. Dotted file names are listed.
  while (!name.empty()) {
    names.push_back(std::move(name));
    if (!pump.PumpMessages()) return false;
    name = FindEntry(files, AnsiText(), EntryKind::NonFolders, search);
  }
  return true;
}

LoadOutcome LoadFolder(const AnsiText& folder, FolderEnumeration& files, RenameList& list,
                       const RuleSource& rules, ListingPump& pump) {
  // A load started from inside another's pump would leave rows of two
  // folders in the list; it is refused instead.
  if (g_listing) return LoadOutcome::Refused;
  const ListingFlag listing;
  // Handlers that run inside the pump may replace the working folder, so the
  // load works on its own copy.
  const AnsiText ownFolder = folder;
  // 1.
  if (!ownFolder.empty()) {
    SingleWalk walk(files, pump);
    // 2.
    list.ClearRows();
    // 3. The subfolder rows show while the files are enumerated.
    NameList subfolders;
    ListSubfolders(walk, ownFolder, subfolders);
    if (walk.Stopped()) return LoadOutcome::Stopped;
    AppendRows(list, subfolders);
    // 4.
    NameList fileNames;
    if (!ListFiles(walk, ownFolder, kAllEntries, fileNames, pump)) return LoadOutcome::Stopped;
    AppendRows(list, fileNames);
  }
  // 5.
  RefreshPreview(list, rules);
  return LoadOutcome::Loaded;
}

bool IsListing() { return g_listing; }
