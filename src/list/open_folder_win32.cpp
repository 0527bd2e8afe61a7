#include "list/open_folder_win32.h"

#include <windows.h>

#include <utility>

#include "list/folder_dialog_win32.h"
#include "list/folder_enumeration_win32.h"
#include "list/working_folder.h"

namespace {

const AnsiText kDialogTitle = "\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE\xBC\xD0";  // 选择文件夹

// Set while the dialog is open: its owner is disabled, but a posted click
// still reaches the Open button.
bool g_choosing = false;

}  // namespace

bool PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Taking the quit message clears it: the message loop must still see
      // it, with its exit code, to end the program.
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

bool WindowMessagePump::PumpMessages() {
  // Under Wine each look at the queue is a round trip to the server that
  // costs several times a folder entry's fetch, so a large folder's listing
  // looks only every few milliseconds: the window still answers at once to
  // the eye, and the listing keeps the pace of the bare enumeration.
  const DWORD now = GetTickCount();
  if (m_looked && now - m_lastLook < kPumpInterval) return true;
  m_looked = true;
  m_lastLook = now;
  return ::PumpMessages();
}

void OpenFolder(RenameList& list, const RuleSource& rules) {
  if (IsListing() || g_choosing) return;
  // 1.
  g_choosing = true;
  AnsiText folder = ChooseFolder(kDialogTitle);
  g_choosing = false;
  // 2.
  SetWorkingFolder(std::move(folder));
  // 3.
  Win32FolderEnumeration files;
  WindowMessagePump pump;
  LoadFolder(WorkingFolder(), files, list, rules, pump);
}
