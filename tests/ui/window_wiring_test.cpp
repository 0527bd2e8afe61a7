// The Open and Execute buttons and the list view's drop target of the real
// main window, driven as a user drives them, on real folders: what the disk
// holds afterwards, what the rows and the list view show, and what a click or
// a drop does while a folder is being listed.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "list/folder_loading.h"
#include "list/working_folder.h"
#include "loading_test_support.h"
#include "test_folder_win32.h"
#include "window_test_support.h"

namespace {

using enum ControlId;

using Names = std::vector<AnsiText>;
using Entries = std::map<AnsiText, AnsiText>;

constexpr DWORD kAllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

bool SamePath(const AnsiText& left, const AnsiText& right) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, left.c_str(), -1, right.c_str(), -1) == CSTR_EQUAL;
}

// The drop target OLE finds on a window: the one RegisterDragDrop put there.
IDropTarget* RegisteredDropTarget(HWND window) {
  return static_cast<IDropTarget*>(GetPropA(window, "OleDropTargetInterface"));
}

// Drags the data over the target and releases it, as OLE calls a target.
// Returns Drop's answer; `effect` is the effect Drop reported.
HRESULT DragAndDrop(IDropTarget* target, IDataObject* data, DWORD& effect) {
  const POINTL point{40, 40};
  effect = kAllEffects;
  EXPECT_EQ(target->DragEnter(data, 0, point, &effect), S_OK);
  effect = kAllEffects;
  EXPECT_EQ(target->DragOver(0, point, &effect), S_OK);
  effect = kAllEffects;
  return target->Drop(data, 0, point, &effect);
}

HRESULT DropFiles(IDropTarget* target, const Names& paths) {
  TestDataObject* data = TestDataObject::Files(paths);
  DWORD effect = 0;
  const HRESULT answer = DragAndDrop(target, data, effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  data->Release();
  return answer;
}

// The clicks the main window receives from its push buttons, each with
// whether a folder was being listed at the time.
class ClickLog {
 public:
  using Click = std::pair<ControlId, bool>;

  explicit ClickLog(HWND window) : m_window(window) {
    s_log = this;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, &ClickLog::Record, nullptr, GetCurrentThreadId());
    EXPECT_NE(m_hook, nullptr);
  }
  ~ClickLog() {
    if (m_hook != nullptr) UnhookWindowsHookEx(m_hook);
    s_log = nullptr;
  }
  ClickLog(const ClickLog&) = delete;
  ClickLog& operator=(const ClickLog&) = delete;

  std::vector<Click> clicks;

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && s_log != nullptr && call.hwnd == s_log->m_window && call.message == WM_COMMAND &&
        HIWORD(call.wParam) == BN_CLICKED) {
      s_log->clicks.emplace_back(static_cast<ControlId>(LOWORD(call.wParam)), IsListing());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline ClickLog* s_log = nullptr;
  HWND m_window;
  HHOOK m_hook = nullptr;
};

// The main window over a real folder under the system's temporary folder.
class WiringTest : public WindowTest {
 protected:
  void SetUp() override {
    SetWorkingFolder("");
    WindowTest::SetUp();
  }

  void TearDown() override {
    WindowTest::TearDown();
    SetWorkingFolder("");
  }

  // A click on a push button as the mouse delivers it, and everything it
  // causes.
  void Click(ControlId button) {
    PostMessageA(Control(button), BM_CLICK, 0, 0);
    PumpUntilIdle();
  }

  Names Cells(int32_t column) { return Column(window.Rows(), column); }
  AnsiText PathOf(const AnsiText& name) const { return folder.Path() + "\\" + name; }

  // What the list view control itself displays, row by row.
  Names Shown(int32_t column) {
    const HWND listView = Control(超级列表框1);
    // Rows appended out of view reach the control on a timer of its own.
    EXPECT_TRUE(PumpUntil([&] { return ListView_GetItemCount(listView) == window.Rows().RowCount(); }));
    Names shown;
    for (int32_t row = 0; row < ListView_GetItemCount(listView); ++row) {
      char text[512] = {};
      ListView_GetItemText(listView, row, column, text, sizeof text);
      shown.push_back(text);
    }
    return shown;
  }

  Entries OnDisk() { return folder.Entries(); }

