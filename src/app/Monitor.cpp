#include "app/Monitor.h"

#include <string>
#include <utility>

#include "base/Format.h"
#include "log/Reading.h"
#include "log/Usage.h"
#include "res/Ids.h"
#include "res/Strings.h"

namespace pw {

namespace {

// The icons of one band of the used-up share: the still icon and the two animation frames.
struct Band {
  IconId still, firstFrame, lastFrame;
};

Band BandOf(int share) {
  if (share < 40)
    return {icons::kGreen, icons::kGreenFrame2, icons::kGreenFrame3};
  if (share < 70)
    return {icons::kYellow, icons::kYellowFrame2, icons::kYellowFrame3};
  return {icons::kRed, icons::kRedFrame2, icons::kRedFrame3};
}

constexpr IconId kFlashFirst = icons::kRed, kFlashLast = icons::kRedFrame1;
constexpr int kFlashAbove = 95;
constexpr int kStepMs = 500;
constexpr int kPrintAnimationSeconds = 2;
constexpr int kFailureBlinkSeconds = 10;

}  // namespace

Monitor::Monitor(MonitorPorts ports) : p_(std::move(ports)) {
  watcher_ = std::make_unique<JobWatcher>(options_, p_.jobs, p_.messages, p_.profile, p_.timers,
                                          p_.clock, *this);
}

Monitor::~Monitor() {
  StopMonitorTimer();
  if (retryTimer_ != 0)
    p_.timers.Kill(retryTimer_);
}

bool Monitor::Start() {
  const std::string& tip = LoadStr(ids::kDetectionOn);
  if (!p_.tray.CreateTrayIcon(tip, kFirstTrayIcon, kTrayId, false))
    return false;
  // No item of the menu is the default: none is bold and a double-click does nothing.
  p_.tray.SetDefaultMenuItem(-1, true);

  options_ = LoadOptions(p_.profile);
  p_.updateAutostart(options_.windowsRun);

  if (options_.autoMonitor) {
    StartMonitorTimer();
    p_.tray.SetTipText(LoadStr(ids::kDetectionOn));
  } else {
    p_.tray.SetTipText(LoadStr(ids::kDetectionOff));
  }
  RecomputeUsage(false);
  RefreshInkLevels();

  if (IsFirstRun(p_.profile))
    OnSettings();
  return true;
}

void Monitor::OnCommand(int command) {
  switch (command) {
    case cmd::kShowStatus:
      OnShowStatus();
      break;
    case cmd::kDetails:
      OnDetails();
      break;
    case cmd::kSettings:
      OnSettings();
      break;
    case cmd::kExit:
      OnExit();
      break;
    case cmd::kAbout:
      p_.dialogs.RunAbout();
      break;
    // The web commands ignore whether anything opened.
    case cmd::kHomePage:
      p_.urls.Open(LoadStr(ids::kHomeUrl));
      break;
    case cmd::kSupport:
      p_.urls.Open(LoadStr(ids::kSupportUrl));
      break;
    case cmd::kMail:
      p_.urls.Open(FormatStr(ids::kMailUrl, LoadStr(ids::kVersion)));
      break;
    default:
      break;
  }
}

void Monitor::OnShowStatus() {
  if (statusSeen_) {
    status_ = options_.autoMonitor ? FormatStr(ids::kWaitingForPrint, options_.printer)
                                   : FormatStr(ids::kEnterByDetails, options_.printer);
  }
  RecomputeUsage(false);
  RefreshInkLevels();
  p_.view.SetTexts(status_, usage_);
  p_.view.Show();
  statusSeen_ = true;
}

void Monitor::OnDetails() {
  if (!PassesGate())
    return;
  DetailsValues values{options_.printer, options_.cartridge, Decimal(maxPages_),
                       Decimal(best_),   Decimal(normal_),   Decimal(economic_)};
  if (!p_.dialogs.RunDetails(values))
    return;
  maxPages_ = AtoiLike(values.maximum);
  best_ = AtoiLike(values.best);
  normal_ = AtoiLike(values.normal);
  economic_ = AtoiLike(values.economic);
  RecomputeUsage(false);
}

void Monitor::OnSettings() {
  if (!PassesGate())
    return;
  SettingsValues values;
  values.options = options_;
  values.password = ReadPassword(p_.profile);
  if (!p_.dialogs.RunSettings(values))
    return;

  // Every option but automatic detection is taken over now; detection follows below, with its
  // timer and tooltip.
  const bool autoMonitor = options_.autoMonitor;
  options_ = values.options;
  options_.autoMonitor = autoMonitor;

  SaveConfirmedSettings(p_.profile, values.options, values.password);
  p_.updateAutostart(options_.windowsRun);

  if (values.options.autoMonitor != options_.autoMonitor) {
    options_.autoMonitor = values.options.autoMonitor;
    if (options_.autoMonitor) {
      StartMonitorTimer();
      p_.tray.SetTipText(LoadStr(ids::kDetectionOn));
    } else {
      StopMonitorTimer();
      p_.tray.SetTipText(LoadStr(ids::kDetectionOff));
    }
  }

  // A catalogue that could not be read when the dialog opened is not written back: the dialog's
  // empty list would replace entries it never showed.
  if (values.catalogueRead && !p_.dataFile.WriteCartridgeCatalogue(values.catalogue))
    return;
  RecomputeUsage(false);
  RefreshInkLevels();
}

void Monitor::OnExit() {
  if (!PassesGate())
    return;
  SaveAtExit(p_.profile, options_);
  StopMonitorTimer();
  // A last try for prints still waiting; the program does not wait for the lock to end.
  if (!pending_.empty())
    WritePending();
  p_.quit(0);
}

void Monitor::OnTimer() {
  watcher_->Tick();
}

int Monitor::share() const {
  return UsageShare(best_, normal_, economic_, maxPages_);
}

void Monitor::UpdateStatusDisplay() {
  const int p = share();
  usage_ = FormatStr(ids::kUsage, p);
  p_.view.SetTexts(status_, usage_);
  p_.view.DrawGauge(p);
  // The printer comes first, so only one configuration error shows.
  if (options_.printer.empty()) {
    status_ = LoadStr(ids::kNoPrinter);
  } else if (options_.cartridge.empty()) {
    status_ = LoadStr(ids::kNoCartridge);
  } else {
    return;
  }
  p_.view.SetTexts(status_, usage_);
}

void Monitor::RecomputeUsage(bool animate) {
  best_ = normal_ = economic_ = 0;
  UsageTotals totals;
  if (!p_.dataFile.ReadTotals(options_.cartridge, totals))
    return;
  best_ = totals.best;
  normal_ = totals.normal;
  economic_ = totals.economic;
  // A cartridge that no entry names keeps the maximum found before.
  if (totals.maxPages)
    maxPages_ = *totals.maxPages;

  const int p = share();
  if (options_.tooltip) {
    p_.tray.SetTipText(FormatStr(ids::kUsage, p));
  } else {
    p_.tray.SetTipText(LoadStr(options_.autoMonitor ? ids::kDetectionOn : ids::kDetectionOff));
  }

  const Band band = BandOf(p);
  if (!animate) {
    p_.tray.EndAnimation();
    p_.tray.SetIconResource(band.still);
    p_.tray.EnsureShown();
  } else {
    p_.tray.LoadIconRange(band.firstFrame, band.lastFrame);
    p_.tray.StartAnimation(kStepMs, kPrintAnimationSeconds);
  }
  if (options_.emptyFlash && p > kFlashAbove) {
    p_.tray.LoadIconRange(kFlashFirst, kFlashLast);
    p_.tray.StartAnimation(kStepMs, -1);
  }
  RefreshForecast(p);
  if (std::exchange(inksAfterPrint_, false))
    RefreshInkLevels();
}

void Monitor::RefreshForecast(int share) {
  UseHistory history;
  std::size_t records = 0;
  const bool read = p_.dataFile.ForEachRecord(options_.cartridge, [&](const PrintRecord& r) {
    ++records;
    history.Add(r, p_.dates);
  });
  if (!read)
    return;
  const CivilDate today = p_.dates.Today();
  const Forecast forecast = MakeForecast(
      history, DayNumber(today), PagesLeft(best_, normal_, economic_, maxPages_), maxPages_);
  p_.view.ShowForecast(ForecastSentence(forecast), MonthlyUse(history, today, maxPages_));
  Notify(notices_.OnUsage(share, records == 0));
}

void Monitor::Notify(const std::string& notice) {
  if (notice.empty())
    return;
  Trace("notice: %s", notice.c_str());
  p_.tray.ShowMessage(LoadStr(ids::kNoticeTitle), notice);
}

// The window never waits for the printer's report: the group appears when it arrives. A report
// on a printer that is no longer the chosen one is dropped.
void Monitor::RefreshInkLevels() {
  p_.inks.ReadMarkers(
      options_.printer, [this, printer = options_.printer](const std::vector<Marker>& markers) {
        if (printer != options_.printer)
          return;
        Notify(notices_.OnMarkers(markers));
        p_.view.ShowInkLevels(InkRows(markers),
                              CompareWithEstimate(markers, options_.cartridge, share()));
      });
}

bool Monitor::CheckAccessPassword() {
  std::string entered;
  if (!p_.dialogs.AskPassword(entered))
    return false;
  // Read at every call: a password changed in Settings applies to the next command.
  if (entered == ReadPassword(p_.profile))
    return true;
  p_.messages.ShowError(LoadStr(ids::kWrongPassword));
  return false;
}

bool Monitor::PassesGate() {
  return !options_.anyone || CheckAccessPassword();
}

void Monitor::ShowWatchResult(const std::string& sentence) {
  status_ = sentence;
  if (options_.popStatus) {
    statusSeen_ = true;
    p_.view.SetTexts(status_, usage_);
    p_.view.Show();
  } else {
    statusSeen_ = false;
  }
}

bool Monitor::AppendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                                const std::string& user, const std::string& remark) {
  pending_.push_back(PrintRecord{p_.clock.DateText(), p_.clock.TimeText(), Decimal(best),
                                 Decimal(normal), Decimal(economic), user, remark});
  // The printer has just used ink: its report is asked for once the usage is recomputed.
  inksAfterPrint_ = WritePending();
  return inksAfterPrint_;
}

