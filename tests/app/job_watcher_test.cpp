#include "app/JobWatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "res/Strings.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using test::Job;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Record {
  std::int32_t best = 0, normal = 0, economic = 0;
  std::string user = {}, remark = {};
  bool operator==(const Record&) const = default;
};

class FakeHost : public IWatchHost {
 public:
  void ShowWatchResult(const std::string& sentence) override {
    calls.push_back("result");
    sentences.push_back(sentence);
  }
  bool AppendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string& user, const std::string& remark) override {
    calls.push_back("append");
    records.push_back({best, normal, economic, user, remark});
    return appendSucceeds;
  }
  void RecomputeUsage(bool animate) override {
    calls.push_back(animate ? "recompute animated" : "recompute");
  }
  void UpdateStatusDisplay() override { calls.push_back("display"); }
  void BlinkAppendFailure() override { calls.push_back("blink"); }

  bool appendSucceeds = true;
  std::vector<std::string> calls, sentences;
  std::vector<Record> records;
};

class JobWatcherTest : public ::testing::Test {
 protected:
  JobWatcherTest() { options.printer = "Kancelar"; }

  // Queues the answers of the next passes (the last one repeats).
  void Script(std::initializer_list<std::optional<std::vector<JobSnapshot>>> answers) {
    jobs.script.assign(answers.begin(), answers.end());
  }
  // One tick, then as many pauses as it takes for the watch to end.
  void Watch() {
    watcher.Tick();
    for (int i = 0; i < 50 && watcher.busy(); ++i)
      timers.Advance(JobWatcher::kPauseMs);
    ASSERT_FALSE(watcher.busy());
  }

  Options options;
  test::FakeJobSource jobs;
  test::FakeMessages messages;
  test::FakeProfile profile;
  test::FakeTimers timers;
  test::FakeClock clock;
  FakeHost host;
  JobWatcher watcher{options, jobs, messages, profile, timers, clock, host};
};

TEST_F(JobWatcherTest, EmptyQueueEndsAtOnceWithoutAnything) {
  watcher.Tick();
  EXPECT_FALSE(watcher.busy());
  EXPECT_EQ(timers.count(), 0u);
  EXPECT_THAT(host.calls, IsEmpty());
  EXPECT_EQ(jobs.printers, std::vector<std::string>{"Kancelar"});
}

TEST_F(JobWatcherTest, FollowsGrowingCountsWithTwoSecondPauses) {
  Script({std::vector{Job(7, 0, 0)}, std::vector{Job(7, 0, 2)}, std::vector{Job(7, 3, 2)},
          std::vector{Job(7, 3, 3)}});
  watcher.Tick();
  timers.Advance(JobWatcher::kPauseMs - 1);
  EXPECT_EQ(jobs.printers.size(), 1u);
  timers.Advance(1);
  EXPECT_EQ(jobs.printers.size(), 2u);
  timers.Advance(3 * JobWatcher::kPauseMs);
  // 0 -> 2 -> 3 are changes; the unchanged fourth pass ends the watch.
  EXPECT_EQ(jobs.printers.size(), 4u);
  EXPECT_FALSE(watcher.busy());
  EXPECT_THAT(host.records, ElementsAre(Record{3, 0, 0, "eva", "doc"}));
  EXPECT_EQ(watcher.lastJobId(), 7u);
}

TEST_F(JobWatcherTest, PageCountIsTheLargerOfTotalAndPrinted) {
  Script({std::vector{Job(1, 5, 7, -4), Job(2, 7, 5, -3)}});
  Watch();
  EXPECT_THAT(host.records, ElementsAre(Record{7, 7, 0, "eva", "doc"}));
}

TEST_F(JobWatcherTest, JobLeavingTheQueueKeepsItsLastCount) {
  // A smaller count later does not lower the count either.
  Script({std::vector{Job(3, 4, 4), Job(4, 1, 0, -1)}, std::vector{Job(4, 2, 1, -1)},
          std::vector{Job(4, 1, 1, -1)}});
  Watch();
  EXPECT_THAT(host.records, ElementsAre(Record{4, 0, 2, "eva", "doc"}));
}

