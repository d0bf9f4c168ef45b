#include "app/JobWatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/SpoolerPorts.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using test::job;
using ::testing::ElementsAre;
using ::testing::StartsWith;
using Jobs = std::vector<JobSnapshot>;

// A look that gave nothing may be one whose answer is still on its way.
struct LateJobSource : test::FakeJobSource {
  bool answerOnItsWay() override { return late; }
  bool late = false;
};

class JobWatcherTest : public ::testing::Test {
 protected:
  JobWatcherTest() { options_.printer = "Kancelar"; }

  // The answers of the next looks at the queue (the last one repeats).
  void script(std::initializer_list<std::optional<Jobs>> answers) {
    jobs_.script.assign(answers.begin(), answers.end());
  }
  // One tick, then as many pauses as it takes for the watch to end.
  void watch() {
    watcher_.tick();
    for (int i = 0; i < 50 && watcher_.busy(); ++i)
      timers_.advance(JobWatcher::kPauseMs);
    ASSERT_FALSE(watcher_.busy());
  }
  std::size_t looks() const { return jobs_.printers.size(); }

  Options options_;
  LateJobSource jobs_;
  test::FakeMessages messages_;
  test::FakeProfile profile_;
  test::FakeTimers timers_;
  test::FakeClock clock_;
  test::FakeWatchHost host_;
  JobWatcher watcher_{options_, jobs_, messages_, profile_, timers_, clock_, host_};
};

TEST_F(JobWatcherTest, FollowsTheQueueWithTwoSecondPausesUntilItStopsChanging) {
  watcher_.tick();  // an empty queue ends the watch at once, with no pause
  EXPECT_EQ(timers_.count(), 0u);
  EXPECT_EQ(jobs_.printers, std::vector<std::string>{"Kancelar"});

  // Job 8 leaves the queue and keeps its last count; job 7 grows 0 -> 2 (pages printed) -> 3
  // (total), and its smaller count at the fourth look is no change and ends the watch.
  script({Jobs{job(7, 0, 0), job(8, 5, 7, -1)}, Jobs{job(7, 0, 2)}, Jobs{job(7, 3, 2)},
          Jobs{job(7, 1, 1)}});
  watcher_.tick();
  timers_.advance(JobWatcher::kPauseMs - 1);
  EXPECT_EQ(looks(), 2u);
  timers_.advance(1);
  EXPECT_EQ(looks(), 3u);
  timers_.advance(3 * JobWatcher::kPauseMs);
  EXPECT_EQ(looks(), 5u);
  EXPECT_FALSE(watcher_.busy());
  EXPECT_THAT(host_.records, ElementsAre("3 0 7 eva doc"));
  EXPECT_EQ(watcher_.lastJobId(), 8u);
}

TEST_F(JobWatcherTest, OneRecordPerWatchWithUserAndDocumentOfTheLastNewJobListed) {
  options_.popStatus = false;
  // The user is neither the first one seen nor that of the highest job id.
  script({Jobs{job(11, 1, 0, 400, "bob", "b.pdf"), job(10, 2, 0, 600, "ana", "a.pdf")},
          Jobs{job(11, 1, 1, 400, "bob", "b.pdf"), job(10, 2, 2, 600, "ana", "a.pdf")}});
  watch();
  EXPECT_THAT(host_.records, ElementsAre("2 1 0 ana a.pdf"));
  EXPECT_THAT(host_.calls, ElementsAre("Tiskárna Kancelar vytiskla 3 stran.\n(6.12.2026 10:20:30)",
                                       "append", "usage animated", "display"));
  EXPECT_EQ(watcher_.lastJobId(), 11u);

  // Still queued at or below the mark: ignored, and it lends no user to a new job's record.
  options_.popStatus = true;
  host_.calls.clear();
  script({Jobs{job(12, 1, 1, -4, "cyril", "c.pdf"), job(11, 9, 9, 400, "bob", "b.pdf")}});
  watch();
  EXPECT_EQ(host_.records.back(), "1 0 0 cyril c.pdf");
  EXPECT_THAT(host_.calls, ElementsAre(testing::_, "append", "usage", "display"));

  // A record that cannot be written blinks, and its jobs stay accounted for.
  host_.appendSucceeds = false;
  host_.calls.clear();
  script({Jobs{job(13, 2, 2)}});
  watch();
  watch();
  EXPECT_THAT(host_.calls, ElementsAre(testing::_, "append", "blink"));
}

TEST_F(JobWatcherTest, AWatchThatCannotFinishRecordsNothingAndKeepsTheMark) {
  timers_.failStart = true;  // the pause cannot start
  script({Jobs{job(5, 2, 2)}});
  watcher_.tick();
  EXPECT_FALSE(watcher_.busy());
  timers_.failStart = false;
  script({Jobs{job(5, 2, 2)}, std::nullopt, Jobs{job(5, 2, 2)}});  // the second look fails
  watcher_.tick();
  timers_.advance(JobWatcher::kPauseMs);
  EXPECT_FALSE(watcher_.busy());
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_EQ(watcher_.lastJobId(), 0u);
  // The next tick counts the job that is still queued.
  watch();
  EXPECT_THAT(host_.records, ElementsAre("2 0 0 eva doc"));
}

