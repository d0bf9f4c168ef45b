#include "app/Monitor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "app/SpoolerPorts.h"
#include "base/FileOps.h"
#include "res/Ids.h"
#include "res/Strings.h"
#include "support/DataFileBuilder.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using test::FakeClock;
using test::FakeJobSource;
using test::FakeMessages;
using test::FakeProfile;
using test::FakeTimers;
using test::FakeTrayShell;
using test::FakeUrlOpener;

// Answers at once, or, with hold set, when the test delivers the answers.
struct FakeInks : IInkLevels {
  void readMarkers(const std::string& printer, Answer answer) override {
    asked.push_back(printer);
    if (hold)
      held.push_back(std::move(answer));
    else
      answer(markers);
  }
  void deliver() {
    for (auto& answer : std::exchange(held, {}))
      answer(markers);
  }
  std::vector<Marker> markers;
  std::vector<std::string> asked;
  bool hold = false;
  std::vector<Answer> held;
};

struct FakeView : IStatusView {
  void setTexts(const std::string& s, const std::string& u) override {
    status = s;
    usage = u;
  }
  void showWindow() override { ++shown; }
  void drawGauge(int share) override { gauge = share; }
  void showInkLevels(const std::vector<InkRow>& r, const std::string& c) override {
    inkRows = r;
    comparison = c;
  }
  void showForecast(const std::string& sentence, const std::vector<MonthUse>&) override {
    forecast = sentence;
  }
  std::vector<InkRow> inkRows;
  std::string status, usage, comparison, forecast;
  int shown = 0, gauge = -1;
};

// Each dialog answers as the test sets it; the hooks stand for what the user changed.
struct FakeDialogs : IDialogs {
  bool askPassword(std::string& entered) override {
    ++prompts;
    entered = password;
    return passwordOk;
  }
  bool runDetails(DetailsValues& v) override {
    detailsIn = v;
    onDetails(v);
    return detailsOk;
  }
  bool runSettings(SettingsValues& v) override {
    ++settingsRuns;
    onSettings(v);
    return settingsOk;
  }
  void runAbout() override { ++abouts; }
  std::string password;
  bool passwordOk = true, detailsOk = true, settingsOk = false;
  int prompts = 0, settingsRuns = 0, abouts = 0;
  DetailsValues detailsIn;
  std::function<void(DetailsValues&)> onDetails = [](DetailsValues&) {};
  std::function<void(SettingsValues&)> onSettings = [](SettingsValues&) {};
};

// A data file whose one catalogue entry "Black 100" holds 100 pages, with one record.
std::string dataFileText(int best, int normal, int economic) {
  return test::DataFileBuilder()
      .entry({"Black 100", "100", "Office"})
      .record({"1.1.2026", "8:00:00", std::to_string(best), std::to_string(normal),
               std::to_string(economic), "u", "r"})
      .text();
}

