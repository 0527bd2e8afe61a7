#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ui/control_ids.h"
#include "window_test_support.h"

namespace {

using enum ControlId;

constexpr int kOnWindow = -1;

// ---------------------------------------------------------------------------
// The window and its controls as they are created.

struct ExpectedControl {
  ControlId id;
  const char* name;
  const char* className;
  int page;  // kOnWindow, or the page of 选择夹1 holding it
  int left, top, width, height;
  const char* text;  // window text; for a drop-down list the items, then the selected one
  std::vector<std::string> items;
  int startValue;  // check box tick or selected item; -1 for neither
};

// Texts in code page 936.
const ExpectedControl kExpectedControls[] = {
    // clang-format off
    {按钮1, "按钮1", "Button", kOnWindow, 7, 5, 53, 24, "\xB4\xF2\xBF\xAA", {}, -1},                    // 打开
    {按钮2, "按钮2", "Button", kOnWindow, 62, 5, 53, 24, "\xD6\xB4\xD0\xD0\xA1\xCC", {}, -1},            // 执行√
    {选择夹1, "选择夹1", "SysTabControl32", kOnWindow, 8, 30, 584, 144, "", {}, -1},
    {超级列表框1, "超级列表框1", "SysListView32", kOnWindow, 8, 176, 582, 288, "", {}, -1},
    {透明标签1, "透明标签1", "Static", 0, 16, 34, 40, 24, "\xBF\xAA\xCA\xBC\xD3\xDA", {}, -1},          // 开始于
    {编辑框_开始于, "编辑框_开始于", "Edit", 0, 56, 37, 69, 18, "1", {}, -1},
    {调节器1, "调节器1", "msctls_updown32", 0, 128, 38, 24, 16, "", {}, -1},
    {透明标签2, "透明标签2", "Static", 0, 16, 58, 40, 24, "\xCE\xBB  \xCA\xFD", {}, -1},                // 位  数
    {编辑框_位数, "编辑框_位数", "Edit", 0, 56, 61, 68, 18, "4", {}, -1},
    {调节器2, "调节器2", "msctls_updown32", 0, 128, 62, 24, 16, "", {}, -1},
    {透明标签3, "透明标签3", "Static", 0, 17, 82, 40, 24, "\xB8\xBD  \xBC\xD3", {}, -1},                // 附  加
    {编辑框_附加内容, "编辑框_附加内容", "Edit", 0, 56, 85, 96, 19, "", {}, -1},
    {选择框_原名称, "选择框_原名称", "Button", 0, 16, 110, 56, 16, "\xD4\xAD\xC3\xFB\xB3\xC6", {}, 0},  // 原名称
    {选择框_附加左右, "选择框_附加左右", "Button", 0, 78, 110, 74, 16,
     "\xB8\xBD\xBC\xD3\xD7\xF3|\xD3\xD2", {}, 1},                                                    // 附加左|右
    {透明标签4, "透明标签4", "Static", 1, 16, 34, 40, 24, "\xD3\xFB\xCC\xE6\xBB\xBB", {}, -1},          // 欲替换
    {编辑框_欲替换, "编辑框_欲替换", "Edit", 1, 55, 37, 137, 19, "", {}, -1},
    {透明标签5, "透明标签5", "Static", 1, 16, 66, 40, 24, "\xCC\xE6\xBB\xBB\xB3\xC9", {}, -1},          // 替换成
    {编辑框_替换成, "编辑框_替换成", "Edit", 1, 55, 69, 137, 19, "", {}, -1},
    {透明标签6, "透明标签6", "Static", 2, 19, 32, 22, 24, "\xBD\xAB", {}, -1},                          // 将
    {组合框_字符位置, "组合框_字符位置", "ComboBox", 2, 36, 34, 68, 20, "\xC4\xB3\xD7\xD6\xB7\xFB",
     {"\xC4\xB3\xD7\xD6\xB7\xFB", "\xC4\xB3\xCE\xBB\xD6\xC3"}, 0},                                   // 某字符, 某位置
    {编辑框_删除, "编辑框_删除", "Edit", 2, 112, 34, 137, 19, "", {}, -1},
    {组合框_左右位置, "组合框_左右位置", "ComboBox", 2, 256, 34, 80, 20, "\xD7\xF3\xB1\xDF\xC9\xBE\xB3\xFD",
     {"\xD7\xF3\xB1\xDF\xC9\xBE\xB3\xFD", "\xD3\xD2\xB1\xDF\xC9\xBE\xB3\xFD"}, 0},                   // 左边删除, 右边删除
    {透明标签7, "透明标签7", "Static", 3, 16, 34, 32, 24, "\xD4\xDA\xB5\xDA", {}, -1},                  // 在第
    {编辑框_插入位, "编辑框_插入位", "Edit", 3, 42, 37, 40, 18, "0", {}, -1},
    {调节器3, "调节器3", "msctls_updown32", 3, 84, 38, 24, 16, "", {}, -1},
    {透明标签8, "透明标签8", "Static", 3, 114, 34, 40, 24, "\xCE\xBB\xB2\xE5\xC8\xEB", {}, -1},         // 位插入
    {编辑框_插入字符, "编辑框_插入字符", "Edit", 3, 156, 37, 156, 18, "", {}, -1},
    // clang-format on
};

bool HasStyle(HWND window, LONG_PTR style) { return (GetWindowLongPtrA(window, GWL_STYLE) & style) == style; }
bool HasExtendedStyle(HWND window, LONG_PTR style) {
  return (GetWindowLongPtrA(window, GWL_EXSTYLE) & style) == style;
}

using MainWindowLayoutTest = WindowTest;

TEST_F(MainWindowLayoutTest, EveryControlHasItsClassParentPlaceTextAndStartValue) {
  const HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ExpectedControl& expected : kExpectedControls) {
    SCOPED_TRACE(expected.name);
    const HWND control = Control(expected.id);
    ASSERT_NE(control, nullptr);

    char className[64] = {};
    GetClassNameA(control, className, sizeof className);
    EXPECT_STREQ(className, expected.className);

    const HWND parent = expected.page == kOnWindow ? window.Handle() : Control(选择夹1);
    EXPECT_EQ(GetParent(control), parent);
    const RECT rect = RectIn(control, parent);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right - rect.left, expected.width);
    // A drop-down list's field takes the height the platform gives it.
    if (expected.items.empty()) {
      EXPECT_EQ(rect.bottom - rect.top, expected.height);
    }

