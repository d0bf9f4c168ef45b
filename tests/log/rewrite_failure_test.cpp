// What a failed rewrite leaves behind: the writers' lock free while the user reads the message, no
// waiting for a busy lock, no partial temporary file after a full disk, and the message for a
// folder that cannot be written.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/FileOps.h"
#include "log/DataFile.h"
#include "support/DataFileBuilder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const char* const kCannotOpen = "Chyba: Nelze otevřít XML datový soubor!";
const char* const kCannotSave = "Chyba: Nelze uložit data do XML datového souboru!";
const PrintRecord kRecord{"1.2.2026", "10:00:00", "1", "2", "3", "eva", "dopis"};

// While a message box is open the event loop runs, and with it the other writers: each message
// looks whether they could take the lock at that moment.
class LockProbingMessages : public IMessages {
 public:
  explicit LockProbingMessages(std::string lockPath) : lockPath_(std::move(lockPath)) {}
  void showError(const std::string& text) override {
    errors.push_back(text);
    FileLock probe;
    lockFree.push_back(probe.acquire(lockPath_, 0ms));
  }
  bool askYesNo(const std::string&) override { return false; }
  std::vector<std::string> errors;
  std::vector<bool> lockFree;

 private:
  std::string lockPath_;
};

class RewriteFailureTest : public ::testing::Test {
 protected:
  ~RewriteFailureTest() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }
  void write(const std::string& text) { std::ofstream(paths_.data, std::ios::binary) << text; }
  std::string read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::string dir_ = [] {
    const fs::path dir = fs::temp_directory_path() /
                         ("pw_rewrite_failure_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    return dir.generic_string();
  }();
  DataFilePaths paths_ = DataFilePaths::inFolder(dir_);
  LockProbingMessages messages_{dir_ + "/Pagewarden.lock"};
  DataFile file_{paths_, messages_};
};

TEST_F(RewriteFailureTest, TheLockIsFreeWhileAFailureIsShownAndABusyLockIsNotWaitedFor) {
  // No anchor for any writer: each one fails after its rewrite, with the lock still taken.
  const std::string noLog = "<document>\n" + test::DataFileBuilder::kTrailer;
  write(noLog);
  EXPECT_EQ(file_.appendRecords({kRecord}), DataFile::Appended::Failed);
  EXPECT_FALSE(file_.saveLog({kRecord}));
  EXPECT_FALSE(file_.deleteAll());
  EXPECT_FALSE(file_.writeCartridgeCatalogue({}));
  EXPECT_EQ(messages_.errors, std::vector<std::string>(4, kCannotSave));
  EXPECT_EQ(messages_.lockFree, std::vector<bool>(4, true));
  messages_.errors.clear();

  const std::string standard = test::DataFileBuilder().entry({"HP 305", "120", "x"}).text();
  write(standard);
  FileLock other;
  ASSERT_TRUE(other.acquire(dir_ + "/Pagewarden.lock", 0ms));
  const auto started = std::chrono::steady_clock::now();
  // An append waits for a later try, without a word; a save the user asked for says it failed.
  EXPECT_EQ(file_.appendRecords({kRecord}), DataFile::Appended::Busy);
  EXPECT_TRUE(messages_.errors.empty());
  EXPECT_FALSE(file_.saveLog({kRecord}));
  EXPECT_EQ(messages_.errors, std::vector<std::string>{kCannotSave});
  EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
  EXPECT_EQ(read(paths_.data), standard);
}

#ifndef _WIN32
TEST_F(RewriteFailureTest, ADiskThatFillsUpLeavesNoPartialTemporaryFile) {
  std::vector<PrintRecord> many(2000, kRecord);
  const std::string big = test::DataFileBuilder().records(many).text();
  write(big);
  // The process may write no file beyond 64 KiB, as a disk with that much space left.
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old = {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const DataFile::Appended appended = file_.appendRecords({kRecord});
  const bool saved = file_.saveLog(many);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldSignal);

  EXPECT_EQ(appended, DataFile::Appended::Failed);
  EXPECT_FALSE(saved);
  EXPECT_EQ(messages_.errors, std::vector<std::string>(2, kCannotSave));
  EXPECT_TRUE(read(paths_.data) == big);  // not printed whole: it is long
  EXPECT_FALSE(fs::exists(paths_.temp));
}

TEST_F(RewriteFailureTest, AFolderThatCannotBeWrittenCannotOpenTheTemporaryFile) {
  write(test::DataFileBuilder().entry({"HP 305", "120", "x"}).text());
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  fs::permissions(paths_.data, fs::perms::owner_read | fs::perms::owner_write |
                                   fs::perms::group_read | fs::perms::others_read);
  // Root writes anywhere, so the writers run as nobody then.
  const bool asRoot = geteuid() == 0;
  if (asRoot && seteuid(65534) != 0)
    GTEST_SKIP() << "cannot act as another user";
  const DataFile::Appended appended = file_.appendRecords({kRecord});
  const bool deleted = file_.deleteAll();
  if (asRoot) {
    ASSERT_EQ(seteuid(0), 0);
  }
  EXPECT_EQ(appended, DataFile::Appended::Failed);
  EXPECT_FALSE(deleted);
  EXPECT_EQ(messages_.errors, std::vector<std::string>(2, kCannotOpen));
}
#endif

}  // namespace
}  // namespace pw
