#pragma once

#include <map>
#include <memory>
#include <vector>

#include "list/folder_enumeration.h"
#include "text/ansi_text.h"

// Folders held in memory, for tests: each pattern lists the entries it was
// given, in that order; any other pattern fails to start, as a folder that
// does not exist does. It counts the searches left open and can make an
// enumeration fail in its middle.
class MemoryFolderEnumeration final : public FolderEnumeration {
 public:
  void AddFolder(const AnsiText& pattern, std::vector<FoundEntry> entries);
  // Every search fails once it has given `count` entries.
  void FailAfter(int count) { m_failAfter = count; }

  std::unique_ptr<FolderSearch> Start(const AnsiText& pattern, FoundEntry& first) override;

  // The patterns the searches were started with, in order.
  const std::vector<AnsiText>& StartedPatterns() const { return m_started; }
  int OpenSearches() const { return m_openSearches; }

 private:
  class MemorySearch;

  std::map<AnsiText, std::vector<FoundEntry>> m_folders;
  std::vector<AnsiText> m_started;
  int m_openSearches = 0;
  int m_failAfter = -1;
};
