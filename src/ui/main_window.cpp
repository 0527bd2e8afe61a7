#include "ui/main_window.h"

#include <algorithm>
#include <exception>

#include "list/drop_loading.h"
#include "list/folder_loading.h"
#include "list/open_folder_win32.h"
#include "list/working_folder.h"
#include "rename/file_system_win32.h"
#include "rename/two_pass_rename.h"
#include "text/text.h"
#include "ui/rename_list_view.h"
#include "ui/resource_ids.h"
#include "ui/window_layout.h"

namespace {

using enum ControlId;

constexpr char kWindowClassName[] = "QuillmereMainWindow";

// The item-selected event of a drop-down list runs once the notification that
// raised it has been handled, so it travels through the message queue.
constexpr UINT kItemSelectedMessage = WM_APP + 1;

bool IsControlId(int id) { return id >= kFirstControlId && id < kFirstControlId + kControlCount; }

// How a rule control gives its RuleSettings field.
enum class ReadAs { Number, Text, Tick, FirstItemSelected };

struct RuleField {
  ControlId control;
  ReadAs readAs;
  int32_t RuleSettings::*number = nullptr;
  AnsiText RuleSettings::*text = nullptr;
  bool RuleSettings::*flag = nullptr;
};

const RuleField kRuleFields[] = {
    {.control = 编辑框_开始于, .readAs = ReadAs::Number, .number = &RuleSettings::startNumber},
    {.control = 编辑框_位数, .readAs = ReadAs::Number, .number = &RuleSettings::digitCount},
    {.control = 编辑框_附加内容, .readAs = ReadAs::Text, .text = &RuleSettings::extraText},
    {.control = 选择框_原名称, .readAs = ReadAs::Tick, .flag = &RuleSettings::keepOldName},
    {.control = 选择框_附加左右, .readAs = ReadAs::Tick, .flag = &RuleSettings::extraBeforeNumber},
    {.control = 编辑框_欲替换, .readAs = ReadAs::Text, .text = &RuleSettings::soughtText},
    {.control = 编辑框_替换成, .readAs = ReadAs::Text, .text = &RuleSettings::replacementText},
    {.control = 编辑框_删除, .readAs = ReadAs::Text, .text = &RuleSettings::deleteText},
    {.control = 组合框_字符位置,
     .readAs = ReadAs::FirstItemSelected,
     .flag = &RuleSettings::deleteByCharacter},
    {.control = 组合框_左右位置, .readAs = ReadAs::FirstItemSelected, .flag = &RuleSettings::deleteLeft},
    {.control = 编辑框_插入位, .readAs = ReadAs::Number, .number = &RuleSettings::insertPosition},
    {.control = 编辑框_插入字符, .readAs = ReadAs::Text, .text = &RuleSettings::insertText},
};

// When the down arrow leaves a number box as it is.
enum class StopTest { ValueIsOne, TextIsZero };

// One press of a spin arrow on a number box. The step is computed in double
// precision, so 2147483647 goes up to 2147483648 rather than wrapping. The
// write raises the box's text-changed event, whose handler refreshes the
// previews; a stopped step writes nothing and so refreshes nothing.
void StepNumberBox(MainWindow& window, ControlId box, StopTest stopTest, int32_t arrow) {
  const AnsiText text = window.ReadText(box);
  double value = 0;
  if (arrow == 1) {
    value = static_cast<double>(ToInteger(text)) + 1;
  } else {
    const bool stop = stopTest == StopTest::ValueIsOne ? ToInteger(text) == 1 : TextEquals(text, "0");
    if (stop) return;
    value = static_cast<double>(ToInteger(text)) - 1;
  }
  window.WriteText(box, RealToText(value));
}

// Typed characters a digits-only box accepts: control keys, digits and "-".
bool IsAcceptedInDigitsBox(WPARAM character) {
  return character < 32 || (character >= '0' && character <= '9') || character == '-';
}

// Subclass of the digits-only boxes. Only typing is filtered: a paste or a
// write of the text puts in whatever it holds.
LRESULT CALLBACK FilterTypedDigits(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) {
  // An input method's characters arrive as WM_IME_CHAR, which the edit box
  // inserts without a WM_CHAR, so both are filtered.
  if ((message == WM_CHAR || message == WM_IME_CHAR) && !IsAcceptedInDigitsBox(wParam)) return 0;
  return DefSubclassProc(box, message, wParam, lParam);
}

// Subclass of the tab control. The pages' controls are its children, so their
// notifications and colour requests come to it; the main window handles them.
LRESULT CALLBACK ForwardPageMessages(HWND tab, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR mainWindow) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
      return SendMessageA(reinterpret_cast<HWND>(mainWindow), message, wParam, lParam);
    default:
      return DefSubclassProc(tab, message, wParam, lParam);
  }
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  if (GetClassInfoExA(instance, kWindowClassName, &windowClass)) return true;
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(QUILLMERE_ICON));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClassName;
  return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

