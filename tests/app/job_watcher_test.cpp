#include "app/JobWatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/SpoolerPorts.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using test::Job;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using Jobs = std::vector<JobSnapshot>;

class FakeHost : public IWatchHost {
 public:
  void ShowWatchResult(const std::string& sentence) override { calls.push_back(sentence); }
  bool AppendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string& user, const std::string& remark) override {
    calls.push_back("append");
    records.push_back(
        Format("%d %d %d %s %s", best, normal, economic, user.c_str(), remark.c_str()));
    return appendSucceeds;
  }
  void RecomputeUsage(bool animate) override {
    calls.push_back(animate ? "usage animated" : "usage");
  }
  void UpdateStatusDisplay() override { calls.push_back("display"); }
  void BlinkAppendFailure() override { calls.push_back("blink"); }

  bool appendSucceeds = true;
  std::vector<std::string> calls, records;  // records as "best normal economic user remark"
};

class JobWatcherTest : public ::testing::Test {
 protected:
  JobWatcherTest() { options.printer = "Kancelar"; }

  // The answers of the next looks at the queue (the last one repeats).
  void Script(std::initializer_list<std::optional<Jobs>> answers) {
    jobs.script.assign(answers.begin(), answers.end());
  }
  // One tick, then as many pauses as it takes for the watch to end.
  void Watch() {
    watcher.Tick();
    for (int i = 0; i < 50 && watcher.busy(); ++i)
      timers.Advance(JobWatcher::kPauseMs);
    ASSERT_FALSE(watcher.busy());
  }
  std::size_t looks() const { return jobs.printers.size(); }

  Options options;
  test::FakeJobSource jobs;
  test::FakeMessages messages;
  test::FakeProfile profile;
  test::FakeTimers timers;
  test::FakeClock clock;
  FakeHost host;
  JobWatcher watcher{options, jobs, messages, profile, timers, clock, host};
};

TEST_F(JobWatcherTest, FollowsTheQueueWithTwoSecondPausesUntilItStopsChanging) {
  watcher.Tick();  // an empty queue ends the watch at once
  EXPECT_FALSE(watcher.busy());
  EXPECT_EQ(timers.count(), 0u);
  EXPECT_EQ(jobs.printers, std::vector<std::string>{"Kancelar"});

  // Job 8 leaves the queue and keeps its last count; job 7 grows 0 -> 2 (pages printed) -> 3
  // (total), and its smaller count at the fourth look is no change and ends the watch.
  Script({Jobs{Job(7, 0, 0), Job(8, 5, 7, -1)}, Jobs{Job(7, 0, 2)}, Jobs{Job(7, 3, 2)},
          Jobs{Job(7, 1, 1)}});
  watcher.Tick();
  timers.Advance(JobWatcher::kPauseMs - 1);
  EXPECT_EQ(looks(), 2u);
  timers.Advance(1);
  EXPECT_EQ(looks(), 3u);
  timers.Advance(3 * JobWatcher::kPauseMs);
  EXPECT_EQ(looks(), 5u);
  EXPECT_FALSE(watcher.busy());
  EXPECT_THAT(host.records, ElementsAre("3 0 7 eva doc"));
  EXPECT_EQ(watcher.lastJobId(), 8u);
}

TEST_F(JobWatcherTest, OneRecordPerWatchWithUserAndDocumentOfTheLastNewJobListed) {
  options.popStatus = false;
  // The user is neither the first one seen nor that of the highest job id.
  Script({Jobs{Job(11, 1, 0, 400, "bob", "b.pdf"), Job(10, 2, 0, 600, "ana", "a.pdf")},
          Jobs{Job(11, 1, 1, 400, "bob", "b.pdf"), Job(10, 2, 2, 600, "ana", "a.pdf")}});
  Watch();
  EXPECT_THAT(host.records, ElementsAre("2 1 0 ana a.pdf"));
  EXPECT_THAT(host.calls, ElementsAre("Tiskárna Kancelar vytiskla 3 stran.\n(6.12.2026 10:20:30)",
                                      "append", "usage animated", "display"));
  EXPECT_EQ(watcher.lastJobId(), 11u);

  // Still queued at or below the mark: ignored, and it lends no user to a new job's record.
  options.popStatus = true;
  host.calls.clear();
  Script({Jobs{Job(12, 1, 1, -4, "cyril", "c.pdf"), Job(11, 9, 9, 400, "bob", "b.pdf")}});
  Watch();
  EXPECT_EQ(host.records.back(), "1 0 0 cyril c.pdf");
  EXPECT_THAT(host.calls, ElementsAre(testing::_, "append", "usage", "display"));

  // A record that cannot be written blinks, and its jobs stay accounted for.
  host.appendSucceeds = false;
  host.calls.clear();
  Script({Jobs{Job(13, 2, 2)}});
  Watch();
  Watch();
  EXPECT_THAT(host.calls, ElementsAre(testing::_, "append", "blink"));
}

