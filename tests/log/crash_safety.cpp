// Crash safety of the rewrite: a child process appends records in a loop and is killed at random
// moments. After every kill the data file must read back whole and hold every record whose
// append had reported success.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "log/DataFile.h"
#include "support/DataFileBuilder.h"
#include "support/Fakes.h"

namespace pw {
namespace {

// Runs the child from record `first` on, kills it after `delayUs` and returns the index of the
// last append it reported, -1 for none. A report cut short by the kill does not count.
long runAndKill(const std::string& folder, long first, int delayUs) {
  const std::string reports = folder + "/reports", start = std::to_string(first);
  const int out = open(reports.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out, STDOUT_FILENO);
    execl(PW_CRASH_CHILD, PW_CRASH_CHILD, folder.c_str(), start.c_str(), nullptr);
    _exit(127);
  }
  close(out);
  // The delay runs from the child's first append, so that a loaded machine, slow to start the
  // child, still gets its kills in the middle of the work.
  for (int i = 0; i < 500 && std::filesystem::file_size(reports) == 0; ++i)
    usleep(10000);
  usleep(delayUs);
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;
  long last = -1;
  std::ifstream in(reports);
  for (std::string line; std::getline(in, line) && !in.eof();)
    last = std::stol(line);
  return last;
}

TEST(CrashSafety, KilledAppendsLeaveAWholeFileWithEveryReportedRecord) {
  char folder[] = "/tmp/pw_crash_XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const DataFilePaths paths = DataFilePaths::inFolder(folder);
  test::DataFileBuilder().writeTo(paths.data);
  std::mt19937 random(12345);
  long records = 0;
  int killedMidway = 0;
  for (int round = 0; round < 60; ++round) {
    const long reported =
        runAndKill(folder, records, std::uniform_int_distribution(0, 20000)(random));
    killedMidway += reported >= 0;
    test::FakeMessages messages;
    LoadedLog log;
    ASSERT_TRUE(DataFile(paths, messages).loadPrintLog("", log));
    // Every reported record is there, whole and in order; beyond them at most the one append
    // that the kill interrupted after its replacement.
    const long rows = static_cast<long>(log.rows.size());
    ASSERT_GE(rows, reported + 1);
    ASSERT_LE(rows, std::max(reported, records - 1) + 2);
    for (long i = 0; i < rows; ++i)
      ASSERT_EQ(log.rows[i].best + log.rows[i].remark, std::to_string(i) + "record") << round;
    records = rows;
    // A killed rewrite may leave its temporary file; the data file itself ends with the trailer.
    std::ifstream in(paths.data);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    ASSERT_TRUE(records == 0 || text.ends_with("\n-->\n")) << text;
  }
  EXPECT_GT(killedMidway, 5);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace pw
