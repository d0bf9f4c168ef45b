#pragma once
// The print queue of a scheduler that keeps finished jobs listable (CUPS), shaped for the job
// watcher by a QueueView: each look asks for the printer's unfinished jobs and for its finished
// jobs from the view's line on, and looks up a remembered waiting job that has left both lists.
// So the cost of a look does not grow with the scheduler's history or with a job left held.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/QueueView.h"
#include "app/SpoolerPorts.h"

namespace pw {

class SchedulerJobSource : public IJobSource {
 public:
  explicit SchedulerJobSource(std::unique_ptr<ISchedulerCalls> calls);

  std::optional<std::vector<JobSnapshot>> listJobs(const std::string& printer) override;
  void startFresh(const std::string& printer) override;

 private:
  bool begin(const std::string& printer);
  bool completeCreationTimes(std::vector<SpooledJob>& present);
  std::optional<std::vector<JobSnapshot>> look(const std::string& printer);

  std::unique_ptr<ISchedulerCalls> calls_;
  QueueView view_;
};

}  // namespace pw
