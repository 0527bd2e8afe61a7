#include "test_folder.h"

#include <gtest/gtest.h>

MemoryTestFolder::MemoryTestFolder() { m_files.AddFolder(Path()); }

void MemoryTestFolder::MakeFile(const AnsiText& name, const AnsiText& contents) {
  if (!m_files.AddFile(Path() + "\\" + name, contents)) ADD_FAILURE() << "cannot make file " << name;
}

void MemoryTestFolder::MakeFolder(const AnsiText& name) { m_files.AddFolder(Path() + "\\" + name); }

std::map<AnsiText, AnsiText> MemoryTestFolder::Entries() {
  const AnsiText prefix = Path() + "\\";
  std::map<AnsiText, AnsiText> entries;
  for (const MemoryFileSystem::Entry& entry : m_files.Entries()) {
    if (entry.path.compare(0, prefix.size(), prefix) != 0) continue;
    entries[entry.path.substr(prefix.size())] = entry.isFolder ? kFolderMark : entry.contents;
  }
  return entries;
}

std::unique_ptr<TestFolder> MakeMemoryFolder() { return std::make_unique<MemoryTestFolder>(); }
