#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "rename/file_system.h"
#include "rename/memory_file_system.h"

// A fresh, empty folder for a test, with the file system that reaches it and
// the means to fill it and read it back. Natively it is an in-memory folder;
// under Windows the same tests also run in a real folder on disk.
class TestFolder {
 public:
  virtual ~TestFolder() = default;
  // The folder's full path, without a final "\".
  virtual AnsiText Path() const = 0;
  virtual FileSystem& Files() = 0;
  // Names are relative to Path(); a folder's entries follow it.
  virtual void MakeFile(const AnsiText& name, const AnsiText& contents) = 0;
  virtual void MakeFolder(const AnsiText& name) = 0;
  // Every entry below the folder, by its path relative to Path() as stored,
  // with the contents of files and kFolderMark for folders.
  virtual std::map<AnsiText, AnsiText> Entries() = 0;
  // Windows gives an entry the letter case of a rename to its own name in
  // another case; Wine reports success and keeps the old case.
  virtual bool KeepsCaseOnRenameToItself() const { return false; }
};

inline const AnsiText kFolderMark = "<folder>";

struct FolderKind {
  std::string name;
  std::unique_ptr<TestFolder> (*make)();
};

inline void PrintTo(const FolderKind& kind, std::ostream* out) { *out << kind.name; }

// The kinds of folder this build can test in.
std::vector<FolderKind> FolderKinds();

std::unique_ptr<TestFolder> MakeMemoryFolder();

// An in-memory folder at C:\work.
class MemoryTestFolder final : public TestFolder {
 public:
  MemoryTestFolder();
  AnsiText Path() const override { return "C:\\work"; }
  FileSystem& Files() override { return m_files; }
  void MakeFile(const AnsiText& name, const AnsiText& contents) override;
  void MakeFolder(const AnsiText& name) override;
  std::map<AnsiText, AnsiText> Entries() override;
  MemoryFileSystem& Memory() { return m_files; }

 private:
  MemoryFileSystem m_files;
};

// Passes every call on and keeps it with its answer.
class RecordingFileSystem final : public FileSystem {
 public:
  struct Call {
    AnsiText from;
    AnsiText to;
    bool succeeded;
  };

  explicit RecordingFileSystem(FileSystem& inner) : m_inner(inner) {}
  bool MoveEntry(const AnsiText& from, const AnsiText& to) override {
    const bool succeeded = m_inner.MoveEntry(from, to);
    calls.push_back(Call{from, to, succeeded});
    return succeeded;
  }

  std::vector<Call> calls;

 private:
  FileSystem& m_inner;
};
