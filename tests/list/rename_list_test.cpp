#include "list/rename_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/recording_display.h"
#include "list/working_folder.h"

namespace {


RenameList ListOf(const std::vector<AnsiText>& names) {
  RenameList list;
  for (const AnsiText& name : names) list.SetCell(list.AppendRow(), kOldNameColumn, name);
  return list;
}

TEST(RenameList, AppendRowReturnsTheOldRowCountAndAddsAnEmptyRowLast) {
  RenameList list = ListOf({"a", "b"});
  EXPECT_EQ(list.AppendRow(), 2);
  EXPECT_EQ(list.RowCount(), 3);
  for (int32_t column = 0; column < 3; ++column) EXPECT_EQ(list.GetCell(2, column), "");
  EXPECT_EQ(list.GetCell(0, 0), "a");
  EXPECT_EQ(list.GetCell(1, 0), "b");
}

TEST(RenameList, CellsHoldWholeTextsOfAnyLength) {
  RenameList list = ListOf({""});
  const AnsiText longText(5000, 'x');
  const AnsiText chinese = "\xD6\xD0\xCE\xC4\\.txt";
  list.SetCell(0, kPreviewColumn, longText);
  list.SetCell(0, kResultColumn, chinese);
  EXPECT_EQ(list.GetCell(0, kPreviewColumn), longText);
  EXPECT_EQ(list.GetCell(0, kResultColumn), chinese);
}

TEST(RenameList, ResetResultColumnEmptiesOnlyColumnTwo) {
  RenameList list = ListOf({"a", "b"});
  for (int32_t row = 0; row < 2; ++row) {
    list.SetCell(row, kPreviewColumn, "new");
    list.SetCell(row, kResultColumn, "OK");
  }
  list.ResetResultColumn();
  for (int32_t row = 0; row < 2; ++row) {
    EXPECT_EQ(list.GetCell(row, kPreviewColumn), "new");
    EXPECT_EQ(list.GetCell(row, kResultColumn), "");
  }
  EXPECT_EQ(list.GetCell(0, kOldNameColumn), "a");
  EXPECT_EQ(list.GetCell(1, kOldNameColumn), "b");
}

TEST(RenameList, ClearRowsRemovesEveryRow) {
  RenameList list = ListOf({"a", "b", "c"});
  list.ClearRows();
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.AppendRow(), 0);
}

TEST(RenameList, RowsAndColumnsOutsideTheListReadEmptyAndIgnoreWrites) {
  RenameList list = ListOf({"a"});
  struct Cell {
    int32_t row, column;
  };
  const Cell outside[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 3}, {INT32_MIN, INT32_MIN}, {INT32_MAX, 1}};
  for (const Cell& cell : outside) {
    SCOPED_TRACE(std::to_string(cell.row) + "," + std::to_string(cell.column));
    list.SetCell(cell.row, cell.column, "written");
    EXPECT_EQ(list.GetCell(cell.row, cell.column), "");
    list.EnsureVisible(cell.row);
  }
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.GetCell(0, 0), "a");
}

TEST(RenameList, TellsItsDisplayOfEveryChangeAsItHappens) {
  RenameList list;
  RecordingDisplay display;
  list.AttachDisplay(&display);
  list.SetCell(list.AppendRow(), kOldNameColumn, "a");
  list.EnsureVisible(0);
  list.ResetResultColumn();
  list.SetCell(5, 0, "ignored");
  list.EnsureVisible(5);
  list.ClearRows();
  const std::vector<std::string> expected = {"appended 0", "changed 0,0", "visible 0",
                                             "result column reset", "cleared"};
  EXPECT_EQ(display.calls, expected);
}

TEST(WorkingFolder, IsReplacedWholeAndReleased) {
  SetWorkingFolder("C:\\dir\\");
  EXPECT_EQ(WorkingFolder(), "C:\\dir\\");
  SetWorkingFolder("");
  EXPECT_EQ(WorkingFolder(), "");
  SetWorkingFolder("D:\\");
  ReleaseWorkingFolder();
  EXPECT_EQ(WorkingFolder(), "");
}

}  // namespace
