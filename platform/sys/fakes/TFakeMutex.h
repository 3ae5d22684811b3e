#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/sys/ISysMutex.h"

// Named mutexes of this process and of pretended other processes, in memory.
class TFakeMutex : public ISysMutex {
public:
  intptr_t CreateMutex(const std::string& name, bool& alreadyExists) override;
  intptr_t OpenMutex(const std::string& name) override;
  void CloseHandle(intptr_t handle) override;

  // Another process takes or drops one handle to the name.
  void HoldElsewhere(const std::string& name);
  void ReleaseElsewhere(const std::string& name);
  bool Exists(const std::string& name) const;
  // The names held through handles of this process, one entry per handle.
  std::vector<std::string> OwnHandles() const;

  // Every call, as "CreateMutex NAME", "OpenMutex NAME" or "CloseHandle NAME".
  std::vector<std::string> Calls;

private:
  std::map<std::string, int> FHolders; // handles per name, ours and the others'
  std::map<intptr_t, std::string> FHandles;
  intptr_t FNextHandle = 1;
};