    EXPECT_EQ(WindowText(control), expected.text);
    if (!expected.items.empty()) {
      ASSERT_EQ(SendMessageA(control, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(expected.items.size()));
      for (std::size_t item = 0; item < expected.items.size(); ++item) {
        char text[64] = {};
        SendMessageA(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(text, expected.items[item]);
      }
      EXPECT_EQ(SendMessageA(control, CB_GETCURSEL, 0, 0), expected.startValue);
    } else if (expected.startValue != -1) {
      EXPECT_EQ(SendMessageA(control, BM_GETCHECK, 0, 0), expected.startValue ? BST_CHECKED : BST_UNCHECKED);
    }

    // Spin arrows draw no text and keep no font.
    if (std::string(expected.className) != "msctls_updown32") {
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), guiFont);
    }
    EXPECT_EQ(IsWindowVisible(control) != FALSE, expected.page == kOnWindow || expected.page == 0);
  }
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(window.Handle(), WM_GETFONT, 0, 0)), guiFont);

  const HWND tab = Control(选择夹1);
  ASSERT_EQ(TabCtrl_GetItemCount(tab), 4);
  const char* const captions[] = {"\xD0\xF2\xBA\xC5", "\xCC\xE6\xBB\xBB", "\xC9\xBE\xB3\xFD",
                                  "\xB2\xE5\xC8\xEB"};  // 序号 替换 删除 插入
  for (int index = 0; index < 4; ++index) {
    char caption[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof caption;
    SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(caption, captions[index]);
  }
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 0);
}

