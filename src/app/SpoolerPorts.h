#pragma once
// What the job watcher and the ink-levels reading ask of the print spooler. The CUPS and
// winspool adapters implement them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pw {

// One job of a print queue as the spooler reports it at one moment.
struct JobSnapshot {
  std::uint32_t id = 0;
  std::uint32_t totalPages = 0;
  std::uint32_t pagesPrinted = 0;
  std::string user;
  std::string document;
  // The job's print quality in the device-mode convention (-4 high .. -1 draft, or dots per
  // inch); absent when the job carries no print settings at all.
  std::optional<std::int16_t> quality;
};

// The spooler's queue of one printer.
class IJobSource {
 public:
  virtual ~IJobSource() = default;
  // The jobs of the named printer's queue, or nothing when the printer cannot be opened or the
  // list cannot be fetched.
  virtual std::optional<std::vector<JobSnapshot>> listJobs(const std::string& printer) = 0;
  // After listJobs gave nothing: the answer is still on its way, so the look has not failed and
  // asking again later gets it.
  virtual bool answerOnItsWay() { return false; }
  // Watching the printer starts (again): jobs finished before now are not the queue's, jobs
  // waiting now are.
  virtual void startFresh(const std::string& printer) = 0;
};

// One job as a scheduler that numbers jobs across its printers and keeps finished ones listable
// reports it (CUPS).
struct SpooledJob {
  enum class State { kWaiting, kCompleted, kStopped };  // stopped: cancelled or aborted
  std::uint32_t id = 0;
  // When the scheduler took the job, in its own seconds: a scheduler that crashed gives the ids
  // of the jobs it lost to new ones, which this tells apart.
  std::int64_t created = 0;
  State state = State::kWaiting;
  std::uint32_t totalPages = 0;  // announced by the client, 0 when unknown
  std::uint32_t pagesPrinted = 0;
  std::string user;
  std::string document;
  std::optional<std::int16_t> quality;  // absent when the job carries no print settings
  std::string printer;                  // the queue it is on, empty when not reported
};

// The requests a look at such a scheduler is made of, one request each. Every answer is nothing
// when the scheduler could not be asked.
class ISchedulerCalls {
 public:
  virtual ~ISchedulerCalls() = default;
  // The printer's jobs not finished yet.
  virtual std::optional<std::vector<SpooledJob>> unfinished(const std::string& printer) = 0;
  // The printer's finished jobs from `firstId` on; with `brief` only their ids, and their
  // creation times where the scheduler has them at hand (0 where it left them out).
  virtual std::optional<std::vector<SpooledJob>> finished(const std::string& printer,
                                                          std::uint32_t firstId, bool brief) = 0;
  // One job by id, on whichever printer: an empty list when the scheduler no longer has it.
  virtual std::optional<std::vector<SpooledJob>> job(std::uint32_t id) = 0;
  // The queue's default print quality for a job without settings (itself absent when the queue
  // has none).
  virtual std::optional<std::optional<std::int16_t>> queueDefault(const std::string& printer) = 0;
};

// One marker (ink or toner) as the printer reports it. Levels run 0 to 100; negative ones mean
// the printer cannot tell (unknown, or "some left").
struct Marker {
  std::string name;
  std::string colour;  // "#RRGGBB", several of them for a multi-colour cartridge, or "none"
  int level = -2;
  int lowLevel = -1;  // at or below it the marker is low; negative: not reported
  std::string type;   // "ink-cartridge", "toner", ...
};

// The printer's own report of its ink levels. Asked only now and then (start-up, after a
// recorded print, when the status window is shown), never on the monitoring tick.
class IInkLevels {
 public:
  using Answer = std::function<void(std::vector<Marker> markers)>;
  virtual ~IInkLevels() = default;
  // Asks without waiting; the answer comes later on the thread of the windows, and never after
  // this object is gone. Empty when the printer reports no markers or cannot be asked.
  virtual void readMarkers(const std::string& printer, Answer answer) = 0;
};

}  // namespace pw
