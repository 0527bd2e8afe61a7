#include "ui/start_program.h"

#include <ole2.h>

#include <cstdlib>

#include "list/working_folder.h"
#include "text/ansi_text.h"
#include "ui/main_window.h"
#include "ui/window_layout.h"

namespace {

// The folder holding the program file: its full path up to the last "\".
AnsiText ProgramFolder() {
  AnsiText path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t separator = path.find_last_of('\\');
  return separator == AnsiText::npos ? AnsiText() : path.substr(0, separator + 1);
}

void UninitializeOle() { OleUninitialize(); }

// atexit keeps a routine as often as it is registered; the program's exit
// routines are registered once each.
void RegisterExitRoutineOnce(void (*routine)(), bool& registered) {
  if (registered) return;
  registered = std::atexit(routine) == 0;
}

void ReportWindowNotCreated() {
  MessageBoxA(nullptr,
              "\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8\xD6\xF7\xB4\xB0\xBF\xDA\xA1\xA3",  // 无法创建主窗口。
              kMainWindowCaption, MB_OK | MB_ICONERROR);
}

}  // namespace

int StartProgram(HINSTANCE instance, int showCommand) {
  // 1. OLE on this, the GUI thread, for drag and drop. Exit routines run in
  // the reverse order of registration, so registering OLE's release first
  // makes it run after every routine registered later.
  static bool oleRegistered = false;
  if (SUCCEEDED(OleInitialize(nullptr))) RegisterExitRoutineOnce(UninitializeOle, oleRegistered);
  // A path beginning with "\" then names the root of the program's drive.
  const AnsiText folder = ProgramFolder();
  if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());

  // 2. The working folder's text is released as the process ends.
  static bool workingFolderRegistered = false;
  RegisterExitRoutineOnce(ReleaseWorkingFolder, workingFolderRegistered);

  // 3. The window with all its controls, then its created event.
  MainWindow window;
  if (!window.Create(instance)) {
    ReportWindowNotCreated();
    // At once: the exit routines do not run.
    std::_Exit(-1);
  }
  ShowWindow(window.Handle(), showCommand);
  UpdateWindow(window.Handle());
  window.OnCreated();

  // 4. Ends with the quit message that destroying the window posts.
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The Tab key moves the focus between the controls.
    if (window.Handle() && IsDialogMessageA(window.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }

  // 5. The exit routines and OLE's release run as the process ends.
  return 0;
}