TEST_F(MainWindowLayoutTest, ControlsOfAKindShareTheirSettings) {
  const LONG_PTR editForbidden = ES_MULTILINE | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE | ES_NUMBER |
                                 ES_NOHIDESEL | ES_READONLY | ES_RIGHT;
  for (const ExpectedControl& expected : kExpectedControls) {
    SCOPED_TRACE(expected.name);
    const HWND control = Control(expected.id);
    const std::string kind = expected.className;
    const bool takesFocus =
        kind == "Button" || kind == "Edit" || kind == "ComboBox" || kind == "SysListView32";
    EXPECT_EQ(HasStyle(control, WS_TABSTOP), takesFocus);
    if (kind == "Edit") {
      const bool digitsOnly =
          expected.id == 编辑框_开始于 || expected.id == 编辑框_位数 || expected.id == 编辑框_插入位;
      EXPECT_EQ(HasStyle(control, ES_CENTER), digitsOnly);
      EXPECT_TRUE(HasStyle(control, ES_AUTOHSCROLL));
      EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE) & editForbidden, 0);
      EXPECT_TRUE(HasExtendedStyle(control, WS_EX_CLIENTEDGE));
      EXPECT_GE(static_cast<unsigned long>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
    } else if (kind == "Static") {
      EXPECT_FALSE(HasStyle(control, SS_NOTIFY));
    } else if (kind == "msctls_updown32") {
      EXPECT_FALSE(HasStyle(control, UDS_HOTTRACK));
      EXPECT_FALSE(HasStyle(control, UDS_HORZ));
      EXPECT_EQ(SendMessageA(control, UDM_GETBUDDY, 0, 0), 0);
    } else if (kind == "ComboBox") {
      EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
      EXPECT_FALSE(HasStyle(control, CBS_SORT));
    } else if (expected.startValue != -1) {
      EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    } else if (kind == "Button") {
      EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    }
  }
}

TEST_F(MainWindowLayoutTest, DropDownListsAreMade160TallWithRowsOnePixelTallerThanUsual) {
  // A plain drop-down list made 160 pixels tall with the same font.
  const HWND reference = CreateWindowExA(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 80, 160,
                                         Control(选择夹1), nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(reference, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  const LRESULT platformRow = SendMessageA(reference, CB_GETITEMHEIGHT, 0, 0);
  const LRESULT platformField = SendMessageA(reference, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  RECT platformDropped;
  SendMessageA(reference, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&platformDropped));
  DestroyWindow(reference);
  ASSERT_GT(platformRow, 0);
  for (const ControlId id : {组合框_字符位置, 组合框_左右位置}) {
    EXPECT_EQ(SendMessageA(Control(id), CB_GETITEMHEIGHT, 0, 0), platformRow + 1);
    EXPECT_EQ(SendMessageA(Control(id), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), platformField);
    // The height the list was made with, opened list included, shows in
    // its dropped rectangle (Windows reports the whole height there, Wine
    // the part below the field).
    RECT dropped;
    SendMessageA(Control(id), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, platformDropped.bottom - platformDropped.top);
  }
}

TEST_F(MainWindowLayoutTest, TheWindowHasAFixedFrameCentredOnTheScreen) {
  const HWND main = window.Handle();
  EXPECT_EQ(WindowText(main), "Quillmere");
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 607);
  EXPECT_EQ(outer.bottom - outer.top, 511);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 607) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 511) / 2);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 601);
  EXPECT_EQ(client.bottom, 486);

  EXPECT_TRUE(HasStyle(main, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_FALSE(HasStyle(main, WS_THICKFRAME));
  EXPECT_FALSE(HasStyle(main, WS_MAXIMIZEBOX));
  EXPECT_FALSE(HasExtendedStyle(main, WS_EX_TOPMOST));
  EXPECT_EQ(GetClassLongPtrA(main, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);

  // The border is no sizing handle, and a double click on the caption does
  // not maximise the window.
  const POINT edges[] = {{outer.right - 1, (outer.top + outer.bottom) / 2},
                         {(outer.left + outer.right) / 2, outer.bottom - 1},
                         {outer.right - 1, outer.bottom - 1}};
  for (const POINT& edge : edges) {
    const LRESULT hit = SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y));
    EXPECT_TRUE(hit < HTLEFT || hit > HTBOTTOMRIGHT) << "hit test " << hit;
  }
  const int captionY = outer.top + GetSystemMetrics(SM_CYFRAME) + 4;
  SendMessageA(main, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM((outer.left + outer.right) / 2, captionY));
  PumpUntilIdle();
  EXPECT_FALSE(IsZoomed(main));
  RECT after;
  GetWindowRect(main, &after);
  EXPECT_EQ(after.right - after.left, 607);
  EXPECT_EQ(after.bottom - after.top, 511);

  SendMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpUntilIdle();
  EXPECT_TRUE(IsIconic(main));
}

// ---------------------------------------------------------------------------
// Typing into the boxes.

struct TypingCase {
  const char* name;
  ControlId box;
  std::string keys;  // WM_CHAR codes; "\b" is Backspace
  std::string text;  // the box's text afterwards, from empty
};

