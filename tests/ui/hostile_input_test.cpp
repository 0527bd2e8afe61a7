// Input a user can type, paste or cause through the real window that the
// program must survive: very long pastes, full-width and oversized numbers, a
// digit count of two billion over many rows, and the window closed in the
// middle of a listing or a rename run.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "list/folder_loading.h"
#include "list/working_folder.h"
#include "rename_promise.h"
#include "test_folder_win32.h"
#include "text/text.h"
#include "window_test_support.h"

namespace {

using enum ControlId;

// Pastes the text over the whole of the box, as Ctrl+V over a selection
// does. The clipboard is shared by every program of the session, and test
// programs run side by side, so the text goes in by the edit control's own
// replacement of the selection, which is what its paste does with the
// clipboard's text.
void Paste(HWND box, const AnsiText& text) {
  SendMessageA(box, EM_SETSEL, 0, -1);
  SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  PumpUntilIdle();
}

// The path a Linux path of the build has under Wine, where / is drive Z:.
AnsiText WinePath(const char* linuxPath) {
  AnsiText path = linuxPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return "Z:" + path;
}

// The close box of the caption, as the system sends it.
void PostClose(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

class HostileInputTest : public WindowTest {
 protected:
  // The previews the window shows against what the rules make of the
  // controls as they are now.
  void ExpectPreviewsFollowTheControls() {
    const RuleReading reading = window.ReadRuleSettings();
    for (int32_t row = 0; row < window.Rows().RowCount(); ++row) {
      const AnsiText oldName = window.Rows().GetCell(row, kOldNameColumn);
      EXPECT_EQ(Preview(row), ComputePreview(oldName, row, reading.mode, reading.settings)) << "row " << row;
    }
  }

  std::vector<std::string> Previews() {
    std::vector<std::string> previews;
    for (int32_t row = 0; row < window.Rows().RowCount(); ++row) previews.push_back(Preview(row));
    return previews;
  }
};

// ---------------------------------------------------------------------------
// Pasting 100,000 characters.

struct BoxCase {
  const char* name;
  ControlId box;
  int32_t tab;  // the page holding the box
};

const BoxCase kEditBoxes[] = {
    {"start number", 编辑框_开始于, 0},    {"digit count", 编辑框_位数, 0},
    {"extra text", 编辑框_附加内容, 0},    {"sought text", 编辑框_欲替换, 1},
    {"replacement", 编辑框_替换成, 1},     {"delete text", 编辑框_删除, 2},
    {"insert position", 编辑框_插入位, 3}, {"insert text", 编辑框_插入字符, 3},
};

// 100,000 characters: Chinese ones, digits, letters, a dot and a minus, so
// every rule finds something in it to work on.
AnsiText LongPaste() {
  const AnsiText pattern =
      "\xD6\xD0"
      "9a.-";  // 中9a.-
  AnsiText text;
  for (int k = 0; k < 100000 / 5; ++k) text += pattern;
  return text;
}

TEST_F(HostileInputTest, AHundredThousandPastedCharactersInAnyBoxLeaveTheWindowSound) {
  AddRows({"photo.jpg", "\xD6\xD0\xCE\xC4\xC3\xFB.txt", "a", "9a.-"});
  const AnsiText pasted = LongPaste();
  for (const BoxCase& row : kEditBoxes) {
    SCOPED_TRACE(row.name);
    ClickTab(row.tab);
    const AnsiText before = window.ReadText(row.box);
    // Written again, the box's own value refreshes the previews.
    window.WriteText(row.box, before);
    PumpUntilIdle();
    const std::vector<std::string> previewsBefore = Previews();

    counter->refreshes = 0;
    Paste(Control(row.box), pasted);
    // How much the box keeps is the platform's choice; the previews follow
    // whatever it kept.
    const AnsiText kept = window.ReadText(row.box);
    EXPECT_FALSE(kept.empty());
    EXPECT_EQ(pasted.compare(0, kept.size(), kept), 0);
    EXPECT_GE(counter->refreshes, 1);
    ExpectPreviewsFollowTheControls();

    // Put back, the box gives back the previews it had.
    window.WriteText(row.box, before);
    PumpUntilIdle();
    EXPECT_EQ(Previews(), previewsBefore);
  }
  EXPECT_TRUE(IsWindow(window.Handle()));
}

// ---------------------------------------------------------------------------
// Numbers as a user may paste them.

struct NumberCase {
  const char* name;
  int32_t tab;
  std::vector<std::pair<ControlId, AnsiText>> pastes;  // in order
  const char* preview;                                 // of "photo.jpg" in row 0
};

const NumberCase kNumberCases[] = {
    {"full-width start number", 0, {{编辑框_开始于, "\xA3\xB1\xA3\xB2"}}, "0012.jpg"},  // １２
    {"full-width minus", 0, {{编辑框_开始于, "\xA3\xAD\xA3\xB3"}}, "00-3.jpg"},         // －３
    {"full-width blank first", 0, {{编辑框_开始于, "\xA1\xA1\xA3\xB7"}}, "0007.jpg"},   // 　７
    {"full-width digit count", 0, {{编辑框_位数, "\xA3\xB3"}}, "001.jpg"},              // ３
    {"full-width insert position", 3, {{编辑框_插入字符, "X"}, {编辑框_插入位, "\xA3\xB2"}}, "phXoto.jpg"},
    // Digits are read in 32-bit arithmetic that wraps around.
    {"start number 2^32 + 1", 0, {{编辑框_开始于, "4294967297"}}, "0001.jpg"},
    {"start number 2^31", 0, {{编辑框_开始于, "2147483648"}}, "-2147483648.jpg"},
    {"start number of eleven digits", 0, {{编辑框_开始于, "99999999999"}}, "1215752191.jpg"},
    {"digit count 2^32 + 4", 0, {{编辑框_位数, "4294967300"}}, "0001.jpg"},
    {"digit count 2^32 - 1", 0, {{编辑框_位数, "4294967295"}}, "1.jpg"},
    {"insert position 2^32 + 2", 3, {{编辑框_插入字符, "X"}, {编辑框_插入位, "4294967298"}}, "phXoto.jpg"},
    // １２３４５６７８９０１２ wraps to a negative position: nothing of the name is kept.
    {"full-width insert position past 32 bits",
     3,
     {{编辑框_插入字符, "X"},
      {编辑框_插入位,
       "\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xB4\xA3\xB5\xA3\xB6\xA3\xB7\xA3\xB8\xA3\xB9\xA3\xB0\xA3\xB1\xA3\xB2"}},
     "X"},
    {"delete position past 32 bits", 2, {{编辑框_删除, "4294967299"}}, "oto.jpg"},
};

void PrintTo(const NumberCase& row, std::ostream* out) { *out << row.name; }

class PastedNumberTest : public HostileInputTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(PastedNumberTest, IsReadAsTheNumberItSpells) {
  const NumberCase& row = GetParam();
  AddRows({"photo.jpg"});
  ClickTab(row.tab);
  if (row.tab == 2) {
    // By position, from the left.
    ChooseItem(组合框_字符位置, 1);
    ChooseItem(组合框_左右位置, 0);
  }
  for (const auto& [box, text] : row.pastes) Paste(Control(box), text);
  EXPECT_EQ(window.ReadText(row.pastes.back().first), row.pastes.back().second);
  EXPECT_EQ(Preview(0), row.preview);
}

INSTANTIATE_TEST_SUITE_P(Cases, PastedNumberTest, ::testing::ValuesIn(kNumberCases),
                         [](const ::testing::TestParamInfo<NumberCase>& info) {
                           std::string name;
                           for (const char c : std::string(info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

// ---------------------------------------------------------------------------
// A digit count of two billion over 10,000 rows: each preview would be two
// gigabytes of zeros; the zeros are capped, so the refresh returns and the
// rows hold a bounded amount.

TEST_F(HostileInputTest, AHugeDigitCountOverTenThousandRowsGivesCappedPreviews) {
  constexpr int32_t kRows = 10000;
  std::vector<std::string> names;
  for (int32_t k = 0; k < kRows; ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "file%05d.txt", static_cast<int>(k));
    names.push_back(name);
  }
  AddRows(names);
  for (const char* digitCount : {"2000000000", "2147483647",
                                 "\xA3\xB2"
                                 "000000000"}) {  // ２000000000
    SCOPED_TRACE(digitCount);
    counter->refreshes = 0;
    Paste(Control(编辑框_位数), digitCount);
    EXPECT_EQ(counter->refreshes, 1);
    std::size_t total = 0;
    for (int32_t row = 0; row < kRows; ++row) {
      const AnsiText preview = Preview(row);
      const AnsiText number = IntegerToText(row + 1);
      const AnsiText zeros(static_cast<std::size_t>(kLongestRepeat), '0');
      ASSERT_EQ(preview, zeros + number + ".txt") << "row " << row;
      total += preview.size();
    }
    EXPECT_LE(total, static_cast<std::size_t>(kRows) * (kLongestRepeat + 16));
  }
  // The list view draws from the same capped texts.
  char shown[64] = {};
  ListView_GetItemText(Control(超级列表框1), 0, kPreviewColumn, shown, sizeof shown);
  EXPECT_EQ(std::string(shown), std::string(sizeof shown - 1, '0'));
}

// ---------------------------------------------------------------------------
// Closing the window while a folder of 100,000 files is being listed.

// Closes the window, as its close box does, at the first timer tick that
// finds a listing running: the listing dispatches the window's messages as it
// goes, so the close reaches the window in its middle.
class CloseDuringListing {
 public:
  explicit CloseDuringListing(HWND window) {
    s_window = window;
    s_posted = false;
    m_timer = SetTimer(nullptr, 0, 10, &CloseDuringListing::OnTimer);
  }
  ~CloseDuringListing() { KillTimer(nullptr, m_timer); }

  bool Posted() const { return s_posted; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (s_posted || !IsListing()) return;
    s_posted = true;
    PostClose(s_window);
  }

  static inline HWND s_window = nullptr;
  static inline bool s_posted = false;
  UINT_PTR m_timer = 0;
};

TEST_F(HostileInputTest, ClosingDuringALongListingEndsTheListingAndTheWindow) {
  const AnsiText folder = WinePath(QUILLMERE_LISTING_FOLDER);
  ASSERT_NE(GetFileAttributesA((folder + "\\file099999.txt").c_str()), INVALID_FILE_ATTRIBUTES)
      << "the build makes " << folder;
  AddRows({"earlier.txt"});
  const HWND main = window.Handle();
  FolderDialogUser user(FolderDialogUser::Action::ChoosePath, folder);
  CloseDuringListing closer(main);

  PostMessageA(Control(按钮1), BM_CLICK, 0, 0);
  const QuitSeen quit = PumpUntilIdleKeepingQuit();

  ASSERT_TRUE(user.finished) << user.failure;
  EXPECT_TRUE(user.failure.empty()) << user.failure;
  EXPECT_TRUE(closer.Posted());
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(IsListing());
  // The message loop still learns that the program ends, with exit code 0.
  EXPECT_TRUE(quit.seen);
  EXPECT_EQ(quit.exitCode, 0u);
  EXPECT_EQ(WorkingFolder(), folder);
  // The listing stopped early: the earlier rows are gone and the folder's
  // files never all arrived.
  EXPECT_LT(window.Rows().RowCount(), 100000);
  for (int32_t row = 0; row < window.Rows().RowCount(); ++row)
    EXPECT_NE(window.Rows().GetCell(row, kOldNameColumn), "earlier.txt");
}

// ---------------------------------------------------------------------------
// Closing the window during a rename run.

// Passes every change on to the window's list view; as the run reaches one
// row it posts what a click on the close box in that moment would.
class CloseDuringRun final : public ListDisplay {
 public:
  CloseDuringRun(ListDisplay& shown, HWND window, int32_t atRow)
      : m_shown(shown), m_window(window), m_atRow(atRow) {}

  bool posted = false;

  void RowsCleared() override { m_shown.RowsCleared(); }
  void RowAppended(int32_t row) override { m_shown.RowAppended(row); }
  void CellChanged(int32_t row, int32_t column) override { m_shown.CellChanged(row, column); }
  void ScrollIntoView(int32_t row) override {
    m_shown.ScrollIntoView(row);
    if (posted || row != m_atRow) return;
    posted = true;
    PostClose(m_window);
  }
  void ResultColumnReset() override { m_shown.ResultColumnReset(); }

 private:
  ListDisplay& m_shown;
  HWND m_window;
  int32_t m_atRow;
};

TEST_F(HostileInputTest, ClosingDuringARunLetsTheRunFinishAndKeepItsPromise) {
  constexpr int kFiles = 300;
  RealTestFolder folder;
  std::vector<std::string> names;
  for (int k = 0; k < kFiles; ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "f%03d.txt", k);
    folder.MakeFile(name, "contents of " + std::string(name));
    names.push_back(name);
  }
  // Shifted by one: each new name but the last is the next row's old name.
  AddRows(names);
  window.WriteText(编辑框_位数, "3");
  window.WriteText(编辑框_附加内容, "f");
  PumpUntilIdle();
  ASSERT_EQ(Preview(0), "f001.txt");
  SetWorkingFolder(folder.Path());

  const std::map<AnsiText, AnsiText> before = folder.Entries();
  const std::vector<RowBefore> rows = RowsOf(window.Rows());
  const HWND main = window.Handle();
  CloseDuringRun closer(window.Display(), main, kFiles / 2);
  window.Rows().AttachDisplay(&closer);

  PostMessageA(Control(按钮2), BM_CLICK, 0, 0);
  const QuitSeen quit = PumpUntilIdleKeepingQuit();

  EXPECT_TRUE(closer.posted);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_TRUE(quit.seen);
  // The close waited for the run, which dispatches nothing: every row
  // renamed, as promised.
  for (int32_t row = 0; row < kFiles; ++row) EXPECT_EQ(window.Rows().GetCell(row, kResultColumn), "OK");
  EXPECT_EQ(BrokenPromises(before, rows, window.Rows(), folder.Entries(), {}, folder.Path(), false),
            std::vector<std::string>());
  SetWorkingFolder("");
}

}  // namespace
