#pragma once

#include <string>
#include <vector>

#include "list/rename_list.h"

// Records what the list tells its display, in order.
class RecordingDisplay : public ListDisplay {
 public:
  std::vector<std::string> calls;

  void RowsCleared() override { calls.push_back("cleared"); }
  void RowAppended(int32_t row) override { calls.push_back("appended " + std::to_string(row)); }
  void CellChanged(int32_t row, int32_t column) override {
    calls.push_back("changed " + std::to_string(row) + "," + std::to_string(column));
  }
  void ScrollIntoView(int32_t row) override { calls.push_back("visible " + std::to_string(row)); }
  void ResultColumnReset() override { calls.push_back("result column reset"); }
};
