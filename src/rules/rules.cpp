#include "rules/rules.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "list/rename_list.h"
#include "text/text.h"

namespace {

const AnsiText kDot = ".";

bool IsRule(RenameMode mode) {
  const auto value = static_cast<int32_t>(mode);
  return value >= static_cast<int32_t>(RenameMode::Sequence) &&
         value <= static_cast<int32_t>(RenameMode::Insert);
}

// A position or count worked out in 64 bits, brought back to 32 bits. Every
// text operation answers a value beyond the text the same way as the nearest
// 32-bit one, so clamping changes no result and avoids an overflow.
int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// The new name under Sequence. The base and the extension are taken as views
// of the old name, so the row costs only the number and the result.
AnsiText SequencePreview(const AnsiText& oldName, int32_t rowIndex, const RuleSettings& settings) {
  // 1. The row's number wraps around in 32 bits, done unsigned to stay defined.
  const auto rowNumber =
      static_cast<int32_t>(static_cast<uint32_t>(settings.startNumber) + static_cast<uint32_t>(rowIndex));
  // 2.
  const AnsiText number = PadWithZeros(IntegerToText(rowNumber), settings.digitCount);
  // 3. base is TextBeforeFirst(oldName, "."): empty without a ".".
  const std::string_view name = oldName;
  const int32_t firstDot = FindText(oldName, kDot);
  const std::string_view base =
      firstDot == -1 ? std::string_view() : name.substr(0, static_cast<std::size_t>(firstDot) - 1);
  // 4.
  AnsiText newName;
  newName.reserve(name.size() + number.size() + settings.extraText.size() + 1);
  if (settings.keepOldName) newName.append(base);
  if (settings.extraBeforeNumber) {
    newName.append(settings.extraText).append(number);
  } else {
    newName.append(number).append(settings.extraText);
  }
  // 5. The extension is TextAfterLast(oldName, "."), what follows the last ".";
  //    whatever lies between the first and the last "." is dropped.
  if (firstDot == -1) return newName;
  const int32_t lastDot = FindTextReverse(oldName, kDot);
  newName.append(kDot).append(name.substr(static_cast<std::size_t>(lastDot)));
  return newName;
}

AnsiText ReplacePreview(const AnsiText& oldName, const RuleSettings& settings) {
  const Replacement pairs[5] = {{settings.soughtText, settings.replacementText}, {}, {}, {}, {}};
  return ReplaceMany(oldName, std::nullopt, 1, false, pairs);
}

AnsiText DeletePreview(const AnsiText& oldName, const RuleSettings& settings) {
  if (settings.deleteByCharacter) {
    return settings.deleteLeft ? TextAfterLast(oldName, settings.deleteText)
                               : TextBeforeFirst(oldName, settings.deleteText);
  }
  const int32_t n = ToInteger(settings.deleteText);
  return settings.deleteLeft ? TextMid(oldName, n, TextLength(oldName))
                             : TextLeft(oldName, Clamp32(int64_t{n} - 1));
}

AnsiText InsertPreview(const AnsiText& oldName, const RuleSettings& settings) {
  const int32_t n = settings.insertPosition;
  if (n == 0) return ConcatText(settings.insertText, oldName);
  // TextLeft(oldName, n) + insertText + TextMid(oldName, n + 1, TextLength(oldName)):
  // the text goes after byte n. Both parts are views of the old name: a
  // negative n keeps neither, and an n beyond the end puts the text last.
  if (n < 0) return settings.insertText;
  const std::string_view name = oldName;
  const std::size_t cut = std::min(static_cast<std::size_t>(n), name.size());
  return ConcatText(name.substr(0, cut), settings.insertText, name.substr(cut));
}

}  // namespace

AnsiText ComputePreview(const AnsiText& oldName, int32_t rowIndex, RenameMode mode,
                        const RuleSettings& settings) {
  switch (mode) {
    case RenameMode::Sequence:
      return SequencePreview(oldName, rowIndex, settings);
    case RenameMode::Replace:
      return ReplacePreview(oldName, settings);
    case RenameMode::Delete:
      return DeletePreview(oldName, settings);
    case RenameMode::Insert:
      return InsertPreview(oldName, settings);
  }
  return AnsiText();
}

void RefreshPreview(RenameList& list, const RuleSource& rules) {
  // 1. Earlier results go first, whatever follows.
  list.ResetResultColumn();
  // 2.
  const RuleReading reading = rules.ReadRuleSettings();
  // 3. No rule: the previews stay as they are.
  if (!IsRule(reading.mode)) return;
  // 4.
  const int32_t rowCount = list.RowCount();
  for (int32_t row = 0; row < rowCount; ++row) {
    // The old name is read in place: a copy per row would cost as much as the
    // rule itself on a long list.
    list.SetCell(row, kPreviewColumn,
                 ComputePreview(list.CellText(row, kOldNameColumn), row, reading.mode, reading.settings));
  }
}

AnsiText TextBeforeFirst(const AnsiText& text, const AnsiText& delimiter, int32_t start, bool ignoreCase) {
  // 1.
  if (start <= 0) start = 1;
  // 2.
  const int32_t position = FindText(text, delimiter, start, ignoreCase);
  // 3.
  if (position == -1) return AnsiText();
  return TextLeft(text, position - 1);
}

AnsiText TextAfterLast(const AnsiText& text, const AnsiText& delimiter, std::optional<int32_t> start,
                       bool ignoreCase) {
  // 1. An omitted start searches the whole text; FindTextReverse reads it so.
  // 2.
  const int32_t position = FindTextReverse(text, delimiter, start, ignoreCase);
  // 3. The bytes after the occurrence.
  if (position == -1) return AnsiText();
  return TextRight(text, Clamp32(int64_t{TextLength(text)} - TextLength(delimiter) - position + 1));
}

AnsiText PadWithZeros(const AnsiText& text, int32_t width) {
  const int64_t missing = int64_t{width} - TextLength(text);
  if (missing <= 0) return text;
  return ConcatText(RepeatText(Clamp32(missing), "0"), text);
}

AnsiText ReplaceMany(const AnsiText& text, std::optional<int32_t> count, int32_t start, bool caseSensitive,
                     const Replacement (&pairs)[5]) {
  // 1.
  if (start == 0) start = 1;
  // 2. Each pair works on the result of the one before. A pair with nothing to
  //    seek would only copy the text, so it is passed over, and the text is
  //    copied only when no pair applies.
  const AnsiText* current = &text;
  AnsiText result;
  for (const Replacement& pair : pairs) {
    if (pair.sought.empty()) continue;
    result = ReplaceText(*current, pair.sought, pair.replacement, start, count, caseSensitive);
    current = &result;
  }
  // 3.
  if (current == &text) return text;
  return result;
}
