#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "TestSupport.h"

namespace {

// A desktop of its own in a temporary folder, whose default handler for web addresses and HTML
// files is a script that notes its argument. The helper runs in that environment, so no real
// user's settings are read or touched.
class GioShell : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(FTemp / "data/applications");
    std::filesystem::create_directories(FTemp / "config");
    std::filesystem::create_directories(FTemp / "empty");
    WriteFile(FTemp / "handler.sh", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> " + FOut + "\n", 0755);
    WriteFile(FTemp / "data/applications/tovira-test-handler.desktop",
              "[Desktop Entry]\nType=Application\nName=Handler\nExec=" + FTemp / "handler.sh" +
                  " %u\nMimeType=x-scheme-handler/http;text/html;\n");
    WriteFile(FTemp / "config/mimeapps.list", "[Default Applications]\n"
                                              "x-scheme-handler/http=tovira-test-handler.desktop\n"
                                              "text/html=tovira-test-handler.desktop\n");
    WriteFile(FTemp / "page.html", "<html><body>kiosk</body></html>\n");
  }

  // What the handler received for the address, or "" when it was not run.
  std::string Open(const std::string& address, std::chrono::milliseconds wait = std::chrono::seconds(3)) {
    unlink(FOut.c_str());
    TChild child({HelperPath(), "shell-open", address},
                 {{"HOME", FTemp.Path()},
                  {"XDG_DATA_HOME", FTemp / "data"},
                  {"XDG_CONFIG_HOME", FTemp / "config"},
                  {"XDG_CONFIG_DIRS", FTemp / "empty"},
                  {"XDG_DATA_DIRS", "/usr/share"},
                  {"XDG_CURRENT_DESKTOP", std::nullopt},
                  {"DISPLAY", std::nullopt},
                  {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + FTemp / "no-session-bus"}});
    child.Wait();
    WaitUntil([&] { return ReadFile(FOut).find('\n') != std::string::npos; }, wait);
    std::string got = ReadFile(FOut);
    return got.empty() ? got : got.substr(0, got.size() - 1);
  }

  TTempDir FTemp;
  std::string FOut = FTemp / "handled";
};

} // namespace

TEST_F(GioShell, OpensAddressesWithTheDesktopsDefaultHandler) {
  EXPECT_EQ(Open("http://example.invalid/page?a=1&b=2"), "http://example.invalid/page?a=1&b=2");
  EXPECT_EQ(Open("www.example.invalid"), "http://www.example.invalid");
  std::string file = Open(FTemp / "page.html");
  EXPECT_TRUE(file == FTemp / "page.html" || file == "file://" + FTemp / "page.html") << file;
}

TEST_F(GioShell, AnAddressWithoutHandlerOpensNothingQuietly) {
  // The handler, had it been run, would have noted the address within this time.
  const auto wait = std::chrono::milliseconds(300);
  EXPECT_EQ(Open("gopher://example.invalid/", wait), "");
  EXPECT_EQ(Open("", wait), "");
}
