#include "platform/backend/gtk/TGtkWindow.h"

// The form library first: Xlib's headers define macros (KeyPress, None, Status) that clash with it.
#include "platform/ui/TApplication.h"
#include "platform/ui/TForm.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>

#include "platform/backend/gtk/GtkInput.h"
#include "platform/backend/gtk/TGtkBackend.h"

namespace {

const char* CursorName(TCursor c) {
  switch (c) {
  case crCross: return "crosshair";
  case crIBeam: return "text";
  case crSizeNESW: return "nesw-resize";
  case crSizeNS: return "ns-resize";
  case crSizeNWSE: return "nwse-resize";
  case crSizeWE: return "ew-resize";
  case crHourGlass: return "wait";
  case crNo: return "not-allowed";
  case crHandPoint: return "pointer";
  case crSizeAll: return "move";
  default: return nullptr;
  }
}

TPoint RootPoint(double x, double y) { return {int(std::floor(x)), int(std::floor(y))}; }

// Signal trampolines: each keeps exceptions inside and answers GTK with the handler's result, or
// with the given value when the handler threw.
template <bool (TGtkWindow::*Handler)(GdkEvent*), gboolean onThrow = TRUE>
gboolean EventTrampoline(GtkWidget*, GdkEvent* event, gpointer self) {
  gboolean result = onThrow;
  GuardCallback([&] { result = (static_cast<TGtkWindow*>(self)->*Handler)(event); });
  return result;
}

} // namespace

