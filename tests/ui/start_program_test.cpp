#include "ui/start_program.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The program as the build made it, in the form Windows paths take.
std::string ProgramPath() {
  std::string path = QUILLMERE_PROGRAM;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  // Wine shows the Linux root as drive Z:.
  if (!path.empty() && path[0] == '\\') path = "Z:" + path;
  return path;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char caption[32] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (owner != search.processId || std::string(caption) != "Quillmere") return TRUE;
  search.found = window;
  return FALSE;
}

TEST(StartProgram, ClosingTheWindowEndsTheProgramWithExitCodeZero) {
  std::string commandLine = "\"" + ProgramPath() + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process))
      << commandLine;

  // The program is idle once its window is up and its message loop waits.
  ASSERT_EQ(WaitForInputIdle(process.hProcess, 60000), 0u);
  WindowSearch search{process.dwProcessId, nullptr};
  EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
  ASSERT_NE(search.found, nullptr) << "no window captioned Quillmere";
  EXPECT_TRUE(IsWindowVisible(search.found));

  PostMessageA(search.found, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
