#include "list/folder_dialog_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <utility>
#include <vector>

namespace {

// The thread's top-level windows and whether each was enabled.
using WindowStates = std::vector<std::pair<HWND, bool>>;

// Only the windows the user can reach count: hidden helper windows that the
// system keeps on the thread are left alone.
BOOL CALLBACK RecordWindow(HWND window, LPARAM states) {
  if (!IsWindowVisible(window)) return TRUE;
  reinterpret_cast<WindowStates*>(states)->emplace_back(window, IsWindowEnabled(window) != FALSE);
  return TRUE;
}

// Makes the dialog modal to the whole program, not only to its owner.
class ProgramDisabled {
 public:
  ProgramDisabled() : m_foreground(GetForegroundWindow()), m_active(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), RecordWindow, reinterpret_cast<LPARAM>(&m_states));
    for (const auto& [window, enabled] : m_states) {
      if (enabled) EnableWindow(window, FALSE);
    }
  }
  ~ProgramDisabled() {
    for (const auto& [window, enabled] : m_states) {
      if (IsWindow(window)) EnableWindow(window, enabled ? TRUE : FALSE);
    }
    if (IsWindow(m_foreground)) SetForegroundWindow(m_foreground);
    if (IsWindow(m_active)) SetActiveWindow(m_active);
  }
  ProgramDisabled(const ProgramDisabled&) = delete;
  ProgramDisabled& operator=(const ProgramDisabled&) = delete;

 private:
  WindowStates m_states;
  HWND m_foreground;
  HWND m_active;
};

void FreeIdList(LPITEMIDLIST list) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
    allocator->Free(list);
    allocator->Release();
  }
}

}  // namespace

AnsiText ChooseFolder(const AnsiText& title) {
  const HWND active = GetActiveWindow();
  BROWSEINFOA browse{};
  browse.hwndOwner = IsWindow(active) ? active : nullptr;
  browse.pidlRoot = nullptr;
  browse.pszDisplayName = nullptr;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_EDITBOX;

  LPITEMIDLIST chosen = nullptr;
  {
    const ProgramDisabled modal;
    chosen = SHBrowseForFolderA(&browse);
  }
  if (chosen == nullptr) return AnsiText();
  char path[MAX_PATH] = {};
  // Fails for items without a file-system path, such as the computer.
  const bool hasPath = SHGetPathFromIDListA(chosen, path) != FALSE;
  FreeIdList(chosen);
  return hasPath ? AnsiText(path) : AnsiText();
}
