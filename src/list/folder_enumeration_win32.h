#pragma once

#include <memory>

#include "list/folder_enumeration.h"

// Folder enumeration over FindFirstFileA, FindNextFileA and FindClose.
// Names come back in the ANSI code page; a character it cannot represent
// comes back as "?".
class Win32FolderEnumeration final : public FolderEnumeration {
 public:
  std::unique_ptr<FolderSearch> Start(const AnsiText& pattern, FoundEntry& first) override;
};
