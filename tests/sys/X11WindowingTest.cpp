#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include "XServerTest.h"
#include "platform/sys/TX11Windowing.h"

namespace {

class X11Windowing : public XServerTest {
protected:
  Window MappedWindow(Window parent, int x) {
    Window w = XCreateSimpleWindow(FDisplay, parent, x, 10, 100, 100, 0, 0, 0);
    XSelectInput(FDisplay, w, StructureNotifyMask);
    XMapWindow(FDisplay, w);
    XEvent ev;
    do XWindowEvent(FDisplay, w, StructureNotifyMask, &ev);
    while (ev.type != MapNotify);
    return w;
  }
  Window Focus() {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(FDisplay, &focus, &revert);
    return focus;
  }
  Atom A(const char* name) { return XInternAtom(FDisplay, name, False); }
  void SetProperty(Window w, const char* name, Atom type, std::vector<long> values) {
    XChangeProperty(FDisplay, w, A(name), type, 32, PropModeReplace, reinterpret_cast<unsigned char*>(values.data()),
                    int(values.size()));
  }
};

} // namespace

TEST_F(X11Windowing, WithoutWindowManagerTheInputFocusIsTheForeground) {
  Window a = MappedWindow(FRoot, 10);
  Window inner = MappedWindow(a, 5);
  Window b = MappedWindow(FRoot, 200);
  Window hidden = XCreateSimpleWindow(FDisplay, FRoot, 0, 0, 10, 10, 0, 0, 0);
  XSetInputFocus(FDisplay, inner, RevertToParent, CurrentTime);
  XSync(FDisplay, False);

  TX11Windowing windowing;
  EXPECT_EQ(windowing.GetForegroundWindow(), a); // the top-level window of the focused child
  windowing.SetForegroundWindow(b);
  EXPECT_EQ(Focus(), b);
  EXPECT_EQ(windowing.GetForegroundWindow(), b);

  // Neither a hidden nor a destroyed window can be activated; the program goes on unharmed.
  XDestroyWindow(FDisplay, a);
  XSync(FDisplay, False);
  windowing.SetForegroundWindow(a);
  windowing.SetForegroundWindow(hidden);
  EXPECT_EQ(Focus(), b);

  EXPECT_EQ(windowing.WorkArea(), (TRect{0, 0, 800, 600}));
  XWarpPointer(FDisplay, None, FRoot, 0, 0, 0, 0, 123, 45);
  XSync(FDisplay, False);
  EXPECT_EQ(windowing.GetCursorPos(), (TPoint{123, 45}));
}

TEST_F(X11Windowing, UnderAWindowManagerItsActiveWindowAndWorkAreaCount) {
  // This client plays the window manager: it announces itself, keeps the EWMH properties and
  // receives the activation requests.
  Window a = MappedWindow(FRoot, 10);
  Window b = MappedWindow(FRoot, 200);
  Window check = XCreateSimpleWindow(FDisplay, FRoot, 0, 0, 1, 1, 0, 0, 0);
  SetProperty(check, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, {long(check)});
  SetProperty(FRoot, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, {long(check)});
  SetProperty(FRoot, "_NET_SUPPORTED", XA_ATOM, {long(A("_NET_ACTIVE_WINDOW")), long(A("_NET_WORKAREA"))});
  SetProperty(FRoot, "_NET_ACTIVE_WINDOW", XA_WINDOW, {long(a)});
  SetProperty(FRoot, "_NET_WORKAREA", XA_CARDINAL, {0, 0, 800, 560, 20, 30, 100, 100});
  SetProperty(FRoot, "_NET_CURRENT_DESKTOP", XA_CARDINAL, {1});
  XSelectInput(FDisplay, FRoot, SubstructureRedirectMask);
  XSetInputFocus(FDisplay, b, RevertToParent, CurrentTime);
  XSync(FDisplay, False);

  TX11Windowing windowing;
  EXPECT_EQ(windowing.GetForegroundWindow(), a);
  EXPECT_EQ(windowing.WorkArea(), (TRect{20, 30, 120, 130}));

  windowing.SetForegroundWindow(b);
  XEvent ev{};
  bool asked = false;
  for (int waited = 0; waited < 1000 && !asked; waited += 5) {
    while (!asked && XCheckTypedEvent(FDisplay, ClientMessage, &ev))
      asked = ev.xclient.message_type == A("_NET_ACTIVE_WINDOW");
    if (!asked) usleep(5000);
  }
  ASSERT_TRUE(asked);
  EXPECT_EQ(ev.xclient.window, b);
  EXPECT_EQ(ev.xclient.data.l[0], 2);

  // A manager that is gone leaves its properties behind; they no longer count.
  XDestroyWindow(FDisplay, check);
  XSync(FDisplay, False);
  EXPECT_EQ(windowing.GetForegroundWindow(), b);
  EXPECT_EQ(windowing.WorkArea(), (TRect{0, 0, 800, 600}));

  for (const char* name : {"_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED", "_NET_ACTIVE_WINDOW", "_NET_WORKAREA",
                           "_NET_CURRENT_DESKTOP"})
    XDeleteProperty(FDisplay, FRoot, A(name));
  XSync(FDisplay, False);
}
