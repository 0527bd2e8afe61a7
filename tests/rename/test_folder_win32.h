#pragma once

#include <string>

#include "rename/file_system_win32.h"
#include "test_folder.h"

// A fresh folder under the temporary folder, removed with all it holds when
// the test ends. Entries are read back with the wide calls, so a name the ANSI
// code page cannot show is still found (it reads with "?" in its place).
class RealTestFolder final : public TestFolder {
 public:
  RealTestFolder();
  ~RealTestFolder() override;
  AnsiText Path() const override { return m_path; }
  FileSystem& Files() override { return m_files; }
  void MakeFile(const AnsiText& name, const AnsiText& contents) override;
  void MakeFolder(const AnsiText& name) override;
  std::map<AnsiText, AnsiText> Entries() override;
  bool KeepsCaseOnRenameToItself() const override;

  // The folder's path in UTF-16, for files made with the wide calls.
  std::wstring WidePath() const;

 private:
  AnsiText m_path;
  Win32FileSystem m_files;
};

std::unique_ptr<TestFolder> MakeRealFolder();