TEST_F(JobWatcherTest, OneRecordWithUserAndDocumentOfTheLastNewJobListed) {
  options.popStatus = 0;
  Script({std::vector{Job(10, 2, 0, 600, "ana", "a.pdf"), Job(11, 1, 0, 400, "bob", "b.pdf")},
          std::vector{Job(11, 1, 1, 400, "bob", "b.pdf"), Job(10, 2, 2, 600, "ana", "a.pdf")}});
  Watch();
  EXPECT_THAT(host.records, ElementsAre(Record{2, 1, 0, "ana", "a.pdf"}));
  EXPECT_THAT(host.calls, ElementsAre("result", "append", "recompute animated", "display"));
  EXPECT_EQ(host.sentences[0],
            Format(LoadStr(ids::kPrinted).c_str(), "Kancelar", 3, "6.12.2026", "10:20:30"));
  EXPECT_EQ(watcher.lastJobId(), 11u);

  // Still queued at or below the mark: ignored, and it lends no user to a new job's record.
  Script({std::vector{Job(12, 1, 1, -4, "cyril", "c.pdf"), Job(11, 9, 9, 400, "bob", "b.pdf")}});
  Watch();
  EXPECT_THAT(host.records.back(), (Record{1, 0, 0, "cyril", "c.pdf"}));
}

TEST_F(JobWatcherTest, SpoolerFailureDropsTheWatchAndKeepsTheMark) {
  Script({std::vector{Job(5, 2, 2)}, std::nullopt, std::vector{Job(5, 2, 2)}});
  watcher.Tick();
  timers.Advance(JobWatcher::kPauseMs);
  EXPECT_FALSE(watcher.busy());
  EXPECT_THAT(host.calls, IsEmpty());
  EXPECT_EQ(watcher.lastJobId(), 0u);
  // The next tick counts the job that is still queued.
  Watch();
  EXPECT_THAT(host.records, ElementsAre(Record{2, 0, 0, "eva", "doc"}));
}

TEST_F(JobWatcherTest, PauseTimerThatCannotStartEndsTheWatchUncounted) {
  timers.failStart = true;
  Script({std::vector{Job(5, 2, 2)}});
  watcher.Tick();
  EXPECT_FALSE(watcher.busy());
  EXPECT_THAT(host.calls, IsEmpty());
  EXPECT_EQ(watcher.lastJobId(), 0u);
}

TEST_F(JobWatcherTest, ImplausibleTotalsAreQuestioned) {
  struct Case {
    std::uint32_t pages;
    bool yes;
    std::size_t questions, records;
  };
  for (const Case c : {Case{1000, false, 0, 1}, Case{1001, true, 1, 1}, Case{1001, false, 1, 0}}) {
    SCOPED_TRACE(c.pages);
    messages.questions.clear();
    host.records.clear();
    messages.answerYes = c.yes;
    const std::uint32_t id = watcher.lastJobId() + 1;
    Script({std::vector{Job(id, c.pages, 0, -3)}});
    Watch();
    EXPECT_EQ(messages.questions.size(), c.questions);
    EXPECT_EQ(host.records.size(), c.records);
    // Answered or not, the job is accounted for and not counted again.
    EXPECT_EQ(watcher.lastJobId(), id);
    Watch();
    EXPECT_EQ(messages.questions.size(), c.questions);
    EXPECT_EQ(host.records.size(), c.records);
  }
  EXPECT_EQ(messages.questions[0], Format(LoadStr(ids::kImplausiblePages).c_str(), 1001));
}

TEST_F(JobWatcherTest, QualityTable) {
  const std::pair<std::int16_t, int> table[] = {
      {600, 0}, {501, 0}, {500, 1}, {301, 1}, {300, 2},   {0, 2},     {-1, 2},
      {-2, 2},  {-3, 1},  {-4, 0},  {-5, 2},  {32767, 0}, {-32768, 2}};
  for (const auto& [quality, expected] : table)
    EXPECT_EQ(JobWatcher::QualityClass(quality), expected) << quality;
}

