#include "platform/backend/gtk/TGtkBackend.h"

// The form library first: Xlib's headers define macros (KeyPress, None, Status) that clash with it.
#include "platform/ui/TApplication.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "platform/backend/gtk/GtkInput.h"
#include "platform/backend/gtk/TGtkWindow.h"

namespace {

TGtkBackend* g_instance = nullptr;
const char* const kHandleKey = "form-library-hwnd";

TRect FromGdk(const GdkRectangle& r) { return Bounds(r.x, r.y, r.width, r.height); }

GdkMonitor* PrimaryMonitor() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* m = gdk_display_get_primary_monitor(display);
  if (!m && gdk_display_get_n_monitors(display) > 0) m = gdk_display_get_monitor(display, 0);
  return m;
}

// Whether the window that _NET_SUPPORTING_WM_CHECK names on the root exists and names itself,
// as a running EWMH window manager keeps it.
bool WindowManagerRuns(Display* dpy) {
  Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
  auto read = [&](Window w, Window& out) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool ok = XGetWindowProperty(dpy, w, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
                  Success && type == XA_WINDOW && format == 32 && count == 1;
    if (ok) out = Window(reinterpret_cast<unsigned long*>(data)[0]);
    if (data) XFree(data);
    return ok;
  };
  Window wm = None, self = None;
  if (!read(DefaultRootWindow(dpy), wm)) return false;
  GdkDisplay* display = gdk_x11_lookup_xdisplay(dpy);
  gdk_x11_display_error_trap_push(display);
  bool ok = read(wm, self) && self == wm;
  if (gdk_x11_display_error_trap_pop(display)) ok = false;
  return ok;
}

} // namespace

void GuardCallback(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    try {
      if (Application) Application->HandleException(e);
      else std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
    }
  } catch (...) {
  }
}

TGtkBackend::TGtkBackend() {
  // The windows and the system services speak X11: window ids, input focus, XTest.
  gdk_set_allowed_backends("x11");
  if (!gtk_init_check(nullptr, nullptr)) throw std::runtime_error("cannot open the X display");
  g_instance = this;
}

TGtkBackend::~TGtkBackend() {
  if (g_instance == this) g_instance = nullptr;
}

TGtkBackend* TGtkBackend::Instance() { return g_instance; }

std::unique_ptr<IWindow> TGtkBackend::CreateWindow(TForm& form) { return std::make_unique<TGtkWindow>(*this, form); }

uint64_t TGtkBackend::TickCount() { return uint64_t(g_get_monotonic_time() / 1000); }

void TGtkBackend::WaitForEvents(int timeoutMs) {
  // A source that is always ready (an idle that keeps itself) must not hold the caller here for
  // ever: the loop has timers and posted messages of its own to look after.
  constexpr int kMaxBatch = 200;
  auto drain = [] {
    int n = 0;
    while (n < kMaxBatch && g_main_context_pending(nullptr)) {
      g_main_context_iteration(nullptr, FALSE);
      ++n;
    }
    return n;
  };
  if (drain() > 0 || timeoutMs == 0) return;
  guint timer = 0;
  if (timeoutMs > 0) {
    timer = g_timeout_add(guint(timeoutMs), +[](gpointer p) -> gboolean {
      *static_cast<guint*>(p) = 0;
      return G_SOURCE_REMOVE;
    }, &timer);
  }
  g_main_context_iteration(nullptr, TRUE);
  if (timer) g_source_remove(timer);
  drain();
}

void TGtkBackend::Wake() { g_main_context_wakeup(nullptr); }

TRect TGtkBackend::ScreenRect() {
  GdkRectangle r{0, 0, 0, 0};
  if (GdkMonitor* m = PrimaryMonitor()) gdk_monitor_get_geometry(m, &r);
  return FromGdk(r);
}

TRect TGtkBackend::WorkArea() {
  GdkRectangle r{0, 0, 0, 0};
  if (GdkMonitor* m = PrimaryMonitor()) gdk_monitor_get_workarea(m, &r);
  return FromGdk(r);
}

TPoint TGtkBackend::CursorPos() {
  GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
  GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
  int x = 0, y = 0;
  if (pointer) gdk_device_get_position(pointer, nullptr, &x, &y);
  return {x, y};
}

void TGtkBackend::Beep() { gdk_display_beep(gdk_display_get_default()); }

std::string TGtkBackend::ClipboardText() {
  GtkClipboard* cb = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gchar* text = gtk_clipboard_wait_for_text(cb);
  std::string s = text ? text : "";
  g_free(text);
  return s;
}