const TypingCase kTypingCases[] = {
    {"digits and minus, anywhere", 编辑框_开始于, "1-2", "1-2"},
    {"leading minus", 编辑框_位数, "-5", "-5"},
    {"letters, blanks and dots are dropped", 编辑框_开始于, "a .Z9", "9"},
    {"punctuation is dropped", 编辑框_插入位, "+1,2e3", "123"},
    {"a byte of a two-byte character is dropped", 编辑框_插入位, "7\xB4\xF2", "7"},
    {"Backspace works", 编辑框_位数, "12\b3", "13"},
    {"an ordinary box takes everything", 编辑框_附加内容, "a .-1", "a .-1"},
};

using TypingTest = WindowTest;

TEST_F(TypingTest, DigitsOnlyBoxesDropEveryOtherTypedCharacter) {
  for (const TypingCase& row : kTypingCases) {
    SCOPED_TRACE(row.name);
    window.WriteText(row.box, "");
    Type(row.box, row.keys);
    EXPECT_EQ(window.ReadText(row.box), row.text);
  }
}

TEST_F(TypingTest, ADroppedCharacterChangesNothingAndRefreshesNothing) {
  AddRows({"a.txt"});
  SendMessageA(Control(编辑框_开始于), EM_SETSEL, 1, 1);
  Type(编辑框_开始于, "x");
  EXPECT_EQ(window.ReadText(编辑框_开始于), "1");
  EXPECT_EQ(counter->refreshes, 0);
  // A character from an input method, 打 as its two bytes: an ordinary box
  // takes it, a digits-only box does not.
  SendMessageA(Control(编辑框_附加内容), WM_IME_CHAR, 0xB4F2, 1);
  SendMessageA(Control(编辑框_开始于), WM_IME_CHAR, 0xB4F2, 1);
  PumpUntilIdle();
  EXPECT_EQ(window.ReadText(编辑框_附加内容), "\xB4\xF2");
  EXPECT_EQ(window.ReadText(编辑框_开始于), "1");
  counter->refreshes = 0;
  Type(编辑框_开始于, "5");
  EXPECT_EQ(window.ReadText(编辑框_开始于), "15");
  EXPECT_EQ(counter->refreshes, 1);
  EXPECT_EQ(Preview(0),
            "\xB4\xF2"
            "0015.txt");
}

TEST_F(TypingTest, PastedTextIsNotFiltered) {
  const char pasted[] = "abc";
  ASSERT_TRUE(OpenClipboard(window.Handle()));
  EmptyClipboard();
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
  memcpy(GlobalLock(memory), pasted, sizeof pasted);
  GlobalUnlock(memory);
  ASSERT_NE(SetClipboardData(CF_TEXT, memory), nullptr);
  CloseClipboard();

  const HWND box = Control(编辑框_位数);
  SendMessageA(box, EM_SETSEL, 0, -1);
  SendMessageA(box, WM_PASTE, 0, 0);
  PumpUntilIdle();
  EXPECT_EQ(window.ReadText(编辑框_位数), "abc");
}

// ---------------------------------------------------------------------------
// The spin arrows.

struct SpinCase {
  const char* name;
  ControlId arrows;
  int tab;  // the page holding the arrows, made current first
  ControlId box;
  const char* before;
  int arrow;
  const char* after;
  // Of "photo.jpg" in row 0 afterwards, emptied before the press; nullptr
  // when the value makes no preview worth checking.
  const char* preview;
};