TEST_F(JobWatcherTest, FixedQualityWhenDetectionIsOff) {
  options.autoQuality = 0;
  for (const auto& [fixed, expected] : {std::pair{0, Record{3, 0, 0}},
                                        {1, Record{0, 3, 0}},
                                        {2, Record{0, 0, 3}},
                                        {7, Record{0, 0, 3}},
                                        {-1, Record{0, 0, 3}}}) {
    SCOPED_TRACE(fixed);
    options.quality = fixed;
    host.records.clear();
    const std::uint32_t id = watcher.lastJobId() + 1;
    // The job's own setting and a missing one are both overruled.
    Script({std::vector{Job(id, 1, 1, -4, "", ""), Job(id + 1, 2, 2, std::nullopt, "", "")}});
    Watch();
    ASSERT_EQ(host.records.size(), 1u);
    EXPECT_EQ(host.records[0], expected);
  }
  EXPECT_THAT(messages.errors, IsEmpty());
}

TEST_F(JobWatcherTest, JobsWithoutPrintSettingsSwitchDetectionOffOnce) {
  options.quality = 2;
  Script({std::vector{Job(1, 1, 1, std::nullopt), Job(2, 2, 2, -4), Job(3, 4, 4, std::nullopt)}});
  Watch();
  EXPECT_EQ(messages.errors, std::vector<std::string>{LoadStr(ids::kNoQuality)});
  EXPECT_EQ(options.autoQuality, 0);
  EXPECT_EQ(profile.values["AutoQuality"], "0");
  EXPECT_EQ(profile.writes, std::vector<std::string>{"AutoQuality"});
  // Jobs after the first one without settings take the fixed class as well.
  EXPECT_THAT(host.records, ElementsAre(Record{0, 0, 7, "eva", "doc"}));
}

TEST_F(JobWatcherTest, TicksDuringAWatchAreIgnored) {
  Script({std::vector{Job(1, 1, 0)}, std::vector{Job(1, 1, 1)}});
  watcher.Tick();
  watcher.Tick();
  timers.Advance(JobWatcher::kPauseMs / 2);
  watcher.Tick();
  EXPECT_EQ(jobs.printers.size(), 1u);
  timers.Advance(JobWatcher::kPauseMs);
  EXPECT_EQ(jobs.printers.size(), 2u);
  EXPECT_EQ(host.records.size(), 1u);
}

TEST_F(JobWatcherTest, TicksFromInsideTheWatchMessageBoxesAreIgnored) {
  // Modal boxes keep the event loop, and so the monitoring timer, running.
  int ticksInside = 0;
  messages.onAsk = [&] {
    ++ticksInside;
    watcher.Tick();
  };
  messages.answerYes = true;
  Script({std::vector{Job(1, 1500, 0, std::nullopt)}});
  watcher.Tick();
  timers.Advance(JobWatcher::kPauseMs);
  EXPECT_EQ(ticksInside, 1);
  EXPECT_EQ(jobs.printers.size(), 2u);
  EXPECT_EQ(host.records.size(), 1u);
  EXPECT_FALSE(watcher.busy());
}

TEST_F(JobWatcherTest, PopStatusDecidesTheAnimation) {
  options.popStatus = 1;
  Script({std::vector{Job(1, 1, 1)}});
  Watch();
  EXPECT_THAT(host.calls, ElementsAre("result", "append", "recompute", "display"));
}

TEST_F(JobWatcherTest, FailedAppendBlinksAndKeepsTheJobsAccountedFor) {
  host.appendSucceeds = false;
  Script({std::vector{Job(9, 2, 2)}});
  Watch();
  EXPECT_THAT(host.calls, ElementsAre("result", "append", "blink"));
  EXPECT_EQ(watcher.lastJobId(), 9u);
  Watch();
  EXPECT_EQ(host.records.size(), 1u);
}

TEST_F(JobWatcherTest, DestroyingTheWatcherStopsItsPause) {
  Script({std::vector{Job(1, 1, 0)}});
  {
    JobWatcher other{options, jobs, messages, profile, timers, clock, host};
    other.Tick();
    EXPECT_EQ(timers.count(), 1u);
  }
  EXPECT_EQ(timers.count(), 0u);
}

}  // namespace
}  // namespace pw