  // The rows a listing of the folder gives: its subfolders but the dotted
  // ones, then its files, each group in the platform's order.
  Names Listed() const {
    const RawListing raw = ListRaw(folder.Path() + "\\*.*");
    Names names;
    for (const AnsiText& name : raw.folders) {
      if (name[0] != '.') names.push_back(name);
    }
    names.insert(names.end(), raw.files.begin(), raw.files.end());
    return names;
  }

  RealTestFolder folder;
};

// ---------------------------------------------------------------------------
// Execute.

using ExecuteTest = WiringTest;

TEST_F(ExecuteTest, RenamesEveryRowOnDiskAndMarksItAndTheListShowsTheNewNames) {
  folder.MakeFile("p0002.txt", "was p0002");
  folder.MakeFile("p0001.txt", "was p0001");
  folder.MakeFile("c.txt", "was c");
  folder.MakeFile("d.txt", "was d");
  folder.MakeFile("p0004.txt", "not listed");
  folder.MakeFolder("sub");
  SetWorkingFolder(folder.Path());
  // Rows 0 and 1 swap names; d.txt wants the name an unlisted file holds;
  // gone.txt has vanished from the disk.
  AddRows({"p0002.txt", "p0001.txt", "c.txt", "d.txt", "gone.txt", "sub"});
  Type(编辑框_附加内容, "p");
  const Names previews = {"p0001.txt", "p0002.txt", "p0003.txt", "p0004.txt", "p0005.txt", "p0006"};
  ASSERT_EQ(Cells(kPreviewColumn), previews);
  const int refreshes = counter->refreshes;

  Click(按钮2);

  const Entries renamed = {{"p0001.txt", "was p0002"}, {"p0002.txt", "was p0001"},  {"p0003.txt", "was c"},
                           {"d.txt", "was d"},         {"p0004.txt", "not listed"}, {"p0006", kFolderMark}};
  EXPECT_EQ(OnDisk(), renamed);
  const Names results = {"OK", "OK", "OK", "NO", "NO", "OK"};
  const Names names = {"p0001.txt", "p0002.txt", "p0003.txt", "d.txt", "gone.txt", "p0006"};
  EXPECT_EQ(Cells(kResultColumn), results);
  EXPECT_EQ(Cells(kOldNameColumn), names);
  EXPECT_EQ(Shown(kOldNameColumn), names);
  EXPECT_EQ(Shown(kResultColumn), results);
  // Nothing refreshed the previews after the run, which would have emptied
  // the results.
  EXPECT_EQ(counter->refreshes, refreshes);
  EXPECT_EQ(Cells(kPreviewColumn), previews);

  // A second click: every renamed row already has its name, passes through
  // its temporary name and is back; the others fail as before.
  Click(按钮2);

  EXPECT_EQ(OnDisk(), renamed);
  EXPECT_EQ(Cells(kResultColumn), results);
  EXPECT_EQ(Cells(kOldNameColumn), names);
  EXPECT_EQ(Shown(kResultColumn), results);
}

TEST_F(ExecuteTest, WithNoWorkingFolderMarksEveryRowFailedAndTouchesNothing) {
  folder.MakeFile("a.txt", "a");
  folder.MakeFile("b.txt", "b");
  AddRows({"b.txt", "a.txt"});
  Type(编辑框_附加内容, "p");
  const Entries before = OnDisk();
  // Were the names taken as relative paths, they would find these files.
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));

  Click(按钮2);

  SetCurrentDirectoryA(previous);
  EXPECT_EQ(OnDisk(), before);
  EXPECT_EQ(Cells(kResultColumn), Names({"NO", "NO"}));
  EXPECT_EQ(Shown(kResultColumn), Names({"NO", "NO"}));
  EXPECT_EQ(Shown(kOldNameColumn), Names({"b.txt", "a.txt"}));
}

// ---------------------------------------------------------------------------
// Open.

using OpenTest = WiringTest;