const SpinCase kSpinCases[] = {
    {"StartDownStopsAtOne", 调节器1, 0, 编辑框_开始于, "1", -1, "1", ""},
    {"StartUpFromOne", 调节器1, 0, 编辑框_开始于, "1", 1, "2", "0002.jpg"},
    {"StartDownFromZero", 调节器1, 0, 编辑框_开始于, "0", -1, "-1", "00-1.jpg"},
    {"StartDownFromMinusOne", 调节器1, 0, 编辑框_开始于, "-1", -1, "-2", "00-2.jpg"},
    {"StartUpFromLargest", 调节器1, 0, 编辑框_开始于, "2147483647", 1, "2147483648", nullptr},
    {"StartDownFromSmallest", 调节器1, 0, 编辑框_开始于, "-2147483648", -1, "-2147483649", nullptr},
    {"StartUpFromText", 调节器1, 0, 编辑框_开始于, "abc", 1, "1", "0001.jpg"},
    {"StartDownStopsAtFullWidthOne", 调节器1, 0, 编辑框_开始于, "\xA3\xB1", -1, "\xA3\xB1", ""},  // １
    {"DigitsUpFromEmpty", 调节器2, 0, 编辑框_位数, "", 1, "1", "1.jpg"},
    {"DigitsDownFromEmpty", 调节器2, 0, 编辑框_位数, "", -1, "-1", "1.jpg"},
    {"DigitsDownStopsAtOne", 调节器2, 0, 编辑框_位数, "1", -1, "1", ""},
    {"DigitsDownFromThree", 调节器2, 0, 编辑框_位数, "3", -1, "2", "01.jpg"},
    {"InsertDownFromOne", 调节器3, 3, 编辑框_插入位, "1", -1, "0", "photo.jpg"},
    {"InsertDownStopsAtZero", 调节器3, 3, 编辑框_插入位, "0", -1, "0", ""},
    {"InsertDownFromDoubleZero", 调节器3, 3, 编辑框_插入位, "00", -1, "-1", nullptr},
    {"InsertDownFromBlankZero", 调节器3, 3, 编辑框_插入位, " 0", -1, "-1", nullptr},
    {"InsertDownFromEmpty", 调节器3, 3, 编辑框_插入位, "", -1, "-1", nullptr},
    {"InsertUpFromZero", 调节器3, 3, 编辑框_插入位, "0", 1, "1", "photo.jpg"},
    {"InsertUpFromLargest", 调节器3, 3, 编辑框_插入位, "2147483647", 1, "2147483648", nullptr},
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const SpinCase& row, std::ostream* out) { *out << row.name; }

class SpinArrowTest : public WindowTest, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(SpinArrowTest, OnePressStepsTheBoxAndAWrittenStepRefreshesOnce) {
  const SpinCase& row = GetParam();
  AddRows({"photo.jpg"});
  if (row.tab != 0) ClickTab(row.tab);
  window.WriteText(row.box, row.before);
  window.Rows().SetCell(0, kPreviewColumn, "");
  window.Rows().SetCell(0, kResultColumn, "OK");
  counter->refreshes = 0;

  PressArrow(row.arrows, row.arrow);

