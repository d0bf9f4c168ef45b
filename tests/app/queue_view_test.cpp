#include "app/QueueView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/JobWatcher.h"
#include "app/SchedulerJobSource.h"
#include "res/Strings.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using State = SpooledJob::State;

// A scheduler that numbers jobs across its printers and keeps finished ones listable: a list of
// jobs, and each request answered from it.
struct FakeScheduler : ISchedulerCalls {
  std::uint32_t add(const std::string& printer, std::uint32_t announced, std::string document,
                    State state = State::kWaiting, std::uint32_t printed = 0) {
    jobs.push_back({++lastId, ++clock, state, announced, printed, "eva", std::move(document),
                    quality, printer});
    return lastId;
  }
  SpooledJob& at(std::uint32_t id) {
    return *std::find_if(jobs.begin(), jobs.end(), [&](auto& job) { return job.id == id; });
  }
  void finish(std::uint32_t id, std::uint32_t pages, State state = State::kCompleted) {
    at(id).state = state;
    at(id).pagesPrinted = pages;
  }
  // Killed and started again: the jobs after `kept` were not saved yet, and their ids are given
  // to new jobs.
  void crash(std::uint32_t kept) {
    std::erase_if(jobs, [&](const SpooledJob& job) { return job.id > kept; });
    lastId = kept;
  }

  std::optional<std::vector<SpooledJob>> unfinished(const std::string& printer) override {
    return select(
        [&](auto& job) { return job.printer == printer && job.state == State::kWaiting; });
  }
  std::optional<std::vector<SpooledJob>> finished(const std::string& printer, std::uint32_t firstId,
                                                  bool brief) override {
    auto found = select([&](auto& job) {
      return job.printer == printer && job.state != State::kWaiting && job.id >= firstId;
    });
    for (SpooledJob& job : found)
      if (brief)  // the ids only: the jobs are no longer held in memory
        job = {job.id, 0, {}, 0, 0, {}, {}, {}, {}};
    return found;
  }
  std::optional<std::vector<SpooledJob>> job(std::uint32_t id) override {
    return select([&](auto& job) { return job.id == id; });
  }
  std::optional<std::optional<std::int16_t>> queueDefault(const std::string&) override {
    return defaultQuality;
  }

  std::optional<std::int16_t> quality = -3;  // of the jobs added next
  std::optional<std::optional<std::int16_t>> defaultQuality = std::optional<std::int16_t>(-4);

  template <typename If>
  std::vector<SpooledJob> select(If matches) {
    std::vector<SpooledJob> found;
    std::copy_if(jobs.begin(), jobs.end(), std::back_inserter(found), matches);
    return found;
  }
  std::vector<SpooledJob> jobs;
  std::uint32_t lastId = 0;
  std::int64_t clock = 1000;
};

class QueueViewTest : public ::testing::Test {
 protected:
  QueueViewTest() {
    options_.printer = "A";
    options_.popStatus = true;
  }

  // A tick of the monitoring timer and the whole watch it starts.
  void watch() {
    watcher_.tick();
    for (int i = 0; i < 50 && watcher_.busy(); ++i)
      timers_.advance(JobWatcher::kPauseMs);
    ASSERT_FALSE(watcher_.busy());
  }

  Options options_;
  std::unique_ptr<FakeScheduler> owned_ = std::make_unique<FakeScheduler>();
  FakeScheduler& scheduler_ = *owned_;
  SchedulerJobSource source_{std::move(owned_)};
  test::FakeMessages messages_;
  test::FakeProfile profile_;
  test::FakeTimers timers_;
  test::FakeClock clock_;
  test::FakeWatchHost host_;
  JobWatcher watcher_{options_, source_, messages_, profile_, timers_, clock_, host_};
};

TEST_F(QueueViewTest, JobsOvertakenWhileHeldAreCountedWhenTheyFinish) {
  const auto held = scheduler_.add("A", 0, "held");
  const auto waiting = scheduler_.add("A", 0, "waiting");
  const auto moved = scheduler_.add("A", 0, "moved");
  watch();
  scheduler_.add("A", 0, "newer", State::kCompleted, 1);
  watch();
  EXPECT_THAT(host_.records, ElementsAre("0 1 0 eva newer"));

  scheduler_.finish(held, 3);
  watch();
  // Cancelled after two pages of five: the ink of two.
  scheduler_.finish(waiting, 2, State::kStopped);
  // Printed by another printer: its ink is not ours.
  scheduler_.at(moved).printer = "B";
  scheduler_.finish(moved, 4);
  watch();
  watch();
  EXPECT_THAT(host_.records, ElementsAre("0 1 0 eva newer", "0 3 0 eva held", "0 2 0 eva waiting"));
}

