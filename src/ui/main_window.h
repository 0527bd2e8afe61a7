#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <array>
#include <cstdint>
#include <memory>

#include "list/drop_object_win32.h"
#include "list/rename_list.h"
#include "rules/rules.h"
#include "text/ansi_text.h"
#include "ui/control_ids.h"

class RenameListView;

// The events of the main window's controls that handlers can be bound to.
enum class ControlEvent { TextChanged, Clicked, ItemSelected, TabChanged, ArrowPressed, ColumnClicked };

// The program's one window: two push buttons, the tab control with the four
// rule pages, and the list view showing the RenameList. It is also where the
// previews read the rule values from: ReadRuleSettings reads the controls
// themselves at each call.
class MainWindow final : public RuleSource {
 public:
  MainWindow();
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window and every control with its start value, centred on
  // the screen and not yet shown. False when the platform refuses.
  bool Create(HINSTANCE instance);

  // The created event: runs once, after the window and all its controls
  // exist and before the message loop starts.
  void OnCreated();

  HWND Handle() const { return m_window; }
  HWND Control(ControlId id) const;
  RenameList& Rows() { return m_rows; }
  // What shows the rows; whoever attaches another display to the rows
  // forwards to this one to keep the list view current.
  ListDisplay& Display();

  // Reading and writing the controls; nothing is cached.
  AnsiText ReadText(ControlId box) const;
  // Replaces the box's text, which raises its text-changed event once.
  void WriteText(ControlId box, const AnsiText& text);
  int32_t ReadTick(ControlId checkBox) const;
  int32_t ReadSelection(ControlId dropDownList) const;
  int32_t ReadCurrentTab() const;

  RuleReading ReadRuleSettings() const override;

  // The spin-arrow handlers: `arrow` is 1 for up, anything else for down.
  void StepStartNumber(int32_t arrow);
  void StepDigitCount(int32_t arrow);
  void StepInsertPosition(int32_t arrow);

 private:
  struct EventBinding;
  static const EventBinding kBindings[];

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCreate();
  void OnCommand(ControlId id, UINT code);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnColorStatic(HDC dc, HWND control);
  void OnDestroy();

  bool CreateControls();
  void ShowCurrentPage();
  void RaiseEvent(ControlId id, ControlEvent event, int32_t argument);

  // Bound handlers.
  void RefreshPreviews();
  void OpenFolder();
  void RunRenameClicked();
  void OnColumnClicked(int32_t column);

  HWND m_window = nullptr;
  HFONT m_font = nullptr;
  std::array<HWND, kControlCount> m_controls{};
  RenameList m_rows;
  std::unique_ptr<RenameListView> m_listView;
  // 拖放对象1: takes files dropped onto the list view.
  DropObject m_dropObject;
  // Notifications the controls send while being created raise no events.
  bool m_created = false;
};
