// The profile functions keep a parsed copy of a file that has been left alone for a while; every
// kind of change to such a file must still be seen by the next read.
#include "platform/ini/Profile.h"
#include "tests/ini/TTempFolder.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

std::string ReadA(const std::string& file)
{
    char buf[64];
    GetPrivateProfileStringA("Common", "A", "", buf, sizeof buf, file.c_str());
    return buf;
}

void KeepTimes(const std::string& from, const std::string& to)
{
    struct stat st;
    stat(from.c_str(), &st);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    utimensat(AT_FDCWD, to.c_str(), times, 0);
}

TEST(ProfileCache, SeesEveryChangeOfASettledFile)
{
    TTempFolder folder;
    struct TCase {
        const char* what;
        std::string name;
        std::function<void()> change;
    };
    auto path = [&](const char* name) { return folder.Path(name); };
    const TCase cases[] = {
        {"rewritten in place, same size, modification time put back", "inplace.dat",
         [&] {
             folder.Write("copy", "");
             KeepTimes(path("inplace.dat"), path("copy"));
             folder.Write("inplace.dat", "[Common]\r\nA=2\r\n");
             KeepTimes(path("copy"), path("inplace.dat"));
         }},
        {"replaced by another file of the same size and times", "renamed.dat",
         [&] {
             folder.Write("next", "[Common]\r\nA=2\r\n");
             KeepTimes(path("renamed.dat"), path("next"));
             rename(path("next").c_str(), path("renamed.dat").c_str());
         }},
        {"written through the profile functions", "written.dat",
         [&] { WritePrivateProfileStringA("Common", "A", "2", path("written.dat").c_str()); }},
        {"link pointed at another file", "link.dat",
         [&] {
             folder.Write("other", "[Common]\r\nA=2\r\n");
             unlink(path("link.dat").c_str());
             symlink("other", path("link.dat").c_str());
         }},
        {"removed", "removed.dat", [&] { unlink(path("removed.dat").c_str()); }},
    };
    for (const TCase& c : cases)
        folder.Write(c.name, "[Common]\r\nA=1\r\n");
    unlink(path("link.dat").c_str());
    folder.Write("target", "[Common]\r\nA=1\r\n");
    symlink("target", path("link.dat").c_str());
    // Only a file left alone for two seconds is kept.
    std::this_thread::sleep_for(std::chrono::milliseconds(2200));

    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = folder.Path(c.name);
        ASSERT_EQ(ReadA(file), "1");
        ASSERT_EQ(ReadA(file), "1");
        c.change();
        EXPECT_EQ(ReadA(file), c.name == "removed.dat" ? "" : "2");
    }
}

TEST(ProfileCache, NameMatchedInAnyCaseGivesWayToAnExactOne)
{
    TTempFolder folder;
    folder.Write("Tovira.dat", "[Common]\r\nA=1\r\n");
    const std::string lower = folder.Path("tovira.dat");
    EXPECT_EQ(ReadA(lower), "1");
    folder.Write("tovira.dat", "[Common]\r\nA=2\r\n");
    EXPECT_EQ(ReadA(lower), "2");
}

} // namespace
