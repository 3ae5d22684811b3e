// The kiosk's window: it covers the screen above other windows, with or without a window
// manager, and a second start leaves it alone.
#include "KioskFixture.h"

#include <thread>

namespace {

// A plain X client window that asks to be mapped on top of everything else, as any other
// program's window would.
class TOtherWindow {
public:
  TOtherWindow(Display* dpy, const TRect& r) : dpy_(dpy) {
    XSetWindowAttributes a{};
    a.background_pixel = 0xFF00FF;
    w_ = XCreateWindow(dpy, DefaultRootWindow(dpy), r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()), 0,
                       CopyFromParent, InputOutput, CopyFromParent, CWBackPixel, &a);
    XStoreName(dpy, w_, "other program");
    XMapRaised(dpy, w_);
    XSync(dpy, False);
  }
  ~TOtherWindow() {
    XDestroyWindow(dpy_, w_);
    XSync(dpy_, False);
  }
  XWindow Window() const { return w_; }

private:
  Display* dpy_;
  XWindow w_;
};

} // namespace

class KioskWindowTest : public KioskTest {
protected:
  // The window covers the screen, above what was there before it.
  void ExpectCoversTheScreen(XWindow window) {
    ASSERT_NE(window, 0u) << "no kiosk window";
    const TRect screen{0, 0, x_.Width(), x_.Height()};
    EXPECT_TRUE(TXvfb::WaitUntil([&] { return x_.WindowGeometry(window) == screen; }, 5000))
        << "kiosk window at " << x_.WindowGeometry(window).Left << "," << x_.WindowGeometry(window).Top << " "
        << x_.WindowGeometry(window).Width() << "x" << x_.WindowGeometry(window).Height();
    // The topmost window on the screen (a window manager keeps small helper windows off it); the
    // kiosk's window may be inside the manager's frame.
    XWindow top = 0;
    for (XWindow w : RootChildren())
      if (!x_.WindowGeometry(w).Intersect(screen).IsEmpty()) top = w;
    EXPECT_TRUE(top == window || IsAncestor(top, window))
        << "another window is above the kiosk: " << x_.WindowName(top);
  }

  // Under a window manager the kiosk also stays above a window that another program maps later.
  void ExpectStaysAboveLaterWindows() {
    TOtherWindow other(x_.Connection(), {300, 200, 500, 400});
    ASSERT_TRUE(TXvfb::WaitUntil([&] { return x_.WindowViewable(other.Window()); }, 5000));
    // Magenta is the other window's; the kiosk shows no such colour there.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_NE(x_.PixelAt(400, 300), 0xFF00FFu) << "another program's window came over the kiosk";
  }

  bool IsAncestor(XWindow ancestor, XWindow w) const {
    for (;;) {
      Window root = 0, parent = 0, *children = nullptr;
      unsigned n = 0;
      if (!XQueryTree(x_.Connection(), w, &root, &parent, &children, &n)) return false;
      if (children) XFree(children);
      if (parent == ancestor) return true;
      if (parent == root || parent == 0) return false;
      w = parent;
    }
  }
};

TEST_F(KioskWindowTest, CoversTheScreenWithoutAWindowManager) {
  Settings({"Homepage=" + Page("scroll.html")});
  ExpectCoversTheScreen(StartKiosk());
}

TEST_F(KioskWindowTest, CoversTheScreenUnderAWindowManagerAboveOtherWindows) {
  ASSERT_TRUE(x_.StartWindowManager());
  Settings({"Homepage=" + Page("scroll.html")});
  ExpectCoversTheScreen(StartKiosk());
  ExpectStaysAboveLaterWindows();
}

TEST_F(KioskWindowTest, ASecondStartEndsAtOnceAndLeavesTheFirstAlone) {
  Settings({"Homepage=" + Page("scroll.html")});
  const XWindow first = StartKiosk();
  ASSERT_NE(first, 0u);
  ASSERT_TRUE(WaitForReport("loaded=scroll"));

  TChildProcess second({InstallDir() + "/Tovira"}, Environment(), false);
  EXPECT_EQ(second.Wait(5000), std::optional<int>(0));
  int kioskWindows = 0;
  for (XWindow w : x_.TopLevelWindows()) kioskWindows += x_.WindowName(w) == kCaption;
  EXPECT_EQ(kioskWindows, 1);
  EXPECT_TRUE(Kiosk().Running());
  EXPECT_TRUE(x_.WindowViewable(first));
  int loads = 0;
  for (const std::string& line : ServerLines()) loads += line == "get /scroll.html";
  EXPECT_EQ(loads, 1) << "the running copy loaded its page again";
}
