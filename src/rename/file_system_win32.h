#pragma once

#include "rename/file_system.h"

// The file system of the running Windows, through its ANSI calls.
class Win32FileSystem final : public FileSystem {
 public:
  bool MoveEntry(const AnsiText& from, const AnsiText& to) override;
};
