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

using Keys = std::vector<std::string>;

// Holds each question until the test delivers the answers.
struct FakeInks : IInkLevels {
  void readMarkers(const std::string& printer, Answer answer) override {
    asked.push_back(printer);
    held.push_back(std::move(answer));
  }
  void deliver() {
    for (auto& answer : std::exchange(held, {}))
      answer(markers);
  }
  std::vector<Marker> markers;
  std::vector<std::string> asked;
  std::vector<Answer> held;
};

struct FakeView : IStatusView {
  void setTexts(const std::string& s, const std::string& u) override {
    status = s;
    usage = u;
  }
  void showWindow() override { ++shown; }
  void drawGauge(int share) override { gauge = share; }
  void showInkLevels(const std::vector<InkRow>& rows, const std::string&) override {
    inkRows = rows;
  }
  void showForecast(const std::string& sentence, const std::vector<MonthUse>&) override {
    forecast = sentence;
  }
  std::vector<InkRow> inkRows;
  std::string status, usage, forecast;
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

  // One catalogue entry "Black 100" of 100 pages, and one record.
  void writeData(int best, int normal, int economic) {
    std::ofstream(dir_ / "Pagewarden.xml")
        << test::DataFileBuilder()
               .entry({"Black 100", "100", "Office"})
               .record({"1.1.2026", "8:00:00", std::to_string(best), std::to_string(normal),
                        std::to_string(economic), "u", "r"})
               .text();
  }

  Monitor& make() {
    monitor_ = std::make_unique<Monitor>(
        MonitorPorts{profile_, messages_, clock_, timers_, jobs_, inks_, tray_, view_, dialogs_,
                     dataFile_, urls_, [this](bool on) { autostart_.push_back(on); },
                     [this](int code) { quit_.push_back(code); }, dates_});
    return *monitor_;
  }

  std::filesystem::path dir_;
  test::FakeMessages messages_;
  test::FakeProfile profile_;
  test::FakeClock clock_;
  test::FakeDates dates_;
  test::FakeTimers timers_;
  test::FakeJobSource jobs_;
  FakeInks inks_;
  test::FakeTrayShell shell_;
  FakeView view_;
  FakeDialogs dialogs_;
  test::FakeUrlOpener urls_;
  DataFile dataFile_;
  CSystemTray tray_;
  std::vector<bool> autostart_;
  std::vector<int> quit_;
  std::unique_ptr<Monitor> monitor_;
};

TEST_F(MonitorTest, StartUpSettingsAndExitUseTheProfileKeysInTheirOrder) {
  profile_.values.erase("FirstTime");  // a first run: Settings opens by itself
  dialogs_.settingsOk = true;
  Monitor& m = make();
  ASSERT_TRUE(m.start());
  m.onCommand(cmd::kExit);
  // The last read belongs to the Settings dialog.
  EXPECT_EQ(profile_.reads,
            (Keys{"Printer", "Cartridge", "Quality", "AutoQuality", "EmptyFlash", "PopStatus",
                  "Tooltip", "AutoMonitor", "Anyone", "WindowsRun", "FirstTime", "Anyonestr"}));
  // The confirmed Settings, then Exit.
  EXPECT_EQ(profile_.writes,
            (Keys{"Printer", "Cartridge",   "AutoQuality", "EmptyFlash", "PopStatus", "Tooltip",
                  "Quality", "AutoMonitor", "Anyone",      "Anyonestr",  "FirstTime", "WindowsRun",
                  "Printer", "Cartridge",   "AutoQuality", "EmptyFlash", "PopStatus", "Tooltip",
                  "Quality", "AutoMonitor", "Anyone",      "FirstTime"}));
  EXPECT_EQ(autostart_, (std::vector<bool>{true, true}));
  EXPECT_EQ(quit_, std::vector<int>{0});
  EXPECT_FALSE(m.monitoring());

  // Only FirstTime 1 (or none, above) opens Settings by itself.
  for (const auto& [value, runs] : {std::pair{"1", 1}, {"2", 0}, {"0", 0}}) {
    profile_.values["FirstTime"] = value;
    dialogs_.settingsRuns = 0;
    make().start();
    EXPECT_EQ(dialogs_.settingsRuns, runs) << value;
  }
}

TEST_F(MonitorTest, WithoutNotificationAreaStartUpStopsBeforeTheOptions) {
  shell_.isAvailable = false;
  EXPECT_FALSE(make().start());
  EXPECT_TRUE(profile_.reads.empty());
  EXPECT_TRUE(autostart_.empty());
  EXPECT_FALSE(monitor_->monitoring());
}

