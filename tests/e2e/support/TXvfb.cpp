#include "TXvfb.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace {

// Xlib's default handler ends the process on any error; a test looks at windows that may vanish
// under it, so errors only make the call that caused them fail.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

std::string MakeTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string templ = std::string(base && *base ? base : "/tmp") + "/e2e-xvfb-XXXXXX";
  if (!mkdtemp(templ.data())) throw std::runtime_error("cannot make a temporary folder");
  for (const char* sub : {"/home", "/config", "/cache", "/data", "/runtime"})
    std::filesystem::create_directories(templ + sub);
  std::filesystem::permissions(templ + "/runtime", std::filesystem::perms::owner_all);
  return templ;
}

bool GetProperty(Display* dpy, XWindow w, Atom prop, Atom type, std::vector<unsigned char>& out, int& format,
                 unsigned long& count) {
  Atom actual = None;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  out.clear();
  if (XGetWindowProperty(dpy, w, prop, 0, 1 << 16, False, type, &actual, &format, &count, &after, &data) != Success)
    return false;
  bool ok = actual != None && data;
  if (ok) {
    size_t unit = format == 32 ? sizeof(long) : size_t(format / 8);
    out.assign(data, data + count * unit);
  }
  if (data) XFree(data);
  return ok;
}

XWindow WindowProperty(Display* dpy, XWindow w, const char* name) {
  std::vector<unsigned char> data;
  int format = 0;
  unsigned long count = 0;
  if (!GetProperty(dpy, w, XInternAtom(dpy, name, False), XA_WINDOW, data, format, count) || format != 32 || count < 1)
    return 0;
  return XWindow(reinterpret_cast<unsigned long*>(data.data())[0]);
}

} // namespace

TXvfb::TXvfb(int width, int height) : width_(width), height_(height) {
  XSetErrorHandler(IgnoreXError);
  temp_dir_ = MakeTempDir();
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  try {
    server_ = std::make_unique<TChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten",
                                 "tcp", "-noreset"},
        std::vector<std::string>{}, false, fds[1]);
  } catch (...) {
    close(fds[0]);
    close(fds[1]);
    throw;
  }
  close(fds[1]);
  // Xvfb writes its display number when it is ready for clients.
  std::string reply;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (reply.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buf[32];
    ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    reply.append(buf, size_t(n));
  }
  close(fds[0]);
  if (reply.find('\n') == std::string::npos) throw std::runtime_error("Xvfb did not start");
  number_ = std::atoi(reply.c_str());
  std::string name = Name();
  WaitUntil([&] { return (dpy_ = XOpenDisplay(name.c_str())) != nullptr; }, 5000, 50);
  if (!dpy_) throw std::runtime_error("cannot connect to Xvfb " + name);
}

TXvfb::~TXvfb() {
  if (wm_) wm_->Stop();
  if (dpy_) XCloseDisplay(dpy_);
  if (server_) server_->Stop();
  std::error_code ec;
  if (!temp_dir_.empty()) std::filesystem::remove_all(temp_dir_, ec);
}

std::vector<std::string> TXvfb::Environment() const {
  return {
      "DISPLAY=" + Name(),
      "HOME=" + temp_dir_ + "/home",
      "XDG_CONFIG_HOME=" + temp_dir_ + "/config",
      "XDG_CACHE_HOME=" + temp_dir_ + "/cache",
      "XDG_DATA_HOME=" + temp_dir_ + "/data",
      "XDG_RUNTIME_DIR=" + temp_dir_ + "/runtime",
      // No session bus: nothing is started on demand, and nothing reaches the user's session.
      "DBUS_SESSION_BUS_ADDRESS=unix:path=" + temp_dir_ + "/no-bus",
      "NO_AT_BRIDGE=1",
      "GSETTINGS_BACKEND=memory",
      "GDK_BACKEND=x11",
      "WAYLAND_DISPLAY",
  };
}

bool TXvfb::StartWindowManager(int timeoutMs) {
  if (!wm_) wm_ = std::make_unique<TChildProcess>(std::vector<std::string>{"openbox", "--sm-disable"}, Environment(), false);
  return WaitUntil([&] { return HasWindowManager() || !wm_->Running(); }, timeoutMs) && HasWindowManager();
}

bool TXvfb::HasWindowManager() const {
  XWindow check = WindowProperty(dpy_, DefaultRootWindow(dpy_), "_NET_SUPPORTING_WM_CHECK");
  return check && WindowProperty(dpy_, check, "_NET_SUPPORTING_WM_CHECK") == check;
}

void TXvfb::Move(int x, int y) {
  XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), x, y, CurrentTime);
  XSync(dpy_, False);
}

void TXvfb::Press(unsigned button) {
  XTestFakeButtonEvent(dpy_, button, True, CurrentTime);
  XSync(dpy_, False);
}

void TXvfb::Release(unsigned button) {
  XTestFakeButtonEvent(dpy_, button, False, CurrentTime);
  XSync(dpy_, False);
}

