#pragma once

#include <cstdint>
#include <vector>

#include "text/ansi_text.h"

class RenameList;
class RuleSource;

// Drop effects and key states with the platform's values (DROPEFFECT_*,
// MK_*), so the drop object passes them through unchanged.
inline constexpr uint32_t kDropEffectNone = 0;
inline constexpr uint32_t kDropEffectCopy = 1;
inline constexpr uint32_t kDropEffectMove = 2;
inline constexpr uint32_t kDropEffectLink = 4;
inline constexpr uint32_t kKeyShift = 0x04;
inline constexpr uint32_t kKeyControl = 0x08;

// The effect the drop object reports on enter, over and drop: none for data
// it does not accept, and for Ctrl with Shift; copy for Ctrl, move for Shift;
// with neither key the first of copy, move and link that the source allows.
// A key's effect that the source does not allow becomes none. Other keys and
// the mouse buttons do not count.
uint32_t ChooseDropEffect(bool accepted, uint32_t keys, uint32_t allowedEffects);

// The text the drop object delivers: one path alone as it is; two or more
// each followed by "\r\n", the last one included; none gives an empty text.
AnsiText ReceivedText(const std::vector<AnsiText>& paths);

// The drop object's file-received event: the working folder becomes the
// first path up to and including its last "\", the rows are replaced by one
// per path, whose old name is the text after the last exact occurrence of
// the working folder (empty when it has none), and the previews are
// refreshed. A text holding no path, or a drop while a folder is being
// listed, changes nothing; the result says whether the drop was taken.
bool AcceptDrop(const AnsiText& receivedText, RenameList& list, const RuleSource& rules);
