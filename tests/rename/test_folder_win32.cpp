#include "test_folder_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "platform/windows_files.h"

namespace {

AnsiText ReadWholeFile(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
  AnsiText contents;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) contents.append(buffer, read);
  CloseHandle(file);
  return contents;
}

void ListInto(const std::wstring& folder, const AnsiText& relative, std::map<AnsiText, AnsiText>& entries) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const AnsiText path = relative + AnsiFromWide(name);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries[path] = kFolderMark;
      ListInto(folder + L"\\" + name, path + "\\", entries);
    } else {
      entries[path] = ReadWholeFile(folder + L"\\" + name);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

RealTestFolder::RealTestFolder() {
  static std::atomic<int> made{0};
  char temporary[MAX_PATH];
  GetTempPathA(MAX_PATH, temporary);
  AnsiText base = temporary;
  if (!base.empty() && base.back() == '\\') base.pop_back();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    m_path =
        base + "\\quillmere-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(made++);
    if (CreateDirectoryA(m_path.c_str(), nullptr)) return;
  }
  ADD_FAILURE() << "cannot make a test folder under " << base;
}

RealTestFolder::~RealTestFolder() { RemoveTree(WidePath()); }

std::wstring RealTestFolder::WidePath() const { return WideFromAnsi(m_path); }

void RealTestFolder::MakeFile(const AnsiText& name, const AnsiText& contents) {
  const AnsiText path = m_path + "\\" + name;
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot make file " << path;
    return;
  }
  DWORD written = 0;
  WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(file);
}

void RealTestFolder::MakeFolder(const AnsiText& name) {
  const AnsiText path = m_path + "\\" + name;
  if (!CreateDirectoryA(path.c_str(), nullptr)) ADD_FAILURE() << "cannot make folder " << path;
}

std::map<AnsiText, AnsiText> RealTestFolder::Entries() {
  std::map<AnsiText, AnsiText> entries;
  ListInto(WidePath(), "", entries);
  return entries;
}

bool RealTestFolder::KeepsCaseOnRenameToItself() const {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::unique_ptr<TestFolder> MakeRealFolder() { return std::make_unique<RealTestFolder>(); }
