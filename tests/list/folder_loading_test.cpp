#include "list/folder_loading.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "list/drop_loading.h"
#include "list/memory_folder_enumeration.h"
#include "list/rename_list.h"
#include "list/working_folder.h"
#include "loading_test_support.h"
#include "rules/rules.h"

namespace {

using Names = std::vector<AnsiText>;

FoundEntry Folder(const AnsiText& name) { return {name, true}; }
FoundEntry File(const AnsiText& name) { return {name, false}; }

// A pump that counts its runs and does what the test asks in between.
class ScriptedPump final : public ListingPump {
 public:
  int runs = 0;
  std::function<bool(int run)> onRun;

  bool PumpMessages() override {
    ++runs;
    return onRun ? onRun(runs) : true;
  }
};

// Entries in an order no sorting gives, with every kind of name the
// listing must filter or keep.
const std::vector<FoundEntry> kMixedEntries = {
    Folder("."),       Folder(".."),      File("zeta.txt"), Folder("b"),   File(".profile"),
    Folder(".hidden"), File("alpha.doc"), Folder("a"),      File("noext"),
};
const Names kMixedSubfolders = {"b", "a"};
const Names kMixedFiles = {"zeta.txt", ".profile", "alpha.doc", "noext"};

Names Joined(const Names& first, const Names& second) {
  Names joined = first;
  joined.insert(joined.end(), second.begin(), second.end());
  return joined;
}

class FolderLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override { SetWorkingFolder(""); }
  void TearDown() override { SetWorkingFolder(""); }

  LoadOutcome Load(const AnsiText& folder) { return LoadFolder(folder, files, list, rules, pump); }

  MemoryFolderEnumeration files;
  RenameList list;
  MarkingRules rules;
  ScriptedPump pump;
};

TEST_F(FolderLoadingTest, ListsSubfoldersFirstThenFilesEachInTheEnumerationsOrder) {
  files.AddFolder("C:\\dir\\*.*", kMixedEntries);
  FillWithEarlierRows(list);

  EXPECT_EQ(Load("C:\\dir"), LoadOutcome::Loaded);

  const Names expected = Joined(kMixedSubfolders, kMixedFiles);
  EXPECT_EQ(OldNames(list), expected);
  EXPECT_EQ(Column(list, kPreviewColumn), Marked(expected));
  EXPECT_EQ(Column(list, kResultColumn), Names(expected.size(), ""));
  // Both listings are served by one walk of the folder.
  EXPECT_EQ(files.StartedPatterns(), Names({"C:\\dir\\*.*"}));
  EXPECT_EQ(files.OpenSearches(), 0);
  EXPECT_FALSE(IsListing());
}

TEST_F(FolderLoadingTest, EachListingOnItsOwnEnumeratesTheFolderWithItsFilter) {
  files.AddFolder("C:\\dir\\*.*", kMixedEntries);
  files.AddFolder("C:\\dir\\*.txt", {File("zeta.txt"), Folder("t.txt")});
  Names subfolders;
  ListSubfolders(files, "C:\\dir", subfolders);
  EXPECT_EQ(subfolders, kMixedSubfolders);
  Names fileNames;
  EXPECT_TRUE(ListFiles(files, "C:\\dir\\", "*.*", fileNames, pump));
  EXPECT_EQ(fileNames, kMixedFiles);
  EXPECT_EQ(pump.runs, static_cast<int>(kMixedFiles.size()));
  Names textFiles;
  EXPECT_TRUE(ListFiles(files, "C:\\dir", "*.txt", textFiles, pump));
  EXPECT_EQ(textFiles, Names({"zeta.txt"}));
  EXPECT_EQ(files.StartedPatterns(), Names({"C:\\dir\\*.*", "C:\\dir\\*.*", "C:\\dir\\*.txt"}));
  EXPECT_EQ(files.OpenSearches(), 0);
}

TEST_F(FolderLoadingTest, PumpsWhileTheFolderIsReadAndAfterEachFileListed) {
  files.AddFolder("C:\\dir\\*.*", kMixedEntries);
  FillWithEarlierRows(list);
  std::vector<Names> rowsAtEachRun;
  std::vector<Names> previewsAtEachRun;
  pump.onRun = [&](int) {
    rowsAtEachRun.push_back(OldNames(list));
    previewsAtEachRun.push_back(Column(list, kPreviewColumn));
    return true;
  };

  Load("C:\\dir");

  // Once after each entry read, then once after each file listed.
  const std::size_t walkRuns = kMixedEntries.size();
  ASSERT_EQ(rowsAtEachRun.size(), walkRuns + kMixedFiles.size());
  for (std::size_t run = 0; run < rowsAtEachRun.size(); ++run) {
    SCOPED_TRACE("run " + std::to_string(run + 1));
    if (run < walkRuns) {
      // The earlier rows are gone as soon as the folder is read.
      EXPECT_EQ(rowsAtEachRun[run], Names());
    } else {
      // The subfolder rows are shown, not yet previewed, while the files
      // are listed; the file rows come all together at the end.
      EXPECT_EQ(rowsAtEachRun[run], kMixedSubfolders);
      EXPECT_EQ(previewsAtEachRun[run], Names(kMixedSubfolders.size(), ""));
    }
  }
}

