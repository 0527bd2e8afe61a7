#include "loading_test_support_win32.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "platform/windows_files.h"
#include "text/text.h"

namespace {

AnsiText ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  AnsiText folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

AnsiText ItemText(HWND tree, HTREEITEM item) {
  char text[MAX_PATH] = {};
  TVITEMA entry{};
  entry.mask = TVIF_TEXT;
  entry.hItem = item;
  entry.pszText = text;
  entry.cchTextMax = MAX_PATH;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
  return text;
}

HTREEITEM Child(HWND tree, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM Sibling(HWND tree, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
}

void Expand(HWND tree, HTREEITEM item) {
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

// The expanded item's child whose text satisfies the test, or null.
template <typename Test>
HTREEITEM FindChild(HWND tree, HTREEITEM parent, Test test) {
  Expand(tree, parent);
  for (HTREEITEM item = Child(tree, parent); item != nullptr; item = Sibling(tree, item)) {
    if (test(ItemText(tree, item))) return item;
  }
  return nullptr;
}

FolderDialogUser* g_dialogUser = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  if (IsWindowVisible(window) && std::string(className) == "#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK RecordEnabled(HWND window, LPARAM states) {
  if (IsWindowVisible(window)) {
    reinterpret_cast<std::vector<std::pair<HWND, bool>>*>(states)->emplace_back(window,
                                                                                IsWindowEnabled(window) != 0);
  }
  return TRUE;
}

BOOL CALLBACK RecordStaticText(HWND control, LPARAM texts) {
  char className[32] = {};
  GetClassNameA(control, className, sizeof className);
  if (std::string(className) == "Static") {
    char text[256] = {};
    GetWindowTextA(control, text, sizeof text);
    reinterpret_cast<std::vector<AnsiText>*>(texts)->push_back(text);
  }
  return TRUE;
}

// The shell's dialog and the drop object need OLE on the thread, as the
// program's start-up provides.
class OleEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};
const auto* const g_ole = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

}  // namespace

void PumpUntilIdle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

ScratchFolder::ScratchFolder() {
  static int made = 0;
  m_path = ProgramFolder() + "\\loading-scratch-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++made);
  RemoveTree(WideFromAnsi(m_path));
  EXPECT_TRUE(CreateDirectoryA(m_path.c_str(), nullptr)) << m_path;
}

ScratchFolder::~ScratchFolder() { RemoveTree(WideFromAnsi(m_path)); }

void ScratchFolder::MakeFolder(const AnsiText& relative, DWORD attributes) const {
  const AnsiText path = PathOf(relative);
  EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
  if (attributes != 0) {
    EXPECT_TRUE(SetFileAttributesA(path.c_str(), attributes));
  }
}

void ScratchFolder::MakeFile(const AnsiText& relative, DWORD attributes) const {
  const AnsiText path = PathOf(relative);
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (attributes != 0) {
    EXPECT_TRUE(SetFileAttributesA(path.c_str(), attributes));
  }
}

void ScratchFolder::MakeWideFile(const std::wstring& name) const {
  const std::wstring path = WideFromAnsi(m_path) + L"\\" + name;
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

RawListing ListRaw(const AnsiText& pattern) {
  RawListing listing;
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return listing;
  do {
    (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? listing.folders : listing.files)
        .push_back(data.cFileName);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return listing;
}

TestWindow::TestWindow(CommandHandler onCommand, void* context) : m_onCommand(onCommand), m_context(context) {
  static const char* const kClassName = "LoadingTestWindow";
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &TestWindow::Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  // A captionless pop-up, shown without activation: under Wine without a
  // window manager, destroying a captioned or active window waits two
  // seconds for the window manager's answer.
  m_window = CreateWindowExA(0, kClassName, "loading test", WS_POPUP | WS_BORDER, 10, 10, 300, 200, nullptr,
                             nullptr, GetModuleHandleA(nullptr), this);
  ShowWindow(m_window, SW_SHOWNOACTIVATE);
  PumpUntilIdle();
}

void TestWindow::Activate() const {
  SetForegroundWindow(m_window);
  SetActiveWindow(m_window);
  PumpUntilIdle();
}

TestWindow::~TestWindow() {
  if (IsWindow(m_window)) DestroyWindow(m_window);
  PumpUntilIdle();
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_COMMAND && self->m_onCommand != nullptr) {
      self->m_onCommand(self->m_context, LOWORD(wParam));
      return 0;
    }
    // Like the program's main window: the last window gone ends the loop.
    if (message == WM_DESTROY) {
      self->m_window = nullptr;
      PostQuitMessage(0);
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

FolderDialogUser::FolderDialogUser(Action action, const AnsiText& path) : m_action(action), m_path(path) {
  g_dialogUser = this;
  m_timer = SetTimer(nullptr, 0, 20, &FolderDialogUser::OnTimer);
}

FolderDialogUser::~FolderDialogUser() {
  if (m_timer != 0) KillTimer(nullptr, m_timer);
  g_dialogUser = nullptr;
}

void CALLBACK FolderDialogUser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  FolderDialogUser* user = g_dialogUser;
  if (user == nullptr || user->finished) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return;
  user->Respond(dialog);
}

void FolderDialogUser::Respond(HWND dialog) {
  if (!dialogSeen) {
    dialogSeen = true;
    owner = GetWindow(dialog, GW_OWNER);
    EnumChildWindows(dialog, RecordStaticText, reinterpret_cast<LPARAM>(&dialogTexts));
    EnumThreadWindows(GetCurrentThreadId(), RecordEnabled, reinterpret_cast<LPARAM>(&enabledWhileOpen));
  }
  int button = IDCANCEL;
  if (m_action != Action::Cancel) {
    const HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
    const HTREEITEM root =
        tree ? reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)) : nullptr;
    // The tree may still be filling: try again at the next tick.
    if (root == nullptr) {
      if (++m_ticks < 200) return;
      failure = "the dialog shows no tree";
    }
    // Under the desktop, one of the children holds the drives.
    const AnsiText driveMark = ConcatText("(", m_path.substr(0, 2), ")");
    HTREEITEM computer = nullptr;
    HTREEITEM item = nullptr;
    if (root != nullptr) {
      Expand(tree, root);
      for (HTREEITEM child = Child(tree, root); child != nullptr && item == nullptr;
           child = Sibling(tree, child)) {
        item = FindChild(tree, child,
                         [&](const AnsiText& text) { return text.find(driveMark) != AnsiText::npos; });
        if (item != nullptr) computer = child;
      }
      if (item == nullptr) failure = "no item " + driveMark;
    }
    if (m_action == Action::ChooseComputer) item = computer;
    // Then down the path, one component at a time.
    std::size_t start = 3;
    while (m_action == Action::ChoosePath && item != nullptr && start < m_path.size()) {
      std::size_t end = m_path.find('\\', start);
      if (end == AnsiText::npos) end = m_path.size();
      const AnsiText component = m_path.substr(start, end - start);
      item = FindChild(tree, item, [&](const AnsiText& text) {
        return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(), -1, component.c_str(), -1) ==
               CSTR_EQUAL;
      });
      if (item == nullptr) failure = "no item " + component;
      start = end + 1;
    }
    if (item != nullptr) {
      SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      button = IDOK;
    }
  }
  finished = true;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

TestDataObject* TestDataObject::Files(const std::vector<AnsiText>& paths) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = FALSE;
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  for (const AnsiText& path : paths) block.append(path).push_back('\0');
  block.push_back('\0');
  return new TestDataObject(CF_HDROP, std::move(block));
}

TestDataObject* TestDataObject::TextOnly(const AnsiText& text) {
  return new TestDataObject(CF_TEXT, text + std::string(1, '\0'));
}

HRESULT STDMETHODCALLTYPE TestDataObject::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TestDataObject::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE TestDataObject::QueryGetData(FORMATETC* format) {
  if (format == nullptr) return E_INVALIDARG;
  if (format->cfFormat != m_format) return DV_E_FORMATETC;
  if ((format->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
  if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (medium == nullptr) return E_INVALIDARG;
  const HRESULT offered = QueryGetData(format);
  if (offered != S_OK) return offered;
  ++dataRequests;
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, m_block.size());
  if (memory == nullptr) return E_OUTOFMEMORY;
  std::memcpy(GlobalLock(memory), m_block.data(), m_block.size());
  GlobalUnlock(memory);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out != nullptr) out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}
