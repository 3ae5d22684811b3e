#include "TXvfb.h"

#include <csignal>
#include <cstdlib>

TXvfb::TXvfb() {
  if (const char* old = getenv("DISPLAY")) FOldDisplay = old;
  // The server writes the display number it chose to our standard output.
  FServer = std::make_unique<TChild>(std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", "1", "-nolisten",
                                                              "tcp", "-noreset", "-screen", "0", "800x600x24"},
                                     TEnvChanges{}, true);
  std::string number = FServer->ReadLine(std::chrono::seconds(10)).value_or("");
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return;
  FDisplay = ":" + number;
  setenv("DISPLAY", FDisplay.c_str(), 1);
}

TXvfb::~TXvfb() {
  FServer->Kill(SIGTERM);
  FServer->Wait();
  if (FOldDisplay) setenv("DISPLAY", FOldDisplay->c_str(), 1);
  else unsetenv("DISPLAY");
}
