#include "platform/sys/TX11Windowing.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <vector>

namespace {

// The 32-bit items of a window property, empty when it is missing, of another type, or the window
// is gone (the caller traps errors).
std::vector<long> Property(Display* display, Window window, const char* name, Atom type) {
  std::vector<long> items;
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  Atom property = XInternAtom(display, name, False);
  if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format, &count, &after,
                         &data) == Success &&
      actualType == type && format == 32 && data) {
    const long* values = reinterpret_cast<const long*>(data);
    items.assign(values, values + count);
  }
  if (data) XFree(data);
  return items;
}

} // namespace

bool TX11Windowing::ManagerRuns() {
  bool runs = false;
  FX.Trapped([&](Display* d) {
    Window root = DefaultRootWindow(d);
    std::vector<long> check = Property(d, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty() || check[0] == 0) return;
    // A manager that ended leaves its property on the root; its check window is then gone or no
    // longer names itself.
    std::vector<long> self = Property(d, Window(check[0]), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    runs = !self.empty() && self[0] == check[0];
  });
  return runs;
}

bool TX11Windowing::ManagerKeepsActiveWindow(Display* display) {
  if (!ManagerRuns()) return false;
  std::vector<long> supported = Property(display, DefaultRootWindow(display), "_NET_SUPPORTED", XA_ATOM);
  long active = long(XInternAtom(display, "_NET_ACTIVE_WINDOW", False));
  return std::find(supported.begin(), supported.end(), active) != supported.end();
}

HWND TX11Windowing::GetForegroundWindow() {
  Display* display = FX.Get();
  if (!display) return 0;
  Window root = DefaultRootWindow(display);
  if (ManagerKeepsActiveWindow(display)) {
    std::vector<long> active = Property(display, root, "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return active.empty() ? 0 : HWND(active[0]);
  }
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  if (focus == None || focus == PointerRoot || focus == root) return 0;
  // The focus may rest on a child of the program's window; the answer is the program's own
  // top-level window, the one that carries WM_STATE, or else the one just below the root.
  Window result = 0;
  FX.Trapped([&](Display* d) {
    Atom wmState = XInternAtom(d, "WM_STATE", False);
    for (Window w = focus; w != root && w != None;) {
      int format = 0;
      unsigned long count = 0, after = 0;
      Atom type = None;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(d, w, wmState, 0, 0, False, AnyPropertyType, &type, &format, &count, &after, &data) ==
              Success &&
          type != None) {
        if (data) XFree(data);
        result = w;
        return;
      }
      if (data) XFree(data);
      Window rootReturn = None, parent = None, *children = nullptr;
      unsigned childCount = 0;
      if (!XQueryTree(d, w, &rootReturn, &parent, &children, &childCount)) return;
      if (children) XFree(children);
      if (parent == root) result = w;
      w = parent;
    }
  });
  return HWND(result);
}

void TX11Windowing::SetForegroundWindow(HWND window) {
  if (window == 0) return;
  Display* display = FX.Get();
  if (!display) return;
  if (ManagerKeepsActiveWindow(display)) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = Window(window);
    ev.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    ev.xclient.format = 32;
    // Source 2 speaks for the user, as a pager does: the request answers a touch on our own
    // surface, and managers that prevent focus stealing let only such requests through.
    ev.xclient.data.l[0] = 2;
    ev.xclient.data.l[1] = CurrentTime;
    FX.Trapped([&](Display* d) {
      XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    });
    return;
  }
  FX.Trapped([&](Display* d) { XSetInputFocus(d, Window(window), RevertToParent, CurrentTime); });
}

TPoint TX11Windowing::GetCursorPos() {
  Display* display = FX.Get();
  if (!display) return {};
  Window rootReturn = None, child = None;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned mask = 0;
  XQueryPointer(display, DefaultRootWindow(display), &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask);
  return {rootX, rootY};
}

TRect TX11Windowing::WorkArea() {
  Display* display = FX.Get();
  if (!display) return {};
  int screen = DefaultScreen(display);
  TRect whole{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  if (!ManagerRuns()) return whole;
  Window root = DefaultRootWindow(display);
  std::vector<long> area = Property(display, root, "_NET_WORKAREA", XA_CARDINAL);
  std::vector<long> current = Property(display, root, "_NET_CURRENT_DESKTOP", XA_CARDINAL);
  size_t desktop = current.empty() ? 0 : size_t(current[0]);
  if (area.size() < 4 * (desktop + 1)) desktop = 0;
  if (area.size() < 4) return whole;
  const long* a = &area[4 * desktop];
  TRect r{int(a[0]), int(a[1]), int(a[0] + a[2]), int(a[1] + a[3])};
  return r.IsEmpty() ? whole : r;
}
