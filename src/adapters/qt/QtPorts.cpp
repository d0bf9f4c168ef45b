#include "adapters/qt/QtPorts.h"
#include "adapters/qt/QtText.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

namespace pw {

QtProfile::QtProfile() : settings_(QStringLiteral("Quorbel"), QStringLiteral("Pagewarden")) {}

QString QtProfile::key(const std::string& name) const {
  return QStringLiteral("Settings/") + QString::fromStdString(name);
}

// The file may have been changed by hand while the program runs, and the password must be read
// as the store holds it now: QSettings answers from its own copy until it syncs.
QVariant QtProfile::readNow(const std::string& name) {
  settings_.sync();
  return settings_.value(key(name));
}

int QtProfile::readInt(const std::string& name, int def) {
  // An ini file gives back text; a value that is no whole number counts as missing.
  const QVariant v = readNow(name);
  if (!v.isValid())
    return def;
  bool ok = false;
  const int n = v.toString().trimmed().toInt(&ok);
  return ok ? n : def;
}

std::string QtProfile::readString(const std::string& name, const std::string& def) {
  const QVariant v = readNow(name);
  return v.isValid() ? S(v.toString()) : def;
}

void QtProfile::writeInt(const std::string& name, int value) {
  settings_.setValue(key(name), value);
  settings_.sync();
}

void QtProfile::writeString(const std::string& name, const std::string& value) {
  settings_.setValue(key(name), Q(value));
  settings_.sync();
}

std::string QtClock::dateText() {
  return S(format_.formatDate(QDate::currentDate()));
}
std::string QtClock::timeText() {
  return S(format_.formatTime(QTime::currentTime()));
}
std::int64_t QtClock::nowSeconds() {
  return QDateTime::currentSecsSinceEpoch();
}

QtTimers::QtTimers() : owner_(std::make_unique<QObject>()) {}
QtTimers::~QtTimers() = default;  // the timers are children of owner_

ITimers::Id QtTimers::start(int periodMs, bool repeat, std::function<void()> onFire) {
  auto* timer = new QTimer(owner_.get());
  timer->setSingleShot(!repeat);
  timer->setInterval(periodMs);
  const Id id = next_++;
  QObject::connect(timer, &QTimer::timeout, timer, [this, id, repeat, onFire = std::move(onFire)] {
    // A one-shot timer is forgotten before its callback, so the callback may start another.
    if (!repeat)
      kill(id);
    onFire();
  });
  timers_[id] = timer;
  timer->start();
  return id;
}

void QtTimers::kill(Id id) {
  const auto it = timers_.find(id);
  if (it == timers_.end())
    return;
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
}

bool QtUrlOpener::open(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(Q(url)));
}

}  // namespace pw
