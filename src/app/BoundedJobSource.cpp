#include "app/BoundedJobSource.h"

#include <utility>

namespace pw {

BoundedJobSource::BoundedJobSource(std::unique_ptr<IJobSource> inner,
                                   std::chrono::milliseconds limit)
    : inner_(std::move(inner)), limit_(limit) {}

BoundedJobSource::~BoundedJobSource() {
  if (worker_.joinable())
    worker_.join();
}

void BoundedJobSource::startFresh(const std::string& printer) {
  std::unique_lock lock(answer_.mutex);
  answer_.unclaimed = false;
  if (answer_.out) {
    fresh_ = printer;
    return;
  }
  // The line is drawn now, not at the next look: jobs printed in between are to count.
  lock.unlock();
  if (worker_.joinable())
    worker_.join();
  lock.lock();
  answer_.out = true;
  freshOnly_ = true;
  worker_ = std::thread([this, printer] {
    inner_->startFresh(printer);
    const std::lock_guard done(answer_.mutex);
    answer_.out = false;
    answer_.ready.notify_all();
  });
}

std::optional<std::vector<JobSnapshot>> BoundedJobSource::listJobs(const std::string& printer) {
  std::unique_lock lock(answer_.mutex);
  // A fresh start still under way is waited for like an answer; a question still out is not.
  if (answer_.out &&
      !(freshOnly_ && answer_.ready.wait_for(lock, limit_, [this] { return !answer_.out; })))
    return std::nullopt;
  freshOnly_ = false;
  if (answer_.unclaimed) {
    answer_.unclaimed = false;
    if (answer_.printer == printer)
      return std::move(answer_.jobs);
  }
  lock.unlock();
  if (worker_.joinable())
    worker_.join();  // finished: it is not out any more
  lock.lock();
  answer_.out = true;
  answer_.printer = printer;
  answer_.jobs.reset();
  worker_ = std::thread([this, printer, fresh = std::exchange(fresh_, std::nullopt)] {
    if (fresh)
      inner_->startFresh(*fresh);
    auto jobs = inner_->listJobs(printer);
    const std::lock_guard done(answer_.mutex);
    answer_.jobs = std::move(jobs);
    answer_.out = false;
    answer_.unclaimed = true;
    answer_.ready.notify_all();
  });
  if (!answer_.ready.wait_for(lock, limit_, [this] { return !answer_.out; }))
    return std::nullopt;
  answer_.unclaimed = false;
  return std::move(answer_.jobs);
}

bool BoundedJobSource::answerOnItsWay() {
  const std::lock_guard lock(answer_.mutex);
  return answer_.out && !freshOnly_;
}

}  // namespace pw
