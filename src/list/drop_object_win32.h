#pragma once

#include <windows.h>

#include <ole2.h>

#include <functional>

#include "text/ansi_text.h"

// The window's drop object: accepts files dropped onto one window and
// raises its file-received event with their paths (see ReceivedText). It
// accepts exactly the data that offers the file-drop format and answers
// every drop with E_FAIL. OLE must be initialised on the thread.
class DropObject {
 public:
  using FilesReceived = std::function<void(const AnsiText& receivedText)>;

  explicit DropObject(FilesReceived filesReceived);
  // Revokes the registration if it is still in place.
  ~DropObject();
  DropObject(const DropObject&) = delete;
  DropObject& operator=(const DropObject&) = delete;

  // Attaches the drop object to `window` with RegisterDragDrop. The object
  // serves one window only: once attached, every further call is refused
  // (false) and changes nothing. True exactly when the registration
  // succeeded.
  bool RegisterDropTarget(HWND window);
  // Detaches it again, for the window's destruction; the object stays
  // spent and takes no other window.
  void RevokeDropTarget();

  // The COM face that OLE calls.
  IDropTarget* Target() const;

 private:
  class TargetObject;

  TargetObject* m_target;
  HWND m_window = nullptr;
  bool m_registered = false;
};
