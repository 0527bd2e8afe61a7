#pragma once

#include <memory>

#include "text/ansi_text.h"

// One entry as a directory enumeration reports it.
struct FoundEntry {
  AnsiText name;          // the bare long name, without any path
  bool isFolder = false;  // the attributes hold the directory bit (0x10)
};

// An open enumeration. Destroying it closes it.
class FolderSearch {
 public:
  virtual ~FolderSearch() = default;
  // The next entry, or false when there is none or the platform fails.
  virtual bool Next(FoundEntry& entry) = 0;
};

// The file-system calls a folder listing makes. The window gets the
// platform's implementation; tests give an in-memory folder.
class FolderEnumeration {
 public:
  virtual ~FolderEnumeration() = default;
  // Opens an enumeration of the entries matching `pattern` (a folder
  // followed by a wildcard pattern) and reads its first entry into `first`.
  // Null, with `first` unspecified, when the platform refuses: no such
  // folder, access denied, a path too long, or nothing matches.
  virtual std::unique_ptr<FolderSearch> Start(const AnsiText& pattern, FoundEntry& first) = 0;
};
