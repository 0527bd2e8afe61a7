#include "test_folder_win32.h"

std::vector<FolderKind> FolderKinds() { return {{"Memory", MakeMemoryFolder}, {"Disk", MakeRealFolder}}; }
