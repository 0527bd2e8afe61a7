#pragma once

#include "text/ansi_text.h"

// Shows the shell's folder dialog with `title` above its tree, rooted at the
// desktop with nothing preselected, and waits until it closes. While it is
// open every top-level window of the thread is disabled; afterwards each
// gets its former state back, and the foreground and active windows are
// restored. Returns the chosen folder's path (no final "\" except for a
// drive root), or an empty text when the user cancels or the chosen item
// has no file-system path.
AnsiText ChooseFolder(const AnsiText& title);
