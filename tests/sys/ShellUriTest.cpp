#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/sys/TGioShell.h"

TEST(GioShellUri, GivesEachAddressTheUriItsHandlerIsChosenBy) {
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  const struct {
    std::string address;
    std::string uri;
  } cases[] = {
      {"http://a.invalid/x?y=1", "http://a.invalid/x?y=1"},
      {"  https://a.invalid/  ", "https://a.invalid/"},
      {"mailto:kiosk@a.invalid", "mailto:kiosk@a.invalid"},
      {"www.a.invalid:8080/p", "http://www.a.invalid:8080/p"},
      {"WWW.A.INVALID", "http://WWW.A.INVALID"},
      {"ftp.a.invalid", "ftp://ftp.a.invalid"},
      {"/tmp/a b.html", "file:///tmp/a%20b.html"},
      {"page.html", "file://" + std::string(cwd) + "/page.html"},
      {"", ""},
      {"   ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TGioShell::AddressToUri(c.address), c.uri) << c.address;
}
