#include "test_folder.h"

std::vector<FolderKind> FolderKinds() { return {{"Memory", MakeMemoryFolder}}; }
