#include "platform/sys/TXConnection.h"

#include <X11/Xlib.h>

namespace {

Display* gTrapDisplay = nullptr;
bool gTrapFailed = false;
XErrorHandler gPreviousHandler = nullptr;

int TrapHandler(Display* display, XErrorEvent* error) {
  if (display == gTrapDisplay) {
    gTrapFailed = true;
    return 0;
  }
  return gPreviousHandler ? gPreviousHandler(display, error) : 0;
}

} // namespace

TXConnection::~TXConnection() {
  if (FDisplay) XCloseDisplay(FDisplay);
}

Display* TXConnection::Get() {
  if (!FDisplay) FDisplay = XOpenDisplay(nullptr);
  if (!FDisplay) return nullptr;
  // Nothing here asks for events, but the server sends every client the news of a changed
  // keyboard map; without taking it in, keysyms would go on resolving to the old keycodes.
  while (XPending(FDisplay) > 0) {
    XEvent ev;
    XNextEvent(FDisplay, &ev);
    if (ev.type == MappingNotify) XRefreshKeyboardMapping(&ev.xmapping);
  }
  return FDisplay;
}

bool TXConnection::Trapped(const std::function<void(Display*)>& work) {
  Display* display = Get();
  if (!display) return false;
  XSync(display, False);
  Display* outerDisplay = gTrapDisplay;
  bool outerFailed = gTrapFailed;
  gTrapDisplay = display;
  gTrapFailed = false;
  XErrorHandler previous = XSetErrorHandler(TrapHandler);
  if (previous != TrapHandler) gPreviousHandler = previous;
  work(display);
  XSync(display, False);
  bool ok = !gTrapFailed;
  if (previous != TrapHandler) XSetErrorHandler(previous);
  gTrapDisplay = outerDisplay;
  gTrapFailed = outerFailed;
  return ok;
}
