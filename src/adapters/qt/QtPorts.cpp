#include "adapters/qt/QtPorts.h"
#include "adapters/qt/QtText.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

namespace pw {

QtProfile::QtProfile() : settings_(QStringLiteral("Quorbel"), QStringLiteral("Pagewarden")) {}

QString QtProfile::Key(const std::string& name) const {
  return QStringLiteral("Settings/") + QString::fromStdString(name);
}

// The file may have been changed by hand while the program runs, and the password must be read
// as the store holds it now: QSettings answers from its own copy until it syncs.
QVariant QtProfile::ReadNow(const std::string& name) {
  settings_.sync();
  return settings_.value(Key(name));
}

int QtProfile::ReadInt(const std::string& name, int def) {
  // An ini file gives back text; a value that is no whole number counts as missing.
  const QVariant v = ReadNow(name);
  if (!v.isValid())
    return def;
  bool ok = false;
  const int n = v.toString().trimmed().toInt(&ok);
  return ok ? n : def;
}

std::string QtProfile::ReadString(const std::string& name, const std::string& def) {
  const QVariant v = ReadNow(name);
  return v.isValid() ? S(v.toString()) : def;
}

void QtProfile::WriteInt(const std::string& name, int value) {
  settings_.setValue(Key(name), value);
  settings_.sync();
}

void QtProfile::WriteString(const std::string& name, const std::string& value) {
  settings_.setValue(Key(name), Q(value));
  settings_.sync();
}

std::string QtClock::DateText() {
  return S(format_.FormatDate(QDate::currentDate()));
}
std::string QtClock::TimeText() {
  return S(format_.FormatTime(QTime::currentTime()));
}
std::int64_t QtClock::NowSeconds() {
  return QDateTime::currentSecsSinceEpoch();
}

QtTimers::QtTimers() : owner_(std::make_unique<QObject>()) {}
QtTimers::~QtTimers() = default;  // the timers are children of owner_

ITimers::Id QtTimers::Start(int periodMs, bool repeat, std::function<void()> onFire) {
  auto* timer = new QTimer(owner_.get());
  timer->setSingleShot(!repeat);
  timer->setInterval(periodMs);
  const Id id = next_++;
  QObject::connect(timer, &QTimer::timeout, timer, [this, id, repeat, onFire = std::move(onFire)] {
    // A one-shot timer is forgotten before its callback, so the callback may start another.
    if (!repeat)
      Kill(id);
    onFire();
  });
  timers_[id] = timer;
  timer->start();
  return id;
}

void QtTimers::Kill(Id id) {
  const auto it = timers_.find(id);
  if (it == timers_.end())
    return;
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
}

bool QtUrlOpener::Open(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(Q(url)));
}

}  // namespace pw