struct SeparatorCase {
  const char* name;
  AnsiText folder;
  AnsiText pattern;
};

TEST_F(FolderLoadingTest, PutsOneSeparatorBeforeThePatternDecidingByCharacter) {
  const SeparatorCase cases[] = {
      {"plain folder", "C:\\dir", "C:\\dir\\*.*"},
      {"drive root", "C:\\", "C:\\*.*"},
      {"folder from a drop", "C:\\dir\\", "C:\\dir\\*.*"},
      {"network share", "\\\\server\\share", "\\\\server\\share\\*.*"},
      // 乗 is 0x81 0x5C: its second byte is no separator.
      {"two-byte character ending in 0x5C", "C:\\\x81\x5C", "C:\\\x81\x5C\\*.*"},
      {"two-byte character then separator", "C:\\\x81\x5C\\", "C:\\\x81\x5C\\*.*"},
      {"lone lead byte at the end", "C:\\x\x81", "C:\\x\x81\\*.*"},
  };
  for (const SeparatorCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FolderPrefix(row.folder) + "*.*", row.pattern);
    MemoryFolderEnumeration rowFiles;
    rowFiles.AddFolder(row.pattern, {Folder("sub"), File("f")});
    EXPECT_EQ(LoadFolder(row.folder, rowFiles, list, rules, pump), LoadOutcome::Loaded);
    EXPECT_EQ(OldNames(list), Names({"sub", "f"}));
    EXPECT_EQ(rowFiles.StartedPatterns(), Names({row.pattern}));
  }
}

TEST_F(FolderLoadingTest, AnEmptyFolderTextKeepsTheRowsAndRefreshesThem) {
  FillWithEarlierRows(list);

  EXPECT_EQ(Load(""), LoadOutcome::Loaded);

  EXPECT_EQ(OldNames(list), Names({"old1", "old2"}));
  EXPECT_EQ(Column(list, kPreviewColumn), Names({">old1", ">old2"}));
  EXPECT_EQ(Column(list, kResultColumn), Names({"", ""}));
  EXPECT_TRUE(files.StartedPatterns().empty());
  EXPECT_EQ(pump.runs, 0);
}

TEST_F(FolderLoadingTest, AFolderWithoutEntriesOrThatCannotBeListedEndsWithNoRows) {
  files.AddFolder("C:\\empty\\*.*", {Folder("."), Folder("..")});
  files.AddFolder("C:\\dotted\\*.*", {Folder("."), Folder(".."), Folder(".git")});
  for (const char* folder : {"C:\\empty", "C:\\dotted", "C:\\vanished"}) {
    SCOPED_TRACE(folder);
    FillWithEarlierRows(list);
    const int readsBefore = rules.reads;
    EXPECT_EQ(Load(folder), LoadOutcome::Loaded);
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(rules.reads, readsBefore + 1);
    EXPECT_EQ(files.OpenSearches(), 0);
  }
}

TEST_F(FolderLoadingTest, AnEnumerationFailingMidwayKeepsTheNamesFoundSoFar) {
  files.AddFolder("C:\\dir\\*.*", kMixedEntries);
  // Every search fails after k entries; each listing keeps what it saw.
  for (int k = 1; k <= static_cast<int>(kMixedEntries.size()); ++k) {
    SCOPED_TRACE("fails after " + std::to_string(k) + " entries");
    files.FailAfter(k);
    Names expected;
    for (int kind = 0; kind < 2; ++kind) {
      for (int index = 0; index < k; ++index) {
        const FoundEntry& entry = kMixedEntries[static_cast<std::size_t>(index)];
        if (entry.isFolder != (kind == 0)) continue;
        if (entry.isFolder && entry.name[0] == '.') continue;
        expected.push_back(entry.name);
      }
    }
    EXPECT_EQ(Load("C:\\dir"), LoadOutcome::Loaded);
    EXPECT_EQ(OldNames(list), expected);
    EXPECT_EQ(files.OpenSearches(), 0);
  }
}

