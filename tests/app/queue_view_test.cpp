#include "app/QueueView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/JobWatcher.h"
#include "app/SpoolerPorts.h"
#include "res/Strings.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using State = SpooledJob::State;

// A scheduler that numbers jobs across its printers and keeps finished ones listable, asked the
// way the CUPS adapter asks it: unfinished jobs, finished jobs from a line on, and lookups.
class FakeSpooler : public IJobSource {
 public:
  std::uint32_t Add(const std::string& printer, std::uint32_t announced, std::string document,
                    State state = State::kWaiting, std::uint32_t printed = 0) {
    SpooledJob job;
    job.id = ++lastId_;
    job.state = state;
    job.totalPages = announced;
    job.pagesPrinted = printed;
    job.user = "eva";
    job.document = std::move(document);
    job.quality = quality;
    jobs_.push_back({printer, job});
    return job.id;
  }
  // Prints the job to its end (all its pages, or `pages` when it announced none).
  void Finish(std::uint32_t id, std::uint32_t pages, State state = State::kCompleted) {
    SpooledJob& job = Find(id);
    job.state = state;
    job.pagesPrinted = pages;
  }
  void Purge(std::uint32_t id) {
    jobs_.erase(std::find_if(jobs_.begin(), jobs_.end(), [&](auto& e) { return e.job.id == id; }));
  }

  std::optional<std::vector<JobSnapshot>> ListJobs(const std::string& printer) override {
    if (!view.BegunFor(printer))
      StartFresh(printer);
    std::vector<SpooledJob> reported;
    for (const auto& [queue, job] : jobs_)
      if (queue == printer && (job.state == State::kWaiting || job.id >= view.FinishedFrom()))
        reported.push_back(job);
    for (const std::uint32_t id : view.Missing(reported))
      if (std::any_of(jobs_.begin(), jobs_.end(), [&](auto& e) { return e.job.id == id; }))
        reported.push_back(Find(id));
    ++looks;
    auto answer = view.Look(reported, [this] { return queueDefault; });
    if (!answer)
      view.LookFailed();
    return answer;
  }
  void StartFresh(const std::string& printer) override {
    std::vector<std::uint32_t> waiting;
    for (const auto& [queue, job] : jobs_)
      if (queue == printer && job.state == State::kWaiting)
        waiting.push_back(job.id);
    view.Begin(printer, lastId_, waiting);
  }

  QueueView view;
  std::optional<std::int16_t> quality = -3;  // of the jobs added next
  std::optional<std::optional<std::int16_t>> queueDefault = std::optional<std::int16_t>(-4);
  int looks = 0;

 private:
  struct Entry {
    std::string printer;
    SpooledJob job;
  };
  SpooledJob& Find(std::uint32_t id) {
    return std::find_if(jobs_.begin(), jobs_.end(), [&](auto& e) { return e.job.id == id; })->job;
  }
  std::vector<Entry> jobs_;
  std::uint32_t lastId_ = 0;
};

class QueueViewTest : public ::testing::Test, public IWatchHost {
 protected:
  QueueViewTest() {
    options.printer = "A";
    options.popStatus = true;
  }

  // A tick of the monitoring timer and the whole watch it starts.
  void Watch() {
    watcher.Tick();
    for (int i = 0; i < 50 && watcher.busy(); ++i)
      timers.Advance(JobWatcher::kPauseMs);
    ASSERT_FALSE(watcher.busy());
  }

  void ShowWatchResult(const std::string&) override {}
  bool AppendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string&, const std::string& remark) override {
    records.push_back(Format("%d %d %d %s", best, normal, economic, remark.c_str()));
    return true;
  }
  void RecomputeUsage(bool) override {}
  void UpdateStatusDisplay() override {}
  void BlinkAppendFailure() override {}

  Options options;
  FakeSpooler spooler;
  test::FakeMessages messages;
  test::FakeProfile profile;
  test::FakeTimers timers;
  test::FakeClock clock;
  JobWatcher watcher{options, spooler, messages, profile, timers, clock, *this};
  std::vector<std::string> records;  // "best normal economic remark"
};

