#include "app/JobWatcher.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "res/Strings.h"

namespace pw {

QualityClass classOfQuality(std::int16_t quality) {
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

QualityClass classOfOption(int quality) {
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
    timers_.kill(pauseTimer_);
}

void JobWatcher::tick() {
  // The busy flag spans the whole watch, including its pauses and message boxes: a second watch
  // started meanwhile would count the jobs under watch twice.
  if (busy_)
    return;
  busy_ = true;
  tracked_.clear();
  lastUser_.clear();
  lastDocument_.clear();
  pass();
}

void JobWatcher::pass() {
  const auto jobs = jobs_.listJobs(options_.printer);
  if (!jobs && jobs_.answerOnItsWay()) {
    // A slow server has not failed: the same pass looks again soon, with the watch still open,
    // so what it has seen so far is not dropped for a late answer.
    pauseTimer_ = timers_.start(kLateAnswerMs, false, [this] {
      pauseTimer_ = 0;
      pass();
    });
    if (pauseTimer_ != 0)
      return;
  }
  if (!jobs) {
    // A spooler failure drops what this watch has seen and leaves the mark alone, so the jobs are
    // counted by a later tick.
    endWatch();
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
      tracked_.push_back(Tracked{job.id, pages, classOfNewJob(job)});
      changed = true;
    }
    lastDocument_ = job.document;
    lastUser_ = job.user;
  }
  if (!changed) {
    finish();
    return;
  }
  // The pause between passes keeps the event loop running; the same watch goes on afterwards.
  pauseTimer_ = timers_.start(kPauseMs, false, [this] {
    pauseTimer_ = 0;
    pass();
  });
  if (pauseTimer_ == 0)
    endWatch();
}

QualityClass JobWatcher::classOfNewJob(const JobSnapshot& job) {
  if (!options_.autoQuality)
    return classOfOption(options_.quality);
  if (!job.quality) {
    // Detection is switched off for good (in memory and in the profile) before the message box
    // opens, so the message comes once and later jobs take the fixed class.
    options_.autoQuality = false;
    profile_.writeInt(keys::kAutoQuality, 0);
    messages_.showError(loadStr(ids::kNoQuality));
    return classOfOption(options_.quality);
  }
  return classOfQuality(*job.quality);
}

void JobWatcher::finish() {
  std::uint32_t total = 0;
  std::array<std::uint32_t, 3> pages{};  // indexed by QualityClass
  for (const Tracked& job : tracked_) {
    total += job.pages;
    pages[static_cast<std::size_t>(job.quality)] += job.pages;
    lastJobId_ = std::max(lastJobId_, job.id);
  }
  tracked_.clear();

  if (total > kPlausiblePages && !messages_.askYesNo(formatStr(ids::kImplausiblePages, int(total))))
    total = 0;
  if (total == 0) {
    endWatch();
    return;
  }

  host_.showWatchResult(
      formatStr(ids::kPrinted, options_.printer, int(total), clock_.dateText(), clock_.timeText()));
  const auto count = [&](QualityClass c) {
    return static_cast<std::int32_t>(pages[static_cast<std::size_t>(c)]);
  };
  if (host_.appendPrintRecord(count(QualityClass::Best), count(QualityClass::Normal),
                              count(QualityClass::Economic), lastUser_, lastDocument_)) {
    host_.recomputeUsage(!options_.popStatus);
    host_.updateStatusDisplay();
  } else {
    host_.blinkAppendFailure();
  }
  endWatch();
}

void JobWatcher::endWatch() {
  tracked_.clear();
  lastUser_.clear();
  lastDocument_.clear();
  busy_ = false;
}

}  // namespace pw
