#include "list/memory_folder_enumeration.h"

#include <utility>

class MemoryFolderEnumeration::MemorySearch final : public FolderSearch {
 public:
  MemorySearch(const std::vector<FoundEntry>& entries, int& openSearches, int failAfter)
      : m_entries(entries), m_openSearches(openSearches), m_failAfter(failAfter) {
    ++m_openSearches;
  }
  ~MemorySearch() override { --m_openSearches; }
  MemorySearch(const MemorySearch&) = delete;
  MemorySearch& operator=(const MemorySearch&) = delete;

  bool Next(FoundEntry& entry) override {
    if (m_next >= m_entries.size()) return false;
    if (m_failAfter >= 0 && m_next >= static_cast<std::size_t>(m_failAfter)) return false;
    entry = m_entries[m_next++];
    return true;
  }

 private:
  // A copy: a test may change the folders while a search is open.
  const std::vector<FoundEntry> m_entries;
  std::size_t m_next = 0;
  int& m_openSearches;
  const int m_failAfter;
};

void MemoryFolderEnumeration::AddFolder(const AnsiText& pattern, std::vector<FoundEntry> entries) {
  m_folders[pattern] = std::move(entries);
}

std::unique_ptr<FolderSearch> MemoryFolderEnumeration::Start(const AnsiText& pattern, FoundEntry& first) {
  m_started.push_back(pattern);
  const auto folder = m_folders.find(pattern);
  if (folder == m_folders.end()) return nullptr;
  auto search = std::make_unique<MemorySearch>(folder->second, m_openSearches, m_failAfter);
  // Like FindFirstFileA, a pattern that matches nothing fails to start.
  if (!search->Next(first)) return nullptr;
  return search;
}