TEST_F(OpenTest, ListsTheChosenFolderSubfoldersFirstUnderTheCurrentRule) {
  folder.MakeFolder("sub2");
  folder.MakeFolder("sub1");
  folder.MakeFolder(".dotted");
  folder.MakeFile("b.dat", "b");
  folder.MakeFile("a.txt", "a");
  folder.MakeFile(".config", "c");
  folder.MakeFile("sub1\\nested.txt", "n");
  AddRows({"earlier.txt"});
  window.Rows().SetCell(0, kResultColumn, "OK");
  SetWorkingFolder("C:\\before");
  const FolderDialogUser user(FolderDialogUser::Action::ChoosePath, folder.Path());

  Click(按钮1);

  ASSERT_TRUE(user.finished);
  EXPECT_EQ(user.failure, "");
  EXPECT_EQ(user.owner, window.Handle());
  EXPECT_TRUE(SamePath(WorkingFolder(), folder.Path())) << WorkingFolder();
  const Names listed = Listed();
  ASSERT_EQ(listed.size(), 5u);
  EXPECT_EQ(Names(listed.begin(), listed.begin() + 2), Names({"sub1", "sub2"}));
  EXPECT_EQ(Cells(kOldNameColumn), listed);
  EXPECT_EQ(Shown(kOldNameColumn), listed);
  // Numbered in row order; a name's extension is kept.
  for (int32_t row = 0; row < static_cast<int32_t>(listed.size()); ++row) {
    const AnsiText& name = listed[static_cast<std::size_t>(row)];
    const std::size_t dot = name.find_last_of('.');
    char number[8];
    std::snprintf(number, sizeof number, "%04d", row + 1);
    const AnsiText expected = number + (dot == AnsiText::npos ? AnsiText() : name.substr(dot));
    EXPECT_EQ(window.Rows().GetCell(row, kPreviewColumn), expected) << name;
  }
  EXPECT_EQ(Shown(kPreviewColumn), Cells(kPreviewColumn));
  EXPECT_EQ(Cells(kResultColumn), Names(5, ""));
}

TEST_F(OpenTest, ACancelledDialogKeepsTheRowsRefreshedAndEmptiesTheWorkingFolder) {
  folder.MakeFile("a.txt", "a");
  AddRows({"x.txt", "y"});
  for (int32_t row = 0; row < 2; ++row) {
    window.Rows().SetCell(row, kPreviewColumn, "stale");
    window.Rows().SetCell(row, kResultColumn, "OK");
  }
  SetWorkingFolder(folder.Path());
  const FolderDialogUser user(FolderDialogUser::Action::Cancel);

  Click(按钮1);

  EXPECT_TRUE(user.dialogSeen);
  EXPECT_EQ(WorkingFolder(), "");
  EXPECT_EQ(Cells(kOldNameColumn), Names({"x.txt", "y"}));
  EXPECT_EQ(Shown(kPreviewColumn), Names({"0001.txt", "0002"}));
  EXPECT_EQ(Shown(kResultColumn), Names({"", ""}));
  EXPECT_EQ(OnDisk(), Entries({{"a.txt", "a"}}));
}

// ---------------------------------------------------------------------------
// Dropping files onto the list view.

using DropTest = WiringTest;

TEST_F(DropTest, FilesDroppedOnTheListViewReplaceTheRowsAndCanThenBeRenamed) {
  folder.MakeFile("x.txt", "x");
  folder.MakeFile("y.txt", "y");
  folder.MakeFolder("sub");
  AddRows({"earlier.txt"});
  SetWorkingFolder("C:\\before");
  // The target sits on the list view, not on the window around it.
  IDropTarget* target = RegisteredDropTarget(Control(超级列表框1));
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(RegisteredDropTarget(window.Handle()), nullptr);

  EXPECT_EQ(DropFiles(target, {PathOf("x.txt"), PathOf("sub"), PathOf("y.txt")}), E_FAIL);
  PumpUntilIdle();

  EXPECT_EQ(WorkingFolder(), folder.Path() + "\\");
  EXPECT_EQ(Cells(kOldNameColumn), Names({"x.txt", "sub", "y.txt"}));
  EXPECT_EQ(Shown(kOldNameColumn), Names({"x.txt", "sub", "y.txt"}));
  EXPECT_EQ(Shown(kPreviewColumn), Names({"0001.txt", "0002", "0003.txt"}));

  // The working folder ends in "\": each path the run makes has it doubled.
  Click(按钮2);

  EXPECT_EQ(Shown(kResultColumn), Names({"OK", "OK", "OK"}));
  EXPECT_EQ(OnDisk(), Entries({{"0001.txt", "x"}, {"0002", kFolderMark}, {"0003.txt", "y"}}));
}

