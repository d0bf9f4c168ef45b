// The Monitor wires parts tested on their own (the watcher, the tray, the data file, the options,
// the notices and the forecast): these scenarios check the wiring only.

#include "app/Monitor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "base/FileOps.h"
#include "res/Ids.h"
#include "res/Strings.h"
#include "support/DataFileBuilder.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using Keys = std::vector<std::string>;

// The fixture stands for the status window, the dialogs and the printer's ink report.
class MonitorTest : public ::testing::Test, public IStatusView, public IDialogs, public IInkLevels {
 protected:
  MonitorTest()
      : dir_(std::filesystem::temp_directory_path() /
             ("pw-monitor-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())),
        dataFile_(DataFilePaths::inFolder(dir_.string()), messages_),
        tray_(shell_, timers_, clock_) {
    std::filesystem::create_directories(dir_);
    writeData(0);
    profile_.values = {{"Printer", "Office"}, {"Cartridge", "Black 100"}, {"FirstTime", "0"}};
  }
  ~MonitorTest() override { std::filesystem::remove_all(dir_); }

  // One catalogue entry "Black 100" of 100 pages, and one record.
  void writeData(int normal) {
    test::DataFileBuilder()
        .entry({"Black 100", "100", "Office"})
        .record({"1.1.2026", "8:00:00", "0", std::to_string(normal), "0", "u", "r"})
        .writeTo((dir_ / "Pagewarden.xml").string());
  }

  Monitor& make() {
    monitor_ = std::make_unique<Monitor>(
        MonitorPorts{profile_, messages_, clock_, timers_, jobs_, *this, tray_, *this, *this,
                     dataFile_, urls_, [this](bool on) { autostart_.push_back(on); },
                     [this](int code) { quit_.push_back(code); }, dates_});
    return *monitor_;
  }

  void setTexts(const std::string& status, const std::string& usage) override {
    status_ = status;
    usage_ = usage;
  }
  void showWindow() override { ++shown_; }
  void drawGauge(int share) override { gauge_ = share; }
  void showInkLevels(const std::vector<InkRow>&, const std::string&) override { ++inkShows_; }
  void showForecast(const std::string& s, const std::vector<MonthUse>&) override { forecast_ = s; }

  bool askPassword(std::string& entered) override {
    ++prompts_;
    entered = password_;
    return passwordOk_;
  }
  bool runDetails(DetailsValues&) override {
    ran_ += 'D';
    return false;
  }
  bool runSettings(SettingsValues& v) override {
    ran_ += 'S';
    return settings_(v);
  }
  void runAbout() override { ran_ += 'A'; }

  // Each question is held until the test delivers the answers.
  void readMarkers(const std::string& printer, Answer answer) override {
    asked_.push_back(printer);
    held_.push_back(std::move(answer));
  }
  void deliver() {
    for (auto& answer : std::exchange(held_, {}))
      answer(markers_);
  }

  std::filesystem::path dir_;
  test::FakeMessages messages_;
  test::FakeProfile profile_;
  test::FakeClock clock_;
  test::FakeDates dates_;
  test::FakeTimers timers_;
  test::FakeJobSource jobs_;
  test::FakeTrayShell shell_;
  test::FakeUrlOpener urls_;
  DataFile dataFile_;
  CSystemTray tray_;
  std::vector<bool> autostart_;
  std::vector<int> quit_;
  std::unique_ptr<Monitor> monitor_;
  // What the window was given.
  std::string status_, usage_, forecast_;
  int shown_ = 0, gauge_ = -1, inkShows_ = 0;
  // The password the user enters, and whether with OK; the dialogs that ran (D, S, A); what the
  // user changes in Settings and whether with OK.
  std::string password_, ran_;
  bool passwordOk_ = true;
  int prompts_ = 0;
  std::function<bool(SettingsValues&)> settings_ = [](SettingsValues&) { return false; };
  std::vector<Marker> markers_ = {Marker{"Black", "#000000", 12, 10, "ink-cartridge"}};
  std::vector<std::string> asked_;  // the printers whose report was asked for
  std::vector<Answer> held_;
};

TEST_F(MonitorTest, TheIconFollowsTheShareAndTheWindowShowsOneConfigurationError) {
  const IconId green = icons::kGreen, yellow = icons::kYellow, red = icons::kRed;
  // normal pages of 100, EmptyFlash, the still icon (0: the red pair flashes)
  const std::tuple<int, const char*, IconId> cases[] = {
      {39, "1", green}, {40, "1", yellow}, {70, "1", red},
      {95, "1", red},   {96, "1", 0},      {96, "0", red},
  };
  for (const auto& [normal, emptyFlash, icon] : cases) {
    SCOPED_TRACE(normal);
    writeData(normal);
    profile_.values["EmptyFlash"] = emptyFlash;
    make().start();
    EXPECT_EQ(tray_.record().tip, formatStr(ids::kUsage, normal));
    EXPECT_EQ(tray_.animating(), icon == 0);
    if (icon == 0)
      EXPECT_EQ(tray_.iconList(), (std::vector<IconId>{icons::kRed, icons::kRedFrame1}));
    else
      EXPECT_EQ(tray_.record().icon, icon);
  }

  // Of the two configuration errors the printer's shows; without a cartridge there is no maximum.
  profile_.values["Printer"] = "";
  profile_.values["Cartridge"] = "";
  make().start();
  monitor_->updateStatusDisplay();
  EXPECT_EQ(status_,
            "Chyba: Není zvolena žádná tiskárna. Pro opravu této chyby nastavte správnou tiskárnu "
            "v dialogu Nastavení.");
  EXPECT_EQ(usage_, "Náplň je vypotřebována z 0%.");
}

TEST_F(MonitorTest, PasswordGateGuardsDetailsSettingsAndExitOnly) {
  profile_.values["Anyone"] = "1";
  profile_.values["Anyonestr"] = "Tajne";
  Monitor& m = make();
  m.start();
  password_ = "tajne";  // letter case counts
  m.onCommand(cmd::kExit);
  EXPECT_TRUE(quit_.empty());
  EXPECT_EQ(messages_.errors, std::vector<std::string>{"Zadané přístupové heslo není správné!"});

  passwordOk_ = false;  // Storno: silent
  m.onCommand(cmd::kDetails);
  m.onCommand(cmd::kSettings);
  m.onCommand(cmd::kAbout);
  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(messages_.errors.size(), 1u);
  EXPECT_EQ(prompts_, 3);
  EXPECT_EQ(ran_, "A");

  // Read at each prompt: the password changed meanwhile applies at once.
  passwordOk_ = true;
  profile_.values["Anyonestr"] = "";
  password_ = "";
  m.onCommand(cmd::kExit);
  EXPECT_EQ(quit_, std::vector<int>{0});
  EXPECT_EQ(std::ranges::count(profile_.writes, "FirstTime"), 1);  // the options saved
}

// A first run opens Settings by itself. OK takes the options over, switches the timer with its
// tooltip and rewrites the catalogue, but only one the dialog could read; Storno changes nothing.
// Watching that starts again starts afresh, on the printer just chosen, and an ink report about
// the printer chosen before is dropped.
TEST_F(MonitorTest, ConfirmedSettingsSwitchTheTimerAndRewriteTheCatalogue) {
  profile_.values.erase("FirstTime");  // a first run: Settings opens by itself
  settings_ = [](SettingsValues& v) {
    v.options.autoMonitor = false;
    v.options.windowsRun = false;
    v.options.tooltip = false;
    v.password = "abc";
    v.catalogueRead = true;
    v.catalogue = {{"Color 300", "300", "Office"}};
    v.options.cartridge = "Color 300";
    return true;
  };
  Monitor& m = make();
  ASSERT_TRUE(m.start());
  EXPECT_EQ(profile_.writes,
            (Keys{"Printer", "Cartridge", "AutoQuality", "EmptyFlash", "PopStatus", "Tooltip",
                  "Quality", "AutoMonitor", "Anyone", "Anyonestr", "FirstTime", "WindowsRun"}));
  EXPECT_EQ(profile_.values["AutoMonitor"], "0");
  EXPECT_EQ(profile_.values["Anyonestr"], "abc");
  EXPECT_EQ(autostart_, (std::vector<bool>{true, false}));
  EXPECT_FALSE(m.monitoring());
  EXPECT_EQ(tray_.record().tip, "Pagewarden: Automatická detekce tisku je VYPNUTA.");
  EXPECT_EQ(m.maxPages(), 300);  // read back from the rewritten catalogue

  bool ok = false;
  settings_ = [&ok](SettingsValues& v) {
    v.options.autoMonitor = true;
    v.options.printer = "Druha";
    v.catalogueRead = false;
    v.catalogue = {{"Color 300", "500", "Office"}};
    return ok;
  };
  m.onCommand(cmd::kSettings);
  EXPECT_EQ(profile_.writes.size(), 12u);
  EXPECT_FALSE(m.monitoring());
  ok = true;
  m.onCommand(cmd::kSettings);
  EXPECT_EQ(m.maxPages(), 300);
  EXPECT_TRUE(m.monitoring());
  EXPECT_EQ(jobs_.freshStarts, (Keys{"Office", "Druha"}));
  EXPECT_EQ(tray_.record().tip, "Pagewarden: Automatická detekce tisku je ZAPNUTA.");
  deliver();
  EXPECT_EQ(asked_, (Keys{"Office", "Office", "Druha"}));
  EXPECT_EQ(inkShows_, 1);
}

// The ink report is asked for at start-up, when the status window is shown and after a recorded
// print, never on the tick or a repaint, and the window never waits for it. Without PopStatus a
// watch's result waits for the window and shows once. In the order a desktop produces, a print
// past the flashing point and the low ink it leaves are told once.
TEST_F(MonitorTest, TheStatusWindowAndTheNoticesFollowThePrints) {
  writeData(95);
  profile_.values["PopStatus"] = "0";
  Monitor& m = make();
  m.start();
  timers_.advance(10 * Monitor::kMonitorPeriodMs);  // an idle queue
  m.updateStatusDisplay();                          // a repaint
  EXPECT_EQ(usage_, "Náplň je vypotřebována z 95%.");
  EXPECT_EQ(gauge_, 95);
  m.showWatchResult("Tiskárna Office vytiskla 2 stran.\n(6.12.2026 10:20:30)");
  EXPECT_EQ(shown_, 0);
  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(status_, "Tiskárna Office vytiskla 2 stran.\n(6.12.2026 10:20:30)");
  EXPECT_EQ(shown_, 1);
  EXPECT_EQ(asked_, (Keys{"Office", "Office"}));
  EXPECT_EQ(inkShows_, 0);
  deliver();
  EXPECT_EQ(inkShows_, 2);
  EXPECT_TRUE(shell_.messages.empty());
  EXPECT_EQ(forecast_, loadStr(ids::kForecastTooLittle));
  m.onCommand(cmd::kShowStatus);
  EXPECT_EQ(status_, "Čekání na další tisk na tiskárně 'Office'...");

  markers_[0].level = 9;
  for (int print = 0; print < 2; ++print) {
    ASSERT_TRUE(m.appendPrintRecord(0, 1, 0, "eva", "doc"));
    m.recomputeUsage(true);
    m.recomputeUsage(false);
    deliver();
  }
  EXPECT_EQ(asked_.size(), 5u);
  EXPECT_EQ(shell_.messages,
            (Keys{formatStr(ids::kNoticeUsage, 96), formatStr(ids::kNoticeInk, "Black (9 %)")}));
}

// Another writer holding the data file (the command-line tool) delays a recorded print but never
// loses it: no message, no blink, and the record is written once the file is free. A record that
// cannot be written blinks the icon for ten seconds.
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
  EXPECT_EQ(m.normal(), 10);  // written once
  EXPECT_TRUE(messages_.errors.empty());

  m.blinkAppendFailure();
  EXPECT_EQ(tray_.iconList(), (std::vector<IconId>{icons::kGreen, 0}));
  clock_.seconds += 11;
  timers_.advance(500);
  EXPECT_FALSE(tray_.animating());
}

}  // namespace
}  // namespace pw
