#include "ui/rename_list_view.h"

#include <algorithm>
#include <cstring>

#include "ui/window_layout.h"

namespace {

// The timer that gives the control the rows appended out of view.
constexpr UINT_PTR kShowRowsTimer = 0x5155;
// Giving a visible list view a new row count costs tens of milliseconds
// under Wine, which redraws its scroll bars at once. Rows appended below
// the visible ones change only the scroll bar, so they are handed over in
// one step at most this often instead of one by one.
constexpr UINT kShowRowsDelayMs = 100;
// Posted to the control: scroll to the row last asked for.
constexpr UINT kScrollToRowMessage = WM_APP + 0x5155;

}  // namespace

RenameListView::RenameListView(HWND listView, const RenameList& rows) : m_listView(listView), m_rows(rows) {
  ListView_SetExtendedListViewStyleEx(m_listView, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES,
                                      LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  ListView_SetTextColor(m_listView, RGB(0, 0, 0));
  ListView_SetTextBkColor(m_listView, RGB(255, 255, 255));
  ListView_SetBkColor(m_listView, RGB(255, 255, 255));
  for (int32_t column = 0; column < static_cast<int32_t>(ListColumns().size()); ++column)
    InsertColumn(column);
  m_shownRows = m_rows.RowCount();
  ListView_SetItemCountEx(m_listView, m_shownRows, LVSICF_NOSCROLL);
  m_watching = SetWindowSubclass(m_listView, WatchListView, 0, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

RenameListView::~RenameListView() {
  if (IsWindow(m_listView)) {
    KillTimer(m_listView, kShowRowsTimer);
    RemoveWindowSubclass(m_listView, WatchListView, 0);
  }
}

LRESULT CALLBACK RenameListView::WatchListView(HWND listView, UINT message, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR self) {
  auto& view = *reinterpret_cast<RenameListView*>(self);
  if (message == WM_TIMER && wParam == kShowRowsTimer) {
    view.ShowPendingRows();
    return 0;
  }
  if (message == kScrollToRowMessage) {
    view.m_scrollPosted = false;
    view.ScrollToPendingRow();
    return 0;
  }
  // Scrolling, keys, the mouse, a new row count: any message but these may
  // move the rows in view.
  if (message != LVM_REDRAWITEMS && message != LVM_GETTOPINDEX && message != LVM_GETCOUNTPERPAGE) {
    view.m_rangeKnown = false;
  }
  return DefSubclassProc(listView, message, wParam, lParam);
}

void RenameListView::InsertColumn(int32_t column) const {
  const ColumnLayout& layout = ListColumns()[static_cast<std::size_t>(column)];
  LVCOLUMNA settings{};
  settings.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  settings.fmt = LVCFMT_LEFT;
  settings.cx = layout.width;
  settings.pszText = const_cast<char*>(layout.title);
  settings.iSubItem = column;
  SendMessageA(m_listView, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
               reinterpret_cast<LPARAM>(&settings));
}

void RenameListView::FillDisplayInfo(NMLVDISPINFOA& info) const {
  if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
  const AnsiText& text = m_rows.CellText(info.item.iItem, info.item.iSubItem);
  // The control's buffer bounds what it draws; the model keeps the whole text.
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
  std::memcpy(info.item.pszText, text.data(), length);
  info.item.pszText[length] = '\0';
}

void RenameListView::ShowPendingRows() {
  if (m_showTimerRunning) {
    KillTimer(m_listView, kShowRowsTimer);
    m_showTimerRunning = false;
  }
  const int32_t rows = m_rows.RowCount();
  if (rows == m_shownRows) return;
  // Only new rows in view need painting; the others stay where they are.
  ListView_SetItemCountEx(m_listView, rows, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  m_shownRows = rows;
}

bool RenameListView::IsInView(int32_t row) {
  // Unwatched, the control could scroll unseen: it is asked every time.
  if (!m_rangeKnown || !m_watching) {
    m_firstInView = ListView_GetTopIndex(m_listView);
    // One more than a page, for the row cut by the bottom edge.
    m_lastInView = m_firstInView + ListView_GetCountPerPage(m_listView);
    m_rangeKnown = true;
  }
  return row >= m_firstInView && row <= m_lastInView;
}

void RenameListView::RowsCleared() {
  m_rowToShow = -1;
  if (m_showTimerRunning) {
    KillTimer(m_listView, kShowRowsTimer);
    m_showTimerRunning = false;
  }
  m_shownRows = 0;
  ListView_SetItemCountEx(m_listView, 0, 0);
}

void RenameListView::RowAppended(int32_t row) {
  if (IsInView(row)) {
    ShowPendingRows();
  } else if (!m_showTimerRunning) {
    m_showTimerRunning = SetTimer(m_listView, kShowRowsTimer, kShowRowsDelayMs, nullptr) != 0;
    // Without a timer the rows are handed over at once.
    if (!m_showTimerRunning) ShowPendingRows();
  }
}

void RenameListView::CellChanged(int32_t row, int32_t column) {
  (void)column;
  // A refresh changes every row, so this runs 100,000 times in a row: rows
  // out of view, or not yet given to the control, are skipped without a
  // word to it.
  if (row >= m_shownRows || !IsInView(row)) return;
  ListView_RedrawItems(m_listView, row, row);
}

void RenameListView::ScrollIntoView(int32_t row) {
  ShowPendingRows();
  m_rowToShow = row;
  // A rename run dispatches no messages until it ends, so nothing would paint
  // the rows it walks through. Painting the list directly a few times a
  // second shows where the run is without letting other handlers in.
  // Scrolling the control by a row costs milliseconds under Wine, more than
  // the rename of the row itself, and a run scrolls to every row in each
  // pass; as the rows show only when painted, the control is scrolled only
  // then, and to the last row asked for once the run has ended.
  const DWORD now = GetTickCount();
  if (now - m_lastPaint >= kProgressPaintIntervalMs) {
    ScrollToPendingRow();
    UpdateWindow(m_listView);
    m_lastPaint = now;
  } else if (!m_scrollPosted) {
    m_scrollPosted = PostMessageA(m_listView, kScrollToRowMessage, 0, 0) != FALSE;
    if (!m_scrollPosted) ScrollToPendingRow();
  }
}

void RenameListView::ScrollToPendingRow() {
  if (m_rowToShow < 0) return;
  const int top = ListView_GetTopIndex(m_listView);
  ListView_EnsureVisible(m_listView, m_rowToShow, FALSE);
  m_rowToShow = -1;
  // Cells changed while the control still showed other rows were repainted
  // at their old places only; after a scroll every row in view is drawn
  // afresh from the model.
  if (ListView_GetTopIndex(m_listView) != top) InvalidateRect(m_listView, nullptr, FALSE);
}

void RenameListView::ResultColumnReset() {
  // The column's texts are already gone from the rows. Every refresh comes
  // here, and recreating a column of a visible list view costs tens of
  // milliseconds under Wine, so a column still as it was made only has the
  // rows in view repainted.
  const int columns = Header_GetItemCount(ListView_GetHeader(m_listView));
  const int width = ListView_GetColumnWidth(m_listView, kResultColumn);
  if (columns == static_cast<int>(ListColumns().size()) && width == ListColumns()[kResultColumn].width) {
    const int top = ListView_GetTopIndex(m_listView);
    ListView_RedrawItems(m_listView, top, top + ListView_GetCountPerPage(m_listView));
    return;
  }
  // Recreated, the column loses a width the user gave it by dragging the
  // header divider. The scroll bars are redrawn once, not after each step.
  SendMessageA(m_listView, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteColumn(m_listView, kResultColumn);
  InsertColumn(kResultColumn);
  SendMessageA(m_listView, WM_SETREDRAW, TRUE, 0);
}
