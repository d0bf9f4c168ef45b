#include "app/QueueView.h"

#include <algorithm>

namespace pw {

using State = SpooledJob::State;

void QueueView::Latest::add(const SpooledJob& job) {
  if (job.created > created) {
    created = job.created;
    ids.clear();
  }
  if (job.created == created)
    ids.insert(job.id);
}

void QueueView::begin(const std::string& printer, const std::vector<SpooledJob>& present) {
  begun_ = true;
  printer_ = printer;
  newest_ = {};
  latest_ = {};
  catchUp_ = {};
  waiting_.clear();
  handled_.clear();
  shown_.clear();
  lastAnswer_.clear();
  lastAnswerValid_ = false;
  const SpooledJob* newest = nullptr;
  for (const SpooledJob& job : present) {
    latest_.add(job);
    if (job.state == State::kWaiting)
      waiting_.insert(keyOf(job));
    if (!newest || job.id > newest->id)
      newest = &job;
  }
  if (newest) {
    newest_ = keyOf(*newest);
    // Asked for at every look, it must not be taken for news.
    if (newest->state != State::kWaiting)
      handled_.insert(newest_);
  }
  line_ = newest_.id;
  // The own ids go on rising: the watcher's mark survives a new start.
}

std::uint32_t QueueView::finishedFrom() const {
  if (catchUp_.looks > 0)
    return 1;
  return newest_.id != 0 ? std::min(line_ + 1, newest_.id) : line_ + 1;
}

std::vector<std::uint32_t> QueueView::missing(const std::vector<SpooledJob>& reported) const {
  std::vector<std::uint32_t> missing;
  for (const Key& key : waiting_)
    if (std::none_of(reported.begin(), reported.end(),
                     [&](const SpooledJob& job) { return keyOf(job) == key; }))
      missing.push_back(key.id);
  return missing;
}

bool QueueView::isNews(const SpooledJob& job) const {
  const Latest& known = catchUp_.latest;
  return job.id >= catchUp_.from || job.created > known.created ||
         (job.created == known.created && !known.ids.count(job.id)) || waiting_.count(keyOf(job));
}

std::optional<std::vector<JobSnapshot>> QueueView::look(std::vector<SpooledJob> jobs,
                                                        const QueueDefault& queueDefault) {
  // A job that finished between the two requests of a look comes twice; the finished copy counts.
  std::stable_sort(jobs.begin(), jobs.end(), [](const SpooledJob& a, const SpooledJob& b) {
    return a.id != b.id ? a.id < b.id : (a.state != State::kWaiting) > (b.state != State::kWaiting);
  });
  jobs.erase(std::unique(jobs.begin(), jobs.end(),
                         [](const SpooledJob& a, const SpooledJob& b) { return a.id == b.id; }),
             jobs.end());

  const bool catchingUp = catchUp_.looks > 0;
  const bool crashNoticed = !catchingUp && newest_.id != 0 &&
                            std::none_of(jobs.begin(), jobs.end(), [this](const SpooledJob& job) {
                              return keyOf(job) == newest_;
                            });
  std::vector<Shown> shown = shown_;
  std::set<Key> handled = handled_, waiting;
  Latest latest = latest_;
  // The first look after a crash starts the numbering anew.
  Key newest = catchUp_.looks == 2 ? Key{} : newest_;
  std::uint32_t nextId = nextId_;
  for (SpooledJob& job : jobs) {
    latest.add(job);
    if (job.id >= newest.id)
      newest = keyOf(job);
    const auto known = std::find_if(shown.begin(), shown.end(),
                                    [&](const Shown& s) { return s.job == keyOf(job); });
    if (known != shown.end()) {
      known->snapshot.pagesPrinted = std::max(known->snapshot.pagesPrinted, job.pagesPrinted);
      continue;
    }
    if (handled.count(keyOf(job)))
      continue;
    if (catchingUp && job.state != State::kWaiting && !isNews(job))
      continue;
    // A cancelled job used the ink of the pages it printed, not of the pages it announced.
    const std::uint32_t announced = job.state == State::kStopped ? 0 : job.totalPages;
    const std::uint32_t pages = std::max(announced, job.pagesPrinted);
    if (job.state == State::kWaiting && announced == 0) {
      waiting.insert(keyOf(job));
      continue;
    }
    handled.insert(keyOf(job));
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
    shown.push_back(Shown{keyOf(job), std::move(snapshot)});
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

  if (crashNoticed)
    catchUp_ = CatchUp{2, latest_, finishedFrom()};
  else if (catchingUp)
    --catchUp_.looks;
  line_ = newest_.id;
  newest_ = newest;
  latest_ = std::move(latest);
  // A job below the next line that is not waiting can never be reported again.
  const std::uint32_t from = finishedFrom();
  for (auto it = handled.begin(); it != handled.end() && it->id < from;) {
    const Key job = *it;
    const bool stillQueued = std::any_of(jobs.begin(), jobs.end(), [&](const SpooledJob& j) {
      return keyOf(j) == job && j.state == State::kWaiting;
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
