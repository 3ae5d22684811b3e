#include <gtest/gtest.h>

#include <glib.h>
#include <sys/stat.h>

#include "TestSupport.h"
#include "platform/sys/TXdgAutoStart.h"

namespace {

// Points XDG_CONFIG_DIRS at a temporary folder for the test's life, so the machine's own
// autostart folder is never written.
class AutoStart : public ::testing::Test {
protected:
  void SetUp() override {
    const char* old = getenv("XDG_CONFIG_DIRS");
    FHadOld = old != nullptr;
    if (old) FOld = old;
    SetConfigDirs(FTemp / "xdg" + ":/etc/xdg");
  }
  void TearDown() override {
    if (FHadOld) setenv("XDG_CONFIG_DIRS", FOld.c_str(), 1);
    else unsetenv("XDG_CONFIG_DIRS");
  }
  static void SetConfigDirs(const std::string& value) { setenv("XDG_CONFIG_DIRS", value.c_str(), 1); }

  TTempDir FTemp;
  std::string FOld;
  bool FHadOld = false;
};

// The program path that a desktop would run from the Exec value, parsed the way GLib parses it:
// string escapes, then field codes (only %% here), then shell-like quoting.
std::string ProgramOfExec(const std::string& entryText) {
  GKeyFile* file = g_key_file_new();
  std::string program = "<unparsable>";
  if (g_key_file_load_from_data(file, entryText.data(), entryText.size(), G_KEY_FILE_NONE, nullptr)) {
    char* exec = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
    std::string expanded;
    for (const char* p = exec; p && *p; ++p) {
      if (p[0] == '%' && p[1] == '%') ++p;
      expanded += *p;
    }
    int argc = 0;
    char** argv = nullptr;
    if (g_shell_parse_argv(expanded.c_str(), &argc, &argv, nullptr) && argc == 1) program = argv[0];
    g_strfreev(argv);
    g_free(exec);
  }
  g_key_file_free(file);
  return program;
}

} // namespace

TEST_F(AutoStart, EntryLivesInTheFirstAbsoluteConfigFolder) {
  const std::string t = FTemp.Path();
  const struct {
    std::string dirs;
    std::string expected;
  } cases[] = {
      {t + "/a:" + t + "/b", t + "/a/autostart/Tovira.desktop"},
      {"relative/xdg:" + t + "/b", t + "/b/autostart/Tovira.desktop"},
      {":" + t + "/c", t + "/c/autostart/Tovira.desktop"},
      {"", "/etc/xdg/autostart/Tovira.desktop"},
  };
  for (const auto& c : cases) {
    SetConfigDirs(c.dirs);
    EXPECT_EQ(TXdgAutoStart::EntryFileName(), c.expected) << c.dirs;
  }
  unsetenv("XDG_CONFIG_DIRS");
  EXPECT_EQ(TXdgAutoStart::EntryFileName(), "/etc/xdg/autostart/Tovira.desktop");
}

TEST_F(AutoStart, WriteCreatesTheEntryAndDeleteRemovesIt) {
  TXdgAutoStart entry;
  const std::string file = FTemp / "xdg/autostart/Tovira.desktop";
  EXPECT_FALSE(entry.ValueExists());
  EXPECT_TRUE(entry.Delete()); // nothing to remove is no failure

  ASSERT_TRUE(entry.Write("/opt/my kiosk/To\"vira"));
  EXPECT_TRUE(entry.ValueExists());
  EXPECT_EQ(ReadFile(file), "[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name=Tovira\n"
                            "Exec=\"/opt/my kiosk/To\\\\\"vira\"\n"
                            "Terminal=false\n");
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);

  ASSERT_TRUE(entry.Write("/opt/tovira/Tovira"));
  EXPECT_NE(ReadFile(file).find("\nExec=/opt/tovira/Tovira\n"), std::string::npos);

  EXPECT_TRUE(entry.Delete());
  EXPECT_FALSE(entry.ValueExists());
}

TEST_F(AutoStart, WriteFailsWhereTheFolderCannotBeMade) {
  WriteFile(FTemp / "plain-file", "");
  SetConfigDirs(FTemp / "plain-file");
  TXdgAutoStart entry;
  EXPECT_FALSE(entry.Write("/opt/tovira/Tovira"));
  EXPECT_FALSE(entry.ValueExists());
}

TEST(AutoStartExec, QuotesAndEscapesThePathSoDesktopsRunExactlyIt) {
  const struct {
    std::string path;
    std::string exec;
  } cases[] = {
      {"/opt/tovira/Tovira", "/opt/tovira/Tovira"},
      {"/opt/my kiosk/Tovira", R"("/opt/my kiosk/Tovira")"},
      {"/opt/a\"b/Tovira", R"("/opt/a\\"b/Tovira")"},
      {"/opt/50%/Tovira", "/opt/50%%/Tovira"},
      {"/opt/$x`y\\z/T", R"("/opt/\\$x\\`y\\\\z/T")"},
      {"/opt/it's (new)/T", R"("/opt/it's (new)/T")"},
      {"/opt/50% off/T", R"("/opt/50%% off/T")"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TXdgAutoStart::ExecValue(c.path), c.exec) << c.path;
    EXPECT_EQ(ProgramOfExec(TXdgAutoStart::EntryText(c.path)), c.path);
  }
}
