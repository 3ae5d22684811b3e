#include "FakeSystem.h"

#include <cstdio>

#include "platform/sys/fakes/FakeServices.h"

TFakeSystem InstallFakeSystem() {
  TFakeServices& f = InstallFakeServices();
  return {f.Processes, f.Windowing, f.Shell, f.Shutdown, f.AutoStart, f.Clock};
}

std::vector<std::string> SentKeyStrokes() {
  std::vector<std::string> out;
  auto* keys = dynamic_cast<TFakeKeyInput*>(Sys().KeyInput.get());
  if (!keys) return out;
  for (const auto& e : keys->Events) {
    char text[64];
    std::snprintf(text, sizeof text, "%02X %02X %X %zX", e.Vk, e.Scan, unsigned(e.Flags), size_t(e.Extra));
    out.push_back(text);
  }
  return out;
}
