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

Band bandOf(int share) {
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
  stopMonitorTimer();
  if (retryTimer_ != 0)
    p_.timers.kill(retryTimer_);
}

bool Monitor::start() {
  const std::string& tip = loadStr(ids::kDetectionOn);
  if (!p_.tray.createTrayIcon(tip, kFirstTrayIcon, kTrayId, false))
    return false;
  // No item of the menu is the default: none is bold and a double-click does nothing.
  p_.tray.setDefaultMenuItem(-1, true);

  options_ = loadOptions(p_.profile);
  p_.updateAutostart(options_.windowsRun);

  if (options_.autoMonitor) {
    startMonitorTimer();
    p_.tray.setTipText(loadStr(ids::kDetectionOn));
  } else {
    p_.tray.setTipText(loadStr(ids::kDetectionOff));
  }
  recomputeUsage(false);
  refreshInkLevels();

  if (isFirstRun(p_.profile))
    onSettings();
  return true;
}

void Monitor::onCommand(int command) {
  switch (command) {
    case cmd::kShowStatus:
      onShowStatus();
      break;
    case cmd::kDetails:
      onDetails();
      break;
    case cmd::kSettings:
      onSettings();
      break;
    case cmd::kExit:
      onExit();
      break;
    case cmd::kAbout:
      p_.dialogs.runAbout();
      break;
    // The web commands ignore whether anything opened.
    case cmd::kHomePage:
      p_.urls.open(loadStr(ids::kHomeUrl));
      break;
    case cmd::kSupport:
      p_.urls.open(loadStr(ids::kSupportUrl));
      break;
    case cmd::kMail:
      p_.urls.open(formatStr(ids::kMailUrl, loadStr(ids::kVersion)));
      break;
    default:
      break;
  }
}

void Monitor::onShowStatus() {
  if (statusSeen_) {
    status_ = options_.autoMonitor ? formatStr(ids::kWaitingForPrint, options_.printer)
                                   : formatStr(ids::kEnterByDetails, options_.printer);
  }
  recomputeUsage(false);
  refreshInkLevels();
  p_.view.setTexts(status_, usage_);
  p_.view.showWindow();
  statusSeen_ = true;
}

void Monitor::onDetails() {
  if (!passesGate())
    return;
  DetailsValues values{options_.printer, options_.cartridge, decimal(maxPages_),
                       decimal(best_),   decimal(normal_),   decimal(economic_)};
  if (!p_.dialogs.runDetails(values))
    return;
  maxPages_ = atoiLike(values.maximum);
  best_ = atoiLike(values.best);
  normal_ = atoiLike(values.normal);
  economic_ = atoiLike(values.economic);
  recomputeUsage(false);
}

void Monitor::onSettings() {
  if (!passesGate())
    return;
  SettingsValues values;
  values.options = options_;
  values.password = readPassword(p_.profile);
  if (!p_.dialogs.runSettings(values))
    return;

  // Every option but automatic detection is taken over now; detection follows below, with its
  // timer and tooltip.
  const bool autoMonitor = options_.autoMonitor;
  options_ = values.options;
  options_.autoMonitor = autoMonitor;

  saveConfirmedSettings(p_.profile, values.options, values.password);
  p_.updateAutostart(options_.windowsRun);

  if (values.options.autoMonitor != options_.autoMonitor) {
    options_.autoMonitor = values.options.autoMonitor;
    if (options_.autoMonitor) {
      startMonitorTimer();
      p_.tray.setTipText(loadStr(ids::kDetectionOn));
    } else {
      stopMonitorTimer();
      p_.tray.setTipText(loadStr(ids::kDetectionOff));
    }
  }

  // A catalogue that could not be read when the dialog opened is not written back: the dialog's
  // empty list would replace entries it never showed.
  if (values.catalogueRead && !p_.dataFile.writeCartridgeCatalogue(values.catalogue))
    return;
  recomputeUsage(false);
  refreshInkLevels();
}

void Monitor::onExit() {
  if (!passesGate())
    return;
  saveAtExit(p_.profile, options_);
  stopMonitorTimer();
  // A last try for prints still waiting; the program does not wait for the lock to end.
  if (!pending_.empty())
    writePending();
  p_.quit(0);
}

void Monitor::onTimer() {
  watcher_->tick();
}

int Monitor::share() const {
  return usageShare(best_, normal_, economic_, maxPages_);
}

void Monitor::updateStatusDisplay() {
  const int p = share();
  usage_ = formatStr(ids::kUsage, p);
  p_.view.setTexts(status_, usage_);
  p_.view.drawGauge(p);
  // The printer comes first, so only one configuration error shows.
  if (options_.printer.empty()) {
    status_ = loadStr(ids::kNoPrinter);
  } else if (options_.cartridge.empty()) {
    status_ = loadStr(ids::kNoCartridge);
  } else {
    return;
  }
  p_.view.setTexts(status_, usage_);
}