void TXvfb::Click(int x, int y, unsigned button) {
  Move(x, y);
  Press(button);
  Release(button);
}

void TXvfb::Drag(int fromX, int fromY, int toX, int toY, unsigned button, int steps) {
  Move(fromX, fromY);
  Press(button);
  for (int i = 1; i <= steps; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    Move(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(15));
  Release(button);
}

bool TXvfb::Key(unsigned long keysym) {
  KeyCode code = XKeysymToKeycode(dpy_, keysym);
  if (!code) return false;
  bool shift = XkbKeycodeToKeysym(dpy_, code, 0, 0) != keysym && XkbKeycodeToKeysym(dpy_, code, 0, 1) == keysym;
  KeyCode shiftCode = XKeysymToKeycode(dpy_, XK_Shift_L);
  if (shift) XTestFakeKeyEvent(dpy_, shiftCode, True, CurrentTime);
  XTestFakeKeyEvent(dpy_, code, True, CurrentTime);
  XTestFakeKeyEvent(dpy_, code, False, CurrentTime);
  if (shift) XTestFakeKeyEvent(dpy_, shiftCode, False, CurrentTime);
  XSync(dpy_, False);
  return true;
}

bool TXvfb::Type(const std::string& text) {
  for (char c : text) {
    KeySym sym = c == '\n' ? XK_Return : c == ' ' ? XK_space : KeySym((unsigned char)c);
    if (!Key(sym)) return false;
  }
  return true;
}

std::string TXvfb::WindowName(XWindow w) const {
  std::vector<unsigned char> data;
  int format = 0;
  unsigned long count = 0;
  if (GetProperty(dpy_, w, XInternAtom(dpy_, "_NET_WM_NAME", False), XInternAtom(dpy_, "UTF8_STRING", False), data,
                  format, count) && format == 8)
    return std::string(data.begin(), data.end());
  if (GetProperty(dpy_, w, XA_WM_NAME, AnyPropertyType, data, format, count) && format == 8)
    return std::string(data.begin(), data.end());
  return {};
}

bool TXvfb::WindowViewable(XWindow w) const {
  XWindowAttributes a;
  return XGetWindowAttributes(dpy_, w, &a) && a.map_state == IsViewable;
}

std::vector<XWindow> TXvfb::TopLevelWindows() const {
  std::vector<XWindow> found;
  // A window manager's frames hold the clients a level or two down; the clients carry the names.
  std::function<void(XWindow, int)> walk = [&](XWindow parent, int depth) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy_, parent, &root, &up, &children, &n)) return;
    std::vector<XWindow> list(children, children + n);
    if (children) XFree(children);
    for (XWindow c : list) {
      if (!WindowViewable(c)) continue;
      if (!WindowName(c).empty()) found.push_back(c);
      else if (depth < 3) walk(c, depth + 1);
    }
  };
  walk(DefaultRootWindow(dpy_), 0);
  return found;
}

XWindow TXvfb::FindWindowByName(const std::string& name, int timeoutMs) const {
  XWindow result = 0;
  WaitUntil([&] {
    for (XWindow w : TopLevelWindows())
      if (WindowName(w) == name) return (result = w) != 0;
    return false;
  }, timeoutMs, 50);
  return result;
}

TRect TXvfb::WindowGeometry(XWindow w) const {
  XWindowAttributes a;
  if (!XGetWindowAttributes(dpy_, w, &a)) return {};
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(dpy_, w, DefaultRootWindow(dpy_), 0, 0, &x, &y, &child)) return {};
  return Bounds(x, y, a.width, a.height);
}

XWindow TXvfb::FocusWindow() const {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(dpy_, &focus, &revert);
  return focus;
}

void TXvfb::SendCloseRequest(XWindow w) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(dpy_, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = long(XInternAtom(dpy_, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy_, w, False, NoEventMask, &e);
  XSync(dpy_, False);
}

uint32_t TXvfb::PixelAt(int x, int y) const {
  XImage* img = XGetImage(dpy_, DefaultRootWindow(dpy_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!img) return 0xFFFFFFFF;
  unsigned long p = XGetPixel(img, 0, 0);
  XDestroyImage(img);
  return uint32_t(p & 0xFFFFFF);
}

bool TXvfb::Screenshot(const std::string& path) const {
  XImage* img = XGetImage(dpy_, DefaultRootWindow(dpy_), 0, 0, unsigned(width_), unsigned(height_), AllPlanes, ZPixmap);
  if (!img) return false;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < width_; ++x) row[x] = uint32_t(XGetPixel(img, x, y) & 0xFFFFFF);
  }
  XDestroyImage(img);
  cairo_surface_mark_dirty(s);
  bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(s);
  return ok;
}

bool TXvfb::WaitUntil(const std::function<bool()>& cond, int timeoutMs, int stepMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (cond()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
  }
}
