#include "list/rename_list.h"

#include <utility>

namespace {

bool IsColumn(int32_t column) { return column >= 0 && column < 3; }

const AnsiText& EmptyText() {
  static const AnsiText empty;
  return empty;
}

}  // namespace

void RenameList::AttachDisplay(ListDisplay* display) { m_display = display; }

void RenameList::ClearRows() {
  m_rows.clear();
  if (m_display) m_display->RowsCleared();
}

int32_t RenameList::AppendRow() {
  m_rows.emplace_back();
  const auto row = static_cast<int32_t>(m_rows.size() - 1);
  if (m_display) m_display->RowAppended(row);
  return row;
}

AnsiText RenameList::GetCell(int32_t row, int32_t column) const { return CellText(row, column); }

void RenameList::SetCell(int32_t row, int32_t column, AnsiText text) {
  if (row < 0 || row >= RowCount() || !IsColumn(column)) return;
  m_rows[static_cast<std::size_t>(row)].cells[column] = std::move(text);
  if (m_display) m_display->CellChanged(row, column);
}

int32_t RenameList::RowCount() const { return static_cast<int32_t>(m_rows.size()); }

void RenameList::EnsureVisible(int32_t row) {
  if (row < 0 || row >= RowCount()) return;
  if (m_display) m_display->ScrollIntoView(row);
}

void RenameList::ResetResultColumn() {
  for (RenameRow& row : m_rows) row.cells[kResultColumn].clear();
  if (m_display) m_display->ResultColumnReset();
}

const AnsiText& RenameList::CellText(int32_t row, int32_t column) const {
  if (row < 0 || row >= RowCount() || !IsColumn(column)) return EmptyText();
  return m_rows[static_cast<std::size_t>(row)].cells[column];
}
