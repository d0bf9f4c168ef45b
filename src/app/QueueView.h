#pragma once
// What the job watcher is shown of a spooler that keeps finished jobs listable and numbers jobs
// across all its printers.
//
// The watcher counts a job once when its id is above its mark, and expects a job to be in the
// queue with its page count while it is watched. A spooler that finishes jobs between two looks,
// holds a job while newer ones print, or lists last week's jobs breaks both assumptions. This view
// absorbs that:
//
// - A job is shown once its page count is final or announced: when it has finished (completed:
//   the larger of the announced and the printed pages; cancelled or aborted: the printed pages),
//   or while it waits with a page count announced by its client. A job waiting without a count is
//   only remembered; it is shown when it finishes, however many jobs overtake it.
// - Shown jobs get ids of their own, rising in the order in which they are first shown, so a job
//   released from hold after newer ones printed still lands above the watcher's mark.
// - A shown job stays in the answer until two looks in a row gave the same answer: by then the
//   watcher has ended a watch on it and holds it at or below its mark.
// - begin() draws the line: jobs finished before it are never shown; jobs then waiting are
//   shown when they finish. It is called for a new printer and whenever watching starts again.
//
// The spooler side asks for the unfinished jobs of the printer, for the finished jobs from
// finishedFrom() on, and looks up each job of missing() that is in neither answer. Asking for
// finished jobs one look behind the highest id seen closes the race in which a job is numbered
// before a newer one but finishes after the look that saw the newer one.
//
// A scheduler that crashed has forgotten the jobs it had not saved yet and gives their ids to new
// jobs, below the line. A job is therefore known by its id and creation time, and the newest job
// seen is asked for at every look: when it is gone, or another job has its id, the next two looks
// ask for every finished job and show those created after the newest job seen before (two, so
// that the race above is closed for the new numbering too). A job that is merely deleted or moved
// costs the same two looks and shows nothing twice.

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/SpoolerPorts.h"
#include "base/Ports.h"

namespace pw {

class QueueView {
 public:
  // The queue's default print quality for a job without settings (itself absent when the queue
  // has none), or nothing when it cannot be fetched.
  using QueueDefault = std::function<std::optional<std::optional<std::int16_t>>()>;

  // Starts afresh on `printer` from what it has now: its finished jobs (ids and creation times
  // are enough) and its unfinished ones.
  void begin(const std::string& printer, const std::vector<SpooledJob>& present);
  // The next look needs a new starting line first.
  void forget() { begun_ = false; }
  // Whether a look at `printer` can go on from the line drawn; another printer needs its own.
  bool begunFor(const std::string& printer) const { return begun_ && printer == printer_; }

  std::uint32_t finishedFrom() const;
  // Remembered waiting jobs that are not among `reported`: they have to be looked up one by one.
  std::vector<std::uint32_t> missing(const std::vector<SpooledJob>& reported) const;

  // One look: the unfinished jobs, the finished jobs from finishedFrom() on, and the missing jobs
  // that could be looked up (one gone from the spooler or moved to another printer is left out).
  // Returns what the watcher is shown, or nothing (and changes nothing) when the queue default
  // was needed and could not be fetched.
  std::optional<std::vector<JobSnapshot>> look(std::vector<SpooledJob> jobs,
                                               const QueueDefault& queueDefault);
  // A look that failed: the next answer cannot be taken for a repeat.
  void lookFailed() { lastAnswerValid_ = false; }

 private:
  struct Key {
    std::uint32_t id = 0;
    std::int64_t created = 0;
    auto operator<=>(const Key&) const = default;
  };
  struct Shown {
    Key job;
    JobSnapshot snapshot;
  };
  // The newest creation time seen and the jobs created in that second.
  struct Latest {
    std::int64_t created = 0;
    std::set<std::uint32_t> ids;
    void add(const SpooledJob& job);
  };
  // What was known when a crashed scheduler was noticed: a finished job is news if it was
  // created after that, or numbered from the line then in force on.
  struct CatchUp {
    int looks = 0;  // left to ask for every finished job
    Latest latest;
    std::uint32_t from = 0;
  };

  static Key keyOf(const SpooledJob& job) { return {job.id, job.created}; }
  bool isNews(const SpooledJob& job) const;

  bool begun_ = false;
  std::string printer_;
  std::uint32_t nextId_ = 1;
  std::uint32_t line_ = 0;  // finished jobs are asked for above this id, one look behind...
  Key newest_;              // ...the newest job seen, which is asked for too
  Latest latest_;
  CatchUp catchUp_;
  std::set<Key> waiting_;     // unfinished, not shown yet
  std::set<Key> handled_;     // shown or finished with no pages: never shown anew
  std::vector<Shown> shown_;  // in the order first shown
  std::vector<std::pair<std::uint32_t, std::uint32_t>> lastAnswer_;  // (id, pages)
  bool lastAnswerValid_ = false;
};

}  // namespace pw
