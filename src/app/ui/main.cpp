// Pagewarden: watches one printer's queue from the notification area and tells how much of the
// ink cartridge is used up.

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "adapters/qt/ProgramDataFile.h"
#include "adapters/qt/QtText.h"
#include "adapters/qt/QtTrace.h"
#include "app/ui/PagewardenApp.h"
#include "app/ui/SingleInstance.h"
#include "res/Strings.h"
#include "shell/ui/CzechTexts.h"
#include "shell/ui/Icons.h"

namespace {

constexpr qint64 kTrayWaitMs = 30000;
constexpr int kTrayPollMs = 250;

// The exit status when the command line asks about the program instead of starting it.
std::optional<int> answerCommandLine(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
  parser.addOption(QCommandLineOption(QStringLiteral("version")));
  // Anything else is ignored, Qt's own options too, so an unknown option is no error.
  parser.parse(arguments);
  // The first question asked is answered.
  for (const QString& name : parser.optionNames()) {
    if (name == QLatin1String("version")) {
      std::printf("%s\n", pw::loadStr(pw::ids::kVersion).c_str());
      return 0;
    }
    if (name == QLatin1String("h") || name == QLatin1String("help")) {
      std::fputs(pw::loadStr(pw::ids::kHelp).c_str(), stdout);
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window or lock: a question about the program must not start it.
  if (const auto answered = answerCommandLine(argc, argv))
    return *answered;
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  pw::installQtTrace();
  // Every window, message boxes included, carries the program's icon.
  QApplication::setWindowIcon(pw::iconFor(pw::kProgramIcon));
  QApplication::setOrganizationName(QStringLiteral("Quorbel"));
  QApplication::setApplicationName(QStringLiteral("Pagewarden"));
  // The program lives in the notification area: closing a window never ends it.
  QApplication::setQuitOnLastWindowClosed(false);
  // Every text on the screen is Czech, also the ones Qt draws, whatever the desktop's language.
  if (!pw::installCzechQtTexts(app))
    std::fputs(pw::loadStr(pw::ids::kNoQtTranslation).c_str(), stderr);

  pw::SingleInstance instance;
  if (!instance.tryLock()) {
    // A launcher click on a running program: show the user that one.
    if (instance.askRunningCopyToShow())
      return 0;
    std::fputs(pw::loadStr(pw::ids::kAlreadyRunning).c_str(), stderr);
    return 1;
  }

  pw::PagewardenApp program(pw::programDataFolder());
  // At login the notification area often comes up after the session's programs, and some
  // desktops have none. Start-up waits for one; without it the program would run invisibly
  // and hold the single-instance lock against every later start.
  QTimer trayWait;
  QElapsedTimer waited;
  const auto tryStart = [&] {
    if (QSystemTrayIcon::isSystemTrayAvailable() && program.start()) {
      trayWait.stop();
      return true;
    }
    if (waited.isValid() && waited.elapsed() >= kTrayWaitMs) {
      trayWait.stop();
      std::fputs(pw::loadStr(pw::ids::kNoTray).c_str(), stderr);
      QCoreApplication::exit(1);
    }
    return false;
  };
  if (!tryStart()) {
    waited.start();
    QObject::connect(&trayWait, &QTimer::timeout, tryStart);
    trayWait.start(kTrayPollMs);
  }

  instance.listen([&program] { program.showStatus(); });
  return QApplication::exec();
}
