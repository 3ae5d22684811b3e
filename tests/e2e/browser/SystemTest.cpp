// What the kiosk asks of the desktop and the system: the vendor label's address goes to the
// desktop's default handler, and the scheduled shutdown to the login manager.
#include "KioskFixture.h"
#include "TPrivateSystemBus.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text, mode_t mode = 0644) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  chmod(path.c_str(), mode);
}

// The time-faking library of the libfaketime package, or empty where it is not installed.
std::string FakeTimeLibrary() {
  for (const char* path : {"/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1", "/usr/lib/aarch64-linux-gnu/faketime/libfaketimeMT.so.1",
                           "/usr/lib/faketime/libfaketimeMT.so.1"})
    if (std::filesystem::exists(path)) return path;
  return {};
}

} // namespace

TEST_F(KioskTest, AVendorLabelOpensItsAddressWithTheDesktopsDefaultHandler) {
  // A stand-in default handler for web addresses in the private home and XDG folders: it notes
  // the address it was given.
  const std::string opened = x_.TempDir() + "/opened";
  const std::string handler = x_.TempDir() + "/handler.sh";
  WriteFile(handler, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened + "'\n", 0755);
  WriteFile(x_.TempDir() + "/data/applications/kiosk-test-handler.desktop",
            "[Desktop Entry]\nType=Application\nName=Test handler\nExec=" + handler +
                " %u\nMimeType=x-scheme-handler/http;\nNoDisplay=true\n");
  WriteFile(x_.TempDir() + "/config/mimeapps.list",
            "[Default Applications]\nx-scheme-handler/http=kiosk-test-handler.desktop\n");

  const std::string vendorUrl = "http://127.0.0.1:9/vendor?from=kiosk";
  Settings({"Homepage=" + Page("scroll.html"), "ShowVendorSite=1", "VendorName=技术支持", "VendorURL=" + vendorUrl,
            "SoftSite=使用帮助", "SoftSiteURL=http://127.0.0.1:9/help"});
  ASSERT_NE(StartKiosk(), 0u);
  ASSERT_TRUE(WaitForReport("loaded=scroll"));

  Touch(BarPoint(785 + 10, 13 + 6)); // lblVendor
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return ReadFile(opened) == vendorUrl + "\n"; }, 10000))
      << "the handler got: " << ReadFile(opened);
  EXPECT_TRUE(Kiosk().Running());
}

// A private bus stands in for the system bus, with a stand-in login manager on it: the kiosk's
// power-off request can reach nothing else.
TEST_F(KioskTest, TheScheduledShutdownClosesTheKioskAndAsksTheLoginManagerToPowerOff) {
  TPrivateSystemBus bus(x_.TempDir());
  const std::string calls = x_.TempDir() + "/logind-calls";
  ASSERT_TRUE(bus.StartLoginManager(SYS_HELPER, calls)) << "the stand-in login manager did not start";

  // Midnight has always passed: the first minute tick shuts down. Where the time-faking library
  // is installed, the kiosk's clocks run ten times as fast, so that tick comes after six seconds
  // rather than a minute.
  Settings({"Homepage=" + Page("scroll.html"), "ShutdownAuto=1", "ShutdownTime=00:00"});
  std::vector<std::string> env = {bus.Environment()};
  if (const std::string fakeTime = FakeTimeLibrary(); !fakeTime.empty())
    env.insert(env.end(), {"LD_PRELOAD=" + fakeTime, "FAKETIME=+0 x10"});
  const XWindow window = StartKiosk(env);
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(WaitForReport("loaded=scroll"));
  EXPECT_EQ(ReadFile(calls), "") << "powered off before the first minute tick";

  EXPECT_EQ(Kiosk().Wait(75000), std::optional<int>(0)) << "the kiosk did not end after the shutdown time";
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return ReadFile(calls) == "PowerOff false\n"; }, 5000))
      << "the login manager got: " << ReadFile(calls);
  EXPECT_FALSE(x_.WindowViewable(window));
}
