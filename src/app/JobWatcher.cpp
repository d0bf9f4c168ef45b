#include "app/JobWatcher.h"

#include <algorithm>

#include "res/Strings.h"

namespace pw {

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

int JobWatcher::QualityClass(std::int16_t quality) {
  switch (quality) {
    case -4:
      return 0;
    case -3:
      return 1;
    case -2:
    case -1:
      return 2;
  }
  if (quality > 500)
    return 0;
  if (quality > 300)
    return 1;
  return 2;
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

int JobWatcher::ClassOfNewJob(const JobSnapshot& job) {
  if (!options_.autoQuality)
    return options_.quality;
  if (!job.quality) {
    // Detection is switched off for good (in memory and in the profile) before the message box
    // opens, so the message comes once and later jobs take the fixed class.
    options_.autoQuality = 0;
    profile_.WriteInt(keys::kAutoQuality, 0);
    messages_.ShowError(LoadStr(ids::kNoQuality));
    return options_.quality;
  }
  return QualityClass(*job.quality);
}

void JobWatcher::Finish() {
  std::uint32_t total = 0, best = 0, normal = 0, economic = 0;
  for (const Tracked& job : tracked_) {
    total += job.pages;
    if (job.quality == 0)
      best += job.pages;
    else if (job.quality == 1)
      normal += job.pages;
    else
      economic += job.pages;
    lastJobId_ = std::max(lastJobId_, job.id);
  }
  tracked_.clear();

  if (total > kPlausiblePages && !messages_.AskYesNo(FormatStr(ids::kImplausiblePages, int(total))))
    total = 0;
  if (total == 0) {
    EndWatch();
    return;
  }

  host_.ShowWatchResult(FormatStr(ids::kPrinted, options_.printer.c_str(), int(total),
                                  clock_.DateText().c_str(), clock_.TimeText().c_str()));
  if (host_.AppendPrintRecord(std::int32_t(best), std::int32_t(normal), std::int32_t(economic),
                              lastUser_, lastDocument_)) {
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
