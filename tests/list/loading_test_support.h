#pragma once

#include <cstdint>
#include <vector>

#include "list/rename_list.h"
#include "rules/rules.h"
#include "text/ansi_text.h"

// The insert rule with ">" at position 0: every preview is ">" and the old
// name, so a refreshed row is easy to tell from a stale one.
class MarkingRules final : public RuleSource {
 public:
  mutable int reads = 0;

  RuleReading ReadRuleSettings() const override {
    ++reads;
    RuleReading reading;
    reading.mode = RenameMode::Insert;
    reading.settings.insertPosition = 0;
    reading.settings.insertText = ">";
    return reading;
  }
};

inline std::vector<AnsiText> Column(const RenameList& list, int32_t column) {
  std::vector<AnsiText> cells;
  for (int32_t row = 0; row < list.RowCount(); ++row) cells.push_back(list.GetCell(row, column));
  return cells;
}

inline std::vector<AnsiText> OldNames(const RenameList& list) { return Column(list, kOldNameColumn); }

inline std::vector<AnsiText> Marked(const std::vector<AnsiText>& names) {
  std::vector<AnsiText> marked;
  for (const AnsiText& name : names) marked.push_back(">" + name);
  return marked;
}

// Rows as an earlier load leaves them, each with a preview and a result.
inline void FillWithEarlierRows(RenameList& list) {
  list.ClearRows();
  for (const char* name : {"old1", "old2"}) {
    const int32_t row = list.AppendRow();
    list.SetCell(row, kOldNameColumn, name);
    list.SetCell(row, kPreviewColumn, "stale");
    list.SetCell(row, kResultColumn, "OK");
  }
}