TEST_F(DropTest, DataWithoutAFileListIsRefusedAndChangesNothing) {
  AddRows({"earlier.txt"});
  SetWorkingFolder("C:\\before");
  IDropTarget* target = RegisteredDropTarget(Control(超级列表框1));
  ASSERT_NE(target, nullptr);
  TestDataObject* text = TestDataObject::TextOnly(PathOf("x.txt"));
  DWORD effect = 0;

  EXPECT_EQ(DragAndDrop(target, text, effect), E_FAIL);
  PumpUntilIdle();

  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(text->dataRequests, 0);
  text->Release();
  EXPECT_EQ(WorkingFolder(), "C:\\before");
  EXPECT_EQ(Shown(kOldNameColumn), Names({"earlier.txt"}));
}

// ---------------------------------------------------------------------------
// Clicks and drops while the Open button's listing runs.

// Passes every change on to the window's list view, and watches the listing:
// it runs a step when the listing clears the rows and when the listing's
// row `watchedRow` gets its name, and counts what a rename run would do to
// the rows meanwhile.
class ListingWatch final : public ListDisplay {
 public:
  ListingWatch(ListDisplay& shown, int32_t watchedRow) : m_shown(shown), m_watchedRow(watchedRow) {}

  std::function<void()> onCleared;
  std::function<void()> onWatchedRowNamed;
  int scrolledWhileListing = 0;
  int resultsWrittenWhileListing = 0;

  void RowsCleared() override {
    m_shown.RowsCleared();
    if (IsListing() && onCleared) std::exchange(onCleared, nullptr)();
  }
  void RowAppended(int32_t row) override { m_shown.RowAppended(row); }
  void CellChanged(int32_t row, int32_t column) override {
    m_shown.CellChanged(row, column);
    if (!IsListing()) return;
    if (column == kResultColumn) ++resultsWrittenWhileListing;
    if (column == kOldNameColumn && row == m_watchedRow && onWatchedRowNamed)
      std::exchange(onWatchedRowNamed, nullptr)();
  }
  void ScrollIntoView(int32_t row) override {
    m_shown.ScrollIntoView(row);
    if (IsListing()) ++scrolledWhileListing;
  }
  void ResultColumnReset() override { m_shown.ResultColumnReset(); }

 private:
  ListDisplay& m_shown;
  int32_t m_watchedRow;
};

class ListingReentryTest : public WiringTest {
 protected:
  void SetUp() override {
    WiringTest::SetUp();
    folder.MakeFolder("s1");
    folder.MakeFolder("s2");
    for (int k = 1; k <= 5; ++k)
      folder.MakeFile("f" + std::to_string(k) + ".txt", "file " + std::to_string(k));
    // The second subfolder row is the last row present while the files are
    // listed.
    watch = std::make_unique<ListingWatch>(window.Display(), 1);
    window.Rows().AttachDisplay(watch.get());
  }

  void TearDown() override {
    window.Rows().AttachDisplay(nullptr);
    WiringTest::TearDown();
  }

  // What a user does in the middle of the listing: a click on Execute, and
  // files dragged from elsewhere and dropped onto the list.
  void PostExecuteAndDrop() {
    PostMessageA(Control(按钮2), BM_CLICK, 0, 0);
    PostMessageA(dropSource.Handle(), WM_COMMAND, 1, 0);
  }

  static void DropFromElsewhere(void* self, int) {
    auto& test = *static_cast<ListingReentryTest*>(self);
    if (IDropTarget* target = RegisteredDropTarget(test.Control(超级列表框1)))
      test.dropAnswers.push_back(DropFiles(target, {"C:\\elsewhere\\dropped.txt"}));
  }

  std::unique_ptr<ListingWatch> watch;
  TestWindow dropSource{&ListingReentryTest::DropFromElsewhere, this};
  std::vector<HRESULT> dropAnswers;
};

