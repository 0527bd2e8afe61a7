// Times what the user waits for in the main window with 100,000 rows: the
// refresh a keystroke in a rule box sets off (a real text-changed event,
// then the repaint of the rows in view) and a tab switch, against the bare
// ComputePreview loop over the same rows; and the memory the rows take.
// Prints one line per figure: name<TAB>figure<TAB>unit<TAB>baseline.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "rules/rules.h"
#include "sample_names.h"
#include "text/text.h"
#include "ui/main_window.h"

namespace {

constexpr int32_t kRows = 100000;
constexpr int kRepeats = 15;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// The memory the process has committed (Wine leaves PrivateUsage at 0).
double CommittedMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

void PumpUntilIdle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Print(const char* name, double figure, const char* unit, const char* baseline = "") {
  std::printf("%s\t%.3f\t%s\t%s\n", name, figure, unit, baseline);
  std::fflush(stdout);
}

}  // namespace

int main() {
  MainWindow window;
  if (!window.Create(GetModuleHandleA(nullptr))) {
    std::fprintf(stderr, "the main window could not be created\n");
    return 1;
  }
  ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
  window.OnCreated();
  PumpUntilIdle();
  const HWND list = window.Control(ControlId::超级列表框1);
  const HWND tab = window.Control(ControlId::选择夹1);

  const std::vector<AnsiText> names = SampleNames(kRows);
  const double memoryBefore = CommittedMegabytes();
  const LARGE_INTEGER fillStart = Now();
  for (const AnsiText& name : names) window.Rows().SetCell(window.Rows().AppendRow(), kOldNameColumn, name);
  PumpUntilIdle();
  const LARGE_INTEGER fillEnd = Now();
  // The rows with their previews, as the user has them after a keystroke.
  window.WriteText(ControlId::编辑框_开始于, "1");
  const double memoryAfter = CommittedMegabytes();

  // The bare loop: every preview computed from the same rows and settings,
  // with nothing shown.
  const RuleReading reading = window.ReadRuleSettings();
  std::vector<AnsiText> previews(names.size());
  std::vector<double> bare;
  for (int repeat = 0; repeat < kRepeats; ++repeat) {
    const LARGE_INTEGER start = Now();
    for (int32_t row = 0; row < kRows; ++row) {
      previews[static_cast<std::size_t>(row)] =
          ComputePreview(window.Rows().CellText(row, kOldNameColumn), row, reading.mode, reading.settings);
    }
    bare.push_back(Milliseconds(start, Now()));
  }

  // A keystroke in a rule box: the write raises the text-changed event,
  // which refreshes every row; then the rows in view are painted.
  std::vector<double> keystroke;
  for (int repeat = 0; repeat < kRepeats; ++repeat) {
    const LARGE_INTEGER start = Now();
    window.WriteText(ControlId::编辑框_开始于, IntegerToText(repeat + 2));
    UpdateWindow(list);
    keystroke.push_back(Milliseconds(start, Now()));
  }

  // A tab switch by a click: the refresh under the new rule, the pages
  // swapped and everything repainted.
  std::vector<double> tabSwitch;
  for (int repeat = 0; repeat < kRepeats; ++repeat) {
    RECT item;
    TabCtrl_GetItemRect(tab, repeat % 2 == 0 ? 3 : 0, &item);
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    const LARGE_INTEGER start = Now();
    PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(tab, WM_LBUTTONUP, 0, point);
    PumpUntilIdle();
    tabSwitch.push_back(Milliseconds(start, Now()));
  }

  Print("window/ComputePreviewLoop/rows:100000", Median(bare), "ms");
  Print("window/KeystrokeRefresh/rows:100000", Median(keystroke), "ms",
        "window/ComputePreviewLoop/rows:100000");
  Print("window/TabSwitch/rows:100000", Median(tabSwitch), "ms", "window/ComputePreviewLoop/rows:100000");
  Print("window/Fill/rows:100000", Milliseconds(fillStart, fillEnd), "ms");
  Print("window/RowMemory/rows:100000", memoryAfter - memoryBefore, "MB");
  return 0;
}
