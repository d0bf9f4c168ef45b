#pragma once
// The spooler job watcher: at each tick of the monitoring timer it follows the chosen printer's
// queue until the queue stops changing, then turns the jobs it had not accounted for yet into one
// print record (pages per quality class, user and document of the last job seen).

#include <cstdint>
#include <string>
#include <vector>

#include "app/SpoolerPorts.h"
#include "base/Ports.h"
#include "settings/Options.h"

namespace pw {

// The three classes in which pages are counted, in the order of the record's page fields.
enum class QualityClass { Best, Normal, Economic };

// The class of a device-mode print quality: the negative presets, or a resolution in dpi.
QualityClass classOfQuality(std::int16_t quality);
// The class of a fixed quality as the options keep it (0 Best, 1 Normal, 2 Economic); any other
// value counts as Economic.
QualityClass classOfOption(int quality);

// What the watcher needs of the monitor window.
class IWatchHost {
 public:
  virtual ~IWatchHost() = default;
  // The result sentence: becomes the status text; with "PopStatus" on the status window comes up
  // (and the result counts as seen), otherwise it waits for the next Show status.
  virtual void showWatchResult(const std::string& sentence) = 0;
  virtual bool appendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                                 const std::string& user, const std::string& remark) = 0;
  virtual void recomputeUsage(bool animate) = 0;
  virtual void updateStatusDisplay() = 0;
  // Writing the record failed: the icon blinks icon 134 and an empty icon for 10 s.
  virtual void blinkAppendFailure() = 0;
};

class JobWatcher {
 public:
  static constexpr int kPauseMs = 2000;
  // How soon a pass whose answer is still on its way looks again.
  static constexpr int kLateAnswerMs = 100;
  static constexpr std::uint32_t kPlausiblePages = 1000;

  JobWatcher(Options& options, IJobSource& jobs, IMessages& messages, IProfile& profile,
             ITimers& timers, IClock& clock, IWatchHost& host);
  ~JobWatcher();
  JobWatcher(const JobWatcher&) = delete;
  JobWatcher& operator=(const JobWatcher&) = delete;

  // One tick of the monitoring timer. Ignored while a watch is under way (also while one of its
  // message boxes is open); otherwise starts a watch, which continues after 2 s pauses.
  void tick();
  bool busy() const { return busy_; }
  std::uint32_t lastJobId() const { return lastJobId_; }

 private:
  struct Tracked {
    std::uint32_t id;
    std::uint32_t pages;
    QualityClass quality;
  };
  void pass();
  void finish();
  void endWatch();
  QualityClass classOfNewJob(const JobSnapshot& job);

  Options& options_;
  IJobSource& jobs_;
  IMessages& messages_;
  IProfile& profile_;
  ITimers& timers_;
  IClock& clock_;
  IWatchHost& host_;
  std::uint32_t lastJobId_ = 0;
  bool busy_ = false;
  ITimers::Id pauseTimer_ = 0;
  std::vector<Tracked> tracked_;
  std::string lastUser_, lastDocument_;
};

}  // namespace pw
