// Pagewarden: watches one printer's queue from the notification area and tells how much of the
// ink cartridge is used up.

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>

#include "app/ui/PagewardenApp.h"
#include "res/Strings.h"

namespace {

constexpr const char* kHelp =
    "Použití: pagewarden [--help | --version]\n"
    "\n"
    "Pagewarden sleduje z oznamovací oblasti tiskovou frontu zvolené tiskárny a počítá\n"
    "vytištěné stránky podle kvality tisku. Vše ostatní se nastavuje v programu\n"
    "(Nastavení programu...).\n"
    "\n"
    "  --help     vypíše tuto nápovědu a skončí\n"
    "  --version  vypíše verzi programu a skončí\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window or lock: a question about the program must not start it.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s\n", pw::LoadStr(pw::ids::kVersion).c_str());
      return 0;
    }
  }
  // Nothing else is taken from the command line, not even Qt's own options.
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quorbel"));
  QApplication::setApplicationName(QStringLiteral("Pagewarden"));
  // The program lives in the notification area: closing a window never ends it.
  QApplication::setQuitOnLastWindowClosed(false);

  // One instance per user, so two watchers never count the same jobs.
  const QString lockDir =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Quorbel";
  QDir().mkpath(lockDir);
  QLockFile lock(lockDir + "/Pagewarden.lock");
  if (!lock.tryLock(0)) {
    std::fputs("Pagewarden: program už běží, další spuštění se ukončuje.\n", stderr);
    return 1;
  }

  pw::PagewardenApp program(QCoreApplication::applicationDirPath());
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
