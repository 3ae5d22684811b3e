#pragma once
#include <map>

#include "platform/sys/ISysMutex.h"

// Named mutexes as lock files of the user's own, held with open-file-description locks, which the
// kernel drops when the last descriptor of a holder closes, also when the holder is killed.
//
// Each lock file has two lock bytes. Every handle holds a shared lock on the holder byte, so the
// name exists exactly while some descriptor holds that byte. Create and open first take the gate
// byte exclusively, so their test of the holder byte and the lock they then take are one step
// for every other creator or opener: of two processes creating one name at once exactly one
// sees it new.
//
// The folder is $XDG_RUNTIME_DIR/tovira-mutex, or /tmp/tovira-mutex-UID when there is no runtime
// folder; it must be a real folder of ours that nobody else may enter, or nothing is created.
class TLockFileMutex : public ISysMutex {
public:
  // Handles are left open on destruction: like the system's handles, they belong to the process.
  ~TLockFileMutex() override = default;

  intptr_t CreateMutex(const std::string& name, bool& alreadyExists) override;
  intptr_t OpenMutex(const std::string& name) override;
  void CloseHandle(intptr_t handle) override;

  // The folder for lock files, created if missing; empty when it is missing and cannot be made,
  // or is not safe to use.
  static std::string LockFolder();
  // The lock file's name within the folder: the mutex name with every byte outside
  // [A-Za-z0-9._-] written as %XX, plus ".lock".
  static std::string LockFileName(const std::string& name);

private:
  intptr_t AddHandle(int fd);

  std::map<intptr_t, int> FHandles; // handle -> descriptor, -1 for an unnamed mutex
  intptr_t FNextHandle = 1;
};
