// Faults of the list view found under load, each kept as a test.
#include <string>
#include <vector>

#include "list/working_folder.h"
#include "window_test_support.h"

namespace {

// Counts the requests to scroll a row into view that reach the control.
LRESULT CALLBACK CountScrollRequests(HWND listView, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR count) {
  if (message == LVM_ENSUREVISIBLE) ++*reinterpret_cast<int*>(count);
  return DefSubclassProc(listView, message, wParam, lParam);
}

// A rename run scrolls every row into view in each pass. Scrolling the
// control costs milliseconds under Wine, more than a rename, so a run over
// 10,000 rows spent minutes scrolling rows that were never painted. The
// control is now scrolled only when the run paints the list, a few times a
// second, and once more when the run has ended.
TEST_F(WindowTest, ARunScrollsTheListOnlyWhenItPaintsAndEndsOnItsLastRow) {
  constexpr int32_t kRows = 2000;
  std::vector<std::string> names;
  for (int32_t row = 0; row < kRows; ++row) names.push_back("row" + std::to_string(row) + ".txt");
  AddRows(names);
  window.WriteText(ControlId::编辑框_开始于, "1");
  PumpUntilIdle();
  // No working folder: every row ends "NO" without a call to the disk, so
  // the run is all list work.
  SetWorkingFolder("");
  const HWND list = Control(ControlId::超级列表框1);
  int scrollRequests = 0;
  ASSERT_TRUE(SetWindowSubclass(list, CountScrollRequests, 1, reinterpret_cast<DWORD_PTR>(&scrollRequests)));

  const ULONGLONG start = GetTickCount64();
  SendMessageA(Control(ControlId::按钮2), BM_CLICK, 0, 0);
  const ULONGLONG elapsed = GetTickCount64() - start;
  PumpUntilIdle();
  RemoveWindowSubclass(list, CountScrollRequests, 1);

  // One scroll per paint of the run (every 200 ms), the first and the last.
  EXPECT_LE(scrollRequests, static_cast<int>(elapsed / 200) + 3) << "in " << elapsed << " ms";
  EXPECT_GE(scrollRequests, 1);
  // The run ended on the last row, which is in view and shows its mark.
  RECT client;
  GetClientRect(list, &client);
  RECT item;
  ListView_GetItemRect(list, kRows - 1, &item, LVIR_BOUNDS);
  EXPECT_GE(item.top, 0);
  EXPECT_LE(item.bottom, client.bottom);
  char mark[8] = {};
  ListView_GetItemText(list, kRows - 1, kResultColumn, mark, sizeof mark);
  EXPECT_EQ(std::string(mark), "NO");
  for (int32_t row = 0; row < kRows; ++row) EXPECT_EQ(window.Rows().GetCell(row, kResultColumn), "NO");
}

}  // namespace
