#pragma once
#include <string>
#include <vector>

#include "platform/sys/fakes/TFakeAutoStart.h"
#include "platform/sys/fakes/TFakeClock.h"
#include "platform/sys/fakes/TFakeProcesses.h"
#include "platform/sys/fakes/TFakeShell.h"
#include "platform/sys/fakes/TFakeShutdown.h"
#include "platform/sys/fakes/TFakeWindowing.h"

// The fake system services for the main window's tests. The fake key input's record type shares
// its name with the form library's key event type, so it stays inside FakeSystem.cpp and the key
// strokes come out as text.
struct TFakeSystem {
  TFakeProcesses* Processes = nullptr;
  TFakeWindowing* Windowing = nullptr;
  TFakeShell* Shell = nullptr;
  TFakeShutdown* Shutdown = nullptr;
  TFakeAutoStart* AutoStart = nullptr;
  TFakeClock* Clock = nullptr;
};

TFakeSystem InstallFakeSystem();
// The key strokes sent so far, each as "vk scan flags extra" in hexadecimal.
std::vector<std::string> SentKeyStrokes();