// A server slower than the windows may wait is looked at again soon, within the same watch.
TEST_F(JobWatcherTest, ALateAnswerIsWaitedForWithinTheWatch) {
  jobs_.late = true;
  script({Jobs{job(5, 1, 1)}, std::nullopt, Jobs{job(5, 3, 3)}});
  watch();
  EXPECT_EQ(looks(), 4u);
  EXPECT_THAT(host_.records, ElementsAre("3 0 0 eva doc"));
}

TEST_F(JobWatcherTest, ImplausibleTotalsAreQuestioned) {
  // pages, answer, then questions asked and records made so far
  for (const auto& [pages, yes, questions, records] :
       {std::tuple{1000u, false, 0u, 1u}, {1001u, true, 1u, 2u}, {1001u, false, 2u, 2u}}) {
    SCOPED_TRACE(pages);
    messages_.answerYes = yes;
    const std::uint32_t id = watcher_.lastJobId() + 1;
    script({Jobs{job(id, pages, 0, -3)}});
    watch();
    // Answered or not, the job is accounted for and not counted again.
    EXPECT_EQ(watcher_.lastJobId(), id);
    watch();
    EXPECT_EQ(messages_.questions.size(), questions);
    EXPECT_EQ(host_.records.size(), records);
  }
  EXPECT_THAT(messages_.questions.back(),
              StartsWith("Program zjistil, že počet vytištěných stran je 1001 což se zdá jako"));
}

TEST(JobWatcherQualityTest, QualityTable) {
  const QualityClass b = QualityClass::Best, n = QualityClass::Normal, e = QualityClass::Economic;
  const std::pair<std::int16_t, QualityClass> table[] = {
      {600, b}, {501, b}, {500, n}, {301, n}, {300, e},   {0, e},     {-1, e},
      {-2, e},  {-3, n},  {-4, b},  {-5, e},  {32767, b}, {-32768, e}};
  for (const auto& [quality, expected] : table)
    EXPECT_EQ(classOfQuality(quality), expected) << quality;
}

TEST_F(JobWatcherTest, JobsWithoutPrintSettingsSwitchDetectionOffOnceForTheFixedClass) {
  options_.quality = 2;
  script({Jobs{job(1, 1, 1, std::nullopt), job(2, 2, 2, -4), job(3, 4, 4, std::nullopt)}});
  watch();
  EXPECT_FALSE(options_.autoQuality);
  EXPECT_EQ(profile_.values["AutoQuality"], "0");
  EXPECT_EQ(profile_.writes, std::vector<std::string>{"AutoQuality"});
  // Jobs after the first one without settings take the fixed class as well.
  EXPECT_THAT(host_.records, ElementsAre("0 0 7 eva doc"));

  // With detection off, the job's own setting and a missing one are both overruled.
  const std::pair<int, std::string> table[] = {
      {0, "3 0 0"}, {1, "0 3 0"}, {2, "0 0 3"}, {7, "0 0 3"}, {-1, "0 0 3"}};
  for (const auto& [fixed, expected] : table) {
    SCOPED_TRACE(fixed);
    options_.quality = fixed;
    host_.records.clear();
    const std::uint32_t id = watcher_.lastJobId() + 1;
    script({Jobs{job(id, 1, 1, -4), job(id + 1, 2, 2, std::nullopt)}});
    watch();
    EXPECT_THAT(host_.records, ElementsAre(expected + " eva doc"));
  }
  EXPECT_THAT(messages_.errors,
              ElementsAre(StartsWith("Chyba: Program není schopen automaticky zjistit kvalitu")));
}

TEST_F(JobWatcherTest, TicksDuringAWatchAreIgnoredAlsoFromInsideItsQuestion) {
  // Modal boxes keep the event loop, and so the monitoring timer, running.
  int ticksInside = 0;
  messages_.onAsk = [&] {
    ++ticksInside;
    watcher_.tick();
  };
  messages_.answerYes = true;
  script({Jobs{job(1, 1, 0)}, Jobs{job(1, 1500, 0)}});
  watcher_.tick();
  timers_.advance(JobWatcher::kPauseMs / 2);
  watcher_.tick();
  EXPECT_EQ(looks(), 1u);
  timers_.advance(2 * JobWatcher::kPauseMs);
  EXPECT_EQ(ticksInside, 1);
  EXPECT_EQ(looks(), 3u);
  EXPECT_THAT(host_.records, ElementsAre("1500 0 0 eva doc"));
  EXPECT_FALSE(watcher_.busy());
}

TEST_F(JobWatcherTest, DestroyingTheWatcherStopsItsPause) {
  script({Jobs{job(1, 1, 0)}});
  {
    JobWatcher other{options_, jobs_, messages_, profile_, timers_, clock_, host_};
    other.tick();
    EXPECT_EQ(timers_.count(), 1u);
  }
  EXPECT_EQ(timers_.count(), 0u);
}

}  // namespace
}  // namespace pw
