#include <gtest/gtest.h>

#include <sys/wait.h>

#include "TestSupport.h"

namespace {

// A private bus that stands in for the system bus, and a stand-in login manager on it. The
// power-off request is made by a helper whose DBUS_SYSTEM_BUS_ADDRESS names the private bus, so
// it can never reach the machine's own login manager.
class LogindShutdown : public ::testing::Test {
protected:
  void SetUp() override {
    WriteFile(FTemp / "bus.conf",
              "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
              " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
              "<busconfig>\n"
              "  <type>tovira-test</type>\n"
              "  <listen>unix:path=" + FTemp / "bus" + "</listen>\n"
              "  <auth>EXTERNAL</auth>\n"
              "  <policy context=\"default\">\n"
              "    <allow user=\"*\"/>\n"
              "    <allow own=\"*\"/>\n"
              "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
              "    <allow eavesdrop=\"true\"/>\n"
              "  </policy>\n"
              "</busconfig>\n");
    FBus = std::make_unique<TChild>(std::vector<std::string>{"/usr/bin/dbus-daemon", "--nofork", "--nosyslog",
                                                             "--config-file=" + FTemp / "bus.conf", "--print-address"},
                                    TEnvChanges{}, true);
    FAddress = FBus->ReadLine().value_or("");
    ASSERT_TRUE(FAddress.starts_with("unix:path=" + FTemp / "bus")) << "private bus did not start: " << FAddress;
  }

  void StartStandIn() {
    FLogind = std::make_unique<TChild>(std::vector<std::string>{HelperPath(), "logind", FRecord},
                                       TEnvChanges{{"DBUS_SYSTEM_BUS_ADDRESS", FAddress}});
    ASSERT_EQ(FLogind->ReadLine().value_or("no answer"), "ready");
  }

  // Runs the power-off request against the given system bus; its exit status.
  static std::optional<int> PowerOff(const std::string& busAddress) {
    TChild child({HelperPath(), "poweroff"}, {{"DBUS_SYSTEM_BUS_ADDRESS", busAddress}});
    return child.Wait(std::chrono::seconds(8));
  }

  TTempDir FTemp;
  std::string FRecord = FTemp / "calls";
  std::unique_ptr<TChild> FBus, FLogind;
  std::string FAddress;
};

} // namespace

TEST_F(LogindShutdown, AsksTheLoginManagerToPowerOffWithoutInteraction) {
  StartStandIn();
  auto status = PowerOff(FAddress);
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
  EXPECT_EQ(ReadFile(FRecord), "PowerOff false\n");
}

TEST_F(LogindShutdown, ReturnsQuietlyWhenNoLoginManagerAnswers) {
  // A bus without the manager, and no bus at all.
  for (const std::string& bus : {FAddress, "unix:path=" + FTemp / "no-bus"}) {
    auto status = PowerOff(bus);
    ASSERT_TRUE(status.has_value()) << bus;
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << bus;
  }
  EXPECT_EQ(ReadFile(FRecord), "");
}
