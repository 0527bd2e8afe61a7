#pragma once

#include <array>

#include "text/ansi_text.h"

// Textual checks on the paths the rename run builds. None of them touches the
// file system, and all of them walk texts by character, so the second byte of
// a Chinese character never counts as a "\", "/" or forbidden character.

// The characters a Windows file name cannot hold, searched in this order.
inline constexpr std::array<const char*, 9> ForbiddenChars = {"?", "/", "\\", "<", ">", "*", "|", ":", "\""};

// True when the path begins with a drive letter: its first byte is an ASCII
// letter and it holds ":\" or ":/" somewhere. Runs of "\" or "/" count as one.
bool IsDrivePath(const AnsiText& path);

// True when the path may be given to an entry as its new name: a drive path
// whose final component is not empty and holds no forbidden character.
bool IsValidTargetPath(const AnsiText& path);

// The path's final component, found where the shell finds it; empty when the
// path ends in a separator. Only the whole component (extension kept) is
// offered, the one form the rename run needs.
AnsiText FileNamePart(const AnsiText& path, bool keepExtension);

// True when the name holds one of ForbiddenChars.
bool HasForbiddenChar(const AnsiText& name);

// The 1-based position where the shell's file-name routine finds the final
// component: just after the last "\", "/" or ":" that is followed by something
// other than a separator or the end; 1 when there is none.
int32_t FinalComponentPosition(const AnsiText& path);

// The 1-based position of the last "\" or "/" of a text, by character, or -1.
int32_t FindLastSeparator(const AnsiText& text);

// The folder part of a name: everything up to and including its last "\" or
// "/", empty when it has none.
AnsiText FolderPart(const AnsiText& name);

// What follows the folder part.
AnsiText LastComponent(const AnsiText& name);

// The key under which the platform finds the entry a path names: separators
// unified and collapsed, "." and ".." resolved, the trailing dots and blanks
// Windows drops removed, and ASCII letters folded to lower case. Two paths
// name the same entry exactly when their keys are equal.
AnsiText PathIdentity(const AnsiText& path);

// The path as the platform stores it: like PathIdentity, but with the letter
// case kept.
AnsiText StoredPath(const AnsiText& path);
