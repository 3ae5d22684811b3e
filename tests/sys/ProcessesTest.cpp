#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <unistd.h>

#include "TestSupport.h"
#include "platform/sys/TLockFileMutex.h"
#include "platform/sys/TPosixProcesses.h"

namespace {

// Started programs tell what they are in a mark file; a folder on PATH holds stand-ins that say
// "path". The helper beside the tests says "own PID".
class PosixProcesses : public ::testing::Test {
protected:
  void SetUp() override {
    Save("PATH");
    Save("TOVIRA_TEST_MARK");
    Save("TOVIRA_TEST_LINGER");
    Save("XDG_RUNTIME_DIR");
    for (const char* name : {"sys_helper", "sys_only_on_path"})
      WriteFile(FTemp / name, "#!/bin/sh\necho path >> " + FMark + "\n", 0755);
    setenv("PATH", (FTemp.Path() + ":/usr/bin:/bin").c_str(), 1);
    setenv("TOVIRA_TEST_MARK", FMark.c_str(), 1);
    unsetenv("TOVIRA_TEST_LINGER");
    setenv("XDG_RUNTIME_DIR", FTemp.Path().c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : FSaved)
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
  }
  void Save(const char* name) {
    const char* v = getenv(name);
    FSaved[name] = v ? std::optional<std::string>(v) : std::nullopt;
  }
  std::string WaitForMark() {
    WaitUntil([&] { return ReadFile(FMark).find('\n') != std::string::npos; });
    return ReadFile(FMark);
  }
  // Starts the helper by name to run until killed; returns its pid.
  int StartLingeringHelper() {
    setenv("TOVIRA_TEST_LINGER", "1", 1);
    FProcesses.WinExec("sys_helper");
    std::string mark = WaitForMark();
    unsetenv("TOVIRA_TEST_LINGER");
    return mark.starts_with("own ") ? std::stoi(mark.substr(4)) : 0;
  }
  bool Lists(int pid, const std::string& name) {
    auto list = FProcesses.Snapshot();
    return std::find(list.begin(), list.end(), TProcessEntry{pid, name}) != list.end();
  }

  TTempDir FTemp;
  std::string FMark = FTemp / "mark";
  std::map<std::string, std::optional<std::string>> FSaved;
  TPosixProcesses FProcesses;
};

} // namespace

TEST_F(PosixProcesses, WinExecLooksInTheProgramsOwnFolderBeforePath) {
  ASSERT_EQ(FProcesses.ExeFolder() + "sys_helper", HelperPath());
  const struct {
    const char* name;
    const char* says;
  } cases[] = {
      {"sys_helper", "own"},          // in our folder and on PATH
      {"sys_only_on_path", "path"},   // on PATH only
      {"sys_nowhere_at_all", nullptr} // nowhere: nothing starts, nothing is reported
  };
  for (const auto& c : cases) {
    unlink(FMark.c_str());
    FProcesses.WinExec(c.name);
    if (c.says) {
      EXPECT_TRUE(WaitForMark().starts_with(c.says)) << c.name << ": " << ReadFile(FMark);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      EXPECT_EQ(ReadFile(FMark), "") << c.name;
    }
  }
}

TEST_F(PosixProcesses, SnapshotListsARunningProgramUntilItIsTerminated) {
  int pid = StartLingeringHelper();
  ASSERT_GT(pid, 0);
  auto list = FProcesses.Snapshot();
  EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [](auto& a, auto& b) { return a.Pid < b.Pid; }));
  EXPECT_TRUE(Lists(pid, "sys_helper"));
  EXPECT_TRUE(Lists(getpid(), "sys_e2e_tests"));

  EXPECT_TRUE(FProcesses.TerminateProcess(pid, 0));
  // Our own child must not linger in the list as a zombie once it has died.
  EXPECT_TRUE(WaitUntil([&] { return !Lists(pid, "sys_helper"); }));
  EXPECT_FALSE(FProcesses.TerminateProcess(pid, 0));
}

TEST_F(PosixProcesses, StartedProgramsHoldNoneOfOurMutexes) {
  TLockFileMutex m;
  bool exists = true;
  intptr_t handle = m.CreateMutex("MutexTovira", exists);
  ASSERT_NE(handle, 0);
  int pid = StartLingeringHelper();
  ASSERT_GT(pid, 0);
  m.CloseHandle(handle);
  EXPECT_EQ(m.OpenMutex("MutexTovira"), 0);
  FProcesses.TerminateProcess(pid, 0);
}