void TGtkBackend::SetClipboardText(const std::string& text) {
  GtkClipboard* cb = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_text(cb, text.c_str(), gint(text.size()));
  gtk_clipboard_store(cb);
}

bool TGtkBackend::HasWindowManager() const {
  GdkDisplay* display = gdk_display_get_default();
  return display && WindowManagerRuns(gdk_x11_display_get_xdisplay(display));
}

HWND TGtkBackend::HandleForWidget(GtkWidget* widget) {
  if (!widget) return 0;
  if (void* h = g_object_get_data(G_OBJECT(widget), kHandleKey)) return HWND(reinterpret_cast<uintptr_t>(h));
  HWND h = next_handle_++;
  RegisterHandle(h, widget);
  return h;
}

GtkWidget* TGtkBackend::WidgetForHandle(HWND hwnd) const {
  auto it = widgets_.find(hwnd);
  return it == widgets_.end() ? nullptr : it->second;
}

bool TGtkBackend::IsChild(HWND parent, HWND child) const {
  GtkWidget* p = WidgetForHandle(parent);
  GtkWidget* c = WidgetForHandle(child);
  if (!p || !c || p == c) return false;
  return gtk_widget_is_ancestor(c, p);
}

void TGtkBackend::RegisterHandle(HWND hwnd, GtkWidget* widget) {
  widgets_[hwnd] = widget;
  g_object_set_data(G_OBJECT(widget), kHandleKey, reinterpret_cast<void*>(uintptr_t(hwnd)));
  // The handle dies with the widget, whoever destroys it.
  struct TGone {
    TGtkBackend* backend;
    HWND hwnd;
  };
  g_object_weak_ref(G_OBJECT(widget), +[](gpointer data, GObject*) {
    auto* gone = static_cast<TGone*>(data);
    if (g_instance == gone->backend) gone->backend->ForgetHandle(gone->hwnd);
    delete gone;
  }, new TGone{this, hwnd});
}

void TGtkBackend::ForgetHandle(HWND hwnd) { widgets_.erase(hwnd); }

void TGtkBackend::FilterNativeInput(GtkWidget* widget) {
  // The generic "event" signal comes before the specific ones, so the filter runs ahead of every
  // handler of the child's, whenever those were connected.
  auto handler = +[](GtkWidget* w, GdkEvent* e, gpointer self) -> gboolean {
    if (e->type != GDK_BUTTON_PRESS && e->type != GDK_BUTTON_RELEASE) return FALSE;
    gboolean handled = FALSE;
    GuardCallback([&] { handled = static_cast<TGtkBackend*>(self)->FilterNativeEvent(w, e); });
    return handled;
  };
  gtk_widget_add_events(widget, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
  g_signal_connect(widget, "event", G_CALLBACK(handler), this);
}

bool TGtkBackend::FilterNativeEvent(GtkWidget* widget, GdkEvent* event) {
  if (!Application || !widget) return false;
  GtkWidget* target = gtk_get_event_widget(event);
  if (!target || !gtk_widget_is_ancestor(target, widget)) target = widget;
  TMsg msg;
  msg.hwnd = HandleForWidget(target);
  msg.time = gdk_event_get_time(event);
  double rx = 0, ry = 0;
  if (gdk_event_get_root_coords(event, &rx, &ry)) msg.pt = {int(std::floor(rx)), int(std::floor(ry))};
  else msg.pt = CursorPos();
  switch (event->type) {
  case GDK_BUTTON_PRESS:
  case GDK_BUTTON_RELEASE: {
    bool press = event->type == GDK_BUTTON_PRESS;
    msg.message = ButtonMessage(press, event->button.button);
    if (!msg.message) return false;
    msg.wParam = ButtonMessageFlags(event->button.state, event->button.button, press);
    // Client coordinates of the target widget.
    int ox = 0, oy = 0, tx = 0, ty = 0;
    GtkWidget* top = gtk_widget_get_toplevel(target);
    if (GdkWindow* tw = gtk_widget_get_window(top)) gdk_window_get_origin(tw, &ox, &oy);
    gtk_widget_translate_coordinates(target, top, 0, 0, &tx, &ty);
    msg.lParam = MakeLParam(msg.pt.X - ox - tx, msg.pt.Y - oy - ty);
    break;
  }
  case GDK_KEY_PRESS:
  case GDK_KEY_RELEASE: {
    bool press = event->type == GDK_KEY_PRESS;
    bool alt = event->key.state & GDK_MOD1_MASK;
    msg.message = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    msg.wParam = VirtualKeyOfEvent(&event->key);
    msg.lParam = KeyLParam(&event->key, false);
    break;
  }
  default:
    return false;
  }
  return Application->FilterMessage(msg);
}