// Which handler each control event runs. Events not listed run nothing.
struct MainWindow::EventBinding {
  ControlId control;
  ControlEvent event;
  void (*handler)(MainWindow& window, int32_t argument);
};

const MainWindow::EventBinding MainWindow::kBindings[] = {
    // clang-format off
    {按钮1,           ControlEvent::Clicked,       [](MainWindow& w, int32_t) { w.OpenFolder(); }},
    {按钮2,           ControlEvent::Clicked,       [](MainWindow& w, int32_t) { w.RunRenameClicked(); }},
    {选择夹1,         ControlEvent::TabChanged,    [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {编辑框_开始于,   ControlEvent::TextChanged,   [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {编辑框_位数,     ControlEvent::TextChanged,   [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {编辑框_附加内容, ControlEvent::TextChanged,   [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {选择框_原名称,   ControlEvent::Clicked,       [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {选择框_附加左右, ControlEvent::Clicked,       [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {编辑框_欲替换,   ControlEvent::TextChanged,   [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {编辑框_替换成,   ControlEvent::TextChanged,   [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {组合框_字符位置, ControlEvent::ItemSelected,  [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {编辑框_删除,     ControlEvent::TextChanged,   [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {组合框_左右位置, ControlEvent::ItemSelected,  [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {编辑框_插入位,   ControlEvent::TextChanged,   [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {编辑框_插入字符, ControlEvent::TextChanged,   [](MainWindow& w, int32_t) { w.RefreshPreviews(); }},
    {调节器1,         ControlEvent::ArrowPressed,  [](MainWindow& w, int32_t arrow) { w.StepStartNumber(arrow); }},
    {调节器2,         ControlEvent::ArrowPressed,  [](MainWindow& w, int32_t arrow) { w.StepDigitCount(arrow); }},
    {调节器3,         ControlEvent::ArrowPressed,  [](MainWindow& w, int32_t arrow) { w.StepInsertPosition(arrow); }},
    {超级列表框1,     ControlEvent::ColumnClicked, [](MainWindow& w, int32_t column) { w.OnColumnClicked(column); }},
    // clang-format on
};

MainWindow::MainWindow()
    : m_dropObject([this](const AnsiText& receivedText) { AcceptDrop(receivedText, m_rows, *this); }) {}

MainWindow::~MainWindow() {
  if (m_window) DestroyWindow(m_window);
}

bool MainWindow::Create(HINSTANCE instance) {
  if (!RegisterWindowClass(instance, &MainWindow::WindowProcedure)) return false;
  // Centred on the screen; the divisions truncate.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
  // A fixed frame with a minimise box and no maximise box.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  return CreateWindowExA(0, kWindowClassName, kMainWindowCaption, style, left, top, kMainWindowWidth,
                         kMainWindowHeight, nullptr, nullptr, instance, this) != nullptr;
}

void MainWindow::OnCreated() {
  // Without the registration the list simply takes no drops; nothing to report.
  m_dropObject.RegisterDropTarget(Control(ControlId::超级列表框1));
}

HWND MainWindow::Control(ControlId id) const {
  return m_controls[static_cast<std::size_t>(static_cast<int>(id) - kFirstControlId)];
}

ListDisplay& MainWindow::Display() { return *m_listView; }

AnsiText MainWindow::ReadText(ControlId box) const {
  const HWND control = Control(box);
  const int length = GetWindowTextLengthA(control);
  AnsiText text(static_cast<std::size_t>(std::max(length, 0)), '\0');
  if (length > 0) text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), length + 1)));
  return text;
}

void MainWindow::WriteText(ControlId box, const AnsiText& text) {
  SetWindowTextA(Control(box), text.c_str());
}

int32_t MainWindow::ReadTick(ControlId checkBox) const {
  return SendMessageA(Control(checkBox), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

int32_t MainWindow::ReadSelection(ControlId dropDownList) const {
  return static_cast<int32_t>(SendMessageA(Control(dropDownList), CB_GETCURSEL, 0, 0));
}

int32_t MainWindow::ReadCurrentTab() const { return TabCtrl_GetCurSel(Control(选择夹1)); }

RuleReading MainWindow::ReadRuleSettings() const {
  RuleReading reading;
  reading.mode = static_cast<RenameMode>(ReadCurrentTab());
  RuleSettings& settings = reading.settings;
  for (const RuleField& field : kRuleFields) {
    switch (field.readAs) {
      case ReadAs::Number:
        settings.*field.number = ToInteger(ReadText(field.control));
        break;
      case ReadAs::Text:
        settings.*field.text = ReadText(field.control);
        break;
      case ReadAs::Tick:
        settings.*field.flag = ReadTick(field.control) == 1;
        break;
      case ReadAs::FirstItemSelected:
        settings.*field.flag = ReadSelection(field.control) == 0;
        break;
    }
  }
  return reading;
}

void MainWindow::StepStartNumber(int32_t arrow) {
  StepNumberBox(*this, 编辑框_开始于, StopTest::ValueIsOne, arrow);
}

void MainWindow::StepDigitCount(int32_t arrow) {
  StepNumberBox(*this, 编辑框_位数, StopTest::ValueIsOne, arrow);
}

void MainWindow::StepInsertPosition(int32_t arrow) {
  StepNumberBox(*this, 编辑框_插入位, StopTest::TextIsZero, arrow);
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->m_window = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  try {
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->m_window = nullptr;
    }
    return result;
  } catch (...) {
    // Only running out of memory throws in a handler, and then a refresh
    // may have stopped half way through the rows. An exception cannot
    // unwind through the system's frames, and a rename must not run on
    // such previews, so the program ends here.
    std::terminate();
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_COMMAND:
      OnCommand(static_cast<ControlId>(LOWORD(wParam)), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_NOTIFYFORMAT:
      return NFR_ANSI;
    case WM_CTLCOLORSTATIC:
      return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_font);
    case kItemSelectedMessage:
      RaiseEvent(static_cast<ControlId>(wParam), ControlEvent::ItemSelected, 0);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProcA(m_window, message, wParam, lParam);
  }
}

bool MainWindow::OnCreate() {
  m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!CreateControls()) return false;
  ShowCurrentPage();
  m_created = true;
  return true;
}

bool MainWindow::CreateControls() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_window, GWLP_HINSTANCE));
  for (const ControlLayout& layout : MainWindowLayout()) {
    const KindStyle& kind = StyleOf(layout.kind);
    const HWND parent = layout.page == kOnWindow ? m_window : Control(选择夹1);
    const int32_t height = layout.kind == ControlKind::DropDownList
                               ? std::max(layout.height, kDropDownListHeight)
                               : layout.height;
    const HWND control =
        CreateWindowExA(kind.extendedStyle, kind.className, layout.text ? layout.text : "", kind.style,
                        layout.left, layout.top, layout.width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance, nullptr);
    if (!control) return false;
    m_controls[static_cast<std::size_t>(static_cast<int>(layout.id) - kFirstControlId)] = control;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);

    switch (layout.kind) {
      case ControlKind::TabControl: {
        int32_t index = 0;
        for (const char* caption : TabCaptions()) {
          TCITEMA tab{};
          tab.mask = TCIF_TEXT;
          tab.pszText = const_cast<char*>(caption);
          SendMessageA(control, TCM_INSERTITEMA, static_cast<WPARAM>(index++),
                       reinterpret_cast<LPARAM>(&tab));
        }
        if (!SetWindowSubclass(control, ForwardPageMessages, 0, reinterpret_cast<DWORD_PTR>(m_window)))
          return false;
        break;
      }
      case ControlKind::ListView:
        m_listView = std::make_unique<RenameListView>(control, m_rows);
        m_rows.AttachDisplay(m_listView.get());
        break;
      case ControlKind::DigitsEdit:
        if (!SetWindowSubclass(control, FilterTypedDigits, 0, 0)) return false;
        [[fallthrough]];
      case ControlKind::Edit:
        // No length limit beyond the platform's largest.
        SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
        break;
      case ControlKind::SpinArrows:
        // Wine shrinks an up-down control to its own width on creation.
        SetWindowPos(control, nullptr, 0, 0, layout.width, layout.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The arrows keep no value; a range that rises upwards makes the up
        // arrow's step positive.
        SendMessageA(control, UDM_SETRANGE32, static_cast<WPARAM>(-1), 1);
        SendMessageA(control, UDM_SETPOS32, 0, 0);
        break;
      case ControlKind::CheckBox:
        SendMessageA(control, BM_SETCHECK, layout.startValue ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case ControlKind::DropDownList: {
        for (const char* item : layout.items)
          SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(layout.startValue), 0);
        // Rows of the opened list one pixel taller than the platform makes
        // them for the font; the closed field keeps its own height. The
        // combo box passes a row height on only to an owner-drawn list, so
        // the list box itself is told.
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof parts;
        const LRESULT itemHeight = SendMessageA(control, CB_GETITEMHEIGHT, 0, 0);
        if (itemHeight > 0 && GetComboBoxInfo(control, &parts)) {
          SendMessageA(parts.hwndList, LB_SETITEMHEIGHT, 0, itemHeight + 1);
        }
        break;
      }
      case ControlKind::PushButton:
      case ControlKind::Label:
        break;
    }
  }
  return true;
}

void MainWindow::ShowCurrentPage() {
  const int32_t current = ReadCurrentTab();
  // One batch, so the page is repainted once rather than once per control.
  HDWP batch = BeginDeferWindowPos(kControlCount);
  for (const ControlLayout& layout : MainWindowLayout()) {
    if (layout.page == kOnWindow) continue;
    const UINT show = layout.page == current ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | show;
    if (batch) batch = DeferWindowPos(batch, Control(layout.id), nullptr, 0, 0, 0, 0, flags);
    if (!batch) SetWindowPos(Control(layout.id), nullptr, 0, 0, 0, 0, flags);
  }
  if (batch) EndDeferWindowPos(batch);
}

void MainWindow::OnCommand(ControlId id, UINT code) {
  if (!IsControlId(static_cast<int>(id))) return;
  switch (LayoutOf(id).kind) {
    case ControlKind::Edit:
    case ControlKind::DigitsEdit:
      if (code == EN_CHANGE) RaiseEvent(id, ControlEvent::TextChanged, 0);
      break;
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) RaiseEvent(id, ControlEvent::Clicked, 0);
      break;
    case ControlKind::DropDownList:
      if (code == CBN_SELCHANGE) PostMessageA(m_window, kItemSelectedMessage, static_cast<WPARAM>(id), 0);
      break;
    default:
      break;
  }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  const int id = static_cast<int>(header.idFrom);
  // The list view's header control also notifies; only the named controls count.
  if (!IsControlId(id) || header.hwndFrom != Control(static_cast<ControlId>(id))) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOA:
      m_listView->FillDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)));
      return 0;
    case TCN_SELCHANGE:
      RaiseEvent(选择夹1, ControlEvent::TabChanged, 0);
      // The pages are swapped once the handler has seen the new tab.
      ShowCurrentPage();
      return 0;
    case UDN_DELTAPOS: {
      // Every press counts as one step, however much the platform
      // accelerates a held arrow; only the direction is used.
      const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
      if (change.iDelta != 0)
        RaiseEvent(static_cast<ControlId>(id), ControlEvent::ArrowPressed, change.iDelta > 0 ? 1 : -1);
      return TRUE;  // the arrows keep no position of their own
    }
    case LVN_COLUMNCLICK:
      RaiseEvent(static_cast<ControlId>(id), ControlEvent::ColumnClicked,
                 reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      return 0;
    default:
      return 0;
  }
}

LRESULT MainWindow::OnColorStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (IsControlId(id)) {
    switch (LayoutOf(static_cast<ControlId>(id)).kind) {
      case ControlKind::Label:
        // Transparent: the tab page shows through the label.
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      case ControlKind::CheckBox:
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      default:
        break;
    }
  }
  return DefWindowProcA(m_window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control));
}

void MainWindow::OnDestroy() {
  m_dropObject.RevokeDropTarget();
  m_rows.AttachDisplay(nullptr);
  // The last window of the program is gone: the message loop ends with code
  // 0. A window destroyed because its creation failed posts nothing, since
  // a waiting quit message would close start-up's error box at once.
  if (m_created) PostQuitMessage(0);
}

void MainWindow::RaiseEvent(ControlId id, ControlEvent event, int32_t argument) {
  if (!m_created) return;
  for (const EventBinding& binding : kBindings) {
    if (binding.control == id && binding.event == event) binding.handler(*this, argument);
  }
}

void MainWindow::RefreshPreviews() { RefreshPreview(m_rows, *this); }

void MainWindow::OpenFolder() { ::OpenFolder(m_rows, *this); }

void MainWindow::RunRenameClicked() {
  // A run over a half-listed folder would rename rows whose folder is about
  // to change under them; Execute waits for the listing to end.
  if (IsListing()) return;
  Win32FileSystem fileSystem;
  RunRename(m_rows, WorkingFolder(), fileSystem);
}

void MainWindow::OnColumnClicked(int32_t column) {
  // A header click never sorts or changes the rows.
  (void)column;
}