void Monitor::recomputeUsage(bool animate) {
  best_ = normal_ = economic_ = 0;
  UsageTotals totals;
  if (!p_.dataFile.readTotals(options_.cartridge, totals))
    return;
  best_ = totals.best;
  normal_ = totals.normal;
  economic_ = totals.economic;
  // A cartridge that no entry names keeps the maximum found before.
  if (totals.maxPages)
    maxPages_ = *totals.maxPages;

  const int p = share();
  if (options_.tooltip) {
    p_.tray.setTipText(formatStr(ids::kUsage, p));
  } else {
    p_.tray.setTipText(loadStr(options_.autoMonitor ? ids::kDetectionOn : ids::kDetectionOff));
  }

  const Band band = bandOf(p);
  if (!animate) {
    p_.tray.endAnimation();
    p_.tray.setIconResource(band.still);
    p_.tray.ensureShown();
  } else {
    p_.tray.loadIconRange(band.firstFrame, band.lastFrame);
    p_.tray.startAnimation(kStepMs, kPrintAnimationSeconds);
  }
  if (options_.emptyFlash && p > kFlashAbove) {
    p_.tray.loadIconRange(kFlashFirst, kFlashLast);
    p_.tray.startAnimation(kStepMs, -1);
  }
  refreshForecast(p);
  if (std::exchange(inksAfterPrint_, false))
    refreshInkLevels();
}

void Monitor::refreshForecast(int share) {
  UseHistory history;
  std::size_t records = 0;
  const bool read = p_.dataFile.forEachRecord(options_.cartridge, [&](const PrintRecord& r) {
    ++records;
    history.add(r, p_.dates);
  });
  if (!read)
    return;
  const CivilDate today = p_.dates.today();
  const Forecast forecast = makeForecast(
      history, dayNumber(today), pagesLeft(best_, normal_, economic_, maxPages_), maxPages_);
  p_.view.showForecast(forecastSentence(forecast), monthlyUse(history, today, maxPages_));
  notify(notices_.onUsage(share, records == 0));
}

void Monitor::notify(const std::string& notice) {
  if (notice.empty())
    return;
  trace("notice: %s", notice.c_str());
  p_.tray.showMessage(loadStr(ids::kNoticeTitle), notice);
}

// The window never waits for the printer's report: the group appears when it arrives. A report
// on a printer that is no longer the chosen one is dropped.
void Monitor::refreshInkLevels() {
  p_.inks.readMarkers(
      options_.printer, [this, printer = options_.printer](const std::vector<Marker>& markers) {
        if (printer != options_.printer)
          return;
        notify(notices_.onMarkers(markers));
        p_.view.showInkLevels(inkRows(markers),
                              compareWithEstimate(markers, options_.cartridge, share()));
      });
}

bool Monitor::checkAccessPassword() {
  std::string entered;
  if (!p_.dialogs.askPassword(entered))
    return false;
  // Read at every call: a password changed in Settings applies to the next command.
  if (entered == readPassword(p_.profile))
    return true;
  p_.messages.showError(loadStr(ids::kWrongPassword));
  return false;
}

bool Monitor::passesGate() {
  return !options_.anyone || checkAccessPassword();
}

void Monitor::showWatchResult(const std::string& sentence) {
  status_ = sentence;
  if (options_.popStatus) {
    statusSeen_ = true;
    p_.view.setTexts(status_, usage_);
    p_.view.showWindow();
  } else {
    statusSeen_ = false;
  }
}

bool Monitor::appendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                                const std::string& user, const std::string& remark) {
  pending_.push_back(PrintRecord{p_.clock.dateText(), p_.clock.timeText(), decimal(best),
                                 decimal(normal), decimal(economic), user, remark});
  // The printer has just used ink: its report is asked for once the usage is recomputed.
  inksAfterPrint_ = writePending();
  return inksAfterPrint_;
}

bool Monitor::writePending() {
  // Taken out first: a failure's message box runs timers, and a retry then must find nothing.
  std::vector<PrintRecord> records = std::exchange(pending_, {});
  if (retryTimer_ != 0)
    p_.timers.kill(retryTimer_);
  retryTimer_ = 0;
  const DataFile::Appended result = p_.dataFile.appendRecords(records);
  if (result != DataFile::Appended::Busy)
    return result == DataFile::Appended::Written;
  pending_ = std::move(records);
  retryTimer_ = p_.timers.start(kMonitorPeriodMs, true, [this] { retryPending(); });
  return true;
}

// The records reach the file later than their watch: the totals, the icon and the gauge follow
// now, as they would have then.
void Monitor::retryPending() {
  if (writePending()) {
    if (!pending_.empty())
      return;  // still busy
    inksAfterPrint_ = true;
    recomputeUsage(false);
    updateStatusDisplay();
  } else {
    blinkAppendFailure();
  }
}

void Monitor::blinkAppendFailure() {
  // Only the first id has a picture, so the icon alternates with an empty frame.
  p_.tray.loadIconRange(kFirstTrayIcon, icons::kBlank);
  p_.tray.startAnimation(kStepMs, kFailureBlinkSeconds);
}

void Monitor::startMonitorTimer() {
  if (monitorTimer_ != 0)
    return;
  // Jobs printed while detection was off were not watched; counting them now would count pages
  // the user may have entered by hand.
  p_.jobs.startFresh(options_.printer);
  monitorTimer_ = p_.timers.start(kMonitorPeriodMs, true, [this] { onTimer(); });
}

void Monitor::stopMonitorTimer() {
  if (monitorTimer_ == 0)
    return;
  p_.timers.kill(monitorTimer_);
  monitorTimer_ = 0;
}

}  // namespace pw
