#include "app/JobWatcher.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "res/Strings.h"

namespace pw {

QualityClass ClassOfQuality(std::int16_t quality) {
  switch (quality) {
    case -4:
      return QualityClass::Best;
    case -3:
      return QualityClass::Normal;
    case -2:
    case -1:
      return QualityClass::Economic;
  }
  if (quality > 500)
    return QualityClass::Best;
  if (quality > 300)
    return QualityClass::Normal;
  return QualityClass::Economic;
}

QualityClass ClassOfOption(int quality) {
  return quality == 0   ? QualityClass::Best
         : quality == 1 ? QualityClass::Normal
                        : QualityClass::Economic;
}

JobWatcher::JobWatcher(Options& options, IJobSource& jobs, IMessages& messages, IProfile& profile,
                       ITimers& timers, IClock& clock, IWatchHost& host)
    : options_(options),
      jobs_(jobs),
      messages_(messages),
      profile_(profile),
      timers_(timers),
      clock_(clock),
      host_(host) {}

JobWatcher::~JobWatcher() {
  if (pauseTimer_ != 0)
    timers_.Kill(pauseTimer_);
}

void JobWatcher::Tick() {
  // The busy flag spans the whole watch, including its pauses and message boxes: a second watch
  // started meanwhile would count the jobs under watch twice.
  if (busy_)
    return;
  busy_ = true;
  tracked_.clear();
  lastUser_.clear();
  lastDocument_.clear();
  Pass();
}

void JobWatcher::Pass() {
  const auto jobs = jobs_.ListJobs(options_.printer);
  if (!jobs && jobs_.AnswerOnItsWay()) {
    // A slow server has not failed: the same pass looks again soon, with the watch still open,
    // so what it has seen so far is not dropped for a late answer.
    pauseTimer_ = timers_.Start(kLateAnswerMs, false, [this] {
      pauseTimer_ = 0;
      Pass();
    });
    if (pauseTimer_ != 0)
      return;
  }
  if (!jobs) {
    // A spooler failure drops what this watch has seen and leaves the mark alone, so the jobs are
    // counted by a later tick.
    EndWatch();
    return;
  }
  bool changed = false;
  for (const JobSnapshot& job : *jobs) {
    if (job.id <= lastJobId_)
      continue;
    const std::uint32_t pages = std::max(job.totalPages, job.pagesPrinted);
    const auto known = std::find_if(tracked_.begin(), tracked_.end(),
                                    [&](const Tracked& t) { return t.id == job.id; });
    if (known != tracked_.end()) {
      if (known->pages < pages) {
        known->pages = pages;
        changed = true;
      }
    } else {
      tracked_.push_back(Tracked{job.id, pages, ClassOfNewJob(job)});
      changed = true;
    }
    lastDocument_ = job.document;
    lastUser_ = job.user;
  }
  if (!changed) {
    Finish();
    return;
  }
  // The pause between passes keeps the event loop running; the same watch goes on afterwards.
  pauseTimer_ = timers_.Start(kPauseMs, false, [this] {
    pauseTimer_ = 0;
    Pass();
  });
  if (pauseTimer_ == 0)
    EndWatch();
}

QualityClass JobWatcher::ClassOfNewJob(const JobSnapshot& job) {
  if (!options_.autoQuality)
    return ClassOfOption(options_.quality);
  if (!job.quality) {
    // Detection is switched off for good (in memory and in the profile) before the message box
    // opens, so the message comes once and later jobs take the fixed class.
    options_.autoQuality = false;
    profile_.WriteInt(keys::kAutoQuality, 0);
    messages_.ShowError(LoadStr(ids::kNoQuality));
    return ClassOfOption(options_.quality);
  }
  return ClassOfQuality(*job.quality);
}

void JobWatcher::Finish() {
  std::uint32_t total = 0;
  std::array<std::uint32_t, 3> pages{};  // indexed by QualityClass
  for (const Tracked& job : tracked_) {
    total += job.pages;
    pages[static_cast<std::size_t>(job.quality)] += job.pages;
    lastJobId_ = std::max(lastJobId_, job.id);
  }
  tracked_.clear();

  if (total > kPlausiblePages && !messages_.AskYesNo(FormatStr(ids::kImplausiblePages, int(total))))
    total = 0;
  if (total == 0) {
    EndWatch();
    return;
  }

  host_.ShowWatchResult(
      FormatStr(ids::kPrinted, options_.printer, int(total), clock_.DateText(), clock_.TimeText()));
  const auto count = [&](QualityClass c) {
    return static_cast<std::int32_t>(pages[static_cast<std::size_t>(c)]);
  };
  if (host_.AppendPrintRecord(count(QualityClass::Best), count(QualityClass::Normal),
                              count(QualityClass::Economic), lastUser_, lastDocument_)) {
    host_.RecomputeUsage(!options_.popStatus);
    host_.UpdateStatusDisplay();
  } else {
    host_.BlinkAppendFailure();
  }
  EndWatch();
}

void JobWatcher::EndWatch() {
  tracked_.clear();
  lastUser_.clear();
  lastDocument_.clear();
  busy_ = false;
}

}  // namespace pw
