#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

#include "XServerTest.h"
#include "platform/sys/TXTestKeyInput.h"
#include "platform/sys/VirtualKeys.h"

namespace {

class XTestKeyInput : public XServerTest {
protected:
  // A mapped window with the input focus, listening for keys.
  Window FocusedWindow() {
    Window w = XCreateSimpleWindow(FDisplay, FRoot, 10, 10, 200, 100, 0, 0, 0);
    XSelectInput(FDisplay, w, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(FDisplay, w);
    XEvent ev;
    do XNextEvent(FDisplay, &ev);
    while (ev.type != MapNotify);
    XSetInputFocus(FDisplay, w, RevertToParent, CurrentTime);
    XSync(FDisplay, False);
    return w;
  }

  // The next key event as "+text" for a press and "-text" for a release, with the keysym's name
  // for keys that make no text; "" when none comes within the wait.
  std::string NextKey(int waitMs = 1000) {
    for (int waited = 0; waited < waitMs; waited += 5) {
      while (XPending(FDisplay)) {
        XEvent ev;
        XNextEvent(FDisplay, &ev);
        if (ev.type != KeyPress && ev.type != KeyRelease) continue;
        KeySym sym = NoSymbol;
        char text[16] = {};
        int n = XLookupString(&ev.xkey, text, sizeof text - 1, &sym, nullptr);
        const char* name = XKeysymToString(sym);
        std::string shown = n > 0 && text[0] >= ' ' ? std::string(text, size_t(n)) : name ? name : "?";
        return (ev.type == KeyPress ? "+" : "-") + shown;
      }
      usleep(5000);
    }
    return "";
  }
};

} // namespace

TEST_F(XTestKeyInput, StrokesReachTheFocusedWindowWithShiftApplied) {
  FocusedWindow();
  TXTestKeyInput keys;
  auto stroke = [&](uint8_t vk, uint32_t down, uint32_t up) {
    uint8_t scan = uint8_t(keys.MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    keys.keybd_event(vk, scan, down, 0);
    keys.keybd_event(vk, scan, up, 0);
  };
  // As the on-screen keyboard sends them, with the extended-key flag on every event.
  keys.keybd_event(VK_SHIFT, uint8_t(keys.MapVirtualKeyA(VK_SHIFT, 0)), KEYEVENTF_EXTENDEDKEY, 0);
  stroke('A', KEYEVENTF_EXTENDEDKEY, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP);
  stroke(VK_OEM_1, KEYEVENTF_EXTENDEDKEY, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP);
  keys.keybd_event(VK_SHIFT, uint8_t(keys.MapVirtualKeyA(VK_SHIFT, 0)), KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  // As the browser's scroll buttons send them.
  stroke('1', 0, KEYEVENTF_KEYUP);
  stroke(VK_UP, 0, KEYEVENTF_KEYUP);
  stroke(0xFF, 0, KEYEVENTF_KEYUP); // no such virtual key: nothing is sent

  for (const char* expected : {"+Shift_L", "+A", "-A", "+:", "-:", "-Shift_L", "+1", "-1", "+Up", "-Up"})
    EXPECT_EQ(NextKey(), expected);
  EXPECT_EQ(NextKey(200), "");
}

TEST_F(XTestKeyInput, ScanCodesMapBackToTheirVirtualKeys) {
  TXTestKeyInput keys;
  for (const TVirtualKey& key : VirtualKeys()) {
    KeyCode keycode = XKeysymToKeycode(FDisplay, key.KeySym);
    uint32_t scan = keys.MapVirtualKeyA(key.Vk, MAPVK_VK_TO_VSC);
    if (keycode == 0) {
      EXPECT_EQ(scan, 0u) << std::hex << int(key.Vk);
      continue;
    }
    EXPECT_EQ(scan, keycode - 8u) << std::hex << int(key.Vk);
    EXPECT_EQ(keys.MapVirtualKeyA(scan, MAPVK_VSC_TO_VK), key.Vk) << std::hex << int(key.Vk);
  }
  // Every key the on-screen keyboard and the browser send is on a US keyboard.
  for (uint8_t vk : std::initializer_list<uint8_t>{VK_BACK, VK_TAB, VK_RETURN, VK_SHIFT, VK_CONTROL, VK_SPACE, VK_PRIOR, VK_NEXT, VK_LEFT, VK_UP,
                     VK_RIGHT, VK_DOWN, VK_DELETE, '0', '9', 'A', 'Z', VK_OEM_1,
                     VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_3, VK_OEM_4, VK_OEM_5,
                     VK_OEM_6, VK_OEM_7})
    EXPECT_NE(keys.MapVirtualKeyA(vk, MAPVK_VK_TO_VSC), 0u) << std::hex << int(vk);
}
