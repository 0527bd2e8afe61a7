#include "ui/window_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

namespace {

using enum ControlId;
using enum ControlKind;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// Indexed by ControlKind.
constexpr KindStyle kKindStyles[] = {
    /* PushButton */ {WC_BUTTONA, kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER, 0},
    // The pages' controls are its children, so dialog navigation has to
    // look inside it; the tab control itself is no Tab-key stop.
    /* TabControl */ {WC_TABCONTROLA, kChild | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT},
    // Owner data: the rows live in the RenameList, and the control asks for
    // the texts of the rows it draws.
    /* ListView */
    {WC_LISTVIEWA, kChild | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA, WS_EX_CLIENTEDGE},
    /* Label */ {WC_STATICA, kChild | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0},
    /* Edit */ {WC_EDITA, kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    /* DigitsEdit */ {WC_EDITA, kChild | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    // Not attached to a box and keeping no value: the window steps the box.
    /* SpinArrows */ {UPDOWN_CLASSA, kChild, 0},
    /* CheckBox */
    {WC_BUTTONA, kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE, 0},
    /* DropDownList */ {WC_COMBOBOXA, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0},
};

constexpr ControlLayout kLayout[] = {
    // clang-format off
    // id                 kind           page       left top width height  text / items, start value
    {按钮1,               PushButton,    kOnWindow,   7,   5,  53,  24, "\xB4\xF2\xBF\xAA"},           // 打开
    {按钮2,               PushButton,    kOnWindow,  62,   5,  53,  24, "\xD6\xB4\xD0\xD0\xA1\xCC"},   // 执行√
    {选择夹1,             TabControl,    kOnWindow,   8,  30, 584, 144},
    {超级列表框1,         ListView,      kOnWindow,   8, 176, 582, 288},
    // Page 0, "序号"
    {透明标签1,           Label,         0,  16,  34,  40,  24, "\xBF\xAA\xCA\xBC\xD3\xDA"},          // 开始于
    {编辑框_开始于,       DigitsEdit,    0,  56,  37,  69,  18, "1"},
    {调节器1,             SpinArrows,    0, 128,  38,  24,  16},
    {透明标签2,           Label,         0,  16,  58,  40,  24, "\xCE\xBB  \xCA\xFD"},                // 位  数
    {编辑框_位数,         DigitsEdit,    0,  56,  61,  68,  18, "4"},
    {调节器2,             SpinArrows,    0, 128,  62,  24,  16},
    {透明标签3,           Label,         0,  17,  82,  40,  24, "\xB8\xBD  \xBC\xD3"},                // 附  加
    {编辑框_附加内容,     Edit,          0,  56,  85,  96,  19, ""},
    {选择框_原名称,       CheckBox,      0,  16, 110,  56,  16, "\xD4\xAD\xC3\xFB\xB3\xC6", {}, 0},   // 原名称
    {选择框_附加左右,     CheckBox,      0,  78, 110,  74,  16, "\xB8\xBD\xBC\xD3\xD7\xF3|\xD3\xD2", {}, 1},  // 附加左|右
    // Page 1, "替换"
    {透明标签4,           Label,         1,  16,  34,  40,  24, "\xD3\xFB\xCC\xE6\xBB\xBB"},          // 欲替换
    {编辑框_欲替换,       Edit,          1,  55,  37, 137,  19, ""},
    {透明标签5,           Label,         1,  16,  66,  40,  24, "\xCC\xE6\xBB\xBB\xB3\xC9"},          // 替换成
    {编辑框_替换成,       Edit,          1,  55,  69, 137,  19, ""},
    // Page 2, "删除"
    {透明标签6,           Label,         2,  19,  32,  22,  24, "\xBD\xAB"},                          // 将
    {组合框_字符位置,     DropDownList,  2,  36,  34,  68,  20, nullptr,
     {"\xC4\xB3\xD7\xD6\xB7\xFB", "\xC4\xB3\xCE\xBB\xD6\xC3"}, 0},                                 // 某字符, 某位置
    {编辑框_删除,         Edit,          2, 112,  34, 137,  19, ""},
    {组合框_左右位置,     DropDownList,  2, 256,  34,  80,  20, nullptr,
     {"\xD7\xF3\xB1\xDF\xC9\xBE\xB3\xFD", "\xD3\xD2\xB1\xDF\xC9\xBE\xB3\xFD"}, 0},                 // 左边删除, 右边删除
    // Page 3, "插入"
    {透明标签7,           Label,         3,  16,  34,  32,  24, "\xD4\xDA\xB5\xDA"},                  // 在第
    {编辑框_插入位,       DigitsEdit,    3,  42,  37,  40,  18, "0"},
    {调节器3,             SpinArrows,    3,  84,  38,  24,  16},
    {透明标签8,           Label,         3, 114,  34,  40,  24, "\xCE\xBB\xB2\xE5\xC8\xEB"},          // 位插入
    {编辑框_插入字符,     Edit,          3, 156,  37, 156,  18, ""},
    // clang-format on
};

static_assert(std::size(kLayout) == kControlCount, "one layout row per control id");

constexpr const char* kTabCaptions[] = {
    "\xD0\xF2\xBA\xC5",  // 序号
    "\xCC\xE6\xBB\xBB",  // 替换
    "\xC9\xBE\xB3\xFD",  // 删除
    "\xB2\xE5\xC8\xEB",  // 插入
};

constexpr ColumnLayout kColumns[] = {
    {"\xD4\xAD\xCE\xC4\xBC\xFE\xC3\xFB", 260},  // 原文件名
    {"\xD4\xA4\xC0\xC0", 260},                  // 预览
    {"\xBD\xE1\xB9\xFB", 50},                   // 结果
};

constexpr bool LayoutFollowsIds() {
  for (std::size_t i = 0; i < std::size(kLayout); ++i) {
    if (static_cast<int>(kLayout[i].id) != kFirstControlId + static_cast<int>(i)) return false;
  }
  return true;
}
static_assert(LayoutFollowsIds(), "layout rows are in control id order");

}  // namespace

std::span<const ControlLayout> MainWindowLayout() { return kLayout; }

const ControlLayout& LayoutOf(ControlId id) {
  return kLayout[static_cast<std::size_t>(static_cast<int>(id) - kFirstControlId)];
}

const KindStyle& StyleOf(ControlKind kind) { return kKindStyles[static_cast<std::size_t>(kind)]; }

std::span<const char* const> TabCaptions() { return kTabCaptions; }

std::span<const ColumnLayout> ListColumns() { return kColumns; }
