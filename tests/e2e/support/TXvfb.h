#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/TTypes.h"
#include "TChildProcess.h"

typedef struct _XDisplay Display;
using XWindow = unsigned long; // an X window id, without Xlib's macros in every test

// A private X server for one test: Xvfb on a free display number, with an optional window
// manager, XTest input, window look-up and screen pixels. The programs a test starts on it get
// Environment(), which also points their home and XDG folders at a temporary folder, so nothing
// they write reaches a real user's files. The destructor stops everything it started.
class TXvfb {
public:
  // Starts the server and waits until it accepts connections; throws std::runtime_error when
  // it does not within a few seconds.
  explicit TXvfb(int width = 1024, int height = 768);
  ~TXvfb();
  TXvfb(const TXvfb&) = delete;
  TXvfb& operator=(const TXvfb&) = delete;

  int Number() const { return number_; }
  std::string Name() const { return ":" + std::to_string(number_); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Display* Connection() const { return dpy_; }
  // A folder that lives as long as the server.
  const std::string& TempDir() const { return temp_dir_; }
  // DISPLAY and the private folders, as "NAME=value" entries for TChildProcess.
  std::vector<std::string> Environment() const;

  // Runs openbox on the server and waits until it has taken over; false when it did not.
  bool StartWindowManager(int timeoutMs = 10000);
  bool HasWindowManager() const;

  // XTest input, flushed to the server before returning. Buttons: 1 left, 2 middle, 3 right.
  void Move(int x, int y);
  void Press(unsigned button = 1);
  void Release(unsigned button = 1);
  void Click(int x, int y, unsigned button = 1);
  // Moves with the button held, in steps, as a hand would.
  void Drag(int fromX, int fromY, int toX, int toY, unsigned button = 1, int steps = 10);
  // One press and release of the key that gives the keysym, with Shift when it needs it;
  // false when the keyboard map has no such key.
  bool Key(unsigned long keysym);
  // Types ASCII text, one key per character.
  bool Type(const std::string& text);

  // The named, viewable application windows (inside a window manager's frames, if any).
  std::vector<XWindow> TopLevelWindows() const;
  std::string WindowName(XWindow w) const;
  // The first viewable window of that name; 0 when none comes within timeoutMs.
  XWindow FindWindowByName(const std::string& name, int timeoutMs = 5000) const;
  // The window's client area in root coordinates; empty when the window is gone.
  TRect WindowGeometry(XWindow w) const;
  bool WindowViewable(XWindow w) const;
  // The window that has the keyboard focus (0 for none, 1 for pointer root).
  XWindow FocusWindow() const;
  // Asks the window to close, as a window manager's close button does (WM_DELETE_WINDOW).
  void SendCloseRequest(XWindow w);

  // The colour on screen as 0xRRGGBB.
  uint32_t PixelAt(int x, int y) const;
  // The whole screen as a PNG file.
  bool Screenshot(const std::string& path) const;

  // Polls cond every stepMs until it holds or timeoutMs passes; returns its last result.
  static bool WaitUntil(const std::function<bool()>& cond, int timeoutMs, int stepMs = 20);

private:
  int width_, height_;
  int number_ = -1;
  Display* dpy_ = nullptr;
  std::string temp_dir_;
  std::unique_ptr<TChildProcess> server_;
  std::unique_ptr<TChildProcess> wm_;
};

// 0xRRGGBB from its three parts, to compare with PixelAt.
constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
