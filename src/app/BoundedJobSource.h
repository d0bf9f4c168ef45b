#pragma once
// A job source whose looks wait a bounded time: the looks run on the thread of the windows, and a
// print server that is down or accepts connections without answering must not freeze them.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/SpoolerPorts.h"
#include "base/Ports.h"

namespace pw {

class BoundedJobSource : public IJobSource {
 public:
  // The longest a look may hold up the windows. A local server answers well within it; a slower
  // one is waited for by the watch (answerOnItsWay), not by the windows.
  static constexpr std::chrono::milliseconds kWindowsLimit{40};

  // The inner source is asked on a worker thread, one question at a time.
  BoundedJobSource(std::unique_ptr<IJobSource> inner, std::chrono::milliseconds limit);
  ~BoundedJobSource() override;  // waits for a question still out
  BoundedJobSource(const BoundedJobSource&) = delete;
  BoundedJobSource& operator=(const BoundedJobSource&) = delete;

  // Fails when the answer does not come within the limit, and at once while an earlier answer is
  // still out. An answer that came late is the next look's when it asks about the same printer:
  // a slow server is still watched, one tick behind.
  std::optional<std::vector<JobSnapshot>> listJobs(const std::string& printer) override;
  // True while the question that the last look left out is still unanswered.
  bool answerOnItsWay() override;
  // Passed on at once on the worker (or, while a question is out, right before the next one), so
  // the inner source is never asked two things at once; an answer still unclaimed is from before
  // and is dropped.
  void startFresh(const std::string& printer) override;

 private:
  struct Answer {
    std::mutex mutex;
    std::condition_variable ready;
    bool out = false;  // the worker is still asking
    bool unclaimed = false;
    std::string printer;
    std::optional<std::vector<JobSnapshot>> jobs;
  };

  std::unique_ptr<IJobSource> inner_;
  std::chrono::milliseconds limit_;
  Answer answer_;
  std::optional<std::string> fresh_;  // guarded by answer_.mutex, as is:
  bool freshOnly_ = false;            // the worker out only starts afresh
  std::thread worker_;
};

}  // namespace pw
