#pragma once
#include <functional>

typedef struct _XDisplay Display;

// A connection of the system services to the X server, opened at first use so that programs and
// tests that never need it run without a display. Separate from any toolkit's connection.
class TXConnection {
public:
  TXConnection() = default;
  TXConnection(const TXConnection&) = delete;
  TXConnection& operator=(const TXConnection&) = delete;
  ~TXConnection();

  // The display of $DISPLAY, or null when there is none; keyboard-map changes announced since the
  // last call are taken in first.
  Display* Get();
  // Runs work with the X errors it causes caught instead of ending the program, and waits for the
  // server to have done it. False when the display is missing or an error came back.
  bool Trapped(const std::function<void(Display*)>& work);

private:
  Display* FDisplay = nullptr;
};