class MonitorTest : public ::testing::Test {
 protected:
  MonitorTest()
      : dir_(std::filesystem::temp_directory_path() /
             ("pw-monitor-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())),
        dataFile_(DataFilePaths::inFolder(dir_.string()), messages_),
        tray_(shell_, timers_, clock_) {
    std::filesystem::create_directories(dir_);
    writeData(0, 0, 0);
    profile_.values = {{"Printer", "Office"}, {"Cartridge", "Black 100"}, {"FirstTime", "0"}};
  }
  ~MonitorTest() override { std::filesystem::remove_all(dir_); }

  void writeData(int best, int normal, int economic) {
    std::ofstream(dir_ / "Pagewarden.xml") << dataFileText(best, normal, economic);
  }

  Monitor& make() {
    monitor_ = std::make_unique<Monitor>(
        MonitorPorts{profile_, messages_, clock_, timers_, jobs_, inks_, tray_, view_, dialogs_,
                     dataFile_, urls_, [this](bool on) { autostart_.push_back(on); },
                     [this](int code) { quit_.push_back(code); }, dates_});
    return *monitor_;
  }

  std::filesystem::path dir_;
  FakeMessages messages_;
  FakeProfile profile_;
  FakeClock clock_;
  test::FakeDates dates_;
  FakeTimers timers_;
  FakeJobSource jobs_;
  FakeInks inks_;
  FakeTrayShell shell_;
  FakeView view_;
  FakeDialogs dialogs_;
  FakeUrlOpener urls_;
  DataFile dataFile_;
  CSystemTray tray_;
  std::vector<bool> autostart_;
  std::vector<int> quit_;
  std::unique_ptr<Monitor> monitor_;
};

TEST_F(MonitorTest, StartUpReadsOptionsInOrderThenAutostartTimerAndUsage) {
  profile_.values.erase("FirstTime");
  Monitor& m = make();
  ASSERT_TRUE(m.start());
  const std::vector<std::string> expected = {"Printer",    "Cartridge",  "Quality",   "AutoQuality",
                                             "EmptyFlash", "PopStatus",  "Tooltip",   "AutoMonitor",
                                             "Anyone",     "WindowsRun", "FirstTime", "Anyonestr"};
  EXPECT_EQ(profile_.reads, expected);  // the last read belongs to the first-run Settings dialog
  EXPECT_EQ(autostart_, std::vector<bool>{true});
  EXPECT_TRUE(m.monitoring());
  EXPECT_EQ(tray_.record().tip, "Náplň je vypotřebována z 0%.");
  EXPECT_EQ(tray_.record().icon, icons::kGreen);

  // The Settings dialog opens by itself only while FirstTime reads exactly 1 (or is missing).
  for (const auto& [value, opens] : std::vector<std::pair<std::string, bool>>{
           {"1", true}, {"2", false}, {"0", false}, {"", true}}) {
    if (value.empty())
      profile_.values.erase("FirstTime");
    else
      profile_.values["FirstTime"] = value;
    dialogs_.settingsRuns = 0;
    make().start();
    EXPECT_EQ(dialogs_.settingsRuns, opens ? 1 : 0) << "FirstTime=" << value;
  }
}

TEST_F(MonitorTest, WithoutNotificationAreaStartUpStopsBeforeTheOptions) {
  shell_.isAvailable = false;
  profile_.reads.clear();
  Monitor& m = make();
  EXPECT_FALSE(m.start());
  EXPECT_TRUE(profile_.reads.empty());
  EXPECT_TRUE(autostart_.empty());
  EXPECT_FALSE(m.monitoring());
}

TEST_F(MonitorTest, TooltipAndIconFollowTheShare) {
  struct Case {
    int normal;
    int tooltip, autoMonitor, emptyFlash;
    std::string tip;
    IconId icon;
    bool flashing;
  };
  const std::string on = "Pagewarden: Automatická detekce tisku je ZAPNUTA.";
  const std::vector<Case> cases = {
      {0, 1, 1, 1, "Náplň je vypotřebována z 0%.", icons::kGreen, false},
      {39, 1, 1, 1, "Náplň je vypotřebována z 39%.", icons::kGreen, false},
      {40, 1, 1, 1, "Náplň je vypotřebována z 40%.", icons::kYellow, false},
      {69, 0, 1, 1, on, icons::kYellow, false},
      {69, 0, 0, 1, "Pagewarden: Automatická detekce tisku je VYPNUTA.", icons::kYellow, false},
      {70, 1, 1, 1, "Náplň je vypotřebována z 70%.", icons::kRed, false},
      {95, 1, 1, 1, "Náplň je vypotřebována z 95%.", icons::kRed, false},
      {96, 1, 1, 1, "Náplň je vypotřebována z 96%.", icons::kRed, true},
      {96, 1, 1, 0, "Náplň je vypotřebována z 96%.", icons::kRed, false},
      {250, 1, 0, 1, "Náplň je vypotřebována z 100%.", icons::kRed, true},
  };
  for (const Case& c : cases) {
    writeData(0, c.normal, 0);
    profile_.values["Tooltip"] = std::to_string(c.tooltip);
    profile_.values["AutoMonitor"] = std::to_string(c.autoMonitor);
    profile_.values["EmptyFlash"] = std::to_string(c.emptyFlash);
    make().start();
    SCOPED_TRACE(c.normal);
    EXPECT_EQ(monitor_->monitoring(), c.autoMonitor == 1);
    EXPECT_EQ(tray_.record().tip, c.tip);
    EXPECT_EQ(tray_.animating(), c.flashing);
    if (c.flashing) {
      EXPECT_EQ(tray_.iconList(), (std::vector<IconId>{icons::kRed, icons::kRedFrame1}));
    } else {
      EXPECT_EQ(tray_.record().icon, c.icon);
    }
  }
}

TEST_F(MonitorTest, ShowStatusShowsAWaitingResultOnceThenTheIdleSentence) {
  profile_.values["PopStatus"] = "0";
  Monitor& m = make();
  m.start();
  m.showWatchResult("Tiskárna Office vytiskla 2 stran.\n(6.12.2026 10:20:30)");
  EXPECT_EQ(view_.shown, 0);
  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(view_.status, "Tiskárna Office vytiskla 2 stran.\n(6.12.2026 10:20:30)");
  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(view_.status, "Čekání na další tisk na tiskárně 'Office'...");
  EXPECT_EQ(view_.shown, 2);
}

TEST_F(MonitorTest, StatusDisplayShowsUsageAndOneConfigurationError) {
  writeData(3, 10, 3);  // weighted 4 + 10 + 2
  profile_.values["Printer"] = "";
  profile_.values["Cartridge"] = "";
  Monitor& m = make();
  m.start();
  m.updateStatusDisplay();
  EXPECT_EQ(view_.usage, "Náplň je vypotřebována z 0%.");  // no cartridge: no maximum
  EXPECT_EQ(view_.status,
            "Chyba: Není zvolena žádná tiskárna. Pro opravu této chyby nastavte správnou "
            "tiskárnu v dialogu Nastavení.");

  profile_.values["Printer"] = "Office";
  make().start();
  monitor_->updateStatusDisplay();
  EXPECT_EQ(view_.status,
            "Chyba: Není zvolen žádný zásobník. Pro opravu této chyby nastavte správný zásobník "
            "v dialogu Nastavení.");

  profile_.values["Cartridge"] = "Black 100";
  make().start();
  monitor_->updateStatusDisplay();
  EXPECT_EQ(view_.usage, "Náplň je vypotřebována z 16%.");
  EXPECT_EQ(view_.gauge, 16);
}

TEST_F(MonitorTest, ExitWritesTheExitListInOrderAndQuits) {
  Monitor& m = make();
  m.start();
  profile_.writes.clear();
  m.onCommand(cmd::kExit);
  const std::vector<std::string> expected = {"Printer",   "Cartridge", "AutoQuality", "EmptyFlash",
                                             "PopStatus", "Tooltip",   "Quality",     "AutoMonitor",
                                             "Anyone",    "FirstTime"};
  EXPECT_EQ(profile_.writes, expected);
  EXPECT_EQ(quit_, std::vector<int>{0});
  EXPECT_FALSE(m.monitoring());
}

TEST_F(MonitorTest, PasswordGateGuardsDetailsSettingsAndExitOnly) {
  profile_.values["Anyone"] = "1";
  profile_.values["Anyonestr"] = "Tajne";
  Monitor& m = make();
  m.start();

  dialogs_.password = "tajne";  // letter case counts
  m.onCommand(cmd::kExit);
  EXPECT_TRUE(quit_.empty());
  EXPECT_EQ(messages_.errors, std::vector<std::string>{"Zadané přístupové heslo není správné!"});

  dialogs_.passwordOk = false;  // Storno: silent
  m.onCommand(cmd::kDetails);
  m.onCommand(cmd::kSettings);
  EXPECT_EQ(messages_.errors.size(), 1u);
  EXPECT_EQ(dialogs_.settingsRuns, 0);

  const int prompts = dialogs_.prompts;
  m.onCommand(cmd::kAbout);
  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(dialogs_.prompts, prompts);
  EXPECT_EQ(dialogs_.abouts, 1);

  dialogs_.passwordOk = true;
  profile_.values["Anyonestr"] = "";  // read at each prompt: only an empty entry passes now
  dialogs_.password = "Tajne";
  EXPECT_FALSE(m.checkAccessPassword());
  dialogs_.password = "";
  m.onCommand(cmd::kExit);
  EXPECT_EQ(quit_, std::vector<int>{0});
}

TEST_F(MonitorTest, ConfirmedSettingsWriteInOrderSwitchTheTimerAndRewriteTheCatalogue) {
  Monitor& m = make();
  m.start();
  profile_.writes.clear();
  dialogs_.onSettings = [](SettingsValues& v) { v.catalogue.clear(), v.catalogueRead = true; };
  m.onCommand(cmd::kSettings);  // Storno changes nothing anywhere
  EXPECT_TRUE(profile_.writes.empty());
  EXPECT_EQ(m.maxPages(), 100);

  dialogs_.settingsOk = true;
  dialogs_.onSettings = [](SettingsValues& v) {
    v.options.autoMonitor = false;
    v.options.windowsRun = false;
    v.options.tooltip = false;
    v.password = "abc";
    v.catalogueRead = true;
    v.catalogue = {{"Color 300", "300", "Office"}};
    v.options.cartridge = "Color 300";
  };
  m.onCommand(cmd::kSettings);
  const std::vector<std::string> expected = {"Printer",   "Cartridge", "AutoQuality", "EmptyFlash",
                                             "PopStatus", "Tooltip",   "Quality",     "AutoMonitor",
                                             "Anyone",    "Anyonestr", "FirstTime",   "WindowsRun"};
  EXPECT_EQ(profile_.writes, expected);
  EXPECT_EQ(profile_.values["AutoMonitor"], "0");
  EXPECT_EQ(profile_.values["Anyonestr"], "abc");
  EXPECT_EQ(autostart_, (std::vector<bool>{true, false}));
  EXPECT_FALSE(m.monitoring());
  EXPECT_EQ(tray_.record().tip, "Pagewarden: Automatická detekce tisku je VYPNUTA.");
  std::vector<CartridgeEntry> catalogue;
  ASSERT_TRUE(dataFile_.readCartridgeCatalogue(catalogue));
  EXPECT_EQ(catalogue.size(), 1u);
  EXPECT_EQ(catalogue[0].name, "Color 300");
  EXPECT_EQ(m.maxPages(), 300);

  // A catalogue the dialog could not read is not written back over the file.
  // Watching that starts again starts afresh, on the printer just chosen: what was printed while
  // it was off is not counted.
  dialogs_.onSettings = [](SettingsValues& v) {
    v.options.autoMonitor = true;
    v.options.printer = "Druha";
    v.catalogueRead = false;
    v.catalogue.clear();
  };
  m.onCommand(cmd::kSettings);
  EXPECT_TRUE(m.monitoring());
  ASSERT_EQ(jobs_.freshStarts.size(), 2u);
  EXPECT_EQ(jobs_.freshStarts.back(), "Druha");
  EXPECT_EQ(tray_.record().tip, "Pagewarden: Automatická detekce tisku je ZAPNUTA.");
  ASSERT_TRUE(dataFile_.readCartridgeCatalogue(catalogue));
  EXPECT_EQ(catalogue.size(), 1u);
}

TEST_F(MonitorTest, DetailsHandsOverTotalsAndTakesThemBackOnlyOnOk) {
  writeData(3, 0, 0);
  Monitor& m = make();
  m.start();
  dialogs_.onDetails = [](DetailsValues& v) { v.maximum = "50abc"; };
  dialogs_.detailsOk = false;
  m.onCommand(cmd::kDetails);
  EXPECT_EQ(dialogs_.detailsIn.printer, "Office");
  EXPECT_EQ(dialogs_.detailsIn.best, "3");
  EXPECT_EQ(dialogs_.detailsIn.maximum, "100");
  EXPECT_EQ(m.maxPages(), 100);

  // Taken back with atoi's rules; a cartridge that no entry names keeps that maximum.
  dialogs_.detailsOk = true;
  profile_.values["Cartridge"] = "Missing";
  make().start();
  monitor_->onCommand(cmd::kDetails);
  EXPECT_EQ(monitor_->maxPages(), 50);
  EXPECT_EQ(monitor_->best(), 3);
}

TEST_F(MonitorTest, ThePrintersInkReportIsAskedForNowAndThenButNeverOnTheTick) {
  inks_.markers = {Marker{"Black", "#000000", 50, 10, "ink-cartridge"}};
  Monitor& m = make();
  m.start();
  EXPECT_EQ(inks_.asked, std::vector<std::string>{"Office"});
  ASSERT_EQ(view_.inkRows.size(), 1u);
  EXPECT_EQ(view_.inkRows[0].levelText, "50 %");
  timers_.advance(10 * Monitor::kMonitorPeriodMs);  // an idle queue
  m.updateStatusDisplay();                          // a repaint
  EXPECT_EQ(inks_.asked.size(), 1u);

  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(inks_.asked.size(), 2u);
  // After a recorded print, with the usage that includes it.
  ASSERT_TRUE(m.appendPrintRecord(0, 100, 0, "eva", "doc"));
  m.recomputeUsage(true);
  EXPECT_EQ(inks_.asked.size(), 3u);
  m.recomputeUsage(false);
  EXPECT_EQ(inks_.asked.size(), 3u);
}

// The order a desktop produces: a print takes the share past the flashing point, the next print
// follows, the printer's report of a low ink arrives with each.
TEST_F(MonitorTest, APrintPastTheFlashingPointIsToldOnceAndTheForecastFollowsTheLog) {
  writeData(0, 95, 0);
  inks_.markers = {Marker{"Black", "#000000", 12, 10, "ink-cartridge"}};
  Monitor& m = make();
  m.start();
  EXPECT_TRUE(shell_.messages.empty());
  EXPECT_EQ(view_.forecast, loadStr(ids::kForecastTooLittle));

  inks_.markers[0].level = 9;
  ASSERT_TRUE(m.appendPrintRecord(0, 1, 0, "eva", "doc"));
  m.recomputeUsage(true);
  ASSERT_TRUE(m.appendPrintRecord(0, 1, 0, "eva", "doc"));
  m.recomputeUsage(true);
  EXPECT_EQ(shell_.messages, (std::vector<std::string>{formatStr(ids::kNoticeUsage, 96),
                                                       formatStr(ids::kNoticeInk, "Black (9 %)")}));
}

TEST_F(MonitorTest, AFailedRecordBlinksTheIconForTenSeconds) {
  Monitor& m = make();
  m.start();
  const IconId before = tray_.record().icon;
  m.blinkAppendFailure();
  EXPECT_EQ(tray_.iconList(), (std::vector<IconId>{icons::kGreen, 0}));
  clock_.seconds += 11;
  timers_.advance(500);
  EXPECT_FALSE(tray_.animating());
  EXPECT_EQ(tray_.record().icon, before);
}

// The status window never waits for the printer's report: its group appears when the answer
// comes, and an answer about a printer chosen before is dropped.
TEST_F(MonitorTest, TheInkReportArrivesAfterTheWindowAndOnlyForTheChosenPrinter) {
  inks_.markers = {Marker{"Black", "#000000", 50, 10, "ink-cartridge"}};
  inks_.hold = true;
  Monitor& m = make();
  m.start();
  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(view_.shown, 1);
  EXPECT_TRUE(view_.inkRows.empty());
  inks_.deliver();
  ASSERT_EQ(view_.inkRows.size(), 1u);

  view_.inkRows.clear();
  m.onCommand(cmd::kShowStatus);
  dialogs_.settingsOk = true;
  dialogs_.onSettings = [](SettingsValues& v) { v.options.printer = "Home"; };
  m.onCommand(cmd::kSettings);
  ASSERT_EQ(inks_.held.size(), 2u);
  inks_.held[0](inks_.markers);  // about "Office"
  EXPECT_TRUE(view_.inkRows.empty());
  inks_.held[1](inks_.markers);
  EXPECT_EQ(view_.inkRows.size(), 1u);
}

// Another writer holding the data file (the command-line tool) delays a recorded print but never
// loses it: no message, no blink, and the record is written once the file is free.
TEST_F(MonitorTest, APrintRecordedWhileTheFileIsBusyIsWrittenWhenItFrees) {
  profile_.values["AutoQuality"] = "1";
  Monitor& m = make();
  m.start();
  FileLock other;
  ASSERT_TRUE(other.acquire((dir_ / "Pagewarden.lock").string(), std::chrono::milliseconds(0)));
  jobs_.script = {std::vector<JobSnapshot>{{7, 0, 10, "eva", "doc", std::int16_t{-3}}},
                  std::vector<JobSnapshot>{}};
  timers_.advance(Monitor::kMonitorPeriodMs);
  timers_.advance(JobWatcher::kPauseMs);
  EXPECT_TRUE(messages_.errors.empty());
  EXPECT_NE(tray_.iconList(), (std::vector<IconId>{134, 0}));
  EXPECT_EQ(m.pendingRecords(), 1u);
  EXPECT_EQ(m.normal(), 0);

  other.release();
  timers_.advance(Monitor::kMonitorPeriodMs);
  EXPECT_EQ(m.pendingRecords(), 0u);
  EXPECT_EQ(m.normal(), 10);
  LoadedLog log;
  ASSERT_TRUE(dataFile_.loadPrintLog("Black 100", log));
  ASSERT_EQ(log.rows.size(), 2u);
  EXPECT_EQ(log.rows[1].remark, "doc");
  EXPECT_TRUE(messages_.errors.empty());
}

}  // namespace
}  // namespace pw
