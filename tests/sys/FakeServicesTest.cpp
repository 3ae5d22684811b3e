#include <gtest/gtest.h>

#include "platform/sys/VirtualKeys.h"
#include "platform/sys/fakes/FakeServices.h"

TEST(FakeServices, InstallReplacesEveryServiceWithAFreshFake) {
  TFakeServices& first = InstallFakeServices();
  first.Shell->ShellOpen("http://a.invalid");
  TFakeMutex* oldMutex = first.Mutex;
  TFakeServices& fakes = InstallFakeServices();
  EXPECT_NE(fakes.Mutex, oldMutex);
  EXPECT_TRUE(fakes.Shell->Opened.empty());
  EXPECT_EQ(Sys().Mutex.get(), fakes.Mutex);
  EXPECT_EQ(Sys().Processes.get(), fakes.Processes);
  EXPECT_EQ(Sys().KeyInput.get(), fakes.KeyInput);
  EXPECT_EQ(Sys().Windowing.get(), fakes.Windowing);
  EXPECT_EQ(Sys().Shell.get(), fakes.Shell);
  EXPECT_EQ(Sys().Shutdown.get(), fakes.Shutdown);
  EXPECT_EQ(Sys().AutoStart.get(), fakes.AutoStart);
  EXPECT_EQ(Sys().Clock.get(), fakes.Clock);

  fakes.Clock->Set(39984.5);
  fakes.Clock->AdvanceSeconds(60);
  EXPECT_NEAR(Time(), 0.5 + 60.0 / 86400, 1e-9);
  EXPECT_EQ(Date(), 39984.0);
}

TEST(FakeServices, MutexNamesLiveWhileAnyHolderRemains) {
  TFakeMutex m;
  bool exists = true;
  EXPECT_EQ(m.OpenMutex("MutexTovira"), 0);
  intptr_t own = m.CreateMutex("MutexTovira", exists);
  EXPECT_NE(own, 0);
  EXPECT_FALSE(exists);

  m.HoldElsewhere("MutexKelpad");
  m.CreateMutex("MutexKelpad", exists);
  EXPECT_TRUE(exists);

  // The other process ends; our own handle keeps the name.
  m.HoldElsewhere("MutexTovira");
  m.CloseHandle(own);
  EXPECT_NE(m.OpenMutex("MutexTovira"), 0);
  m.ReleaseElsewhere("MutexTovira");
  EXPECT_TRUE(m.Exists("MutexTovira")); // the handle OpenMutex just returned
}

TEST(FakeServices, ProcessesAndKeysBehaveAsScripted) {
  TFakeProcesses p;
  p.OnWinExec = [&](const std::string& name) { p.AddProcess(name); };
  int first = p.AddProcess("Tovira");
  p.WinExec("Kelpad");
  ASSERT_EQ(p.Snapshot().size(), 2u);
  EXPECT_GT(p.Snapshot()[1].Pid, first);
  EXPECT_TRUE(p.TerminateProcess(p.Snapshot()[1].Pid, 0));
  EXPECT_FALSE(p.TerminateProcess(4242, 0));
  EXPECT_EQ(p.Snapshot(), (std::vector<TProcessEntry>{{first, "Tovira"}}));
  EXPECT_EQ(p.ExeFolder(), "/opt/tovira/");

  TFakeKeyInput k;
  EXPECT_EQ(k.MapVirtualKeyA(VK_UP, MAPVK_VK_TO_VSC), 0x48u);
  EXPECT_EQ(k.MapVirtualKeyA(VK_SHIFT, MAPVK_VK_TO_VSC), 0x2Au);
  EXPECT_EQ(k.MapVirtualKeyA('Q', MAPVK_VK_TO_VSC), 0x10u);
  for (const TVirtualKey& key : VirtualKeys())
    EXPECT_NE(k.MapVirtualKeyA(key.Vk, MAPVK_VK_TO_VSC), 0u) << int(key.Vk);
  EXPECT_EQ(k.MapVirtualKeyA(0x48, MAPVK_VSC_TO_VK), VK_UP);
}
