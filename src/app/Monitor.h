#pragma once
// The monitor window's logic: it owns the run-time state (options, usage totals, status texts),
// runs the start-up sequence and the menu commands, and hosts the job watcher.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Forecast.h"
#include "app/JobWatcher.h"
#include "app/LowNotices.h"
#include "app/MonitorPorts.h"
#include "app/SpoolerPorts.h"
#include "base/Ports.h"
#include "log/DataFile.h"
#include "settings/Options.h"
#include "shell/SystemTray.h"
#include "shell/UrlOpener.h"

namespace pw {

struct MonitorPorts {
  IProfile& profile;
  IMessages& messages;
  IClock& clock;
  ITimers& timers;
  IJobSource& jobs;
  IInkLevels& inks;
  CSystemTray& tray;
  IStatusView& view;
  IDialogs& dialogs;
  DataFile& dataFile;
  IUrlOpener& urls;
  // Writes or deletes the autostart entry.
  std::function<void(bool windowsRun)> updateAutostart;
  // Ends the event loop with an exit code.
  std::function<void(int code)> quit;
  IDateReader& dates;
};

class Monitor : public IWatchHost {
 public:
  static constexpr int kMonitorPeriodMs = 500;

  explicit Monitor(MonitorPorts ports);
  ~Monitor() override;

  // The start-up sequence. False when the notification icon could not be added: then no option is
  // loaded and no timer runs.
  bool start();

  // A menu command (or the status window's OK).
  void onCommand(int command);
  void onShowStatus();
  void onDetails();
  void onSettings();
  void onExit();
  void onTimer();

  // Runs on every paint of the status window and after every recorded watch.
  void updateStatusDisplay() override;
  void recomputeUsage(bool animate) override;
  bool checkAccessPassword();

  // IWatchHost
  void showWatchResult(const std::string& sentence) override;
  bool appendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string& user, const std::string& remark) override;
  void blinkAppendFailure() override;

  const Options& options() const { return options_; }
  std::int32_t best() const { return best_; }
  std::int32_t normal() const { return normal_; }
  std::int32_t economic() const { return economic_; }
  std::int32_t maxPages() const { return maxPages_; }
  int share() const;
  const std::string& status() const { return status_; }
  const std::string& usage() const { return usage_; }
  bool statusSeen() const { return statusSeen_; }
  bool monitoring() const { return monitorTimer_ != 0; }
  const JobWatcher& watcher() const { return *watcher_; }
  std::size_t pendingRecords() const { return pending_.size(); }

 private:
  void startMonitorTimer();
  void refreshInkLevels();
  // Reads the log's dates: the forecast and the month chart, and the notice of a nearly empty
  // cartridge. Runs when the log may have changed, never on a paint.
  void refreshForecast(int share);
  void notify(const std::string& notice);
  // Appends the records not written yet. False when the data file cannot be written (the user
  // has been told, the records are dropped); a busy lock keeps them for the retry timer.
  bool writePending();
  void retryPending();
  void stopMonitorTimer();
  // The command runs only when no password is required or the right one was entered.
  bool passesGate();

  MonitorPorts p_;
  Options options_;
  std::int32_t best_ = 0, normal_ = 0, economic_ = 0, maxPages_ = 0;
  std::string status_, usage_;
  bool statusSeen_ = true;
  ITimers::Id monitorTimer_ = 0;
  bool inksAfterPrint_ = false;
  // Recorded prints that wait for another writer (the command-line tool, a second session) to
  // release the data file; a busy file is no reason to lose them.
  std::vector<PrintRecord> pending_;
  ITimers::Id retryTimer_ = 0;
  std::unique_ptr<JobWatcher> watcher_;
  LowNotices notices_;
};

}  // namespace pw
