#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/rename_list.h"
#include "loading_test_support_win32.h"
#include "ui/main_window.h"

// PumpUntilIdle, which the window tests wait with, never with a timer, comes
// with the loading tests' helpers, as do OLE on the test thread, real scratch
// folders and the folder dialog's user.

// Pumps until the queue is empty, like PumpUntilIdle, but keeps the quit
// message that closing the window posts instead of losing it unseen.
struct QuitSeen {
  bool seen = false;
  WPARAM exitCode = 0;
};

inline QuitSeen PumpUntilIdleKeepingQuit() {
  QuitSeen quit;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit.seen = true;
      quit.exitCode = message.wParam;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return quit;
}

// A left click at a point of a window's client area, as the mouse sends it.
inline void ClickAt(HWND window, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  PumpUntilIdle();
}

inline RECT RectIn(HWND window, HWND parent) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

inline std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Sits between the rows and the window's list view: passes every change on,
// so the list view stays current, and counts the refreshes of the previews,
// each of which begins by resetting the result column.
class CountingDisplay final : public ListDisplay {
 public:
  explicit CountingDisplay(ListDisplay& shown) : m_shown(shown) {}

  int refreshes = 0;

  void RowsCleared() override { m_shown.RowsCleared(); }
  void RowAppended(int32_t row) override { m_shown.RowAppended(row); }
  void CellChanged(int32_t row, int32_t column) override { m_shown.CellChanged(row, column); }
  void ScrollIntoView(int32_t row) override { m_shown.ScrollIntoView(row); }
  void ResultColumnReset() override {
    ++refreshes;
    m_shown.ResultColumnReset();
  }

 private:
  ListDisplay& m_shown;
};

// A shown main window, as start-up leaves it, with its refreshes counted.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr)));
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    window.OnCreated();
    PumpUntilIdle();
    counter = std::make_unique<CountingDisplay>(window.Display());
    window.Rows().AttachDisplay(counter.get());
  }

  void TearDown() override {
    DestroyWindow(window.Handle());
    PumpUntilIdle();
  }

  HWND Control(ControlId id) const { return window.Control(id); }

  void AddRows(const std::vector<std::string>& names) {
    for (const std::string& name : names)
      window.Rows().SetCell(window.Rows().AppendRow(), kOldNameColumn, name);
  }

  std::string Preview(int32_t row) { return window.Rows().GetCell(row, kPreviewColumn); }

  // A click on a tab of 选择夹1.
  void ClickTab(int32_t index) {
    RECT tab;
    TabCtrl_GetItemRect(Control(ControlId::选择夹1), index, &tab);
    ClickAt(Control(ControlId::选择夹1), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  }

  // A click on the upper (1) or lower (-1) arrow of spin arrows.
  void PressArrow(ControlId spinArrows, int32_t arrow) {
    RECT client;
    GetClientRect(Control(spinArrows), &client);
    const int y = arrow == 1 ? client.bottom / 4 : client.bottom * 3 / 4;
    ClickAt(Control(spinArrows), client.right / 2, y);
  }

  // Opens a drop-down list and clicks one of its items.
  void ChooseItem(ControlId dropDownList, int32_t item) {
    const HWND combo = Control(dropDownList);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    RECT rect;
    SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    ClickAt(info.hwndList, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }

  void Type(ControlId box, const std::string& keys) {
    for (const char key : keys) SendMessageA(Control(box), WM_CHAR, static_cast<unsigned char>(key), 1);
    PumpUntilIdle();
  }

  MainWindow window;
  std::unique_ptr<CountingDisplay> counter;
};

// Pumps messages, waiting for new ones as they come, until `done` holds or
// the time is up. For what happens on a timer of the window's own.
template <typename Condition>
bool PumpUntil(Condition done, ULONGLONG milliseconds = 10000) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    PumpUntilIdle();
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}
