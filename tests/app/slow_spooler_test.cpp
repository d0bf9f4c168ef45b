// A print server slower than the windows may wait still gets its jobs counted: the watch waits
// for the late answer instead of the windows.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/BoundedJobSource.h"
#include "app/JobWatcher.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using namespace std::chrono_literals;

// Every answer takes longer than the bound: one job of 3 pages.
class SlowQueue : public IJobSource {
 public:
  std::optional<std::vector<JobSnapshot>> listJobs(const std::string&) override {
    std::this_thread::sleep_for(30ms);
    return std::vector<JobSnapshot>{JobSnapshot{5, 3, 3, "eva", "dopis", std::nullopt}};
  }
  void startFresh(const std::string&) override {}
};

class RecordingHost : public IWatchHost {
 public:
  void showWatchResult(const std::string&) override {}
  bool appendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string&, const std::string&) override {
    records.push_back(best + normal + economic);
    return true;
  }
  void recomputeUsage(bool) override {}
  void updateStatusDisplay() override {}
  void blinkAppendFailure() override {}
  std::vector<std::int32_t> records;
};

TEST(SlowSpooler, AWatchWaitsForLateAnswersAndRecordsOnce) {
  Options options;
  options.printer = "desk";
  options.autoQuality = false;
  BoundedJobSource jobs(std::make_unique<SlowQueue>(), 5ms);
  test::FakeMessages messages;
  test::FakeProfile profile;
  test::FakeTimers timers;
  test::FakeClock clock;
  RecordingHost host;
  JobWatcher watcher(options, jobs, messages, profile, timers, clock, host);
  timers.start(500, true, [&] { watcher.tick(); });
  for (int i = 0; i < 300 && host.records.empty(); ++i) {
    std::this_thread::sleep_for(5ms);
    timers.advance(JobWatcher::kLateAnswerMs);
  }
  EXPECT_EQ(host.records, std::vector<std::int32_t>{3});
  EXPECT_EQ(watcher.lastJobId(), 5u);
}

}  // namespace
}  // namespace pw
