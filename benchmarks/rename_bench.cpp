// The two-pass rename of a 100,000-row list over the in-memory file system,
// against the bare 2N MoveEntry calls the run makes on the same folder: the
// difference is what the algorithm itself costs.
#include <benchmark/benchmark.h>

#include <string>

#include "list/rename_list.h"
#include "rename/memory_file_system.h"
#include "rename/two_pass_rename.h"
#include "sample_names.h"

namespace {

const AnsiText kFolder = "C:\\work";

// A folder of `count` files with sample names, and a list renaming each of
// them to a numbered name, as the sequence rule would.
void MakeFolderAndList(int32_t count, MemoryFileSystem& files, RenameList& list) {
  files.AddFolder(kFolder);
  int32_t number = 0;
  for (const AnsiText& name : SampleNames(count)) {
    if (!files.AddFile(kFolder + "\\" + name, name)) continue;  // a repeated sample name
    const int32_t row = list.AppendRow();
    list.SetCell(row, kOldNameColumn, name);
    list.SetCell(row, kPreviewColumn, "photo" + std::to_string(100000 + ++number) + ".jpg");
  }
}

// After the first run every row is "OK" with its new name as old name, so
// each further run renames every entry to its temporary name and back, the
// same 2N calls as the first.
void RunRenameInMemory(benchmark::State& state) {
  MemoryFileSystem files;
  RenameList list;
  MakeFolderAndList(static_cast<int32_t>(state.range(0)), files, list);
  for (auto _ : state) RunRename(list, kFolder, files);
  state.SetLabel("baseline=BareMemoryMoves/rows:" + std::to_string(state.range(0)));
  state.SetItemsProcessed(state.iterations() * list.RowCount());
}

void BareMemoryMoves(benchmark::State& state) {
  MemoryFileSystem files;
  RenameList list;
  MakeFolderAndList(static_cast<int32_t>(state.range(0)), files, list);
  std::vector<AnsiText> paths;
  std::vector<AnsiText> temporaries;
  for (int32_t row = 0; row < list.RowCount(); ++row) {
    paths.push_back(kFolder + "\\" + list.GetCell(row, kOldNameColumn));
    temporaries.push_back(kFolder + "\\AA-" + list.GetCell(row, kPreviewColumn));
  }
  for (auto _ : state) {
    for (std::size_t i = 0; i < paths.size(); ++i)
      benchmark::DoNotOptimize(files.MoveEntry(paths[i], temporaries[i]));
    for (std::size_t i = 0; i < paths.size(); ++i)
      benchmark::DoNotOptimize(files.MoveEntry(temporaries[i], paths[i]));
  }
  state.SetItemsProcessed(state.iterations() * list.RowCount());
}

BENCHMARK(RunRenameInMemory)->ArgName("rows")->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BareMemoryMoves)->ArgName("rows")->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
