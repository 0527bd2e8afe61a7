#pragma once

#include <windows.h>

#include <ole2.h>

#include <string>
#include <vector>

#include "text/ansi_text.h"

// Runs every message waiting for this thread until none is left. The tests
// wait with this, never with a sleep.
void PumpUntilIdle();

// A real folder beside the test program, made fresh for one test and
// removed with everything in it afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's full path, without a final "\".
  const AnsiText& Path() const { return m_path; }
  AnsiText PathOf(const AnsiText& relative) const { return m_path + "\\" + relative; }

  void MakeFolder(const AnsiText& relative, DWORD attributes = 0) const;
  void MakeFile(const AnsiText& relative, DWORD attributes = 0) const;
  // A file whose name is given in UTF-16, for names the ANSI code page
  // cannot represent.
  void MakeWideFile(const std::wstring& name) const;

 private:
  AnsiText m_path;
};

// The names a bare FindFirstFileA/FindNextFileA loop reports for the
// pattern, split into folders and non-folders, in the platform's order.
struct RawListing {
  std::vector<AnsiText> folders;
  std::vector<AnsiText> files;
};
RawListing ListRaw(const AnsiText& pattern);

// A plain visible top-level window, for owning dialogs and
// receiving posted messages. Commands go to the handler given.
class TestWindow {
 public:
  using CommandHandler = void (*)(void* context, int command);

  TestWindow(CommandHandler onCommand = nullptr, void* context = nullptr);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return m_window; }
  // Makes it the foreground and active window, as the user's click does.
  void Activate() const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_window = nullptr;
  CommandHandler m_onCommand;
  void* m_context;
};

// Answers the next folder dialog the way a user does: walks its tree from a
// drive item down to a folder, selects it and presses OK, or presses
// Cancel. It runs from a timer while the dialog's own message loop waits,
// and records what it saw of the dialog.
class FolderDialogUser {
 public:
  enum class Action {
    ChoosePath,      // walks to `path` (its drive shows as "(X:)") and presses OK
    ChooseComputer,  // selects the item holding `path`'s drive, which has no
                     // file-system path, and presses OK
    Cancel,          // presses Cancel
  };

  explicit FolderDialogUser(Action action, const AnsiText& path = AnsiText());
  ~FolderDialogUser();
  FolderDialogUser(const FolderDialogUser&) = delete;
  FolderDialogUser& operator=(const FolderDialogUser&) = delete;

  // What was seen while the dialog was open.
  bool dialogSeen = false;
  bool finished = false;  // a button was pressed
  HWND owner = nullptr;
  std::vector<AnsiText> dialogTexts;                    // texts of the dialog's static controls
  std::vector<std::pair<HWND, bool>> enabledWhileOpen;  // the thread's visible windows
  AnsiText failure;                                     // why the walk failed, if it did

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Respond(HWND dialog);

  Action m_action;
  AnsiText m_path;
  UINT_PTR m_timer = 0;
  int m_ticks = 0;
};

// Dragged data as a drag source offers it: a file list in the file-drop
// format (a DROPFILES block of ANSI paths), plain text, or both. Made with
// one reference, which the test releases.
class TestDataObject final : public IDataObject {
 public:
  static TestDataObject* Files(const std::vector<AnsiText>& paths);
  static TestDataObject* TextOnly(const AnsiText& text);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  // How often the data were asked for.
  int dataRequests = 0;

 private:
  TestDataObject(CLIPFORMAT format, std::string block) : m_format(format), m_block(std::move(block)) {}
  ~TestDataObject() = default;

  CLIPFORMAT m_format;
  std::string m_block;  // the bytes of the one format offered
  ULONG m_references = 1;
};
