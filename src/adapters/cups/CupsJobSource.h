#pragma once
// The print queue as the CUPS scheduler reports it, shaped for the job watcher by a QueueView:
// each look asks for the printer's unfinished jobs and for its finished jobs above a line that
// follows the highest id seen, and looks up a remembered waiting job that has left both lists.
// So the cost of a look does not grow with the scheduler's history or with a job left held.

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/QueueView.h"
#include "app/SpoolerPorts.h"
#include "base/Ports.h"
#include "adapters/cups/Ipp.h"

namespace pw {

class CupsJobSource : public IJobSource {
 public:
  // Talks to the server of the client's configuration (CUPS_SERVER, client.conf).
  CupsJobSource();
  ~CupsJobSource() override;
  CupsJobSource(const CupsJobSource&) = delete;
  CupsJobSource& operator=(const CupsJobSource&) = delete;

  std::optional<std::vector<JobSnapshot>> ListJobs(const std::string& printer) override;
  void StartFresh(const std::string& printer) override;

  // A look at the server fails after this long without an answer. Looks run on the thread of
  // the windows, so a server that is down or hangs may hold them up for this long only; a
  // working server answers within milliseconds.
  static constexpr int kTimeoutMs = 450;

 private:
  struct Defaults {
    std::optional<std::int16_t> quality;
    std::chrono::steady_clock::time_point taken;
  };

  bool Connect();
  // Sends the request and returns the answer, or nothing on any failure; `status` gets the
  // answer's status when there was one.
  ipp::Message Send(ipp::Message request, int* status = nullptr);
  bool TakeBaseline(const std::string& printer);
  // The printer's jobs in one state class ("not-completed" or "completed") from `firstId` on.
  std::optional<std::vector<SpooledJob>> GetJobs(const std::string& printer, const char* which,
                                                 std::uint32_t firstId);
  // One job by id: nothing on failure, an empty list when it is gone or on another printer.
  std::optional<std::vector<SpooledJob>> GetJob(const std::string& printer, std::uint32_t id);
  std::optional<std::vector<JobSnapshot>> Look(const std::string& printer);
  // The queue's default print quality, cached for a few seconds; nullopt when the server failed.
  std::optional<std::optional<std::int16_t>> QueueDefault(const std::string& printer);

  ipp::Connection http_;
  QueueView view_;
  std::map<std::string, Defaults> defaults_;
};

}  // namespace pw
