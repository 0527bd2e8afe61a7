#include "list/working_folder.h"

#include <utility>

namespace {
AnsiText g_workingFolder;
}

const AnsiText& WorkingFolder() { return g_workingFolder; }

void SetWorkingFolder(AnsiText folder) { g_workingFolder = std::move(folder); }

void ReleaseWorkingFolder() { AnsiText().swap(g_workingFolder); }
