#pragma once
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "platform/ui/Backend.h"

typedef struct _GtkWidget GtkWidget;
typedef union _GdkEvent GdkEvent;

// Runs the program's forms as GTK 3 windows on X11, with the GLib main loop as the event source.
// Top-level windows are named by their X window id, so the system services that deal with X
// windows can use a form's Handle directly; other widgets (native children such as a web view)
// get numbers above the 32-bit range, which no X id reaches.
class TGtkBackend : public IBackend {
public:
  // Opens the display (DISPLAY); throws std::runtime_error when it cannot.
  TGtkBackend();
  ~TGtkBackend() override;
  TGtkBackend(const TGtkBackend&) = delete;
  TGtkBackend& operator=(const TGtkBackend&) = delete;

  // The one backend of the program, or null before it is made.
  static TGtkBackend* Instance();

  std::unique_ptr<IWindow> CreateWindow(TForm& form) override;
  uint64_t TickCount() override;
  void WaitForEvents(int timeoutMs) override;
  void Wake() override;
  TRect ScreenRect() override;
  TRect WorkArea() override;
  TPoint CursorPos() override;
  void Beep() override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;

  // Whether a window manager runs on the screen (checked afresh on each call: one may start or
  // end while the program runs). Without one, the windows emulate what it would do: placement
  // for maximised and full-screen windows, stacking and the input focus.
  bool HasWindowManager() const;

  // Names any widget with a handle (the same one on every call while the widget lives).
  HWND HandleForWidget(GtkWidget* widget);
  // The widget of a handle, or null when it is unknown or gone.
  GtkWidget* WidgetForHandle(HWND hwnd) const;
  // Whether child lies inside parent in the widget tree; a widget is not its own child.
  bool IsChild(HWND parent, HWND child) const;

  // Routes the mouse button events of a native child through the application's message filter
  // (hwnd = HandleForWidget of the widget that got the event), so the filter may drop them
  // before the child sees them; events it lets pass reach the child unchanged. Keys need no
  // call: the form's window runs them through the filter whenever a native child has the focus.
  void FilterNativeInput(GtkWidget* widget);
  // Builds the message for a native event and runs the filter; true when the filter handled it.
  bool FilterNativeEvent(GtkWidget* widget, GdkEvent* event);

  // For the windows.
  void RegisterHandle(HWND hwnd, GtkWidget* widget);
  void ForgetHandle(HWND hwnd);

private:
  std::unordered_map<HWND, GtkWidget*> widgets_;
  HWND next_handle_ = HWND(1) << 32;
};

// Runs fn, keeping every exception inside: a std::exception goes to the application's exception
// display, anything else is dropped. GTK callbacks are C code and must never see one.
void GuardCallback(const std::function<void()>& fn);
