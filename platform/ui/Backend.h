#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/TTypes.h"
#include "platform/ui/Messages.h"

class TForm;
enum TCursor : int;

// The native window of one form. The form calls these; the backend reports back through the
// form's Window... methods and posts input to the application's queue as TMsg.
class IWindow {
public:
  virtual ~IWindow() = default;
  virtual HWND Handle() const = 0;
  virtual void SetBounds(const TRect& screenRect) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetVisible(bool visible) = 0;
  // bsNone: no decorations; bsSingle and bsDialog: fixed size with a title bar.
  virtual void SetDecorated(bool decorated, bool resizable) = 0;
  // The title-bar buttons of a decorated window (TBorderIcons: biSystemMenu for the close
  // button, which the others need too, biMinimize, biMaximize).
  virtual void SetBorderIcons(unsigned icons) { (void)icons; }
  virtual void SetStayOnTop(bool onTop) = 0;
  // Covers the whole screen, above everything (the kiosk's own full-screen mode).
  virtual void SetFullScreen(bool fullScreen) = 0;
  virtual void Minimize() = 0;
  virtual void Maximize() = 0;
  virtual void Restore() = 0;
  virtual void Activate() = 0;
  // Disabled windows take no input (the other windows of a program while one is modal).
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetCursor(TCursor cursor) = 0;
  // The form repainted this part of its back buffer: show it.
  virtual void Present(const TRect& dirty) = 0;
  // The form has a dirty area: paint it soon (the backend calls TForm::PaintNow).
  virtual void RequestPaint() = 0;
  virtual void SetPointerCapture(bool capture) = 0;
  // The native container for native children (a GtkFixed for the gtk backend), or null.
  virtual void* NativeContainer() { return nullptr; }
};

// One of these runs the program's windows and waits for events.
class IBackend {
public:
  virtual ~IBackend() = default;
  virtual std::unique_ptr<IWindow> CreateWindow(TForm& form) = 0;
  // Milliseconds on a monotonic clock (virtual in the headless backend).
  virtual uint64_t TickCount() = 0;
  // Waits at most timeoutMs (negative: no limit) for native events, turns them into posted
  // messages and paint calls, and returns. Returns at once when events are pending.
  virtual void WaitForEvents(int timeoutMs) = 0;
  // Wakes a WaitForEvents in progress (a message was posted from inside a callback).
  virtual void Wake() {}
  virtual TRect ScreenRect() = 0;
  virtual TRect WorkArea() { return ScreenRect(); }
  virtual TPoint CursorPos() = 0;
  virtual void Beep() {}
  virtual std::string ClipboardText() { return {}; }
  virtual void SetClipboardText(const std::string&) {}
  // Minimises the program as a whole (its task bar entry too), for Application->Minimize.
  virtual void MinimizeApp() {}
};