bool Monitor::WritePending() {
  // Taken out first: a failure's message box runs timers, and a retry then must find nothing.
  std::vector<PrintRecord> records = std::exchange(pending_, {});
  if (retryTimer_ != 0)
    p_.timers.Kill(retryTimer_);
  retryTimer_ = 0;
  const DataFile::Appended result = p_.dataFile.AppendRecords(records);
  if (result != DataFile::Appended::Busy)
    return result == DataFile::Appended::Written;
  pending_ = std::move(records);
  retryTimer_ = p_.timers.Start(kMonitorPeriodMs, true, [this] { RetryPending(); });
  return true;
}

// The records reach the file later than their watch: the totals, the icon and the gauge follow
// now, as they would have then.
void Monitor::RetryPending() {
  if (WritePending()) {
    if (!pending_.empty())
      return;  // still busy
    inksAfterPrint_ = true;
    RecomputeUsage(false);
    UpdateStatusDisplay();
  } else {
    BlinkAppendFailure();
  }
}

void Monitor::BlinkAppendFailure() {
  // Only the first id has a picture, so the icon alternates with an empty frame.
  p_.tray.LoadIconRange(kFirstTrayIcon, icons::kBlank);
  p_.tray.StartAnimation(kStepMs, kFailureBlinkSeconds);
}

void Monitor::StartMonitorTimer() {
  if (monitorTimer_ != 0)
    return;
  // Jobs printed while detection was off were not watched; counting them now would count pages
  // the user may have entered by hand.
  p_.jobs.StartFresh(options_.printer);
  monitorTimer_ = p_.timers.Start(kMonitorPeriodMs, true, [this] { OnTimer(); });
}

void Monitor::StopMonitorTimer() {
  if (monitorTimer_ == 0)
    return;
  p_.timers.Kill(monitorTimer_);
  monitorTimer_ = 0;
}

}  // namespace pw
