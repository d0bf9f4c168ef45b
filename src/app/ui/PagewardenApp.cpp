#include "app/ui/PagewardenApp.h"

#include <QCoreApplication>

#include "adapters/cups/CupsInkLevels.h"
#include "adapters/cups/CupsPrinterList.h"
#include "adapters/cups/CupsSchedulerCalls.h"
#include "adapters/qt/QtDateReader.h"
#include "adapters/qt/QtPorts.h"
#include "adapters/qt/QtText.h"
#include "adapters/xdg/XdgAutostart.h"
#include "app/BoundedJobSource.h"
#include "app/SchedulerJobSource.h"
#include "app/ui/StatusWindow.h"
#include "details/ui/DetailsDlg.h"
#include "log/DataFile.h"
#include "res/Ids.h"
#include "settings/Autostart.h"
#include "settings/ui/SettingsDlg.h"
#include "shell/SystemTray.h"
#include "shell/UrlOpener.h"
#include "shell/ui/AboutDlg.h"
#include "shell/ui/MessageBoxes.h"
#include "shell/ui/PasswordDlg.h"
#include "shell/ui/TrayIcon.h"

namespace pw {

namespace {

// The notification icon's menu, in its order.
std::vector<TrayIcon::MenuItem> trayMenu() {
  using Item = TrayIcon::MenuItem;
  Item web;
  web.text = loadQStr(ids::kMenuWeb);
  web.submenu = {Item{cmd::kHomePage, loadQStr(ids::kMenuHomePage), {}, false},
                 Item{cmd::kSupport, loadQStr(ids::kMenuSupport), {}, false},
                 Item{cmd::kMail, loadQStr(ids::kMenuMail), {}, false}};
  Item separator;
  separator.separator = true;
  return {Item{cmd::kAbout, loadQStr(ids::kMenuAbout), {}, false},
          web,
          separator,
          Item{cmd::kSettings, loadQStr(ids::kMenuSettings), {}, false},
          Item{cmd::kDetails, loadQStr(ids::kMenuDetails), {}, false},
          Item{cmd::kShowStatus, loadQStr(ids::kMenuShowStatus), {}, false},
          separator,
          Item{cmd::kExit, loadQStr(ids::kMenuExit), {}, false}};
}

}  // namespace

// The modal dialogs, each created by its command, run and discarded.
class PagewardenApp::Dialogs : public IDialogs {
 public:
  Dialogs(DataFile& dataFile, IPrinterList& printers, IUrlOpener& urls)
      : dataFile_(dataFile), printers_(printers), urls_(urls) {}

  bool askPassword(std::string& entered) override {
    CPasswordDlg dlg;
    if (dlg.exec() != QDialog::Accepted)
      return false;
    entered = S(dlg.password());
    return true;
  }

  bool runDetails(DetailsValues& values) override {
    CDetailsDlg dlg(dataFile_);
    dlg.setValues(values);
    if (dlg.exec() != QDialog::Accepted)
      return false;
    values = dlg.values();
    return true;
  }

  bool runSettings(SettingsValues& values) override {
    CSettingsDlg dlg(dataFile_, printers_);
    dlg.setValues(values);
    if (dlg.exec() != QDialog::Accepted)
      return false;
    values = dlg.values();
    return true;
  }

  void runAbout() override {
    CAboutDlg dlg(urls_);
    dlg.exec();
  }

 private:
  DataFile& dataFile_;
  IPrinterList& printers_;
  IUrlOpener& urls_;
};

PagewardenApp::PagewardenApp(const QString& dataFolder)
    : messages_(std::make_unique<QtMessages>()),
      profile_(std::make_unique<QtProfile>()),
      clock_(std::make_unique<QtClock>()),
      dates_(std::make_unique<QtDateReader>()),
      timers_(std::make_unique<QtTimers>()),
      urls_(std::make_unique<QtUrlOpener>()),
      jobs_(std::make_unique<BoundedJobSource>(
          std::make_unique<SchedulerJobSource>(std::make_unique<CupsSchedulerCalls>()),
          BoundedJobSource::kWindowsLimit)),
      inks_(std::make_unique<CupsInkLevels>()),
      printers_(std::make_unique<CupsPrinterList>()),
      dataFile_(std::make_unique<DataFile>(DataFilePaths::inFolder(S(dataFolder)), *messages_)),
      trayShell_(std::make_unique<TrayIcon>()),
      tray_(std::make_unique<CSystemTray>(*trayShell_, *timers_, *clock_)),
      status_(std::make_unique<StatusWindow>()),
      dialogs_(std::make_unique<Dialogs>(*dataFile_, *printers_, *urls_)) {
  monitor_ = std::make_unique<Monitor>(MonitorPorts{
      *profile_, *messages_, *clock_, *timers_, *jobs_, *inks_, *tray_, *status_, *dialogs_,
      *dataFile_, *urls_,
      [](bool windowsRun) {
        XdgAutostart backend;
        updateAutostartEntry(windowsRun, programExePath(S(QCoreApplication::applicationFilePath())),
                             backend);
      },
      [](int code) { QCoreApplication::exit(code); }, *dates_});

  trayShell_->setTray(tray_.get());
  trayShell_->setMenu(trayMenu(), [this](int command) { monitor_->onCommand(command); });
  status_->setBeforePaint([this] { monitor_->updateStatusDisplay(); });
}

PagewardenApp::~PagewardenApp() {
  // The icon leaves the notification area before the windows go.
  monitor_.reset();
  if (tray_)
    tray_->removeFromTray();
}

bool PagewardenApp::start() {
  printers_->askAhead();
  started_ = monitor_->start();
  return started_;
}

void PagewardenApp::showStatus() {
  if (!started_)
    return;
  monitor_->onCommand(cmd::kShowStatus);
  status_->raise();
  status_->activateWindow();
}

}  // namespace pw
