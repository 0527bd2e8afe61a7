// Listing a large folder: LoadFolder, with its message pump after every file
// and the previews at the end, against a bare FindFirstFileA/FindNextFileA
// loop over the same folder in the same run. The folder, "listing-100000"
// beside this program, is made from the Linux side by the build, because
// creating 100,000 files through Wine takes far too long.
//
// Prints "name<TAB>figure<TAB>unit<TAB>baseline" lines.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "list/folder_enumeration_win32.h"
#include "list/folder_loading.h"
#include "list/open_folder_win32.h"
#include "list/rename_list.h"
#include "rules/rules.h"
#include "text/ansi_text.h"

namespace {

constexpr int kRounds = 5;
constexpr int kExpectedFiles = 100000;

// The rule the window starts with: sequence numbers from 1, four digits.
class StartRules final : public RuleSource {
 public:
  RuleReading ReadRuleSettings() const override {
    RuleReading reading;
    reading.mode = RenameMode::Sequence;
    reading.settings.startNumber = 1;
    reading.settings.digitCount = 4;
    reading.settings.extraBeforeNumber = true;
    reading.settings.deleteByCharacter = true;
    reading.settings.deleteLeft = true;
    return reading;
  }
};

AnsiText ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  AnsiText folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

double Now() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The baseline: every entry fetched and nothing else.
int BareLoop(const AnsiText& pattern) {
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int entries = 1;
  while (FindNextFileA(search, &data)) ++entries;
  FindClose(search);
  return entries;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const AnsiText folder = ProgramFolder() + "\\listing-100000";
  // Entries also count "." and "..".
  const int entries = BareLoop(folder + "\\*.*");
  if (entries < kExpectedFiles) {
    std::fprintf(stderr, "%s holds %d entries; the build makes it with %d files\n", folder.c_str(), entries,
                 kExpectedFiles);
    return 1;
  }

  // A window on the thread, as in the program, so the pump has a real queue.
  const HWND window =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

  Win32FolderEnumeration files;
  WindowMessagePump pump;
  const StartRules rules;
  std::vector<double> bare;
  std::vector<double> loads;
  // One listing first, so both measurements find the folder in the cache.
  BareLoop(folder + "\\*.*");
  for (int round = 0; round < kRounds; ++round) {
    double start = Now();
    BareLoop(folder + "\\*.*");
    bare.push_back(Now() - start);

    RenameList list;
    start = Now();
    LoadFolder(folder, files, list, rules, pump);
    loads.push_back(Now() - start);
    if (list.RowCount() != entries - 2) {
      std::fprintf(stderr, "loaded %d rows of %d files\n", list.RowCount(), entries - 2);
      return 1;
    }
  }
  DestroyWindow(window);

  std::printf("listing_100000_files/bare_find_loop\t%.3f\tms\t\n", Median(bare) * 1000.0);
  std::printf("listing_100000_files/load_folder\t%.3f\tms\tlisting_100000_files/bare_find_loop\n",
              Median(loads) * 1000.0);
  return 0;
}
