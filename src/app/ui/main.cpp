// Pagewarden: watches one printer's queue from the notification area and tells how much of the
// ink cartridge is used up.

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>

#include "app/ui/PagewardenApp.h"
#include "platform/qt/CzechTexts.h"
#include "platform/qt/ProgramDataFile.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quorbel"));
  QApplication::setApplicationName(QStringLiteral("Pagewarden"));
  // The program lives in the notification area: closing a window never ends it.
  QApplication::setQuitOnLastWindowClosed(false);
  // Every text on the screen is Czech, also the ones Qt draws, whatever the desktop's language.
  if (!pw::InstallCzechQtTexts(app))
    std::fputs("Pagewarden: překlad Qt do češtiny (qtbase_cs.qm) nebyl nalezen.\n", stderr);

  // One instance per user, so two watchers never count the same jobs.
  const QString lockDir =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Quorbel";
  QDir().mkpath(lockDir);
  QLockFile lock(lockDir + "/Pagewarden.lock");
  if (!lock.tryLock(0)) {
    std::fputs("Pagewarden: program už běží, další spuštění se ukončuje.\n", stderr);
    return 1;
  }

  pw::PagewardenApp program(pw::ProgramDataFolder());
  if (!program.start()) {
    // Without a notification area the program has no icon and no menu; it keeps running as it
    // does on any desktop, so say once why nothing shows.
    std::fputs(
        "Pagewarden: pracovní plocha nemá oznamovací oblast (system tray), ikona programu "
        "nemůže být zobrazena.\n",
        stderr);
  }
  return QApplication::exec();
}
