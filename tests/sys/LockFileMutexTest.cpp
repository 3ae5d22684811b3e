#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"
#include "platform/sys/TLockFileMutex.h"

namespace {

// Every process of a test, this one and its helpers, keeps its lock files in a temporary runtime
// folder.
class LockFileMutex : public ::testing::Test {
protected:
  void SetUp() override {
    const char* old = getenv("XDG_RUNTIME_DIR");
    FHadOld = old != nullptr;
    if (old) FOld = old;
    setenv("XDG_RUNTIME_DIR", FRuntime.Path().c_str(), 1);
  }
  void TearDown() override {
    if (FHadOld) setenv("XDG_RUNTIME_DIR", FOld.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
  }

  // A helper process that creates or opens the name and holds its handle until told to end.
  static std::unique_ptr<TChild> Holder(const char* mode, const std::string& name, std::string& said) {
    auto child = std::make_unique<TChild>(std::vector<std::string>{HelperPath(), mode, name});
    said = child->ReadLine().value_or("no answer");
    return child;
  }
  static std::string AnswerOf(const char* mode, const std::string& name) {
    std::string said;
    Holder(mode, name, said);
    return said;
  }

  TTempDir FRuntime;
  std::string FOld;
  bool FHadOld = false;
};

} // namespace

TEST_F(LockFileMutex, NameExistsWhileAnyProcessHoldsItAndVanishesWithTheLast) {
  const std::string name = "MutexTovira";
  TLockFileMutex m;
  EXPECT_EQ(m.OpenMutex(name), 0);
  EXPECT_EQ(AnswerOf("mutex-open", name), "none");

  std::string said;
  auto first = Holder("mutex-create", name, said);
  EXPECT_EQ(said, "first");
  auto second = Holder("mutex-create", name, said);
  EXPECT_EQ(said, "exists");

  // A holder that is killed outright lets go of its handle; the other one keeps the name.
  first->Kill(SIGKILL);
  ASSERT_TRUE(first->Wait());
  intptr_t opened = m.OpenMutex(name);
  EXPECT_NE(opened, 0);

  second->CloseInput();
  ASSERT_TRUE(second->Wait());
  EXPECT_EQ(AnswerOf("mutex-create", name), "exists"); // our handle from OpenMutex still holds it

  m.CloseHandle(opened);
  EXPECT_EQ(AnswerOf("mutex-open", name), "none");
  EXPECT_EQ(AnswerOf("mutex-create", name), "first");
}

TEST_F(LockFileMutex, HandlesOfOneProcessCountLikeThoseOfOthers) {
  TLockFileMutex m;
  bool exists = true;
  for (const std::string name : {"MutexKelpad", "Local\\odd/name", "..", ".hidden"}) {
    intptr_t a = m.CreateMutex(name, exists);
    EXPECT_NE(a, 0) << name;
    EXPECT_FALSE(exists) << name;
    intptr_t b = m.CreateMutex(name, exists);
    EXPECT_TRUE(exists) << name;
    EXPECT_NE(b, a);
    m.CloseHandle(a);
    EXPECT_NE(m.OpenMutex(name), 0) << name;
  }
  // Every name has a file of its own inside the folder, whatever characters it holds.
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(FRuntime / "tovira-mutex")) {
    EXPECT_EQ(e.path().extension(), ".lock");
    ++files;
  }
  EXPECT_EQ(files, 4u);
  // An unnamed mutex never exists already, and cannot be opened.
  EXPECT_NE(m.CreateMutex("", exists), 0);
  EXPECT_FALSE(exists);
  EXPECT_NE(m.CreateMutex("", exists), 0);
  EXPECT_FALSE(exists);
  EXPECT_EQ(m.OpenMutex(""), 0);
}

TEST_F(LockFileMutex, OfManyProcessesCreatingOneNameAtOnceExactlyOneIsFirst) {
  for (int round = 0; round < 10; ++round) {
    const std::string name = "Race" + std::to_string(round);
    std::vector<std::unique_ptr<TChild>> racers;
    for (int i = 0; i < 6; ++i)
      racers.push_back(std::make_unique<TChild>(std::vector<std::string>{HelperPath(), "mutex-create", name, "wait"}));
    for (auto& r : racers) r->Write("g");
    int firsts = 0, others = 0;
    for (auto& r : racers) {
      std::string said = r->ReadLine().value_or("no answer");
      firsts += said == "first";
      others += said == "exists";
    }
    EXPECT_EQ(firsts, 1) << name;
    EXPECT_EQ(others, 5) << name;
  }
}

TEST_F(LockFileMutex, RefusesALockFolderThatOthersCouldReach) {
  TTempDir elsewhere;
  const std::string folder = FRuntime / "tovira-mutex";
  // Each case makes the folder in a way that must be refused; false when this machine cannot.
  const struct {
    const char* what;
    std::function<bool()> prepare;
  } cases[] = {
      {"a link to another folder", [&] { return symlink(elsewhere.Path().c_str(), folder.c_str()) == 0; }},
      {"a folder open to all",
       [&] { return mkdir(folder.c_str(), 0700) == 0 && chmod(folder.c_str(), 0777) == 0; }},
      {"a folder of another user",
       [&] { return mkdir(folder.c_str(), 0700) == 0 && chown(folder.c_str(), geteuid() + 1, getegid()) == 0; }},
  };
  int tried = 0;
  for (const auto& c : cases) {
    std::filesystem::remove_all(folder);
    if (!c.prepare()) continue;
    ++tried;
    TLockFileMutex m;
    bool exists = true;
    EXPECT_EQ(m.CreateMutex("MutexTovira", exists), 0) << c.what;
    EXPECT_FALSE(exists) << c.what;
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.Path())) << c.what;
  }
  EXPECT_GE(tried, 2);
  std::filesystem::remove_all(folder);
}

TEST_F(LockFileMutex, WithoutRuntimeFolderUsesAPrivateFolderInTmp) {
  unsetenv("XDG_RUNTIME_DIR");
  const std::string expected = "/tmp/tovira-mutex-" + std::to_string(geteuid());
  EXPECT_EQ(TLockFileMutex::LockFolder(), expected);
  struct stat st {};
  ASSERT_EQ(lstat(expected.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, geteuid());
}
