// Crash safety of the rewrite: a child process appends records in a loop and is killed at random
// moments. After every kill the data file must read back whole and hold every record whose
// append had reported success.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "log/DataFile.h"
#include "support/Fakes.h"

namespace pw {
namespace {

struct ChildRun {
  long lastReported = -1;  // the index of the last append the child reported
  int status = 0;
};

// Starts the child on the folder, kills it after `delay`, and collects what it reported.
ChildRun RunAndKill(const std::string& folder, long first, std::chrono::microseconds delay) {
  int out[2];
  EXPECT_EQ(pipe(out), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    const std::string start = std::to_string(first);
    execl(PW_CRASH_CHILD, PW_CRASH_CHILD, folder.c_str(), start.c_str(), nullptr);
    _exit(127);
  }
  close(out[1]);
  std::this_thread::sleep_for(delay);
  kill(pid, SIGKILL);
  ChildRun run;
  waitpid(pid, &run.status, 0);
  std::string reported;
  char buf[4096];
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;)
    reported.append(buf, size_t(n));
  close(out[0]);
  // The last complete line names the last success; a line cut short by the kill does not count.
  const size_t end = reported.rfind('\n');
  if (end != std::string::npos) {
    const size_t begin = reported.rfind('\n', end - 1);
    run.lastReported = std::stol(reported.substr(begin == std::string::npos ? 0 : begin + 1));
  }
  return run;
}

TEST(CrashSafety, KilledAppendsLeaveAWholeFileWithEveryReportedRecord) {
  char pattern[] = "/tmp/pw_crash_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  const DataFilePaths paths = DataFilePaths::InFolder(folder);
  std::ofstream(paths.data) << "<document>\n\t<cartridges>\n\t</cartridges>\n\t<printed>\n"
                               "\t</printed>\n</document>\n";

  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delayUs(0, 20000);
  long records = 0;
  int killedMidway = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(4);
  for (int round = 0; round < 60 && std::chrono::steady_clock::now() < deadline; ++round) {
    const ChildRun run = RunAndKill(folder, records, std::chrono::microseconds(delayUs(random)));
    ASSERT_TRUE(WIFSIGNALED(run.status)) << "the child stopped by itself: " << run.status;
    if (run.lastReported >= 0)
      ++killedMidway;

    test::FakeMessages messages;
    DataFile file(paths, messages);
    LoadedLog log;
    ASSERT_TRUE(file.LoadPrintLog("", log));
    ASSERT_TRUE(messages.errors.empty());
    // Every record whose append reported success is there, the records are whole and in order,
    // and at most the one append that the kill interrupted after its replacement is extra.
    ASSERT_GE(static_cast<long>(log.rows.size()), run.lastReported + 1);
    ASSERT_LE(static_cast<long>(log.rows.size()), std::max(run.lastReported, records - 1) + 2);
    for (size_t i = 0; i < log.rows.size(); ++i) {
      ASSERT_EQ(log.rows[i].best, std::to_string(i)) << "round " << round;
      ASSERT_EQ(log.rows[i].remark, "record");
    }
    records = static_cast<long>(log.rows.size());
    // A killed rewrite may leave its temporary file; the data file itself ends with the trailer.
    std::ifstream in(paths.data);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(records == 0 || text.ends_with("\n-->\n"))
        << text.substr(text.size() > 200 ? text.size() - 200 : 0);
  }
  EXPECT_GT(records, 0);
  EXPECT_GT(killedMidway, 5);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace pw
