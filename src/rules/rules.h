#pragma once

#include <cstdint>
#include <optional>

#include "text/ansi_text.h"

class RenameList;

// The current rule tab. Any other value means no rule.
enum class RenameMode : int32_t { Sequence = 0, Replace = 1, Delete = 2, Insert = 3 };

// The values of the rule controls, read afresh at every refresh. Numbers are
// ToInteger of the boxes' texts; check boxes give their tick; drop-down lists
// give "first item selected".
struct RuleSettings {
  int32_t startNumber = 0;         // 编辑框_开始于
  int32_t digitCount = 0;          // 编辑框_位数
  AnsiText extraText;              // 编辑框_附加内容
  bool keepOldName = false;        // 选择框_原名称
  bool extraBeforeNumber = false;  // 选择框_附加左右 ("附加左|右": ticked puts the extra text left)
  AnsiText soughtText;             // 编辑框_欲替换
  AnsiText replacementText;        // 编辑框_替换成
  AnsiText deleteText;             // 编辑框_删除 (its ToInteger in position mode)
  bool deleteByCharacter = false;  // 组合框_字符位置 on item 0 "某字符"
  bool deleteLeft = false;         // 组合框_左右位置 on item 0 "左边删除"
  int32_t insertPosition = 0;      // 编辑框_插入位
  AnsiText insertText;             // 编辑框_插入字符
};

// The new name of one row under a rule. Pure: reads no control. A mode outside
// the four rules gives an empty text.
AnsiText ComputePreview(const AnsiText& oldName, int32_t rowIndex, RenameMode mode,
                        const RuleSettings& settings);

// What the rule controls hold at one moment: the current tab and the values.
struct RuleReading {
  RenameMode mode = RenameMode::Sequence;
  RuleSettings settings;
};

// Where RefreshPreview reads the rule controls from. The main window reads its
// real controls at each call and caches nothing; tests give values directly.
class RuleSource {
 public:
  virtual ~RuleSource() = default;
  virtual RuleReading ReadRuleSettings() const = 0;
};

// Empties every row's result column, reads the rules, and writes every row's
// new name into its preview column. With a mode outside the four rules the
// previews stay as they were.
void RefreshPreview(RenameList& list, const RuleSource& rules);

// The bytes before the first occurrence of `delimiter` at or after `start`,
// or an empty text when there is none.
AnsiText TextBeforeFirst(const AnsiText& text, const AnsiText& delimiter, int32_t start = 1,
                         bool ignoreCase = false);

// The bytes after the last occurrence of `delimiter` (searching the whole text
// when `start` is omitted), or an empty text when there is none.
AnsiText TextAfterLast(const AnsiText& text, const AnsiText& delimiter,
                       std::optional<int32_t> start = std::nullopt, bool ignoreCase = false);

// "0" bytes put in front until the text is `width` bytes long; never cuts.
AnsiText PadWithZeros(const AnsiText& text, int32_t width);

// One replacement pair of ReplaceMany.
struct Replacement {
  AnsiText sought;
  AnsiText replacement;
};

// Up to five replacements applied in turn, each on the result of the one
// before; a pair with an empty sought text changes nothing. caseSensitive
// false ignores the case of ASCII letters.
AnsiText ReplaceMany(const AnsiText& text, std::optional<int32_t> count, int32_t start,
                     bool caseSensitive, const Replacement (&pairs)[5]);