TEST_F(QueueViewTest, JobsOvertakenWhileHeldAreCountedWhenTheyFinish) {
  const auto held = spooler.Add("A", 0, "held");
  const auto waiting = spooler.Add("A", 0, "waiting");
  Watch();
  spooler.Add("A", 0, "newer", State::kCompleted, 1);
  Watch();
  EXPECT_THAT(records, ElementsAre("0 1 0 newer"));

  spooler.Finish(held, 3);
  Watch();
  // Cancelled after two pages of five: the ink of two.
  spooler.Finish(waiting, 2, State::kStopped);
  Watch();
  Watch();
  EXPECT_THAT(records, ElementsAre("0 1 0 newer", "0 3 0 held", "0 2 0 waiting"));
}

TEST_F(QueueViewTest, AnnouncedPagesCountAtFirstSightAndOnlyOnce) {
  const auto job = spooler.Add("A", 3, "announced");
  Watch();
  Watch();
  spooler.Finish(job, 3);
  Watch();
  Watch();
  EXPECT_THAT(records, ElementsAre("0 3 0 announced"));
  EXPECT_THAT(*spooler.ListJobs("A"), IsEmpty());  // shown until the watcher took it, then not
}

TEST_F(QueueViewTest, OnlyJobsOfThePrinterFinishedAfterWatchingBeganCount) {
  spooler.Add("A", 0, "old", State::kCompleted, 4);
  const auto queued = spooler.Add("A", 0, "queued at start");
  spooler.Add("B", 0, "other printer", State::kCompleted, 2);
  spooler.StartFresh("A");
  Watch();
  spooler.Finish(queued, 1);
  Watch();
  EXPECT_THAT(records, ElementsAre("0 1 0 queued at start"));

  // Another printer chosen: what it printed before is not counted, what it prints now is.
  spooler.Add("B", 0, "before the switch", State::kCompleted, 2);
  options.printer = "B";
  Watch();
  spooler.Add("B", 0, "after the switch", State::kCompleted, 5);
  Watch();
  // Watching off and on again: what was printed meanwhile is not counted.
  spooler.Add("B", 0, "while off", State::kCompleted, 2);
  spooler.StartFresh("B");
  Watch();
  EXPECT_THAT(records, ElementsAre("0 1 0 queued at start", "0 5 0 after the switch"));
}

TEST_F(QueueViewTest, AJobNumberedEarlierButFinishedLaterIsStillAskedFor) {
  QueueView view;
  view.Begin("A", 10, {});
  auto job = [](std::uint32_t id, State state, std::uint32_t pages) {
    SpooledJob j;
    j.id = id, j.state = state, j.pagesPrinted = pages, j.quality = -4;
    return j;
  };
  const auto none = [] { return std::optional<std::optional<std::int16_t>>(); };
  // Job 11 was created after the look at the unfinished jobs; 12 finished before the look at
  // the finished ones. 11 finishes after both.
  ASSERT_EQ(view.Look({job(12, State::kCompleted, 1)}, none)->size(), 1u);
  EXPECT_LE(view.FinishedFrom(), 11u);
  ASSERT_EQ(view.Look({job(11, State::kCompleted, 2), job(12, State::kCompleted, 1)}, none)->size(),
            2u);

  // A job left held behind a long history costs one listed job, not the history.
  view.Begin("A", 500, {7});
  const std::vector<SpooledJob> held = {job(7, State::kWaiting, 0)};
  for (int i = 0; i < 3; ++i)
    EXPECT_THAT(*view.Look(held, none), IsEmpty());
  EXPECT_EQ(view.FinishedFrom(), 501u);
  EXPECT_THAT(view.Missing(held), IsEmpty());
  // Gone from both lists: looked up once; gone from the spooler, forgotten.
  EXPECT_THAT(view.Missing({}), ElementsAre(7u));
  view.Look({}, none);
  EXPECT_THAT(view.Missing({}), IsEmpty());
}

TEST_F(QueueViewTest, AFailedLookLosesNoJob) {
  spooler.StartFresh("A");
  spooler.quality.reset();
  spooler.Add("A", 0, "no settings", State::kCompleted, 2);
  // The queue default cannot be fetched: the look fails and the job is shown by a later one.
  spooler.queueDefault.reset();
  Watch();
  EXPECT_THAT(records, IsEmpty());
  spooler.queueDefault = std::optional<std::int16_t>(-1);
  Watch();
  EXPECT_THAT(records, ElementsAre("0 0 2 no settings"));
}

}  // namespace
}  // namespace pw
