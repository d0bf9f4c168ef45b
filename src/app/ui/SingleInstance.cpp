#include "app/ui/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <utility>

namespace pw {

namespace {

constexpr QByteArrayView kShowRequest = "show";
constexpr int kAnswerMs = 1000;

QString lockPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/Quorbel");
  QDir().mkpath(folder);
  return folder + QStringLiteral("/Pagewarden.lock");
}

// The local socket of this user's running copy.
QString channelName() {
#ifdef Q_OS_WIN
  return QStringLiteral("Pagewarden-") + qEnvironmentVariable("USERNAME");
#else
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
         QStringLiteral("/Pagewarden.socket");
#endif
}

}  // namespace

SingleInstance::SingleInstance() : lock_(lockPath()), channelName_(channelName()) {}

bool SingleInstance::tryLock() {
  return lock_.tryLock(0);
}

bool SingleInstance::askRunningCopyToShow() {
  QLocalSocket peer;
  peer.connectToServer(channelName_);
  if (!peer.waitForConnected(kAnswerMs))
    return false;
  peer.write(kShowRequest.data(), kShowRequest.size());
  peer.write("\n");
  if (!peer.waitForBytesWritten(kAnswerMs))
    return false;
  peer.disconnectFromServer();
  return true;
}

void SingleInstance::listen(std::function<void()> show) {
  show_ = std::move(show);
  // Only this copy holds the lock, so a socket left by one that crashed is stale.
  QLocalServer::removeServer(channelName_);
  channel_.setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(&channel_, &QLocalServer::newConnection, &channel_, [this] {
    while (QLocalSocket* peer = channel_.nextPendingConnection()) {
      QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
      QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
        while (peer->canReadLine())
          if (peer->readLine().trimmed() == kShowRequest)
            show_();
      });
    }
  });
  channel_.listen(channelName_);
}

}  // namespace pw
