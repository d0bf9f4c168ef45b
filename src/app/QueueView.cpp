#include "app/QueueView.h"

#include <algorithm>

namespace pw {

void QueueView::Begin(const std::string& printer, const std::vector<SpooledJob>& present) {
  begun_ = true;
  printer_ = printer;
  shownFinishedAbove_ = highestSeen_ = 0;
  waiting_.clear();
  for (const SpooledJob& job : present) {
    shownFinishedAbove_ = highestSeen_ = std::max(highestSeen_, job.id);
    if (job.state == SpooledJob::State::kWaiting)
      waiting_.insert(job.id);
  }
  handled_.clear();
  shown_.clear();
  lastAnswer_.clear();
  lastAnswerValid_ = false;
  // The own ids go on rising: the watcher's mark survives a new start.
}

std::vector<std::uint32_t> QueueView::Missing(const std::vector<SpooledJob>& reported) const {
  std::vector<std::uint32_t> missing;
  for (const std::uint32_t id : waiting_)
    if (std::none_of(reported.begin(), reported.end(),
                     [id](const SpooledJob& job) { return job.id == id; }))
      missing.push_back(id);
  return missing;
}

std::optional<std::vector<JobSnapshot>> QueueView::Look(std::vector<SpooledJob> jobs,
                                                        const QueueDefault& queueDefault) {
  // A job that finished between the two requests of a look comes twice; the finished copy counts.
  std::stable_sort(jobs.begin(), jobs.end(), [](const SpooledJob& a, const SpooledJob& b) {
    return a.id != b.id ? a.id < b.id
                        : (a.state != SpooledJob::State::kWaiting) >
                              (b.state != SpooledJob::State::kWaiting);
  });
  jobs.erase(std::unique(jobs.begin(), jobs.end(),
                         [](const SpooledJob& a, const SpooledJob& b) { return a.id == b.id; }),
             jobs.end());

  std::vector<Shown> shown = shown_;
  std::set<std::uint32_t> handled = handled_, waiting;
  std::uint32_t nextId = nextId_, highest = highestSeen_;
  for (SpooledJob& job : jobs) {
    highest = std::max(highest, job.id);
    const auto known = std::find_if(shown.begin(), shown.end(),
                                    [&](const Shown& s) { return s.spoolerId == job.id; });
    if (known != shown.end()) {
      known->snapshot.pagesPrinted = std::max(known->snapshot.pagesPrinted, job.pagesPrinted);
      continue;
    }
    if (handled.count(job.id))
      continue;
    // A cancelled job used the ink of the pages it printed, not of the pages it announced.
    const std::uint32_t announced = job.state == SpooledJob::State::kStopped ? 0 : job.totalPages;
    const std::uint32_t pages = std::max(announced, job.pagesPrinted);
    if (job.state == SpooledJob::State::kWaiting && announced == 0) {
      waiting.insert(job.id);
      continue;
    }
    handled.insert(job.id);
    if (pages == 0)
      continue;
    JobSnapshot snapshot;
    snapshot.id = nextId++;
    snapshot.totalPages = announced;
    snapshot.pagesPrinted = job.pagesPrinted;
    snapshot.user = std::move(job.user);
    snapshot.document = std::move(job.document);
    snapshot.quality = job.quality;
    if (!snapshot.quality) {
      const auto fallback = queueDefault();
      if (!fallback)
        return std::nullopt;
      snapshot.quality = *fallback;
    }
    shown.push_back(Shown{job.id, std::move(snapshot)});
  }

  std::vector<JobSnapshot> answer;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> key;
  for (const Shown& s : shown) {
    answer.push_back(s.snapshot);
    key.emplace_back(s.snapshot.id, std::max(s.snapshot.totalPages, s.snapshot.pagesPrinted));
  }
  // Two looks in a row with the same answer: the watcher has ended a watch on it.
  if (lastAnswerValid_ && key == lastAnswer_)
    shown.clear();
  lastAnswer_ = std::move(key);
  lastAnswerValid_ = true;

  shownFinishedAbove_ = highestSeen_;
  highestSeen_ = highest;
  // An id at or below the line that is not waiting can never be reported again.
  for (auto it = handled.begin(); it != handled.end() && *it <= shownFinishedAbove_;) {
    const std::uint32_t id = *it;
    const bool stillQueued = std::any_of(jobs.begin(), jobs.end(), [id](const SpooledJob& job) {
      return job.id == id && job.state == SpooledJob::State::kWaiting;
    });
    it = stillQueued ? std::next(it) : handled.erase(it);
  }
  shown_ = std::move(shown);
  handled_ = std::move(handled);
  waiting_ = std::move(waiting);
  nextId_ = nextId;
  return answer;
}

}  // namespace pw
