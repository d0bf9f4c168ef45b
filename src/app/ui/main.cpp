// Pagewarden: watches one printer's queue from the notification area and tells how much of the
// ink cartridge is used up.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/ui/PagewardenApp.h"
#include "platform/qt/CzechTexts.h"
#include "platform/qt/ProgramDataFile.h"
#include "platform/qt/QtTrace.h"
#include "res/Strings.h"
#include "shell/ui/Icons.h"

namespace {

constexpr QByteArrayView kShowRequest = "show";

// The local socket of this user's running copy.
QString ChannelName() {
#ifdef Q_OS_WIN
  return QStringLiteral("Pagewarden-") + qEnvironmentVariable("USERNAME");
#else
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
         QStringLiteral("/Pagewarden.socket");
#endif
}

bool AskRunningCopyToShow(const QString& channelName) {
  QLocalSocket peer;
  peer.connectToServer(channelName);
  if (!peer.waitForConnected(1000))
    return false;
  peer.write(kShowRequest.data(), kShowRequest.size());
  peer.write("\n");
  if (!peer.waitForBytesWritten(1000))
    return false;
  peer.disconnectFromServer();
  return true;
}

constexpr qint64 kTrayWaitMs = 30000;
constexpr int kTrayPollMs = 250;

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window or lock: a question about the program must not start it.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(pw::LoadStr(pw::ids::kProgramHelp).c_str(), stdout);
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
  pw::InstallQtTrace();
  // Every window, message boxes included, carries the program's icon.
  QApplication::setWindowIcon(pw::IconFor(128));
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
  const QString channelName = ChannelName();
  if (!lock.tryLock(0)) {
    // A launcher click on a running program: show the user that one.
    if (AskRunningCopyToShow(channelName))
      return 0;
    std::fputs("Pagewarden: program už běží, další spuštění se ukončuje.\n", stderr);
    return 1;
  }

  pw::PagewardenApp program(pw::ProgramDataFolder());
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
      std::fputs(
          "Pagewarden: pracovní plocha nemá oznamovací oblast (system tray) ani po 30 s, ikona "
          "programu nemůže být zobrazena. Program se ukončuje.\n",
          stderr);
      QCoreApplication::exit(1);
    }
    return false;
  };
  if (!tryStart()) {
    waited.start();
    QObject::connect(&trayWait, &QTimer::timeout, tryStart);
    trayWait.start(kTrayPollMs);
  }

  // Only this copy holds the lock, so a socket left by one that crashed is stale.
  QLocalServer::removeServer(channelName);
  QLocalServer channel;
  channel.setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(&channel, &QLocalServer::newConnection, [&] {
    while (QLocalSocket* peer = channel.nextPendingConnection()) {
      QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
      QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer, &program] {
        while (peer->canReadLine())
          if (peer->readLine().trimmed() == kShowRequest)
            program.showStatus();
      });
    }
  });
  channel.listen(channelName);
  return QApplication::exec();
}
