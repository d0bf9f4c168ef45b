#include "app/SchedulerJobSource.h"

#include <algorithm>
#include <utility>

namespace pw {

SchedulerJobSource::SchedulerJobSource(std::unique_ptr<ISchedulerCalls> calls)
    : calls_(std::move(calls)) {}

void SchedulerJobSource::startFresh(const std::string& printer) {
  // The line is drawn now; a scheduler that does not answer yet gets it drawn at the first look
  // that reaches it.
  view_.forget();
  if (!printer.empty())
    begin(printer);
}

bool SchedulerJobSource::begin(const std::string& printer) {
  auto present = calls_->finished(printer, 1, true);
  if (!present)
    return false;
  // The brief answer leaves their state out; that they have finished is all that matters here.
  for (SpooledJob& job : *present)
    job.state = SpooledJob::State::kCompleted;
  const auto unfinished = calls_->unfinished(printer);
  if (!unfinished)
    return false;
  present->insert(present->end(), unfinished->begin(), unfinished->end());
  if (!completeCreationTimes(*present))
    return false;
  view_.begin(printer, *present);
  return true;
}

bool SchedulerJobSource::completeCreationTimes(std::vector<SpooledJob>& present) {
  // The line needs the creation time of the newest job and of the jobs created in the same
  // second; a brief answer has it only for jobs the scheduler still holds in memory (about a
  // second after they finish), so the others are looked up, newest first, until an older
  // second shows. Left at 0, the newest would not be recognised at the first look and the whole
  // history would be taken for news.
  std::sort(present.begin(), present.end(),
            [](const SpooledJob& a, const SpooledJob& b) { return a.id > b.id; });
  std::int64_t newest = -1;
  for (auto it = present.begin(); it != present.end();) {
    if (it->created == 0) {
      const auto found = calls_->job(it->id);
      if (!found)
        return false;
      if (found->empty()) {  // deleted meanwhile
        it = present.erase(it);
        continue;
      }
      it->created = found->front().created;
    }
    if (newest < 0)
      newest = it->created;
    if (it->created < newest || it->created == 0)
      break;
    ++it;
  }
  return true;
}

std::optional<std::vector<JobSnapshot>> SchedulerJobSource::listJobs(const std::string& printer) {
  auto jobs = look(printer);
  if (!jobs)
    view_.lookFailed();
  return jobs;
}

std::optional<std::vector<JobSnapshot>> SchedulerJobSource::look(const std::string& printer) {
  // No printer chosen yet is a printer that cannot be opened: the server-wide queue would count
  // the jobs of every printer.
  if (printer.empty())
    return std::nullopt;
  // Another printer (chosen in Settings) starts from a line of its own: its old jobs are not
  // this watch's.
  if (!view_.begunFor(printer) && !begin(printer))
    return std::nullopt;

  auto jobs = calls_->unfinished(printer);
  if (!jobs)
    return std::nullopt;
  const auto finished = calls_->finished(printer, view_.finishedFrom(), false);
  if (!finished)
    return std::nullopt;
  jobs->insert(jobs->end(), finished->begin(), finished->end());
  for (const std::uint32_t id : view_.missing(*jobs)) {
    const auto job = calls_->job(id);
    if (!job)
      return std::nullopt;
    // Moved to another queue: that printer's pages are not ours.
    for (const SpooledJob& found : *job)
      if (found.printer.empty() || found.printer == printer)
        jobs->push_back(found);
  }
  // Asked for once a look at most, and only when a job without print settings is shown.
  bool asked = false;
  std::optional<std::optional<std::int16_t>> fallback;
  return view_.look(std::move(*jobs), [&] {
    if (!std::exchange(asked, true))
      fallback = calls_->queueDefault(printer);
    return fallback;
  });
}

}  // namespace pw
