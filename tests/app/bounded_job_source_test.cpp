// A look at the queue on the thread of the windows never waits long for a spooler that hangs.

#include "app/BoundedJobSource.h"
#include "app/SpoolerPorts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace pw {
namespace {

using namespace std::chrono_literals;

// Answers after the given delay with one job whose id counts the answers.
class SlowSource : public IJobSource {
 public:
  std::optional<std::vector<JobSnapshot>> listJobs(const std::string& printer) override {
    std::this_thread::sleep_for(delay.load());
    JobSnapshot job;
    job.id = ++answers;
    job.document = printer;
    return std::vector<JobSnapshot>{job};
  }
  void startFresh(const std::string& printer) override {
    fresh = printer + "@" + std::to_string(answers);
  }
  std::string fresh;  // the printer and the answers given before it started afresh
  std::atomic<std::chrono::milliseconds> delay{0ms};
  std::atomic<std::uint32_t> answers{0};
};

std::chrono::milliseconds took(const std::function<void()>& call) {
  const auto start = std::chrono::steady_clock::now();
  call();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start);
}

TEST(BoundedJobSource, GivesUpOnAHungSpoolerAndUsesItsLateAnswer) {
  auto owned = std::make_unique<SlowSource>();
  SlowSource& slow = *owned;
  BoundedJobSource source(std::move(owned), 200ms);
  auto jobs = source.listJobs("desk");
  ASSERT_TRUE(jobs);
  EXPECT_EQ(jobs->at(0).id, 1u);

  slow.delay = 600ms;
  EXPECT_LE(took([&] { EXPECT_FALSE(source.listJobs("desk")); }), 400ms);
  // While the spooler still owes the answer, looks fail at once instead of piling up.
  EXPECT_LE(took([&] { EXPECT_FALSE(source.listJobs("desk")); }), 50ms);
  EXPECT_TRUE(source.answerOnItsWay());
  std::this_thread::sleep_for(600ms);
  EXPECT_FALSE(source.answerOnItsWay());
  // The late answer is the next look's, for the same printer only.
  slow.delay = 0ms;
  jobs = source.listJobs("desk");
  ASSERT_TRUE(jobs);
  EXPECT_EQ(jobs->at(0).id, 2u);
  EXPECT_EQ(slow.answers, 2u);

  slow.delay = 300ms;
  EXPECT_FALSE(source.listJobs("desk"));
  std::this_thread::sleep_for(300ms);
  slow.delay = 0ms;
  jobs = source.listJobs("office");
  ASSERT_TRUE(jobs);
  EXPECT_EQ(jobs->at(0).document, "office");

  // A fresh start drops a late answer from before it and reaches the source before its next
  // question, on the same worker.
  slow.delay = 300ms;
  EXPECT_FALSE(source.listJobs("office"));
  std::this_thread::sleep_for(300ms);
  source.startFresh("office");
  slow.delay = 0ms;
  jobs = source.listJobs("office");
  ASSERT_TRUE(jobs);
  EXPECT_EQ(jobs->at(0).id, 6u);
  EXPECT_EQ(slow.fresh, "office@5");
}

}  // namespace
}  // namespace pw
