// A writer killed at any moment leaves one of the versions it wrote, whole; a reader meanwhile only
// ever sees whole versions.
#include "platform/ini/Profile.h"
#include "platform/ini/TAtomicFile.h"
#include "tests/ini/TTempFolder.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/prctl.h>
#include <sys/wait.h>

namespace {

// Large enough that writing one takes a while, so that kills land in the middle of writes.
constexpr size_t kPayload = 256 * 1024;

std::string Value(unsigned version) { return std::to_string(version) + ":" + std::string(kPayload, char('a' + version % 26)); }

std::string FileOf(unsigned version) { return "[Common]\r\nData=" + Value(version) + "\r\n"; }

// Which version the text is, or -1 when it is none of them.
long VersionOf(const std::string& text)
{
    const std::string head = "[Common]\r\nData=";
    if (text.compare(0, head.size(), head) != 0)
        return -1;
    const unsigned long version = std::strtoul(text.c_str() + head.size(), nullptr, 10);
    return text == FileOf(unsigned(version)) ? long(version) : -1;
}

TEST(AtomicWrite, KilledWriterLeavesAWholeVersion)
{
    TTempFolder folder;
    const std::string file = folder.Path("Tovira.dat");
    ASSERT_EQ(WritePrivateProfileStringA("Common", "Data", Value(0).c_str(), file.c_str()), 1);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    unsigned first = 1;
    long last = 0;
    int readsDuringWrites = 0;
    for (int round = 0; round < 30; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Should this test die before it kills the writer, the writer goes with it.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (unsigned v = first;; ++v)
                WritePrivateProfileStringA("Common", "Data", Value(v).c_str(), file.c_str());
        }
        // Read while the child writes: until it has written one version, so that every round
        // gets on, then for a moment of chance, and kill it there.
        const long before = last;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        std::string text;
        bool whole = true;
        do {
            // A missing file counts as torn, like any other text that is no version.
            TAtomicFile(file, TAtomicFile::TUse::Read).Read(text);
            const long version = VersionOf(text);
            whole = version >= last;
            if (whole && version > before && last == before)
                deadline = std::chrono::steady_clock::now() +
                           std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(random));
            if (whole)
                last = version;
            ++readsDuringWrites;
        } while (whole && std::chrono::steady_clock::now() < deadline);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(whole) << "a reader saw a torn or an older file in round " << round;
        ASSERT_GT(last, before) << "the writer wrote nothing in five seconds";
        ASSERT_TRUE(TAtomicFile(file, TAtomicFile::TUse::Read).Read(text));
        const long version = VersionOf(text);
        ASSERT_GE(version, last) << "the killed writer left a torn or an older file in round " << round;
        last = version;
        first = unsigned(version) + 1;
    }
    RecordProperty("versions", int(last));
    RecordProperty("reads", readsDuringWrites);
}

} // namespace