TEST_F(QueueViewTest, AnnouncedPagesCountAtFirstSightAndOnlyOnce) {
  const auto job = scheduler_.add("A", 3, "announced");
  watch();
  watch();
  scheduler_.finish(job, 3);
  watch();
  watch();
  EXPECT_THAT(host_.records, ElementsAre("0 3 0 eva announced"));
  EXPECT_THAT(*source_.listJobs("A"), IsEmpty());  // shown until the watcher took it, then not
}

TEST_F(QueueViewTest, OnlyJobsOfThePrinterFinishedAfterWatchingBeganCount) {
  scheduler_.add("A", 0, "old", State::kCompleted, 4);
  const auto queued = scheduler_.add("A", 0, "queued at start");
  scheduler_.add("B", 0, "other printer", State::kCompleted, 2);
  source_.startFresh("A");
  watch();
  scheduler_.finish(queued, 1);
  watch();
  EXPECT_THAT(host_.records, ElementsAre("0 1 0 eva queued at start"));

  // Another printer chosen: what it printed before is not counted, what it prints now is.
  scheduler_.add("B", 0, "before the switch", State::kCompleted, 2);
  options_.printer = "B";
  watch();
  scheduler_.add("B", 0, "after the switch", State::kCompleted, 5);
  watch();
  // Watching off and on again: what was printed meanwhile is not counted.
  scheduler_.add("B", 0, "while off", State::kCompleted, 2);
  source_.startFresh("B");
  watch();
  EXPECT_THAT(host_.records,
              ElementsAre("0 1 0 eva queued at start", "0 5 0 eva after the switch"));
  // No printer chosen: the server-wide queue is not this program's.
  EXPECT_FALSE(source_.listJobs(""));
}

TEST_F(QueueViewTest, AJobNumberedEarlierButFinishedLaterIsStillAskedFor) {
  QueueView view;
  auto job = [](std::uint32_t id, State state, std::uint32_t pages) {
    return SpooledJob{id, id, state, 0, pages, "", "", -4, ""};
  };
  view.begin("A", {job(10, State::kCompleted, 1)});
  const auto none = [] { return std::optional<std::optional<std::int16_t>>(); };
  // Job 11 was created after the look at the unfinished jobs; 12 finished before the look at
  // the finished ones. 11 finishes after both.
  ASSERT_EQ(view.look({job(10, State::kCompleted, 1), job(12, State::kCompleted, 1)}, none)->size(),
            1u);
  EXPECT_LE(view.finishedFrom(), 11u);
  ASSERT_EQ(view.look({job(11, State::kCompleted, 2), job(12, State::kCompleted, 1)}, none)->size(),
            2u);

  // A job left held behind a long history costs one listed job besides the newest, not the
  // history.
  view.begin("A", {job(7, State::kWaiting, 0), job(499, State::kCompleted, 1),
                   job(500, State::kCompleted, 1)});
  const std::vector<SpooledJob> held = {job(7, State::kWaiting, 0), job(500, State::kCompleted, 1)};
  for (int i = 0; i < 3; ++i)
    EXPECT_THAT(*view.look(held, none), IsEmpty());
  EXPECT_EQ(view.finishedFrom(), 500u);
  EXPECT_THAT(view.missing(held), IsEmpty());
  // Gone from both lists: looked up once; gone from the spooler, forgotten.
  EXPECT_THAT(view.missing({held[1]}), ElementsAre(7u));
  view.look({held[1]}, none);
  EXPECT_THAT(view.missing({held[1]}), IsEmpty());
}

TEST_F(QueueViewTest, AFailedLookLosesNoJob) {
  source_.startFresh("A");
  scheduler_.quality.reset();
  scheduler_.add("A", 0, "no settings", State::kCompleted, 2);
  // The queue default cannot be fetched: the look fails and the job is shown by a later one.
  scheduler_.defaultQuality.reset();
  watch();
  EXPECT_THAT(host_.records, IsEmpty());
  scheduler_.defaultQuality = std::optional<std::int16_t>(-1);
  watch();
  EXPECT_THAT(host_.records, ElementsAre("0 0 2 eva no settings"));
}

TEST_F(QueueViewTest, ACrashedSchedulerThatNumbersJobsAnewLosesNoJobAndDoublesNone) {
  source_.startFresh("A");
  const auto held = scheduler_.add("A", 0, "held");
  scheduler_.add("A", 0, "lost 1", State::kCompleted, 1);
  scheduler_.add("A", 0, "lost 2", State::kCompleted, 1);
  watch();
  // The held job was saved; the two after it were not, and the next job takes the first's id,
  // below the line, finished before the look after the restart.
  scheduler_.crash(held);
  scheduler_.finish(held, 2);
  scheduler_.add("A", 0, "after", State::kCompleted, 3);
  watch();
  watch();
  // The numbering goes on from there: the next job lands where the second lost one was.
  scheduler_.add("A", 0, "next", State::kCompleted, 4);
  watch();
  watch();
  EXPECT_THAT(host_.records, ElementsAre("0 2 0 eva lost 2", "0 5 0 eva after", "0 4 0 eva next"));
}

}  // namespace
}  // namespace pw