TEST_F(MonitorTest, TooltipAndIconFollowTheShare) {
  struct Case {
    int normal;
    int tooltip, autoMonitor, emptyFlash;
    std::string tip;
    IconId icon;
    bool flashing;
  };
  const std::vector<Case> cases = {
      {39, 1, 1, 1, "Náplň je vypotřebována z 39%.", icons::kGreen, false},
      {40, 1, 1, 1, "Náplň je vypotřebována z 40%.", icons::kYellow, false},
      {69, 0, 1, 1, "Pagewarden: Automatická detekce tisku je ZAPNUTA.", icons::kYellow, false},
      {69, 0, 0, 1, "Pagewarden: Automatická detekce tisku je VYPNUTA.", icons::kYellow, false},
      {70, 1, 1, 1, "Náplň je vypotřebována z 70%.", icons::kRed, false},
      {95, 1, 1, 1, "Náplň je vypotřebována z 95%.", icons::kRed, false},
      {96, 1, 1, 1, "Náplň je vypotřebována z 96%.", icons::kRed, true},
      {96, 1, 1, 0, "Náplň je vypotřebována z 96%.", icons::kRed, false},
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
  make().start();
  monitor_->updateStatusDisplay();
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

TEST_F(MonitorTest, ConfirmedSettingsSwitchTheTimerAndRewriteTheCatalogue) {
  Monitor& m = make();
  m.start();
  dialogs_.onSettings = [](SettingsValues& v) {
    v.options.autoMonitor = false;
    v.options.windowsRun = false;
    v.options.tooltip = false;
    v.password = "abc";
    v.catalogueRead = true;
    v.catalogue = {{"Color 300", "300", "Office"}};
    v.options.cartridge = "Color 300";
  };
  m.onCommand(cmd::kSettings);  // Storno changes nothing anywhere
  EXPECT_TRUE(profile_.writes.empty());
  EXPECT_EQ(m.maxPages(), 100);

  dialogs_.settingsOk = true;
  m.onCommand(cmd::kSettings);
  EXPECT_EQ(profile_.values["AutoMonitor"], "0");
  EXPECT_EQ(profile_.values["Anyonestr"], "abc");
  EXPECT_EQ(autostart_, (std::vector<bool>{true, false}));
  EXPECT_FALSE(m.monitoring());
  EXPECT_EQ(tray_.record().tip, "Pagewarden: Automatická detekce tisku je VYPNUTA.");
  EXPECT_EQ(m.maxPages(), 300);  // read back from the rewritten catalogue

  // A catalogue the dialog could not read is not written back over the file.
  // Watching that starts again starts afresh, on the printer just chosen: what was printed while
  // it was off is not counted.
  dialogs_.onSettings = [](SettingsValues& v) {
    v.options.autoMonitor = true;
    v.options.printer = "Druha";
    v.catalogueRead = false;
    v.catalogue = {{"Color 300", "500", "Office"}};
  };
  m.onCommand(cmd::kSettings);
  EXPECT_EQ(m.maxPages(), 300);
  EXPECT_TRUE(m.monitoring());
  EXPECT_EQ(jobs_.freshStarts, (Keys{"Office", "Druha"}));
  EXPECT_EQ(tray_.record().tip, "Pagewarden: Automatická detekce tisku je ZAPNUTA.");
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

// Asked for at start-up, when the status window is shown and after a recorded print (with the
// usage that includes it), never on the tick or a repaint. The window never waits for the answer,
// and an answer about a printer chosen before is dropped.
TEST_F(MonitorTest, TheInkReportIsAskedForNowAndThenAndShownOnlyForTheChosenPrinter) {
  inks_.markers = {Marker{"Black", "#000000", 50, 10, "ink-cartridge"}};
  Monitor& m = make();
  m.start();
  timers_.advance(10 * Monitor::kMonitorPeriodMs);  // an idle queue
  m.updateStatusDisplay();                          // a repaint
  EXPECT_EQ(inks_.asked, Keys{"Office"});
  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(inks_.asked.size(), 2u);
  EXPECT_EQ(view_.shown, 1);
  EXPECT_TRUE(view_.inkRows.empty());
  inks_.deliver();
  EXPECT_EQ(view_.inkRows.size(), 1u);
  ASSERT_TRUE(m.appendPrintRecord(0, 100, 0, "eva", "doc"));
  m.recomputeUsage(true);
  m.recomputeUsage(false);
  EXPECT_EQ(inks_.asked.size(), 3u);

  view_.inkRows.clear();
  inks_.held.clear();
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

// The order a desktop produces: a print takes the share past the flashing point, the next print
// follows, the printer's report of a low ink arrives with each.
TEST_F(MonitorTest, APrintPastTheFlashingPointIsToldOnceAndTheForecastFollowsTheLog) {
  writeData(0, 95, 0);
  inks_.markers = {Marker{"Black", "#000000", 12, 10, "ink-cartridge"}};
  Monitor& m = make();
  m.start();
  inks_.deliver();
  EXPECT_TRUE(shell_.messages.empty());
  EXPECT_EQ(view_.forecast, loadStr(ids::kForecastTooLittle));

  inks_.markers[0].level = 9;
  for (int print = 0; print < 2; ++print) {
    ASSERT_TRUE(m.appendPrintRecord(0, 1, 0, "eva", "doc"));
    m.recomputeUsage(true);
    inks_.deliver();
  }
  EXPECT_EQ(shell_.messages,
            (Keys{formatStr(ids::kNoticeUsage, 96), formatStr(ids::kNoticeInk, "Black (9 %)")}));
}

TEST_F(MonitorTest, AFailedRecordBlinksTheIconForTenSeconds) {
  make().start();
  monitor_->blinkAppendFailure();
  EXPECT_EQ(tray_.iconList(), (std::vector<IconId>{icons::kGreen, 0}));
  clock_.seconds += 11;
  timers_.advance(500);
  EXPECT_FALSE(tray_.animating());
}

// Another writer holding the data file (the command-line tool) delays a recorded print but never
// loses it: no message, no blink, and the record is written once the file is free.
TEST_F(MonitorTest, APrintRecordedWhileTheFileIsBusyIsWrittenWhenItFrees) {
  Monitor& m = make();
  m.start();
  FileLock other;
  ASSERT_TRUE(other.acquire((dir_ / "Pagewarden.lock").string(), std::chrono::milliseconds(0)));
  EXPECT_TRUE(m.appendPrintRecord(0, 10, 0, "eva", "doc"));
  timers_.advance(Monitor::kMonitorPeriodMs);
  EXPECT_FALSE(tray_.animating());
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
