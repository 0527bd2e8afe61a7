// The whole program under load, driven through the real window as a user
// drives it: a folder of 100,000 files opened with the Open button and the
// folder dialog, then previewed under each rule; and a folder of 10,000 files
// opened, renamed with the Execute button and renamed back, the disk checked
// against the rename's promise after each run. Under Wine a rename costs more
// the larger its folder is, so the runs dominate.
// Prints one line per figure: name<TAB>figure<TAB>unit<TAB>baseline.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "list/working_folder.h"
#include "loading_test_support_win32.h"
#include "rename_promise.h"
#include "rules/rules.h"
#include "test_folder_win32.h"
#include "text/text.h"
#include "ui/main_window.h"

namespace {

using enum ControlId;

constexpr int32_t kListedFiles = 100000;
constexpr int32_t kRenamedFiles = 10000;
constexpr int kRepeats = 3;

double Seconds() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

void Print(const std::string& name, double figure, const char* unit, const std::string& baseline = "") {
  std::printf("%s\t%.3f\t%s\t%s\n", name.c_str(), figure, unit, baseline.c_str());
  std::fflush(stdout);
}

int g_failures = 0;

void Fail(const std::string& what) {
  std::fprintf(stderr, "FAILED: %s\n", what.c_str());
  ++g_failures;
}

AnsiText ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  AnsiText folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

// Passes every change on to the window's list view and notes when the rows
// were last emptied: a load empties them as soon as the dialog has answered,
// so that is where the load's own time begins.
class LoadClock final : public ListDisplay {
 public:
  explicit LoadClock(ListDisplay& shown) : m_shown(shown) {}

  double cleared = 0;

  void RowsCleared() override {
    cleared = Seconds();
    m_shown.RowsCleared();
  }
  void RowAppended(int32_t row) override { m_shown.RowAppended(row); }
  void CellChanged(int32_t row, int32_t column) override { m_shown.CellChanged(row, column); }
  void ScrollIntoView(int32_t row) override { m_shown.ScrollIntoView(row); }
  void ResultColumnReset() override { m_shown.ResultColumnReset(); }

 private:
  ListDisplay& m_shown;
};

class Bench {
 public:
  bool Start() {
    if (!window.Create(GetModuleHandleA(nullptr))) return false;
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    window.OnCreated();
    PumpUntilIdle();
    m_clock = std::make_unique<LoadClock>(window.Display());
    window.Rows().AttachDisplay(m_clock.get());
    return true;
  }

  // Opens the folder with the Open button, the dialog answered as a user
  // answers it. Seconds from the rows' emptying to the end of the load.
  double Open(const AnsiText& folder) {
    FolderDialogUser user(FolderDialogUser::Action::ChoosePath, folder);
    Click(按钮1);
    const double end = Seconds();
    if (!user.finished || !user.failure.empty()) Fail("the folder dialog: " + user.failure);
    if (WorkingFolder() != folder) Fail("the working folder is " + WorkingFolder());
    return end - m_clock->cleared;
  }

  // Milliseconds of one refresh under each rule, each set off by a click on
  // its tab, the median of a few rounds.
  void MeasureRules(const std::string& label) {
    static const char* const kRuleNames[] = {"sequence", "replace", "delete", "insert"};
    std::vector<double> times[4];
    for (int round = 0; round < kRepeats; ++round) {
      for (const int32_t tab : {1, 2, 3, 0}) {
        const double start = Seconds();
        ClickTab(tab);
        times[tab].push_back((Seconds() - start) * 1000.0);
        CheckPreviews(std::string("under the ") + kRuleNames[tab] + " rule");
      }
    }
    for (int tab = 0; tab < 4; ++tab) Print(label + "/refresh/" + kRuleNames[tab], Median(times[tab]), "ms");
  }

  // Milliseconds of the refresh a digit count of two billion sets off.
  void MeasureHugeDigitCount(const std::string& label) {
    ClickTab(0);
    const double start = Seconds();
    window.WriteText(编辑框_位数, "2000000000");
    PumpUntilIdle();
    Print(label + "/refresh/digit_count_2000000000", (Seconds() - start) * 1000.0, "ms",
          label + "/refresh/sequence");
    CheckPreviews("with a digit count of 2000000000");
    std::size_t longest = 0;
    for (int32_t row = 0; row < window.Rows().RowCount(); ++row)
      longest = std::max(longest, window.Rows().CellText(row, kPreviewColumn).size());
    if (longest > static_cast<std::size_t>(kLongestRepeat) + 32)
      Fail("a preview of " + std::to_string(longest));
    window.WriteText(编辑框_位数, "4");
    PumpUntilIdle();
  }

  void ExpectOldNames(const std::set<AnsiText>& names, const std::string& when) {
    std::set<AnsiText> shown;
    for (int32_t row = 0; row < window.Rows().RowCount(); ++row)
      shown.insert(window.Rows().GetCell(row, kOldNameColumn));
    if (window.Rows().RowCount() != static_cast<int32_t>(names.size()) || shown != names)
      Fail(when + ": " + std::to_string(window.Rows().RowCount()) + " rows, not the folder's names");
  }