  EXPECT_EQ(window.ReadText(row.box), row.after);
  const bool stopped = std::string(row.before) == row.after;
  EXPECT_EQ(counter->refreshes, stopped ? 0 : 1);
  EXPECT_EQ(window.Rows().GetCell(0, kResultColumn), stopped ? "OK" : "");
  if (row.preview) {
    EXPECT_EQ(Preview(0), row.preview);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SpinArrowTest, ::testing::ValuesIn(kSpinCases),
                         [](const ::testing::TestParamInfo<SpinCase>& info) { return info.param.name; });

TEST_F(WindowTest, StepsFollowEachOtherFromTheBoxText) {
  AddRows({"photo.jpg"});
  window.WriteText(编辑框_开始于, "0");
  counter->refreshes = 0;
  PressArrow(调节器1, -1);
  PressArrow(调节器1, -1);
  EXPECT_EQ(window.ReadText(编辑框_开始于), "-2");
  for (int press = 0; press < 4; ++press) PressArrow(调节器1, 1);
  EXPECT_EQ(window.ReadText(编辑框_开始于), "2");
  EXPECT_EQ(counter->refreshes, 6);
  EXPECT_EQ(Preview(0), "0002.jpg");
}

// ---------------------------------------------------------------------------
// Every rule control refreshes the previews.

enum class Action { Write, Click, Choose };

struct RuleControlCase {
  const char* name;
  int tab;
  std::vector<std::pair<ControlId, std::string>> setUp;  // texts written first
  ControlId control;
  Action action;
  std::string value;    // the text written, or the item chosen
  std::string preview;  // of "photo.jpg" in row 0 afterwards
};

const RuleControlCase kRuleControlCases[] = {
    {"StartNumber", 0, {}, 编辑框_开始于, Action::Write, "7", "0007.jpg"},
    {"DigitCount", 0, {}, 编辑框_位数, Action::Write, "2", "01.jpg"},
    {"ExtraText", 0, {}, 编辑框_附加内容, Action::Write, "_x", "_x0001.jpg"},
    {"KeepOldName", 0, {}, 选择框_原名称, Action::Click, "", "photo0001.jpg"},
    {"ExtraLeftOrRight", 0, {{编辑框_附加内容, "_x"}}, 选择框_附加左右, Action::Click, "", "0001_x.jpg"},
    {"SoughtText", 1, {}, 编辑框_欲替换, Action::Write, "JPG", "photo."},
    {"ReplacementText", 1, {{编辑框_欲替换, "jpg"}}, 编辑框_替换成, Action::Write, "png", "photo.png"},
    {"DeleteText", 2, {}, 编辑框_删除, Action::Write, "o", ".jpg"},
    {"DeleteByPosition", 2, {{编辑框_删除, "3"}}, 组合框_字符位置, Action::Choose, "1", "oto.jpg"},
    {"DeleteByCharacterAgain", 2, {{编辑框_删除, "o"}}, 组合框_字符位置, Action::Choose, "0", ".jpg"},
    {"DeleteRight", 2, {{编辑框_删除, "o"}}, 组合框_左右位置, Action::Choose, "1", "ph"},
    {"InsertPosition", 3, {{编辑框_插入字符, "_"}}, 编辑框_插入位, Action::Write, "2", "ph_oto.jpg"},
    {"InsertText", 3, {}, 编辑框_插入字符, Action::Write, "_", "_photo.jpg"},
};

void PrintTo(const RuleControlCase& row, std::ostream* out) { *out << row.name; }

class RuleControlTest : public WindowTest, public ::testing::WithParamInterface<RuleControlCase> {};

TEST_P(RuleControlTest, AChangeRefreshesThePreviewsOnceWithTheNewValue) {
  const RuleControlCase& row = GetParam();
  AddRows({"photo.jpg", "b.txt"});
  if (row.tab != 0) ClickTab(row.tab);
  for (const auto& [box, text] : row.setUp) window.WriteText(box, text);
  PumpUntilIdle();
  window.Rows().SetCell(0, kResultColumn, "OK");
  counter->refreshes = 0;

  switch (row.action) {
    case Action::Write:
      window.WriteText(row.control, row.value);
      break;
    case Action::Click:
      PostMessageA(Control(row.control), BM_CLICK, 0, 0);
      PumpUntilIdle();
      break;
    case Action::Choose:
      ChooseItem(row.control, std::stoi(row.value));
      break;
  }

  EXPECT_EQ(counter->refreshes, 1);
  EXPECT_EQ(Preview(0), row.preview);
  EXPECT_EQ(window.Rows().GetCell(0, kResultColumn), "");
  EXPECT_EQ(window.Rows().GetCell(1, kOldNameColumn), "b.txt");
}

INSTANTIATE_TEST_SUITE_P(Cases, RuleControlTest, ::testing::ValuesIn(kRuleControlCases),
                         [](const ::testing::TestParamInfo<RuleControlCase>& info) {
                           return info.param.name;
                         });

TEST_F(WindowTest, ATabChangeRefreshesUnderTheNewTabsRule) {
  AddRows({"photo.jpg"});
  window.WriteText(编辑框_插入字符, "_");
  counter->refreshes = 0;
  ClickTab(3);
  EXPECT_EQ(counter->refreshes, 1);
  EXPECT_EQ(Preview(0), "_photo.jpg");
  ClickTab(0);
  EXPECT_EQ(counter->refreshes, 2);
  EXPECT_EQ(Preview(0), "0001.jpg");
  // A click on the current tab changes nothing.
  ClickTab(0);
  EXPECT_EQ(counter->refreshes, 2);
}

TEST_F(WindowTest, ReadRuleSettingsReadsTheControlsAsTheyAreNow) {
  ClickTab(2);
  window.WriteText(编辑框_开始于, "\xA3\xB1\xA3\xB2");  // １２, full width
  window.WriteText(编辑框_删除, "-");
  ChooseItem(组合框_左右位置, 1);
  SendMessageA(Control(选择框_原名称), BM_SETCHECK, BST_CHECKED, 0);
  const RuleReading reading = window.ReadRuleSettings();
  EXPECT_EQ(reading.mode, RenameMode::Delete);
  EXPECT_EQ(reading.settings.startNumber, 12);
  EXPECT_EQ(reading.settings.digitCount, 4);
  EXPECT_EQ(reading.settings.deleteText, "-");
  EXPECT_TRUE(reading.settings.deleteByCharacter);
  EXPECT_FALSE(reading.settings.deleteLeft);
  EXPECT_TRUE(reading.settings.keepOldName);
  EXPECT_TRUE(reading.settings.extraBeforeNumber);
  EXPECT_EQ(reading.settings.insertPosition, 0);

  // No selection in a drop-down list reads as the second choice.
  SendMessageA(Control(组合框_字符位置), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_FALSE(window.ReadRuleSettings().settings.deleteByCharacter);
}

// ---------------------------------------------------------------------------
// The pages.

TEST_F(WindowTest, SwitchingTabsShowsOnlyTheCurrentPageAndKeepsEveryValue) {
  window.WriteText(编辑框_开始于, "12");
  window.WriteText(编辑框_欲替换, "old");
  PostMessageA(Control(选择框_原名称), BM_CLICK, 0, 0);
  PumpUntilIdle();
  for (const int page : {2, 1, 3, 0, 2}) {
    SCOPED_TRACE("page " + std::to_string(page));
    ClickTab(page);
    EXPECT_EQ(window.ReadCurrentTab(), page);
    for (const ExpectedControl& control : kExpectedControls) {
      if (control.page == kOnWindow) {
        EXPECT_TRUE(IsWindowVisible(Control(control.id))) << control.name;
      } else {
        EXPECT_EQ(IsWindowVisible(Control(control.id)) != FALSE, control.page == page) << control.name;
      }
    }
  }
  EXPECT_EQ(window.ReadText(编辑框_开始于), "12");
  EXPECT_EQ(window.ReadText(编辑框_位数), "4");
  EXPECT_EQ(window.ReadText(编辑框_欲替换), "old");
  EXPECT_EQ(window.ReadTick(选择框_原名称), 1);
  EXPECT_EQ(window.ReadTick(选择框_附加左右), 1);
  EXPECT_EQ(window.ReadSelection(组合框_字符位置), 0);
}

// ---------------------------------------------------------------------------
// The list view shows the rows.

class ListViewTest : public WindowTest {
 protected:
  HWND List() const { return Control(超级列表框1); }

  std::string ShownText(int row, int column) const {
    std::string text(16384, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const LRESULT length = SendMessageA(List(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<std::size_t>(length));
    return text;
  }

  bool HasPendingPaint() const {
    RECT update;
    return GetUpdateRect(List(), &update, FALSE) != FALSE;
  }
};

TEST_F(ListViewTest, TheListViewHasTheSettingsOfTheRenameList) {
  const HWND list = List();
  EXPECT_TRUE(HasStyle(list, LVS_REPORT | LVS_OWNERDATA));
  EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & (LVS_SINGLESEL | LVS_EDITLABELS | LVS_SORTASCENDING |
                                                  LVS_SORTDESCENDING | LVS_NOCOLUMNHEADER),
            0);
  EXPECT_TRUE(HasExtendedStyle(list, WS_EX_CLIENTEDGE));
  const DWORD extended = ListView_GetExtendedListViewStyle(list);
  EXPECT_EQ(extended & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
            DWORD{LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES});
  EXPECT_EQ(extended & LVS_EX_CHECKBOXES, 0u);
  EXPECT_EQ(ListView_GetImageList(list, LVSIL_SMALL), nullptr);
  EXPECT_EQ(ListView_GetTextColor(list), RGB(0, 0, 0));
  EXPECT_EQ(ListView_GetBkColor(list), RGB(255, 255, 255));
  EXPECT_EQ(ListView_GetItemCount(list), 0);

  const char* const titles[] = {"\xD4\xAD\xCE\xC4\xBC\xFE\xC3\xFB", "\xD4\xA4\xC0\xC0",
                                "\xBD\xE1\xB9\xFB"};  // 原文件名 预览 结果
  const int widths[] = {260, 260, 50};
  EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 3);
  for (int column = 0; column < 3; ++column) {
    SCOPED_TRACE(column);
    char title[32] = {};
    LVCOLUMNA settings{};
    settings.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    settings.pszText = title;
    settings.cchTextMax = sizeof title;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&settings)));
    EXPECT_STREQ(title, titles[column]);
    EXPECT_EQ(settings.cx, widths[column]);
    EXPECT_EQ(settings.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
}

TEST_F(ListViewTest, ItShowsEveryRowAndWholeCellTextsFromTheModel) {
  const std::string chinese = "\xD6\xD0\xCE\xC4.txt";  // 中文.txt
  const std::string longName(5000, 'n');
  AddRows({"a.txt", chinese, longName});
  EXPECT_EQ(ListView_GetItemCount(List()), 3);
  EXPECT_EQ(ShownText(0, 0), "a.txt");
  EXPECT_EQ(ShownText(1, 0), chinese);
  EXPECT_EQ(ShownText(2, 0), longName);
  window.Rows().SetCell(1, kResultColumn, "OK");
  EXPECT_EQ(ShownText(1, 2), "OK");

  window.Rows().ClearRows();
  EXPECT_EQ(ListView_GetItemCount(List()), 0);
  AddRows({"z"});
  EXPECT_EQ(ListView_GetItemCount(List()), 1);
  EXPECT_EQ(ShownText(0, 0), "z");
}

TEST_F(ListViewTest, RowsAppendedOutOfViewReachTheControlSoonInOneStep) {
  AddRows({"first"});
  EXPECT_EQ(ListView_GetItemCount(List()), 1);
  std::vector<std::string> names;
  for (int row = 1; row < 500; ++row) names.push_back("row" + std::to_string(row));
  AddRows(names);
  // The rows in view are shown at once.
  EXPECT_GT(ListView_GetItemCount(List()), ListView_GetCountPerPage(List()));
  EXPECT_TRUE(PumpUntil([&] { return ListView_GetItemCount(List()) == 500; }));
  EXPECT_EQ(ShownText(499, 0), "row499");

  // A cleared list shows nothing at once, and nothing held back comes later.
  AddRows(names);
  window.Rows().ClearRows();
  EXPECT_EQ(ListView_GetItemCount(List()), 0);
  AddRows({"only"});
  EXPECT_FALSE(PumpUntil([&] { return ListView_GetItemCount(List()) != 1; }, 500));
}

TEST_F(ListViewTest, AChangedCellIsRepaintedOnlyWhenInView) {
  std::vector<std::string> names;
  for (int row = 0; row < 200; ++row) names.push_back("row" + std::to_string(row));
  AddRows(names);
  PumpUntilIdle();
  ASSERT_FALSE(HasPendingPaint());
  window.Rows().SetCell(150, kPreviewColumn, "out of view");
  EXPECT_FALSE(HasPendingPaint());
  window.Rows().SetCell(1, kPreviewColumn, "in view");
  EXPECT_TRUE(HasPendingPaint());
  PumpUntilIdle();
  EXPECT_EQ(ShownText(1, 1), "in view");
}

TEST_F(ListViewTest, EnsureVisibleScrollsARowEntirelyIntoView) {
  std::vector<std::string> names;
  for (int row = 0; row < 200; ++row) names.push_back("row" + std::to_string(row));
  AddRows(names);
  RECT client;
  GetClientRect(List(), &client);
  const int perPage = ListView_GetCountPerPage(List());
  // The row below the last whole one, cut by the bottom edge or just out of view, and one far below.
  for (const int row : {perPage, 150, 3}) {
    SCOPED_TRACE(row);
    window.Rows().EnsureVisible(row);
    PumpUntilIdle();
    RECT item;
    ListView_GetItemRect(List(), row, &item, LVIR_BOUNDS);
    EXPECT_GE(item.top, 0);
    EXPECT_LE(item.bottom, client.bottom);
  }
}

TEST_F(ListViewTest, ResetResultColumnEmptiesItAndGivesBackItsWidth) {
  AddRows({"a", "b"});
  window.Rows().SetCell(0, kResultColumn, "NO");
  ListView_SetColumnWidth(List(), 2, 140);
  window.Rows().ResetResultColumn();
  EXPECT_EQ(ListView_GetColumnWidth(List(), 2), 50);
  EXPECT_EQ(ListView_GetColumnWidth(List(), 0), 260);
  EXPECT_EQ(ShownText(0, 2), "");
  EXPECT_EQ(ShownText(0, 0), "a");
}

TEST_F(ListViewTest, AHeaderClickChangesNothing) {
  AddRows({"b", "a", "c"});
  const HWND header = ListView_GetHeader(List());
  RECT column;
  Header_GetItemRect(header, 1, &column);
  counter->refreshes = 0;
  ClickAt(header, (column.left + column.right) / 2, (column.top + column.bottom) / 2);
  EXPECT_EQ(counter->refreshes, 0);
  EXPECT_EQ(ShownText(0, 0), "b");
  EXPECT_EQ(ShownText(1, 0), "a");
  EXPECT_EQ(ShownText(2, 0), "c");
}

}  // namespace
