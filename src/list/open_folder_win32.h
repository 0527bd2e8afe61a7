#pragma once

#include "list/folder_loading.h"
#include "text/ansi_text.h"

class RenameList;
class RuleSource;

// Dispatches every message waiting for this thread, whatever it is, and
// returns when none is left: true then. When it takes the quit message
// (the window was closed) it posts it again for the message loop and
// returns false at once.
bool PumpMessages();

// The pump a listing runs: the thread's message queue, looked at when the
// previous look is more than kPumpInterval milliseconds ago (the first call
// always looks).
class WindowMessagePump final : public ListingPump {
 public:
  static constexpr unsigned long kPumpInterval = 15;

  bool PumpMessages() override;

 private:
  unsigned long m_lastLook = 0;
  bool m_looked = false;
};

// The click handler of the Open button: asks for a folder with the title
// "选择文件夹", makes the answer the working folder (also when empty) and
// loads it with the platform's enumeration. Does nothing while a folder is
// being listed or its own dialog is open.
void OpenFolder(RenameList& list, const RuleSource& rules);
