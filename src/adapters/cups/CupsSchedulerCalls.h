#pragma once
// The requests of a look at the CUPS scheduler's print queue, one IPP request each, their answers
// read into plain records. What to ask when is decided by SchedulerJobSource.

#include <optional>
#include <string>
#include <vector>

#include "adapters/cups/Ipp.h"
#include "app/SpoolerPorts.h"

namespace pw {

class CupsSchedulerCalls : public ISchedulerCalls {
 public:
  // Talks to the server of the client's configuration (CUPS_SERVER, client.conf).
  CupsSchedulerCalls();
  ~CupsSchedulerCalls() override;
  CupsSchedulerCalls(const CupsSchedulerCalls&) = delete;
  CupsSchedulerCalls& operator=(const CupsSchedulerCalls&) = delete;

  std::optional<std::vector<SpooledJob>> unfinished(const std::string& printer) override;
  std::optional<std::vector<SpooledJob>> finished(const std::string& printer, std::uint32_t firstId,
                                                  bool brief) override;
  std::optional<std::vector<SpooledJob>> job(std::uint32_t id) override;
  std::optional<std::optional<std::int16_t>> queueDefault(const std::string& printer) override;

  // A request fails after this long without an answer. Looks run on the thread of the windows,
  // so a server that is down or hangs may hold them up for this long only; a working server
  // answers within milliseconds.
  static constexpr int kTimeoutMs = 450;

 private:
  bool connect();
  // Sends the request and returns the answer, or nothing on any failure; `status` gets the
  // answer's status when there was one.
  ipp::Message send(ipp::Message request, int* status = nullptr);
  std::optional<std::vector<SpooledJob>> getJobs(const std::string& printer, const char* which,
                                                 std::uint32_t firstId, bool brief);

  ipp::Connection http_;
};

}  // namespace pw
