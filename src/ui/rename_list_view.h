#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "list/rename_list.h"

// Shows a RenameList in an owner-data report list view. The control stores
// no texts: it holds only the row count and asks for the texts of the rows it
// draws, which keeps a refresh of 100,000 rows cheap.
class RenameListView final : public ListDisplay {
 public:
  // Sets up `listView` (columns, colours, extended styles) to show `rows`.
  RenameListView(HWND listView, const RenameList& rows);
  ~RenameListView() override;
  RenameListView(const RenameListView&) = delete;
  RenameListView& operator=(const RenameListView&) = delete;

  // Answers the control's request for a cell's text (LVN_GETDISPINFOA).
  void FillDisplayInfo(NMLVDISPINFOA& info) const;

  void RowsCleared() override;
  void RowAppended(int32_t row) override;
  void CellChanged(int32_t row, int32_t column) override;
  void ScrollIntoView(int32_t row) override;
  void ResultColumnReset() override;

 private:
  static LRESULT CALLBACK WatchListView(HWND listView, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR subclassId, DWORD_PTR self);
  void InsertColumn(int32_t column) const;
  void ShowPendingRows();
  void ScrollToPendingRow();
  bool IsInView(int32_t row);

  HWND m_listView;
  const RenameList& m_rows;
  // The row count the control has been given; rows appended below the
  // visible ones reach it a moment later, in one step.
  int32_t m_shownRows = 0;
  static constexpr DWORD kProgressPaintIntervalMs = 200;
  DWORD m_lastPaint = 0;
  // The last row asked to be scrolled into view and not yet scrolled to, or
  // -1; a message posted to the control scrolls to it once the thread
  // dispatches again.
  int32_t m_rowToShow = -1;
  bool m_scrollPosted = false;
  bool m_showTimerRunning = false;
  // The rows in view, asked of the control once and kept until it receives
  // a message that could scroll it.
  bool m_watching = false;
  bool m_rangeKnown = false;
  int32_t m_firstInView = 0;
  int32_t m_lastInView = 0;
};
