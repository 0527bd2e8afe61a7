#include "ui/start_program.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
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

// Refuses the creation of the program's main window on this thread and lets
// every other window through. The error box that follows is reported on
// stderr (caption, then the text's bytes in hex) and answered with OK.
LRESULT CALLBACK RefuseTheMainWindow(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const LPCSTR className = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass;
    if (!IS_INTRESOURCE(className) && std::strcmp(className, "QuillmereMainWindow") == 0) return 1;
  }
  if (code == HCBT_ACTIVATE) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    char caption[64] = {};
    char text[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text
    std::fprintf(stderr, "box \"%s\":", caption);
    for (const char* byte = text; *byte; ++byte) std::fprintf(stderr, "%02X", static_cast<unsigned char>(*byte));
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(StartProgramDeathTest, AWindowThatCannotBeCreatedIsReportedAndEndsTheProgramWithMinusOne) {
  EXPECT_EXIT(
      {
        SetWindowsHookExA(WH_CBT, RefuseTheMainWindow, nullptr, GetCurrentThreadId());
        StartProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
      },
      ::testing::ExitedWithCode(-1),
      // 无法创建主窗口。
      "box \"Quillmere\":CEDEB7A8B4B4BDA8D6F7B4B0BFDAA1A3");
}

}  // namespace