TEST_F(ListingReentryTest, AnExecuteClickAndADropArrivingDuringTheListingAreIgnored) {
  const Entries before = OnDisk();
  const ClickLog log(window.Handle());
  bool listingWhenDispatched = false;
  int32_t rowsWhenDispatched = 0;
  std::size_t dropsWhenDispatched = 0;
  // The listing's pump dispatches whatever waits between two files. The watch
  // looks at the queue the same way once the subfolder rows are in, where
  // the first file's look finds the rows, and the click and the drop arrive.
  watch->onWatchedRowNamed = [&] {
    PostExecuteAndDrop();
    PumpUntilIdle();
    listingWhenDispatched = IsListing();
    rowsWhenDispatched = window.Rows().RowCount();
    dropsWhenDispatched = dropAnswers.size();
  };
  const FolderDialogUser user(FolderDialogUser::Action::ChoosePath, folder.Path());

  Click(按钮1);

  ASSERT_TRUE(user.finished);
  EXPECT_EQ(user.failure, "");
  EXPECT_TRUE(listingWhenDispatched);
  EXPECT_EQ(rowsWhenDispatched, 2);
  EXPECT_EQ(dropsWhenDispatched, 1u);
  EXPECT_EQ(dropAnswers, std::vector<HRESULT>({E_FAIL}));
  EXPECT_EQ(log.clicks, std::vector<ClickLog::Click>({{按钮1, false}, {按钮2, true}}));
  // Execute ran no rename over the rows present.
  EXPECT_EQ(watch->scrolledWhileListing, 0);
  EXPECT_EQ(watch->resultsWrittenWhileListing, 0);
  EXPECT_EQ(OnDisk(), before);
  // The drop did not mix its rows in or take the working folder.
  EXPECT_TRUE(SamePath(WorkingFolder(), folder.Path())) << WorkingFolder();
  EXPECT_EQ(Cells(kOldNameColumn), Listed());
  EXPECT_EQ(Shown(kPreviewColumn),
            Names({"0001", "0002", "0003.txt", "0004.txt", "0005.txt", "0006.txt", "0007.txt"}));
  EXPECT_EQ(Shown(kResultColumn), Names(7, ""));

  // Once the listing is over, the same click and drop do their work.
  PostExecuteAndDrop();
  PumpUntilIdle();

  EXPECT_EQ(OnDisk(), Entries({{"0001", kFolderMark},
                               {"0002", kFolderMark},
                               {"0003.txt", "file 1"},
                               {"0004.txt", "file 2"},
                               {"0005.txt", "file 3"},
                               {"0006.txt", "file 4"},
                               {"0007.txt", "file 5"}}));
  EXPECT_EQ(log.clicks, std::vector<ClickLog::Click>({{按钮1, false}, {按钮2, true}, {按钮2, false}}));
  EXPECT_EQ(dropAnswers, std::vector<HRESULT>({E_FAIL, E_FAIL}));
  EXPECT_EQ(WorkingFolder(), "C:\\elsewhere\\");
  EXPECT_EQ(Shown(kOldNameColumn), Names({"dropped.txt"}));
}

TEST_F(ListingReentryTest, AClosePostedDuringTheListingEndsTheListingAndTheWindow) {
  const Entries before = OnDisk();
  const HWND main = window.Handle();
  const ClickLog log(main);
  // Posted as the listing starts, behind an Execute click and a drop.
  watch->onCleared = [&] {
    PostExecuteAndDrop();
    PostMessageA(main, WM_CLOSE, 0, 0);
  };
  const FolderDialogUser user(FolderDialogUser::Action::ChoosePath, folder.Path());

  PostMessageA(Control(按钮1), BM_CLICK, 0, 0);
  const QuitSeen quit = PumpUntilIdleKeepingQuit();

  ASSERT_TRUE(user.finished);
  EXPECT_EQ(user.failure, "");
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(IsListing());
  // The message loop still learns that the program ends, with exit code 0.
  EXPECT_TRUE(quit.seen);
  EXPECT_EQ(quit.exitCode, 0u);
  EXPECT_EQ(log.clicks, std::vector<ClickLog::Click>({{按钮1, false}, {按钮2, true}}));
  EXPECT_EQ(dropAnswers, std::vector<HRESULT>({E_FAIL}));
  EXPECT_TRUE(SamePath(WorkingFolder(), folder.Path())) << WorkingFolder();
  EXPECT_EQ(watch->scrolledWhileListing, 0);
  EXPECT_EQ(OnDisk(), before);
  // Stopped while the folder was read: none of its rows arrived.
  EXPECT_EQ(window.Rows().RowCount(), 0);
}

}  // namespace
