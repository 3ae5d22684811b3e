#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sys/TX11Windowing.h"
#include "platform/sys/TXTestKeyInput.h"
#include "platform/sys/VirtualKeys.h"

TEST(XServicesWithoutDisplay, DoNothingAndAnswerNothing) {
  const char* old = getenv("DISPLAY");
  std::string saved = old ? old : "";
  unsetenv("DISPLAY");
  TXTestKeyInput keys;
  keys.keybd_event(VK_UP, 0, 0, 0);
  EXPECT_EQ(keys.MapVirtualKeyA(VK_UP, MAPVK_VK_TO_VSC), 0u);
  TX11Windowing windows;
  windows.SetForegroundWindow(0x400001);
  EXPECT_EQ(windows.GetForegroundWindow(), 0u);
  EXPECT_EQ(windows.GetCursorPos(), TPoint{});
  EXPECT_TRUE(windows.WorkArea().IsEmpty());
  if (old) setenv("DISPLAY", saved.c_str(), 1);
}
