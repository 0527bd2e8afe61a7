#include "list/drop_loading.h"

#include "list/folder_loading.h"
#include "list/rename_list.h"
#include "list/working_folder.h"
#include "rules/rules.h"
#include "text/text.h"

namespace {

const AnsiText kLineBreak = "\r\n";
const AnsiText kSeparator = "\\";

// The effect a key chose, if the source allows it.
uint32_t IfAllowed(uint32_t effect, uint32_t allowedEffects) {
  return (allowedEffects & effect) != 0 ? effect : kDropEffectNone;
}

}  // namespace

uint32_t ChooseDropEffect(bool accepted, uint32_t keys, uint32_t allowedEffects) {
  if (!accepted) return kDropEffectNone;
  const bool control = (keys & kKeyControl) != 0;
  const bool shift = (keys & kKeyShift) != 0;
  if (control && shift) return kDropEffectNone;
  if (control) return IfAllowed(kDropEffectCopy, allowedEffects);
  if (shift) return IfAllowed(kDropEffectMove, allowedEffects);
  for (const uint32_t effect : {kDropEffectCopy, kDropEffectMove, kDropEffectLink}) {
    if ((allowedEffects & effect) != 0) return effect;
  }
  return kDropEffectNone;
}

AnsiText ReceivedText(const std::vector<AnsiText>& paths) {
  if (paths.size() == 1) return paths.front();
  AnsiText text;
  for (const AnsiText& path : paths) text.append(path).append(kLineBreak);
  return text;
}

bool AcceptDrop(const AnsiText& receivedText, RenameList& list, const RuleSource& rules) {
  // A drop in the middle of a listing would mix its rows with the listing's.
  if (IsListing()) return false;
  // 1. The empty piece after a final "\r\n" is no path.
  const std::vector<AnsiText> paths = SplitText(receivedText, kLineBreak);
  // An empty file list leaves the rows and the working folder as they were.
  if (paths.empty()) return false;
  // 2.
  const AnsiText& first = paths.front();
  // 3.
  const int32_t position = FindTextReverse(first, kSeparator);
  // 4.
  SetWorkingFolder(TextLeft(first, position));
  // 5.
  list.ClearRows();
  // 6. Matched exactly: a folder differing only in letter case gives an
  //    empty old name.
  for (const AnsiText& path : paths)
    list.SetCell(list.AppendRow(), kOldNameColumn, TextAfterLast(path, WorkingFolder()));
  // 7.
  RefreshPreview(list, rules);
  return true;
}
