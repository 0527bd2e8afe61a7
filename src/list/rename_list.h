#pragma once

#include <cstdint>
#include <vector>

#include "text/ansi_text.h"

// The column indexes of a row.
enum RenameColumn : int32_t { kOldNameColumn = 0, kPreviewColumn = 1, kResultColumn = 2 };

// One row of the list: current name, preview, result mark.
struct RenameRow {
  AnsiText cells[3];
};

// What shows the list to the user. The list tells it about every change as it
// happens; the window's list view implements it, tests record the calls.
class ListDisplay {
 public:
  virtual ~ListDisplay() = default;
  virtual void RowsCleared() = 0;
  virtual void RowAppended(int32_t row) = 0;
  virtual void CellChanged(int32_t row, int32_t column) = 0;
  // Scroll until the row is entirely visible, a partly visible row too.
  virtual void ScrollIntoView(int32_t row) = 0;
  // Column 2 was removed and inserted again: its width is back to 50.
  virtual void ResultColumnReset() = 0;
};

// The rows of the rename list, in the order they were appended, never
// reordered. Rows are addressed by 0-based index; a row or column outside the
// list reads as an empty text and ignores writes.
class RenameList {
 public:
  // The display is told of every change from now on; null detaches it.
  void AttachDisplay(ListDisplay* display);

  void ClearRows();
  // Adds a row with three empty cells after the last one; returns its index.
  int32_t AppendRow();
  AnsiText GetCell(int32_t row, int32_t column) const;
  void SetCell(int32_t row, int32_t column, AnsiText text);
  int32_t RowCount() const;
  void EnsureVisible(int32_t row);
  // Empties every row's result cell, as recreating column 2 does.
  void ResetResultColumn();

  // The cell's text without a copy, for drawing. Valid until the next change.
  const AnsiText& CellText(int32_t row, int32_t column) const;

 private:
  std::vector<RenameRow> m_rows;
  ListDisplay* m_display = nullptr;
};
