#pragma once
#include <optional>
#include <set>

#include "platform/ui/Backend.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkIMContext GtkIMContext;
typedef struct _GdkCursor GdkCursor;
typedef union _GdkEvent GdkEvent;
typedef struct _cairo cairo_t;
class TGtkBackend;

// One form's window: a GtkWindow holding an overlay whose main child is the drawing area that
// shows the form's back buffer and takes its input, and whose overlay child is a GtkFixed for
// native children. The fixed lets events pass through where it has no child.
class TGtkWindow : public IWindow {
public:
  TGtkWindow(TGtkBackend& backend, TForm& form);
  ~TGtkWindow() override;
  TGtkWindow(const TGtkWindow&) = delete;
  TGtkWindow& operator=(const TGtkWindow&) = delete;

  HWND Handle() const override { return handle_; }
  void SetBounds(const TRect& screenRect) override;
  void SetCaption(const std::string& caption) override;
  void SetVisible(bool visible) override;
  void SetDecorated(bool decorated, bool resizable) override;
  void SetBorderIcons(unsigned icons) override;
  void SetStayOnTop(bool onTop) override;
  void SetFullScreen(bool fullScreen) override;
  void Minimize() override;
  void Maximize() override;
  void Restore() override;
  void Activate() override;
  void SetEnabled(bool enabled) override;
  void SetCursor(TCursor cursor) override;
  void Present(const TRect& dirty) override;
  void RequestPaint() override;
  void SetPointerCapture(bool capture) override;
  void* NativeContainer() override;

  GtkWidget* Widget() const { return window_; }
  GtkWidget* Content() const { return area_; }
  TForm& Form() const { return form_; }

  // The event handlers, called from the signal trampolines in the source file.
  void OnDraw(cairo_t* cr);
  bool OnButton(GdkEvent* event);
  bool OnMotion(GdkEvent* event);
  bool OnLeave(GdkEvent* event);
  bool OnScroll(GdkEvent* event);
  bool OnKey(GdkEvent* event);
  void OnCommit(const char* text);
  bool OnFocus(GdkEvent* event);
  bool OnConfigure(GdkEvent* event);
  bool OnWindowState(GdkEvent* event);
  void OnAllocate(int width, int height);
  void OnMap();
  void ShapeNativeInput();

private:
  enum class TState { normal, minimized, maximized };
  void Post(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t time, TPoint pt);
  void PostSize();
  void ReportPosition();
  void ApplyBounds(const TRect& r);
  void PlaceForState();
  void SetTransientForOwner();
  void ApplyFrameFunctions();
  bool Managed() const;

  TGtkBackend& backend_;
  TForm& form_;
  GtkWidget* window_ = nullptr;
  GtkWidget* overlay_ = nullptr;
  GtkWidget* area_ = nullptr;
  GtkWidget* fixed_ = nullptr;
  GtkIMContext* im_ = nullptr;
  GdkCursor* cursor_ = nullptr;
  TCursor cursor_id_ = TCursor(0);
  HWND handle_ = 0;

  TRect bounds_{};           // the bounds the form asked for, for Restore without a manager
  TPoint reported_pos_{-100000, -100000};
  std::optional<TPoint> pending_pos_; // a move asked for and not yet seen
  uint64_t pending_since_ = 0;
  TSize reported_size_{-1, -1};
  TSize posted_size_{-1, -1};
  uintptr_t reported_kind_ = SIZE_RESTORED;
  TState state_ = TState::normal;
  TState restore_state_ = TState::normal; // the state a minimised window returns to
  bool full_screen_ = false;
  bool on_top_ = false;
  bool decorated_ = true, resizable_ = true;
  unsigned border_icons_ = 1 | 2 | 4; // the form's default: system menu, minimise, maximise
  bool enabled_ = true;
  bool visible_ = false;
  // Keys held down, so a repeated press is marked as such.
  std::set<unsigned> keys_down_;
  // While a key press is being filtered, committed text is collected here rather than posted,
  // so its WM_CHAR messages follow the key's WM_KEYDOWN.
  bool filtering_ = false;
  std::u32string committed_;
};
