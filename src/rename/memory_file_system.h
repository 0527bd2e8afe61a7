#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "rename/file_system.h"

// A tree of folders and files held in memory that answers as the Windows file
// system does: names compare ignoring the case of ASCII letters, separators
// "\" and "/" are alike and doubled ones count once, the trailing dots and
// blanks of a name are dropped, an existing target is refused unless it is
// the source itself under another letter case, and a missing source fails.
// It can be told to fail a given call, once or from then on, to show what a
// run does when the disk says no at any moment.
class MemoryFileSystem final : public FileSystem {
 public:
  struct Entry {
    AnsiText path;  // full path as stored, with "\" separators
    bool isFolder = false;
    AnsiText contents;
  };

  struct Call {
    AnsiText from;
    AnsiText to;
    bool succeeded = false;
  };

  enum class Fault { Once, FromThenOn };

  // Adds a folder and every missing folder above it, such as "C:\work".
  void AddFolder(const AnsiText& path);
  // Adds a file in an existing folder; false when the folder is missing or
  // the name is taken or not one the platform accepts.
  bool AddFile(const AnsiText& path, AnsiText contents);

  bool MoveEntry(const AnsiText& from, const AnsiText& to) override;

  // Makes MoveEntry call number `callNumber` (counted from 1) fail without a
  // change, and with FromThenOn every call after it too.
  void FailCall(int64_t callNumber, Fault fault);
  int64_t CallCount() const { return m_callCount; }

  // Keeps every MoveEntry call with its answer from now on.
  void RecordCalls() { m_recordCalls = true; }
  const std::vector<Call>& Calls() const { return m_calls; }

  // Every entry, in order of stored path.
  std::vector<Entry> Entries() const;
  // The entry a path names, or null.
  const Entry* Find(const AnsiText& path) const;

 private:
  bool Move(const AnsiText& from, const AnsiText& to);
  bool IsFolder(const AnsiText& identity) const;

  std::unordered_map<AnsiText, Entry> m_entries;  // by PathIdentity
  int64_t m_callCount = 0;
  int64_t m_failingCall = 0;
  Fault m_fault = Fault::Once;
  bool m_recordCalls = false;
  std::vector<Call> m_calls;
};
