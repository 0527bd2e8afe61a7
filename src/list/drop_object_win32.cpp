#include "list/drop_object_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "list/drop_loading.h"

namespace {

// The file-drop format, CF_HDROP, as an HGLOBAL holding a DROPFILES list.
FORMATETC FileDropFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFiles(IDataObject* data) {
  if (data == nullptr) return false;
  FORMATETC format = FileDropFormat();
  return data->QueryGetData(&format) == S_OK;
}

// True when the list holds no path at all. DragQueryFileA is not asked
// then: Wine's version walks past the end of an empty list and counts
// whatever memory follows it.
bool HoldsNoPath(HGLOBAL list) {
  const SIZE_T size = GlobalSize(list);
  const auto* header = static_cast<const DROPFILES*>(GlobalLock(list));
  if (header == nullptr) return true;
  bool empty = true;
  if (size >= sizeof(DROPFILES) && header->pFiles < size) {
    const auto* first = reinterpret_cast<const char*>(header) + header->pFiles;
    const SIZE_T characterSize = header->fWide ? 2 : 1;
    empty = header->pFiles + characterSize > size || (first[0] == 0 && (characterSize == 1 || first[1] == 0));
  }
  GlobalUnlock(list);
  return empty;
}

// Every path of the drop, copied out before the data is released.
std::vector<AnsiText> DroppedPaths(IDataObject* data) {
  std::vector<AnsiText> paths;
  FORMATETC format = FileDropFormat();
  STGMEDIUM medium{};
  if (data->GetData(&format, &medium) != S_OK) return paths;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr && !HoldsNoPath(medium.hGlobal)) {
    const HDROP drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    paths.reserve(count);
    for (UINT index = 0; index < count; ++index) {
      const UINT length = DragQueryFileA(drop, index, nullptr, 0);
      // One byte more than the length, for the terminating NUL.
      AnsiText path(length + 1, '\0');
      path.resize(DragQueryFileA(drop, index, path.data(), length + 1));
      paths.push_back(std::move(path));
    }
  }
  ReleaseStgMedium(&medium);
  return paths;
}

}  // namespace

class DropObject::TargetObject final : public IDropTarget {
 public:
  explicit TargetObject(FilesReceived filesReceived) : m_filesReceived(std::move(filesReceived)) {}

  // The owner goes away; a reference OLE still holds must not call it.
  void Detach() { m_filesReceived = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) override {
    m_accepted = OffersFiles(data);
    return Report(keys, effect);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL, DWORD* effect) override {
    return Report(keys, effect);
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    m_accepted = false;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) override {
    m_accepted = OffersFiles(data);
    if (effect == nullptr) return E_FAIL;
    const DWORD chosen = ChooseDropEffect(m_accepted, keys, *effect);
    *effect = chosen;
    m_accepted = false;
    if (chosen != DROPEFFECT_NONE && m_filesReceived) {
      const AnsiText text = ReceivedText(DroppedPaths(data));
      // The handler may drop the last reference to the owner's callback.
      const FilesReceived handler = m_filesReceived;
      handler(text);
    }
    // The rows only name the dropped entries: answering with a failure
    // keeps a source from taking a move as done and deleting its originals.
    return E_FAIL;
  }

 private:
  ~TargetObject() = default;

  HRESULT Report(DWORD keys, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    *effect = ChooseDropEffect(m_accepted, keys, *effect);
    return S_OK;
  }

  FilesReceived m_filesReceived;
  ULONG m_references = 1;
  bool m_accepted = false;
};

DropObject::DropObject(FilesReceived filesReceived) : m_target(new TargetObject(std::move(filesReceived))) {}

DropObject::~DropObject() {
  RevokeDropTarget();
  m_target->Detach();
  m_target->Release();
}

bool DropObject::RegisterDropTarget(HWND window) {
  if (m_window != nullptr) return false;
  m_window = window;
  m_registered = SUCCEEDED(RegisterDragDrop(window, m_target));
  return m_registered;
}

void DropObject::RevokeDropTarget() {
  if (!m_registered) return;
  RevokeDragDrop(m_window);
  m_registered = false;
}

IDropTarget* DropObject::Target() const { return m_target; }
