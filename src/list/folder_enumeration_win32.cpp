#include "list/folder_enumeration_win32.h"

#include <windows.h>

namespace {

void Copy(const WIN32_FIND_DATAA& data, FoundEntry& entry) {
  entry.name.assign(data.cFileName);
  entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Win32Search final : public FolderSearch {
 public:
  explicit Win32Search(HANDLE handle) : m_handle(handle) {}
  ~Win32Search() override { FindClose(m_handle); }
  Win32Search(const Win32Search&) = delete;
  Win32Search& operator=(const Win32Search&) = delete;

  bool Next(FoundEntry& entry) override {
    // The end of the folder and an error end the enumeration alike.
    if (!FindNextFileA(m_handle, &m_data)) return false;
    Copy(m_data, entry);
    return true;
  }

 private:
  HANDLE m_handle;
  WIN32_FIND_DATAA m_data{};
};

}  // namespace

std::unique_ptr<FolderSearch> Win32FolderEnumeration::Start(const AnsiText& pattern, FoundEntry& first) {
  WIN32_FIND_DATAA data{};
  const HANDLE handle = FindFirstFileA(pattern.c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  Copy(data, first);
  return std::make_unique<Win32Search>(handle);
}
