#include "platform/sys/fakes/TFakeMutex.h"

intptr_t TFakeMutex::CreateMutex(const std::string& name, bool& alreadyExists) {
  Calls.push_back("CreateMutex " + name);
  alreadyExists = !name.empty() && Exists(name);
  if (!name.empty()) ++FHolders[name];
  FHandles[FNextHandle] = name;
  return FNextHandle++;
}

intptr_t TFakeMutex::OpenMutex(const std::string& name) {
  Calls.push_back("OpenMutex " + name);
  if (name.empty() || !Exists(name)) return 0;
  ++FHolders[name];
  FHandles[FNextHandle] = name;
  return FNextHandle++;
}

void TFakeMutex::CloseHandle(intptr_t handle) {
  auto it = FHandles.find(handle);
  if (it == FHandles.end()) return;
  Calls.push_back("CloseHandle " + it->second);
  if (!it->second.empty()) ReleaseElsewhere(it->second);
  FHandles.erase(it);
}

void TFakeMutex::HoldElsewhere(const std::string& name) { ++FHolders[name]; }

void TFakeMutex::ReleaseElsewhere(const std::string& name) {
  auto it = FHolders.find(name);
  if (it != FHolders.end() && --it->second <= 0) FHolders.erase(it);
}

bool TFakeMutex::Exists(const std::string& name) const { return FHolders.count(name) > 0; }

std::vector<std::string> TFakeMutex::OwnHandles() const {
  std::vector<std::string> names;
  for (const auto& [handle, name] : FHandles) names.push_back(name);
  return names;
}
