#include <gtest/gtest.h>

#include <glib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/backend/gtk/webkit/WebAddress.h"

TEST(WebAddress, IsWhatTheEngineLoads) {
  const struct {
    const char* text;
    const char* address;
  } cases[] = {
      {"", "about:blank"},
      {"   \t", "about:blank"},
      {"about:blank", "about:blank"},
      {"http://127.0.0.1:8080/a b", "http://127.0.0.1:8080/a b"},
      {"  https://example.com/  ", "https://example.com/"},
      {"mailto:someone@example.com", "mailto:someone@example.com"},
      {"data:text/html,<p>x</p>", "data:text/html,<p>x</p>"},
      {"www.example.com", "http://www.example.com"},
      {"localhost:8080/start", "http://localhost:8080/start"},
      {"/opt/tovira/welcome page.html", "file:///opt/tovira/welcome%20page.html"},
      {"/opt/tovira/../tovira/index.html", "file:///opt/tovira/index.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(EngineAddress(c.text), c.address) << "[" << c.text << "]";
}

// A relative path is a file only when there is one; otherwise it reads as a host.
TEST(WebAddress, RelativePathOfAnExistingFileIsThatFile) {
  gchar* dir = g_dir_make_tmp("webaddress-XXXXXX", nullptr);
  ASSERT_NE(dir, nullptr);
  std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::ofstream("home.html") << "<p>home</p>";
  gchar* expected = g_filename_to_uri((std::string(dir) + "/home.html").c_str(), nullptr, nullptr);

  EXPECT_EQ(EngineAddress("home.html"), expected);
  EXPECT_EQ(EngineAddress("other.html"), "http://other.html");

  std::filesystem::current_path(old);
  std::filesystem::remove_all(dir);
  g_free(expected);
  g_free(dir);
}
