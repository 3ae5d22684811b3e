#pragma once
#include <cstdint>
#include <string>

// Named mutexes as single-instance markers. A name exists while any process holds a handle to it
// and vanishes with the last holder, however that holder ended. Handles are never 0; 0 means
// failure. Handles live until the process ends unless closed.
class ISysMutex {
public:
  virtual ~ISysMutex() = default;
  // Creates the name or opens it if it exists; alreadyExists tells which. Returns a handle in both
  // cases, 0 when the name cannot be made at all (alreadyExists is then false).
  virtual intptr_t CreateMutex(const std::string& name, bool& alreadyExists) = 0;
  // A handle to an existing name, or 0 when no process holds it.
  virtual intptr_t OpenMutex(const std::string& name) = 0;
  virtual void CloseHandle(intptr_t handle) = 0;
};