  // Renames through the Execute button. Seconds of the run; the disk is then
  // held against the promise.
  double Execute(RealTestFolder& folder, const std::string& step) {
    const std::map<AnsiText, AnsiText> before = folder.Entries();
    const std::vector<RowBefore> rows = RowsOf(window.Rows());
    const double start = Seconds();
    Click(按钮2);
    const double seconds = Seconds() - start;
    for (int32_t row = 0; row < window.Rows().RowCount(); ++row) {
      if (window.Rows().GetCell(row, kResultColumn) != "OK") {
        Fail(step + ": row " + std::to_string(row) + " is not OK");
        break;
      }
    }
    for (const std::string& broken :
         BrokenPromises(before, rows, window.Rows(), folder.Entries(), {}, folder.Path(), false))
      Fail(step + ": " + broken);
    return seconds;
  }

  void Type(ControlId box, const AnsiText& text) {
    window.WriteText(box, text);
    PumpUntilIdle();
  }

  MainWindow window;

  // A click on a rule's tab; nothing happens on the current one.
  void ClickTab(int32_t index) {
    const HWND tab = window.Control(选择夹1);
    if (TabCtrl_GetCurSel(tab) == index) return;
    RECT item;
    TabCtrl_GetItemRect(tab, index, &item);
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(tab, WM_LBUTTONUP, 0, point);
    PumpUntilIdle();
  }

 private:
  void Click(ControlId button) {
    PostMessageA(window.Control(button), BM_CLICK, 0, 0);
    PumpUntilIdle();
  }

  // A sample of rows, the first and the last among them, against the rule.
  void CheckPreviews(const std::string& when) {
    const RuleReading reading = window.ReadRuleSettings();
    const int32_t rows = window.Rows().RowCount();
    for (int32_t row = 0; row < rows; row += std::max(1, rows / 97)) {
      for (const int32_t sampled : {row, rows - 1 - row}) {
        const AnsiText& oldName = window.Rows().CellText(sampled, kOldNameColumn);
        if (window.Rows().CellText(sampled, kPreviewColumn) !=
            ComputePreview(oldName, sampled, reading.mode, reading.settings)) {
          Fail(when + ": the preview of row " + std::to_string(sampled));
          return;
        }
      }
    }
  }

  std::unique_ptr<LoadClock> m_clock;
};

AnsiText Numbered(const char* format, int number) {
  char name[32];
  std::snprintf(name, sizeof name, format, number);
  return name;
}

}  // namespace

int main() {
  if (FAILED(OleInitialize(nullptr))) return 1;
  Bench bench;
  if (!bench.Start()) {
    std::fprintf(stderr, "the main window could not be created\n");
    return 1;
  }

  // 1. A folder of 100,000 files, made by the build from the Linux side.
  {
    const AnsiText folder = ProgramFolder() + "\\listing-100000";
    std::set<AnsiText> names;
    for (int k = 0; k < kListedFiles; ++k) names.insert(Numbered("file%06d.txt", k));
    const double load = bench.Open(folder);
    bench.ExpectOldNames(names, "the listing of 100,000 files");
    Print("load/files:100000/open", load * 1000.0, "ms");
    bench.Type(编辑框_欲替换, "file");
    bench.Type(编辑框_替换成, "doc");
    bench.Type(编辑框_删除, "0");
    bench.Type(编辑框_插入位, "4");
    bench.Type(编辑框_插入字符, "-x-");
    bench.MeasureRules("load/files:100000");
    bench.MeasureHugeDigitCount("load/files:100000");
  }

  // 2. A folder of 10,000 files, each with contents of its own so the
  //    promise can tell them apart, renamed f -> g and back.
  {
    RealTestFolder folder;
    std::set<AnsiText> names;
    for (int k = 0; k < kRenamedFiles; ++k) {
      const AnsiText name = Numbered("f%05d.txt", k);
      folder.MakeFile(name, "contents of " + name);
      names.insert(name);
    }
    const std::map<AnsiText, AnsiText> original = folder.Entries();
    const double load = bench.Open(folder.Path());
    bench.ExpectOldNames(names, "the listing of 10,000 files");
    Print("load/files:10000/open", load * 1000.0, "ms");
    bench.MeasureRules("load/files:10000");
    bench.MeasureHugeDigitCount("load/files:10000");

    // The replace rule ignores letter case: "f" and "g" appear once in each name.
    bench.Type(编辑框_欲替换, "f");
    bench.Type(编辑框_替换成, "g");
    bench.ClickTab(1);
    const double there = bench.Execute(folder, "renaming f to g");
    bench.Type(编辑框_欲替换, "g");
    bench.Type(编辑框_替换成, "f");
    const double back = bench.Execute(folder, "renaming g back to f");
    if (folder.Entries() != original) Fail("the folder is not as it was after renaming back");
    Print("load/files:10000/execute", there * 1000.0, "ms");
    Print("load/files:10000/execute_back", back * 1000.0, "ms", "load/files:10000/execute");
    Print("load/files:10000/execute_per_row", there * 1000.0 / kRenamedFiles, "ms");
  }

  SetWorkingFolder("");
  DestroyWindow(bench.window.Handle());
  PumpUntilIdle();
  OleUninitialize();
  if (g_failures != 0) std::fprintf(stderr, "%d checks failed\n", g_failures);
  return g_failures == 0 ? 0 : 1;
}
