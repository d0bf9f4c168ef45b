#pragma once
// The application object: builds the program's parts, connects the windows to the monitor logic
// and owns everything for the whole run.

#include <QString>
#include <memory>

#include "app/Monitor.h"
#include "app/SpoolerPorts.h"
#include "settings/PrinterList.h"

namespace pw {

// Monitor.h brings the logic's types (the data file, the tray, the ports); these are the windows
// and adapters.
class CupsPrinterList;
class StatusWindow;
class TrayIcon;
class QtClock;
class QtDateReader;
class QtMessages;
class QtProfile;
class QtTimers;
class QtUrlOpener;

class PagewardenApp {
 public:
  // dataFolder: where Pagewarden.xml lives (see programDataFolder).
  explicit PagewardenApp(const QString& dataFolder);
  ~PagewardenApp();

  // The start-up sequence; false when there is no notification area for the icon.
  bool start();
  // Shows the status window in front, as its menu command does; nothing before start-up ran.
  void showStatus();

 private:
  class Dialogs;

  bool started_ = false;

  std::unique_ptr<QtMessages> messages_;
  std::unique_ptr<QtProfile> profile_;
  std::unique_ptr<QtClock> clock_;
  std::unique_ptr<QtDateReader> dates_;
  std::unique_ptr<QtTimers> timers_;
  std::unique_ptr<QtUrlOpener> urls_;
  std::unique_ptr<IJobSource> jobs_;
  std::unique_ptr<IInkLevels> inks_;
  std::unique_ptr<CupsPrinterList> printers_;
  std::unique_ptr<DataFile> dataFile_;
  std::unique_ptr<TrayIcon> trayShell_;
  std::unique_ptr<CSystemTray> tray_;
  std::unique_ptr<StatusWindow> status_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<Monitor> monitor_;
};

}  // namespace pw
