#pragma once

#include "text/ansi_text.h"

// The file-system calls the program makes, each answering with a plain result.
// The window gets the platform's implementation; tests use an in-memory folder
// that follows the same rules and can fail on purpose.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Gives the entry (file or folder) at path `from` the path `to`. Returns
  // false, changing nothing, when `from` names no entry or `to` names an
  // existing entry other than `from` itself: an existing target is never
  // replaced, while a change of letter case alone is a rename.
  virtual bool MoveEntry(const AnsiText& from, const AnsiText& to) = 0;
};
