// The two-pass rename on a real folder against bare MoveFileA calls in the
// same folder. Under Wine a rename's cost grows with the folder's size, so the
// run is compared with 2N bare calls at N = 2,000 files, and the cost of one
// call is given at 2,000 and at 10,000 files, for the run and for MoveFileA.
// Prints "name<TAB>figure<TAB>unit<TAB>baseline" lines.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "list/rename_list.h"
#include "rename/file_system_win32.h"
#include "rename/two_pass_rename.h"

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Numbered(const char* stem, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%05d.txt", stem, number);
  return name;
}

// A fresh folder under the temporary folder holding `count` empty files
// f00000.txt, f00001.txt, ...; removed with its files when done.
class BenchFolder {
 public:
  explicit BenchFolder(int count) {
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    m_path = std::string(temporary) + "quillmere-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(count);
    CreateDirectoryA(m_path.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
      const HANDLE file = CreateFileA(Path(Numbered("f", i)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
  }
  ~BenchFolder() {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(Path(found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(m_path.c_str());
  }
  const std::string& Folder() const { return m_path; }
  std::string Path(const std::string& name) const { return m_path + "\\" + name; }

 private:
  std::string m_path;
};

// Seconds for `rows` rows renaming f<i> to g<i> and, in a second run, back.
double TimeRuns(const BenchFolder& folder, int rows) {
  RenameList list;
  for (int i = 0; i < rows; ++i) {
    const int32_t row = list.AppendRow();
    list.SetCell(row, kOldNameColumn, Numbered("f", i));
    list.SetCell(row, kPreviewColumn, Numbered("g", i));
  }
  Win32FileSystem files;
  const double start = Seconds();
  RunRename(list, folder.Folder(), files);
  for (int i = 0; i < rows; ++i) list.SetCell(i, kPreviewColumn, Numbered("f", i));
  RunRename(list, folder.Folder(), files);
  const double elapsed = Seconds() - start;
  for (int i = 0; i < rows; ++i) {
    if (list.GetCell(i, kResultColumn) != "OK") std::fprintf(stderr, "row %d of the run failed\n", i);
  }
  return elapsed;
}

// Seconds for f<i> to g<i> and back with bare MoveFileA, two calls a file.
double TimeBareMoves(const BenchFolder& folder, int files) {
  const double start = Seconds();
  for (int i = 0; i < files; ++i)
    MoveFileA(folder.Path(Numbered("f", i)).c_str(), folder.Path(Numbered("g", i)).c_str());
  for (int i = 0; i < files; ++i)
    MoveFileA(folder.Path(Numbered("g", i)).c_str(), folder.Path(Numbered("f", i)).c_str());
  return Seconds() - start;
}

void Print(const std::string& name, double figure, const char* unit, const std::string& baseline = "") {
  std::printf("%s\t%.3f\t%s\t%s\n", name.c_str(), figure, unit, baseline.c_str());
}

}  // namespace

int main() {
  {
    // A run over N files makes 2N calls; it is timed twice (there and back)
    // and compared with 2N bare calls.
    constexpr int kFiles = 2000;
    BenchFolder folder(kFiles);
    TimeBareMoves(folder, kFiles);  // warms the folder's cache
    const double bare = TimeBareMoves(folder, kFiles);
    const double runs = TimeRuns(folder, kFiles);
    Print("BareMoveFileA/calls:4000", bare * 1000, "ms");
    Print("RunRenameOnDisk/files:2000", runs * 1000 / 2, "ms", "BareMoveFileA/calls:4000");
    Print("MoveFileAPerCall/files:2000", bare * 1e6 / (2 * kFiles), "us");
    Print("RunRenamePerCall/files:2000", runs * 1e6 / (4 * kFiles), "us", "MoveFileAPerCall/files:2000");
  }
  {
    // In a folder of 10,000 files a sample of rows is enough to see the cost
    // of each call.
    constexpr int kFiles = 10000;
    constexpr int kSample = 500;
    BenchFolder folder(kFiles);
    const double bare = TimeBareMoves(folder, kSample);
    const double runs = TimeRuns(folder, kSample);
    Print("MoveFileAPerCall/files:10000", bare * 1e6 / (2 * kSample), "us");
    Print("RunRenamePerCall/files:10000", runs * 1e6 / (4 * kSample), "us", "MoveFileAPerCall/files:10000");
  }
  return 0;
}
