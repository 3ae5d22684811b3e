// Writing through the profile functions: file bytes in, one call, file bytes out.
#include "platform/ini/Profile.h"
#include "tests/ini/TTempFolder.h"

#include <dirent.h>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <vector>

using namespace std::string_literals;

namespace {

struct TWriteCase {
    const char* what;
    std::optional<std::string> before; // nothing: no file
    const char* section;
    const char* key;
    const char* value;
    int returned;
    std::optional<std::string> after; // nothing: still no file
};

TEST(ProfileWrite, EditsInPlace)
{
    const TWriteCase cases[] = {
        {"new file", std::nullopt, "Common", "Homepage", "http://a/", 1, "[Common]\r\nHomepage=http://a/\r\n"},
        {"empty file", "", "Common", "K", "1", 1, "[Common]\r\nK=1\r\n"},
        {"value replaced, everything else kept", "; kiosk\r\n[Common]\r\n\r\n  homepage = old  \r\nB=1\r\n",
         "Common", "Homepage", "new", 1, "; kiosk\r\n[Common]\r\n\r\n  homepage = new\r\nB=1\r\n"},
        {"line ends of the file kept", "[Common]\nA=1\rB=2\n", "Common", "A", "9", 1, "[Common]\nA=9\rB=2\n"},
        {"empty value replaced", "[Common]\nA=\nB=2\n", "Common", "A", "1", 1, "[Common]\nA=1\nB=2\n"},
        {"value emptied", "[Common]\nA = x\n", "Common", "A", "", 1, "[Common]\nA = \n"},
        {"quoted value replaced whole", "[Common]\nA='x'\n", "Common", "A", "y", 1, "[Common]\nA=y\n"},
        {"value written as given", "[Common]\n", "Common", "A", " 'q' ", 1, "[Common]\nA= 'q' \r\n"},
        {"same value: no change", "[Common]\nA=1", "Common", "A", "1", 1, "[Common]\nA=1"},
        {"value with blanks of its own", "[Common]\nA = 1 \n", "Common", "A", " 2 ", 1, "[Common]\nA = 2 \n"},
        {"same value with blanks: no change", "[Common]\nA= 2 \n", "Common", "A", " 2 ", 1, "[Common]\nA= 2 \n"},
        {"what followed a NUL in the old value goes too", "[Common]\nA=1\0junk\n"s, "Common", "A", "2", 1,
         "[Common]\nA=2\n"},
        {"first of two keys replaced", "[Common]\nA=1\nA=2\n", "Common", "A", "3", 1, "[Common]\nA=3\nA=2\n"},
        {"new key after the last key line", "[Common]\nA=1\n\n; end of Common\n[Other]\nX=1\n", "Common", "B", "2",
         1, "[Common]\nA=1\nB=2\r\n\n; end of Common\n[Other]\nX=1\n"},
        {"new key in an empty section", "[Common]\n; none yet\n[Other]\n", "Common", "B", "2", 1,
         "[Common]\nB=2\r\n; none yet\n[Other]\n"},
        {"new key after a last line without line end", "[Common]\nA=1", "Common", "B", "2", 1,
         "[Common]\nA=1\r\nB=2\r\n"},
        {"new key under a header without line end", "[Common]", "Common", "B", "2", 1, "[Common]\r\nB=2\r\n"},
        {"new key in the first of two sections", "[C]\nA=1\n[C]\nB=1\n", "c", "B", "2", 1,
         "[C]\nA=1\nB=2\r\n[C]\nB=1\n"},
        {"new key spelt as the caller trims it", "[Common]\n", "Common", "  NewKey ", "v", 1,
         "[Common]\nNewKey=v\r\n"},
        {"new section at the end", "[Other]\nX=1\n", "Common", "B", "2", 1, "[Other]\nX=1\n[Common]\r\nB=2\r\n"},
        {"new section after a last line without line end", "[Other]\nX=1", "Common", "B", "2", 1,
         "[Other]\nX=1\r\n[Common]\r\nB=2\r\n"},
        {"the spelling of an existing key kept", "[COMMON]\nHOMEPAGE=a\n", "Common", "homepage", "b", 1,
         "[COMMON]\nHOMEPAGE=b\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[C]\nA=1\n", "C", "A", "2", 1, "\xEF\xBB\xBF[C]\nA=2\n"},
        {"comment that looks like the key kept", "[C]\n;A=1\n", "C", "A", "2", 1, "[C]\nA=2\r\n;A=1\n"},
        {"delete key", "[C]\nA=1\r\nB=2\r\n", "C", "A", nullptr, 1, "[C]\nB=2\r\n"},
        {"delete last key without line end", "[C]\nA=1\nB=2", "C", "B", nullptr, 1, "[C]\nA=1\n"},
        {"delete every line of the key in the first section", "[C]\nA=1\nB=2\na=3\n[C]\nA=4\n", "C", "A", nullptr, 1,
         "[C]\nB=2\n[C]\nA=4\n"},
        {"delete missing key", "[C]\nA=1\n", "C", "Z", nullptr, 1, "[C]\nA=1\n"},
        {"delete missing key of a missing file", std::nullopt, "C", "Z", nullptr, 1, std::nullopt},
        {"delete section, every one of that name", "; top\n[A]\nx=1\n\n[B]\ny=2\n[a]\nz=3\n", "A", nullptr, "ignored",
         1, "; top\n[B]\ny=2\n"},
        {"delete missing section", "[B]\ny=2\n", "A", nullptr, nullptr, 1, "[B]\ny=2\n"},
        {"no section", "[B]\ny=2\n", nullptr, "y", "3", 0, "[B]\ny=2\n"},
        {"line break in a value refused", "[C]\nA=1\n", "C", "A", "2\r\n[Evil]", 0, "[C]\nA=1\n"},
        {"key with '=' refused", "[C]\n", "C", "A=B", "1", 0, "[C]\n"},
        {"key that reads as a comment refused", "[C]\n", "C", ";A", "1", 0, "[C]\n"},
        {"key that reads as a header refused", "[C]\n", "C", "[A]", "1", 0, "[C]\n"},
        {"empty key refused", "[C]\n", "C", " ", "1", 0, "[C]\n"},
        {"section with ']' refused", "[C]\n", "C]x", "A", "1", 0, "[C]\n"},
        {"section with a line break refused", "[C]\n", "C\nD", "A", "1", 0, "[C]\n"},
    };
    for (const TWriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        TTempFolder folder;
        if (c.before)
            folder.Write("Tovira.dat", *c.before);
        EXPECT_EQ(WritePrivateProfileStringA(c.section, c.key, c.value, folder.Path("Tovira.dat").c_str()), c.returned);
        ASSERT_EQ(folder.Exists("Tovira.dat"), c.after.has_value());
        if (c.after) {
            EXPECT_EQ(folder.Read("Tovira.dat"), *c.after);
        }
    }
}

TEST(ProfileWrite, WhatIsWrittenReadsBack)
{
    TTempFolder folder;
    const std::string file = folder.Path("Tovira.dat");
    folder.Write("Tovira.dat", "[Common]\r\nA=1\r\n");
    ASSERT_EQ(WritePrivateProfileStringA("Common", "B", "two", file.c_str()), 1);
    ASSERT_EQ(WritePrivateProfileStringA("Other", "C", "\"3\"", file.c_str()), 1);
    ASSERT_EQ(WritePrivateProfileStringA("Common", "A", "one", file.c_str()), 1);
    char buf[64];
    GetPrivateProfileStringA("Common", "A", "", buf, sizeof buf, file.c_str());
    EXPECT_STREQ(buf, "one");
    GetPrivateProfileStringA("Common", "B", "", buf, sizeof buf, file.c_str());
    EXPECT_STREQ(buf, "two");
    GetPrivateProfileStringA("Other", "C", "", buf, sizeof buf, file.c_str());
    EXPECT_STREQ(buf, "3");
    EXPECT_EQ(folder.Read("Tovira.dat"), "[Common]\r\nA=one\r\nB=two\r\n[Other]\r\nC=\"3\"\r\n");
}

TEST(ProfileWrite, FlushSucceeds)
{
    TTempFolder folder;
    EXPECT_EQ(WritePrivateProfileStringA(nullptr, nullptr, nullptr, folder.Path("Tovira.dat").c_str()), 1);
    EXPECT_FALSE(folder.Exists("Tovira.dat"));
}

TEST(ProfileWrite, ReadOnlyFileRefusedEvenForRoot)
{
    TTempFolder folder;
    const std::string before = "[Common]\r\nA=1\r\n";
    folder.Write("Tovira.dat", before);
    const std::string file = folder.Path("Tovira.dat");
    chmod(file.c_str(), 0444);
    EXPECT_EQ(WritePrivateProfileStringA("Common", "A", "2", file.c_str()), 0);
    EXPECT_EQ(WritePrivateProfileStringA("Common", "A", "1", file.c_str()), 0) << "a change that changes nothing";
    EXPECT_EQ(WritePrivateProfileStringA("Common", "A", nullptr, file.c_str()), 0);
    EXPECT_EQ(WritePrivateProfileStringA("Common", nullptr, nullptr, file.c_str()), 0);
    EXPECT_EQ(folder.Read("Tovira.dat"), before);
}

TEST(ProfileWrite, MissingFolderRefused)
{
    TTempFolder folder;
    const std::string file = folder.Path("gone/Tovira.dat");
    EXPECT_EQ(WritePrivateProfileStringA("Common", "A", "1", file.c_str()), 0);
    EXPECT_EQ(WritePrivateProfileStringA("Common", "A", nullptr, file.c_str()), 0);
    EXPECT_FALSE(folder.Exists("gone"));
}

// Runs check in a child process without root's rights, where the test runs as root, so that the
// permission bits count.
int RunUnprivileged(const std::function<int()>& check)
{
    if (geteuid() != 0)
        return check();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(100);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ProfileWrite, FolderThatCannotBeWrittenRefused)
{
    TTempFolder folder;
    const std::string before = "[Common]\r\nA=1\r\n";
    folder.Write("Tovira.dat", before);
    // Everyone may read the folder and the file; nobody but the owner may write either.
    chmod(folder.Path().c_str(), 0555);
    const std::string file = folder.Path("Tovira.dat");
    const std::string fresh = folder.Path("New.dat");
    const int result = RunUnprivileged([&] {
        return WritePrivateProfileStringA("Common", "A", "2", file.c_str()) * 10 +
               WritePrivateProfileStringA("Common", "A", "2", fresh.c_str());
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(folder.Read("Tovira.dat"), before);
    EXPECT_FALSE(folder.Exists("New.dat"));
}

TEST(ProfileWrite, ReplacesAtomicallyKeepingModeAndLinks)
{
    TTempFolder folder;
    mkdir(folder.Path("real").c_str(), 0755);
    folder.Write("real/settings.ini", "[Common]\r\nA=1\r\n");
    chmod(folder.Path("real/settings.ini").c_str(), 0640);
    ASSERT_EQ(symlink("real/settings.ini", folder.Path("Tovira.dat").c_str()), 0);
    struct stat old;
    stat(folder.Path("real/settings.ini").c_str(), &old);

    ASSERT_EQ(WritePrivateProfileStringA("Common", "A", "2", folder.Path("tovira.dat").c_str()), 1);

    struct stat link, now;
    ASSERT_EQ(lstat(folder.Path("Tovira.dat").c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode)) << "the link stays a link";
    EXPECT_FALSE(folder.Exists("tovira.dat")) << "the existing name was used";
    EXPECT_EQ(folder.Read("real/settings.ini"), "[Common]\r\nA=2\r\n");
    ASSERT_EQ(stat(folder.Path("real/settings.ini").c_str(), &now), 0);
    EXPECT_EQ(now.st_mode & 07777, 0640u);
    EXPECT_NE(now.st_ino, old.st_ino) << "a new file was renamed over the old one";

    // Nothing but the file is left in its folder.
    std::vector<std::string> names;
    DIR* dir = opendir(folder.Path("real").c_str());
    while (const dirent* e = readdir(dir))
        if (const std::string name = e->d_name; name != "." && name != "..")
            names.push_back(name);
    closedir(dir);
    EXPECT_EQ(names, std::vector<std::string>{"settings.ini"});
}

TEST(ProfileWrite, NewFileTakesTheUsualMode)
{
    TTempFolder folder;
    const mode_t old = umask(022);
    ASSERT_EQ(WritePrivateProfileStringA("Common", "A", "1", folder.Path("Tovira.dat").c_str()), 1);
    umask(old);
    struct stat st;
    ASSERT_EQ(stat(folder.Path("Tovira.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

} // namespace