TGtkWindow::TGtkWindow(TGtkBackend& backend, TForm& form) : backend_(backend), form_(form) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  overlay_ = gtk_overlay_new();
  area_ = gtk_drawing_area_new();
  fixed_ = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(overlay_), area_);
  gtk_overlay_add_overlay(GTK_OVERLAY(overlay_), fixed_);
  gtk_container_add(GTK_CONTAINER(window_), overlay_);

  // Motion hints stay off: the forms want every position, not a request to ask for it.
  gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                   GDK_LEAVE_NOTIFY_MASK | GDK_SCROLL_MASK);
  gtk_widget_set_can_focus(area_, TRUE);
  gtk_widget_show(area_);
  gtk_widget_show(fixed_);
  gtk_widget_show(overlay_);
  gtk_widget_grab_focus(area_);

  g_signal_connect(area_, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer self) -> gboolean {
    GuardCallback([&] { static_cast<TGtkWindow*>(self)->OnDraw(cr); });
    return TRUE;
  }), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnButton>)), this);
  g_signal_connect(area_, "button-release-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnButton>)), this);
  g_signal_connect(area_, "motion-notify-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnMotion>)), this);
  g_signal_connect(area_, "leave-notify-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnLeave>)), this);
  g_signal_connect(area_, "scroll-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnScroll>)), this);
  g_signal_connect(area_, "size-allocate", G_CALLBACK(+[](GtkWidget*, GdkRectangle* a, gpointer self) {
    GuardCallback([&] { static_cast<TGtkWindow*>(self)->OnAllocate(a->width, a->height); });
  }), this);
  // The fixed's window takes input only where it has children, so the rest reaches the form.
  // (Marking it pass-through instead loses the events of widgets nested in a child.)
  g_signal_connect_after(fixed_, "size-allocate", G_CALLBACK(+[](GtkWidget*, GdkRectangle*, gpointer self) {
    static_cast<TGtkWindow*>(self)->ShapeNativeInput();
  }), this);
  g_signal_connect_after(fixed_, "realize", G_CALLBACK(+[](GtkWidget*, gpointer self) {
    static_cast<TGtkWindow*>(self)->ShapeNativeInput();
  }), this);
  g_signal_connect(area_, "realize", G_CALLBACK(+[](GtkWidget* w, gpointer self) {
    auto* me = static_cast<TGtkWindow*>(self);
    gtk_im_context_set_client_window(me->im_, gtk_widget_get_window(w));
    if (me->cursor_) gdk_window_set_cursor(gtk_widget_get_window(w), me->cursor_);
  }), this);
  // Keys come to the top level first, so they reach the form whichever widget has the focus
  // there; a native child with the focus gets them after the message filter has seen them.
  g_signal_connect(window_, "key-press-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnKey>)), this);
  g_signal_connect(window_, "key-release-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnKey>)), this);
  g_signal_connect(window_, "focus-in-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnFocus, FALSE>)), this);
  g_signal_connect(window_, "focus-out-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnFocus, FALSE>)), this);
  g_signal_connect(window_, "configure-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnConfigure, FALSE>)), this);
  g_signal_connect(window_, "window-state-event", G_CALLBACK((EventTrampoline<&TGtkWindow::OnWindowState, FALSE>)), this);
  g_signal_connect(window_, "map-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
    GuardCallback([&] { static_cast<TGtkWindow*>(self)->OnMap(); });
    return FALSE;
  }), this);
  // The form decides whether a close request closes it.
  g_signal_connect(window_, "delete-event", G_CALLBACK(+[](GtkWidget*, GdkEvent* e, gpointer self) -> gboolean {
    auto* me = static_cast<TGtkWindow*>(self);
    GuardCallback([&] {
      if (me->enabled_) me->Post(WM_CLOSE, 0, 0, gdk_event_get_time(e), me->backend_.CursorPos());
    });
    return TRUE;
  }), this);

  im_ = gtk_im_multicontext_new();
  g_signal_connect(im_, "commit", G_CALLBACK(+[](GtkIMContext*, gchar* text, gpointer self) {
    GuardCallback([&] { static_cast<TGtkWindow*>(self)->OnCommit(text); });
  }), this);

  // Realized now, so the window has its X id for a handle from the start.
  gtk_widget_realize(window_);
  handle_ = HWND(gdk_x11_window_get_xid(gtk_widget_get_window(window_)));
  backend_.RegisterHandle(handle_, window_);
}

TGtkWindow::~TGtkWindow() {
  // Destroying the widgets emits signals (unmap, focus, allocation) that must not reach a form
  // being destroyed.
  g_signal_handlers_disconnect_by_data(window_, this);
  g_signal_handlers_disconnect_by_data(area_, this);
  g_signal_handlers_disconnect_by_data(fixed_, this);
  g_signal_handlers_disconnect_by_data(im_, this);
  gtk_im_context_set_client_window(im_, nullptr);
  g_object_unref(im_);
  gtk_widget_destroy(window_);
  if (cursor_) g_object_unref(cursor_);
}

bool TGtkWindow::Managed() const { return backend_.HasWindowManager(); }

void TGtkWindow::Post(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t time, TPoint pt) {
  if (!Application) return;
  Application->PostMessage(TMsg{handle_, message, wParam, lParam, time, pt});
}

// ---- Requests of the form ----

void TGtkWindow::SetBounds(const TRect& screenRect) {
  bounds_ = screenRect;
  // A maximised or full-screen window keeps its place; the bounds are where Restore returns to.
  if (state_ == TState::normal && !full_screen_) ApplyBounds(screenRect);
}

void TGtkWindow::ApplyBounds(const TRect& r) {
  GtkWindow* w = GTK_WINDOW(window_);
  gtk_window_move(w, r.Left, r.Top);
  pending_pos_ = {r.Left, r.Top};
  pending_since_ = backend_.TickCount();
  int width = std::max(1, r.Width()), height = std::max(1, r.Height());
  // A fixed-size window takes its size from its content's request.
  if (!resizable_) gtk_widget_set_size_request(overlay_, width, height);
  gtk_window_resize(w, width, height);
}

void TGtkWindow::PlaceForState() {
  if (full_screen_) ApplyBounds(backend_.ScreenRect());
  else if (state_ == TState::maximized) ApplyBounds(backend_.WorkArea());
  else ApplyBounds(bounds_);
}

void TGtkWindow::SetCaption(const std::string& caption) { gtk_window_set_title(GTK_WINDOW(window_), caption.c_str()); }

void TGtkWindow::SetTransientForOwner() {
  // Dialogs stay above the window they belong to; a window manager keeps them there.
  GtkWindow* parent = nullptr;
  if (decorated_ && !resizable_) {
    TForm* owner = dynamic_cast<TForm*>(form_.Owner());
    if (!owner && Application && Application->MainForm() != &form_) owner = Application->MainForm();
    if (owner && owner != &form_)
      if (auto* ow = dynamic_cast<TGtkWindow*>(owner->Window())) parent = GTK_WINDOW(ow->window_);
  }
  gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
}

void TGtkWindow::SetVisible(bool visible) {
  visible_ = visible;
  if (!visible) {
    gtk_widget_hide(window_);
    return;
  }
  SetTransientForOwner();
  // Without a window manager a minimised window is one that is not shown.
  if (state_ == TState::minimized && !Managed()) return;
  gtk_widget_show(window_);
  if (!Managed()) {
    // What a window manager would do for a new window: put it on top and give it the keys,
    // rather than leaving them to whatever lies under the pointer.
    GdkWindow* gw = gtk_widget_get_window(window_);
    gdk_window_raise(gw);
    gdk_window_focus(gw, GDK_CURRENT_TIME);
  }
}

void TGtkWindow::SetDecorated(bool decorated, bool resizable) {
  decorated_ = decorated;
  // A window without a frame has nothing the user could resize it by, so its size stays free
  // for the program (and for maximising, which a window manager refuses to fixed-size windows).
  resizable_ = resizable || !decorated;
  gtk_window_set_decorated(GTK_WINDOW(window_), decorated);
  gtk_window_set_resizable(GTK_WINDOW(window_), resizable_);
  if (resizable_) gtk_widget_set_size_request(overlay_, -1, -1);
  gtk_window_set_type_hint(GTK_WINDOW(window_), decorated && !resizable_ ? GDK_WINDOW_TYPE_HINT_DIALOG
                                                                        : GDK_WINDOW_TYPE_HINT_NORMAL);
  ApplyFrameFunctions();
}

void TGtkWindow::SetBorderIcons(unsigned icons) {
  border_icons_ = icons;
  ApplyFrameFunctions();
}

// Tells the window manager which buttons and actions the frame offers: as on the desktop, the
// minimise and maximise buttons come only with the system menu, and maximising only with a
// frame that can change size.
void TGtkWindow::ApplyFrameFunctions() {
  GdkWindow* gw = gtk_widget_get_window(window_);
  if (!gw || !decorated_) return;
  const bool menu = border_icons_ & biSystemMenu;
  unsigned functions = GDK_FUNC_MOVE, decorations = GDK_DECOR_BORDER | GDK_DECOR_TITLE;
  if (resizable_) {
    functions |= GDK_FUNC_RESIZE;
    decorations |= GDK_DECOR_RESIZEH;
  }
  if (menu) {
    functions |= GDK_FUNC_CLOSE;
    decorations |= GDK_DECOR_MENU;
  }
  if (menu && (border_icons_ & biMinimize)) {
    functions |= GDK_FUNC_MINIMIZE;
    decorations |= GDK_DECOR_MINIMIZE;
  }
  if (menu && resizable_ && (border_icons_ & biMaximize)) {
    functions |= GDK_FUNC_MAXIMIZE;
    decorations |= GDK_DECOR_MAXIMIZE;
  }
  gdk_window_set_functions(gw, GdkWMFunction(functions));
  gdk_window_set_decorations(gw, GdkWMDecoration(decorations));
}

void TGtkWindow::SetStayOnTop(bool onTop) {
  on_top_ = onTop;
  gtk_window_set_keep_above(GTK_WINDOW(window_), onTop);
  if (onTop && gtk_widget_get_mapped(window_) && !Managed()) gdk_window_raise(gtk_widget_get_window(window_));
}

void TGtkWindow::SetFullScreen(bool fullScreen) {
  if (full_screen_ == fullScreen) return;
  full_screen_ = fullScreen;
  if (Managed()) {
    if (fullScreen) gtk_window_fullscreen(GTK_WINDOW(window_));
    else gtk_window_unfullscreen(GTK_WINDOW(window_));
    return;
  }
  // Without a window manager nobody acts on the request: cover the screen ourselves.
  PlaceForState();
  if (fullScreen && gtk_widget_get_mapped(window_)) gdk_window_raise(gtk_widget_get_window(window_));
  PostSize();
}

void TGtkWindow::Minimize() {
  if (Managed()) {
    gtk_window_iconify(GTK_WINDOW(window_));
    return;
  }
  if (state_ == TState::minimized) return;
  restore_state_ = state_;
  state_ = TState::minimized;
  gtk_widget_hide(window_);
  PostSize();
}

void TGtkWindow::Maximize() {
  if (Managed()) {
    if (state_ == TState::minimized) gtk_window_deiconify(GTK_WINDOW(window_));
    gtk_window_maximize(GTK_WINDOW(window_));
    return;
  }
  bool wasHidden = state_ == TState::minimized;
  state_ = TState::maximized;
  PlaceForState();
  if (wasHidden && visible_) SetVisible(true);
  PostSize();
}

void TGtkWindow::Restore() {
  if (Managed()) {
    if (state_ == TState::minimized) {
      gtk_window_deiconify(GTK_WINDOW(window_));
      gtk_window_present(GTK_WINDOW(window_));
    } else {
      gtk_window_unmaximize(GTK_WINDOW(window_));
    }
    return;
  }
  if (state_ == TState::minimized) {
    // As on the desktop, a minimised window comes back in the state it was minimised from.
    state_ = restore_state_;
    PlaceForState();
    if (visible_) SetVisible(true);
  } else {
    state_ = TState::normal;
    PlaceForState();
  }
  PostSize();
}

void TGtkWindow::Activate() {
  if (Managed()) {
    gtk_window_present(GTK_WINDOW(window_));
    return;
  }
  if (!gtk_widget_get_mapped(window_)) return;
  GdkWindow* gw = gtk_widget_get_window(window_);
  gdk_window_raise(gw);
  gdk_window_focus(gw, GDK_CURRENT_TIME);
}

void TGtkWindow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  gtk_widget_set_sensitive(overlay_, enabled);
}

void TGtkWindow::SetCursor(TCursor cursor) {
  if (cursor == cursor_id_ && (cursor_ || !CursorName(cursor))) return;
  cursor_id_ = cursor;
  if (cursor_) g_object_unref(cursor_);
  cursor_ = nullptr;
  if (const char* name = CursorName(cursor)) cursor_ = gdk_cursor_new_from_name(gtk_widget_get_display(window_), name);
  if (GdkWindow* gw = gtk_widget_get_window(area_)) gdk_window_set_cursor(gw, cursor_);
}

void TGtkWindow::Present(const TRect& dirty) {
  if (!dirty.IsEmpty()) gtk_widget_queue_draw_area(area_, dirty.Left, dirty.Top, dirty.Width(), dirty.Height());
}

// The application's loop paints dirty forms whenever it runs out of messages; it only has to be
// woken.
void TGtkWindow::RequestPaint() { backend_.Wake(); }

// While a button is held GTK's implicit grab already sends every motion and the release to the
// window that got the press, which is all the forms ask of a capture.
void TGtkWindow::SetPointerCapture(bool) {}

void* TGtkWindow::NativeContainer() { return fixed_; }

void TGtkWindow::ShapeNativeInput() {
  GdkWindow* gw = gtk_widget_get_window(fixed_);
  if (!gw || gw == gtk_widget_get_window(window_)) return;
  GtkAllocation origin;
  gtk_widget_get_allocation(fixed_, &origin);
  cairo_region_t* region = cairo_region_create();
  GList* children = gtk_container_get_children(GTK_CONTAINER(fixed_));
  for (GList* l = children; l; l = l->next) {
    GtkWidget* child = GTK_WIDGET(l->data);
    if (!gtk_widget_get_visible(child)) continue;
    GtkAllocation a;
    gtk_widget_get_allocation(child, &a);
    cairo_rectangle_int_t r{a.x - origin.x, a.y - origin.y, a.width, a.height};
    cairo_region_union_rectangle(region, &r);
  }
  g_list_free(children);
  gdk_window_input_shape_combine_region(gw, region, 0, 0);
  cairo_region_destroy(region);
}

// ---- Events ----

void TGtkWindow::OnDraw(cairo_t* cr) {
  // A window shown (or uncovered) before the loop has painted it gets its face painted now.
  if (form_.HasDirty()) form_.PaintNow();
  const TBitmap& buffer = form_.BackBuffer();
  if (buffer.Empty()) return;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, buffer.Width(), buffer.Height());
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, buffer.Surface(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

bool TGtkWindow::OnButton(GdkEvent* event) {
  const GdkEventButton& b = event->button;
  // The form tells double clicks itself, from the times of the single presses.
  if (b.type != GDK_BUTTON_PRESS && b.type != GDK_BUTTON_RELEASE) return true;
  if (!enabled_) return true;
  bool press = b.type == GDK_BUTTON_PRESS;
  uint32_t message = ButtonMessage(press, b.button);
  if (!message) return false;
  Post(message, ButtonMessageFlags(b.state, b.button, press), MakeLParam(int(std::floor(b.x)), int(std::floor(b.y))),
       b.time, RootPoint(b.x_root, b.y_root));
  return true;
}

bool TGtkWindow::OnMotion(GdkEvent* event) {
  const GdkEventMotion& m = event->motion;
  if (!enabled_) return true;
  Post(WM_MOUSEMOVE, MouseKeyFlags(m.state), MakeLParam(int(std::floor(m.x)), int(std::floor(m.y))), m.time,
       RootPoint(m.x_root, m.y_root));
  return true;
}

bool TGtkWindow::OnLeave(GdkEvent* event) {
  const GdkEventCrossing& c = event->crossing;
  if (c.detail == GDK_NOTIFY_INFERIOR) return false;
  Post(WM_MOUSELEAVE, 0, 0, c.time, RootPoint(c.x_root, c.y_root));
  return false;
}

bool TGtkWindow::OnScroll(GdkEvent* event) {
  const GdkEventScroll& s = event->scroll;
  if (!enabled_) return true;
  int notches = s.direction == GDK_SCROLL_UP ? 1 : s.direction == GDK_SCROLL_DOWN ? -1 : 0;
  if (!notches) return false;
  uintptr_t wParam = (uintptr_t(uint16_t(int16_t(notches * 120))) << 16) | MouseKeyFlags(s.state);
  Post(WM_MOUSEWHEEL, wParam, MakeLParam(int(std::floor(s.x)), int(std::floor(s.y))), s.time,
       RootPoint(s.x_root, s.y_root));
  return true;
}

bool TGtkWindow::OnKey(GdkEvent* event) {
  GdkEventKey* k = &event->key;
  GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window_));
  if (focus && focus != area_) return backend_.FilterNativeEvent(focus, event);
  if (!enabled_) return true;

  bool press = k->type == GDK_KEY_PRESS;
  uint16_t vk = VirtualKeyOfEvent(k);
  bool alt = (k->state & GDK_MOD1_MASK) != 0;
  TPoint pt = backend_.CursorPos();

  filtering_ = true;
  committed_.clear();
  bool filtered = gtk_im_context_filter_keypress(im_, k);
  filtering_ = false;

  if (!press) {
    keys_down_.erase(k->hardware_keycode);
    if (vk) Post(alt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyLParam(k, false), k->time, pt);
    return true;
  }
  bool repeat = !keys_down_.insert(k->hardware_keycode).second;
  // A key the input method swallowed without text (a dead key, a composition step) is not a
  // key press of the form's.
  if (vk && (!filtered || !committed_.empty()))
    Post(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyLParam(k, repeat), k->time, pt);
  if (!filtered && committed_.empty()) {
    // The control characters the desktop sends along with these keys.
    char32_t c = 0;
    if (vk == VK_RETURN || vk == VK_BACK || vk == VK_TAB || vk == VK_ESCAPE) c = vk;
    else if ((k->state & GDK_CONTROL_MASK) && !alt && vk >= 'A' && vk <= 'Z') c = vk - 'A' + 1;
    if (c) committed_.push_back(c);
  }
  for (char32_t c : committed_) Post(WM_CHAR, c, KeyLParam(k, repeat), k->time, pt);
  committed_.clear();
  return true;
}

void TGtkWindow::OnCommit(const char* text) {
  std::u32string chars;
  for (const char* p = text; p && *p; p = g_utf8_next_char(p)) chars.push_back(g_utf8_get_char(p));
  if (filtering_) {
    committed_ += chars;
    return;
  }
  // Text an input method commits on its own, after its composition.
  if (!enabled_) return;
  for (char32_t c : chars) Post(WM_CHAR, c, 1, gtk_get_current_event_time(), backend_.CursorPos());
}

bool TGtkWindow::OnFocus(GdkEvent* event) {
  bool in = event->focus_change.in;
  if (in) gtk_im_context_focus_in(im_);
  else gtk_im_context_focus_out(im_);
  keys_down_.clear();
  Post(WM_ACTIVATE, in ? WA_ACTIVE : WA_INACTIVE, 0, gtk_get_current_event_time(), backend_.CursorPos());
  return false;
}

bool TGtkWindow::OnConfigure(GdkEvent*) {
  ReportPosition();
  return false;
}

void TGtkWindow::ReportPosition() {
  GdkWindow* gw = gtk_widget_get_window(window_);
  if (!gw) return;
  int x = 0, y = 0;
  gdk_window_get_root_origin(gw, &x, &y);
  // GTK carries a move out on its next frame, so a configure event until then still reads the
  // old place; reporting it would drag the form back from where it just asked to be. A window
  // manager that puts the window elsewhere is believed after a while.
  constexpr uint64_t kMoveSettleMs = 1000;
  if (pending_pos_) {
    if (TPoint{x, y} != *pending_pos_ && backend_.TickCount() - pending_since_ < kMoveSettleMs) return;
    pending_pos_.reset();
  }
  if (TPoint{x, y} == reported_pos_) return;
  reported_pos_ = {x, y};
  form_.WindowMoved(x, y);
}

bool TGtkWindow::OnWindowState(GdkEvent* event) {
  GdkWindowState s = event->window_state.new_window_state;
  if (!Managed()) return false; // the emulated state is ours, not the window system's
  full_screen_ = (s & GDK_WINDOW_STATE_FULLSCREEN) != 0;
  state_ = (s & GDK_WINDOW_STATE_ICONIFIED) ? TState::minimized
           : (s & GDK_WINDOW_STATE_MAXIMIZED) ? TState::maximized
                                              : TState::normal;
  PostSize();
  return false;
}

void TGtkWindow::OnAllocate(int width, int height) {
  if (TSize{width, height} == reported_size_) return;
  reported_size_ = {width, height};
  PostSize();
}

void TGtkWindow::PostSize() {
  bool large = state_ == TState::maximized || full_screen_;
  uintptr_t kind = state_ == TState::minimized ? SIZE_MINIMIZED : large ? SIZE_MAXIMIZED : SIZE_RESTORED;
  if (reported_size_.cx < 0) return; // no size yet: the first allocation reports it
  if (kind == reported_kind_ && reported_size_ == posted_size_) return;
  reported_kind_ = kind;
  posted_size_ = reported_size_;
  Post(WM_SIZE, kind, MakeLParam(reported_size_.cx, reported_size_.cy), gtk_get_current_event_time(),
       backend_.CursorPos());
}

void TGtkWindow::OnMap() {
  ReportPosition();
  if (on_top_ && !Managed()) gdk_window_raise(gtk_widget_get_window(window_));
}
