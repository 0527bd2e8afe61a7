// Folder and name helpers that Windows tests and benchmarks share: they
// make and clear real folders with the wide calls, so names outside the
// ANSI code page are handled too.
#pragma once

#include <string>

#include "text/text.h"

std::wstring WideFromAnsi(const AnsiText& ansi);
AnsiText AnsiFromWide(const std::wstring& wide);

// Removes a folder and everything in it, read-only entries and names
// outside the code page included.
void RemoveTree(const std::wstring& folder);