TEST_F(JobWatcherTest, AWatchThatCannotFinishRecordsNothingAndKeepsTheMark) {
  timers.failStart = true;  // the pause cannot start
  Script({Jobs{Job(5, 2, 2)}});
  watcher.Tick();
  EXPECT_FALSE(watcher.busy());
  timers.failStart = false;
  Script({Jobs{Job(5, 2, 2)}, std::nullopt, Jobs{Job(5, 2, 2)}});  // the second look fails
  watcher.Tick();
  timers.Advance(JobWatcher::kPauseMs);
  EXPECT_FALSE(watcher.busy());
  EXPECT_THAT(host.calls, IsEmpty());
  EXPECT_EQ(watcher.lastJobId(), 0u);
  // The next tick counts the job that is still queued.
  Watch();
  EXPECT_THAT(host.records, ElementsAre("2 0 0 eva doc"));
}

TEST_F(JobWatcherTest, ImplausibleTotalsAreQuestioned) {
  // pages, answer, then questions asked and records made so far
  for (const auto& [pages, yes, questions, records] :
       {std::tuple{1000u, false, 0u, 1u}, {1001u, true, 1u, 2u}, {1001u, false, 2u, 2u}}) {
    SCOPED_TRACE(pages);
    messages.answerYes = yes;
    const std::uint32_t id = watcher.lastJobId() + 1;
    Script({Jobs{Job(id, pages, 0, -3)}});
    Watch();
    // Answered or not, the job is accounted for and not counted again.
    EXPECT_EQ(watcher.lastJobId(), id);
    Watch();
    EXPECT_EQ(messages.questions.size(), questions);
    EXPECT_EQ(host.records.size(), records);
  }
  EXPECT_THAT(messages.questions.back(),
              StartsWith("Program zjistil, že počet vytištěných stran je 1001 což se zdá jako"));
}

TEST(JobWatcherQualityTest, QualityTable) {
  const QualityClass b = QualityClass::Best, n = QualityClass::Normal, e = QualityClass::Economic;
  const std::pair<std::int16_t, QualityClass> table[] = {
      {600, b}, {501, b}, {500, n}, {301, n}, {300, e},   {0, e},     {-1, e},
      {-2, e},  {-3, n},  {-4, b},  {-5, e},  {32767, b}, {-32768, e}};
  for (const auto& [quality, expected] : table)
    EXPECT_EQ(ClassOfQuality(quality), expected) << quality;
}

TEST_F(JobWatcherTest, JobsWithoutPrintSettingsSwitchDetectionOffOnceForTheFixedClass) {
  options.quality = 2;
  Script({Jobs{Job(1, 1, 1, std::nullopt), Job(2, 2, 2, -4), Job(3, 4, 4, std::nullopt)}});
  Watch();
  EXPECT_FALSE(options.autoQuality);
  EXPECT_EQ(profile.values["AutoQuality"], "0");
  EXPECT_EQ(profile.writes, std::vector<std::string>{"AutoQuality"});
  // Jobs after the first one without settings take the fixed class as well.
  EXPECT_THAT(host.records, ElementsAre("0 0 7 eva doc"));

  // With detection off, the job's own setting and a missing one are both overruled.
  const std::pair<int, std::string> table[] = {
      {0, "3 0 0"}, {1, "0 3 0"}, {2, "0 0 3"}, {7, "0 0 3"}, {-1, "0 0 3"}};
  for (const auto& [fixed, expected] : table) {
    SCOPED_TRACE(fixed);
    options.quality = fixed;
    host.records.clear();
    const std::uint32_t id = watcher.lastJobId() + 1;
    Script({Jobs{Job(id, 1, 1, -4), Job(id + 1, 2, 2, std::nullopt)}});
    Watch();
    EXPECT_THAT(host.records, ElementsAre(expected + " eva doc"));
  }
  EXPECT_THAT(messages.errors,
              ElementsAre(StartsWith("Chyba: Program není schopen automaticky zjistit kvalitu")));
}

TEST_F(JobWatcherTest, TicksDuringAWatchAreIgnoredAlsoFromInsideItsQuestion) {
  // Modal boxes keep the event loop, and so the monitoring timer, running.
  int ticksInside = 0;
  messages.onAsk = [&] {
    ++ticksInside;
    watcher.Tick();
  };
  messages.answerYes = true;
  Script({Jobs{Job(1, 1, 0)}, Jobs{Job(1, 1500, 0)}});
  watcher.Tick();
  timers.Advance(JobWatcher::kPauseMs / 2);
  watcher.Tick();
  EXPECT_EQ(looks(), 1u);
  timers.Advance(2 * JobWatcher::kPauseMs);
  EXPECT_EQ(ticksInside, 1);
  EXPECT_EQ(looks(), 3u);
  EXPECT_THAT(host.records, ElementsAre("1500 0 0 eva doc"));
  EXPECT_FALSE(watcher.busy());
}

TEST_F(JobWatcherTest, DestroyingTheWatcherStopsItsPause) {
  Script({Jobs{Job(1, 1, 0)}});
  {
    JobWatcher other{options, jobs, messages, profile, timers, clock, host};
    other.Tick();
    EXPECT_EQ(timers.count(), 1u);
  }
  EXPECT_EQ(timers.count(), 0u);
}

}  // namespace
}  // namespace pw