TEST_F(FolderLoadingTest, FindEntryReportsTheEndOnceAndClosesTheSearch) {
  files.AddFolder("C:\\dir\\*.*", {File("x"), Folder("sub")});
  Search search;
  EXPECT_EQ(FindEntry(files, "", EntryKind::Folders, search), "");
  EXPECT_EQ(FindEntry(files, "C:\\dir\\*.*", EntryKind::Folders, search), "sub");
  EXPECT_EQ(files.OpenSearches(), 1);
  EXPECT_EQ(FindEntry(files, "", EntryKind::Folders, search), "");
  EXPECT_EQ(search, nullptr);
  EXPECT_EQ(files.OpenSearches(), 0);
  EXPECT_EQ(FindEntry(files, "", EntryKind::Folders, search), "");
  EXPECT_EQ(FindEntry(files, "C:\\missing\\*.*", EntryKind::NonFolders, search), "");
  EXPECT_EQ(search, nullptr);
}

TEST_F(FolderLoadingTest, ASecondLoadOrADropDuringAListingIsIgnored) {
  files.AddFolder("C:\\dir\\*.*", kMixedEntries);
  files.AddFolder("C:\\other\\*.*", {Folder("x"), File("y")});
  SetWorkingFolder("C:\\dir");
  pump.onRun = [&](int run) {
    EXPECT_TRUE(IsListing());
    if (run == 1) {
      MemoryFolderEnumeration otherFiles;
      otherFiles.AddFolder("C:\\other\\*.*", {Folder("x"), File("y")});
      ScriptedPump otherPump;
      EXPECT_EQ(LoadFolder("C:\\other", otherFiles, list, rules, otherPump), LoadOutcome::Refused);
      EXPECT_TRUE(otherFiles.StartedPatterns().empty());
    }
    if (run == 2) {
      EXPECT_FALSE(AcceptDrop("C:\\drop\\a.txt", list, rules));
    }
    return true;
  };

  EXPECT_EQ(Load("C:\\dir"), LoadOutcome::Loaded);

  EXPECT_EQ(OldNames(list), Joined(kMixedSubfolders, kMixedFiles));
  EXPECT_EQ(WorkingFolder(), "C:\\dir");
  EXPECT_FALSE(IsListing());
  EXPECT_TRUE(AcceptDrop("C:\\drop\\a.txt", list, rules));
  EXPECT_EQ(OldNames(list), Names({"a.txt"}));
}

TEST_F(FolderLoadingTest, ARuleEditDuringAListingRefreshesTheRowsPresent) {
  files.AddFolder("C:\\dir\\*.*", kMixedEntries);
  Names previewsAfterEdit;
  pump.onRun = [&](int run) {
    if (run == static_cast<int>(kMixedEntries.size()) + 1) {
      RefreshPreview(list, rules);
      previewsAfterEdit = Column(list, kPreviewColumn);
    }
    return true;
  };

  Load("C:\\dir");

  EXPECT_EQ(previewsAfterEdit, Marked(kMixedSubfolders));
  EXPECT_EQ(Column(list, kPreviewColumn), Marked(Joined(kMixedSubfolders, kMixedFiles)));
}

struct StopCase {
  const char* name;
  int stoppingRun;
  Names rows;
};

TEST_F(FolderLoadingTest, APumpThatSeesTheProgramEndingStopsTheListing) {
  files.AddFolder("C:\\dir\\*.*", kMixedEntries);
  const int walkRuns = static_cast<int>(kMixedEntries.size());
  const StopCase cases[] = {
      {"while the folder is read", 2, {}},
      {"while the files are listed", walkRuns + 2, kMixedSubfolders},
  };
  for (const StopCase& row : cases) {
    SCOPED_TRACE(row.name);
    pump.runs = 0;
    pump.onRun = [&](int run) { return run < row.stoppingRun; };
    const int readsBefore = rules.reads;

    EXPECT_EQ(Load("C:\\dir"), LoadOutcome::Stopped);

    EXPECT_EQ(pump.runs, row.stoppingRun);
    EXPECT_EQ(OldNames(list), row.rows);
    EXPECT_EQ(rules.reads, readsBefore);
    EXPECT_EQ(files.OpenSearches(), 0);
    EXPECT_FALSE(IsListing());
  }
  // The next load runs normally.
  pump.onRun = nullptr;
  EXPECT_EQ(Load("C:\\dir"), LoadOutcome::Loaded);
  EXPECT_EQ(OldNames(list), Joined(kMixedSubfolders, kMixedFiles));
}

}  // namespace
