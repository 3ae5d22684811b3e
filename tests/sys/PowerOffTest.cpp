#include <gtest/gtest.h>

#include <sys/wait.h>

#include "TestSupport.h"
#include "tests/e2e/support/TPrivateSystemBus.h"

namespace {

// A private bus that stands in for the system bus, and a stand-in login manager on it. The
// power-off request is made by a helper whose DBUS_SYSTEM_BUS_ADDRESS names the private bus, so
// it can never reach the machine's own login manager.
class LogindShutdown : public ::testing::Test {
protected:
  void StartStandIn() { ASSERT_TRUE(FBus.StartLoginManager(HelperPath(), FRecord)); }

  // Runs the power-off request against the given system bus; its exit status.
  static std::optional<int> PowerOff(const std::string& busAddress) {
    TChild child({HelperPath(), "poweroff"}, {{"DBUS_SYSTEM_BUS_ADDRESS", busAddress}});
    return child.Wait(std::chrono::seconds(8));
  }

  TTempDir FTemp;
  std::string FRecord = FTemp / "calls";
  TPrivateSystemBus FBus{FTemp.Path()};
};

} // namespace

TEST_F(LogindShutdown, AsksTheLoginManagerToPowerOffWithoutInteraction) {
  StartStandIn();
  auto status = PowerOff(FBus.Address());
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
  EXPECT_EQ(ReadFile(FRecord), "PowerOff false\n");
}

TEST_F(LogindShutdown, ReturnsQuietlyWhenNoLoginManagerAnswers) {
  // A bus without the manager, and no bus at all.
  for (const std::string& bus : {FBus.Address(), "unix:path=" + FTemp / "no-bus"}) {
    auto status = PowerOff(bus);
    ASSERT_TRUE(status.has_value()) << bus;
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << bus;
  }
  EXPECT_EQ(ReadFile(FRecord), "");
}
