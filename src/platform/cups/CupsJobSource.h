#pragma once
// The print queue as the CUPS scheduler reports it: one Get-Jobs request per look.
//
// Jobs finish within a second, faster than the watcher looks, so "the queue" here is every job
// not yet completed plus every job completed since this source was created. History from before
// then is left out. To keep each look cheap however long the history grows, a completed job
// stops being asked for once two looks in a row gave the same answer: by then the watcher has
// ended a watch on that answer and holds the job at or below its mark.
//
// A job that is not completed and has no page counted yet is left out until it has one: the
// watcher would account for it with 0 pages and never look at it again.

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Ports.h"

typedef struct _http_s http_t;
typedef struct _ipp_s ipp_t;

namespace pw {

class CupsJobSource : public IJobSource {
 public:
  // Talks to the server of the client's configuration (CUPS_SERVER, client.conf).
  CupsJobSource();
  ~CupsJobSource() override;
  CupsJobSource(const CupsJobSource&) = delete;
  CupsJobSource& operator=(const CupsJobSource&) = delete;

  std::optional<std::vector<JobSnapshot>> ListJobs(const std::string& printer) override;

  // A look at the server fails after this long without an answer. Looks run on the thread of
  // the windows, so a server that is down or hangs may hold them up for this long only; a
  // working server answers within milliseconds.
  static constexpr int kTimeoutMs = 450;

 private:
  struct Defaults {
    std::optional<std::int16_t> quality;
    std::chrono::steady_clock::time_point taken;
  };
  struct Window {
    std::uint32_t firstId = 1;  // the smallest id still asked for
    std::vector<std::pair<std::uint32_t, std::uint32_t>> lastAnswer;  // (id, pages)
  };

  bool Connect();
  void Disconnect();
  // Sends the request (always consumed) and returns the answer, or nullptr on any failure.
  ipp_t* Send(ipp_t* request);
  bool TakeBaseline();
  // The queue's default print quality, cached for a few seconds; nullopt when the server failed.
  std::optional<std::optional<std::int16_t>> QueueDefault(const std::string& printer);

  http_t* http_ = nullptr;
  bool baselineTaken_ = false;
  std::uint32_t historyEnd_ = 1;           // jobs below it existed when the source was created...
  std::set<std::uint32_t> activeAtStart_;  // ...and of those, these were not completed yet
  std::map<std::string, Window> windows_;
  std::map<std::string, Defaults> defaults_;
  std::optional<std::string> lastPrinter_;  // the printer of the last successful look
};

}  // namespace pw
