#pragma once
// The Qt implementations of the logic's ports: the QSettings profile, the locale clock, timers on
// the event loop and the desktop's URL handler. The message boxes are widgets
// (shell/ui/MessageBoxes.h).

#include <QObject>
#include <QSettings>
#include <map>
#include <memory>

#include "adapters/qt/LocaleDateTime.h"
#include "base/Ports.h"
#include "shell/UrlOpener.h"

class QTimer;

namespace pw {

// The profile "Quorbel"/"Pagewarden", group "Settings": ~/.config/Quorbel/Pagewarden.conf on
// Linux, HKCU\Software\Quorbel\Pagewarden\Settings on Windows. Every read sees the store as it
// is at that moment, changes made outside the program included.
class QtProfile : public IProfile {
 public:
  QtProfile();
  int readInt(const std::string& name, int def) override;
  std::string readString(const std::string& name, const std::string& def) override;
  void writeInt(const std::string& name, int value) override;
  void writeString(const std::string& name, const std::string& value) override;

 private:
  QString key(const std::string& name) const;
  QVariant readNow(const std::string& name);
  QSettings settings_;
};

class QtClock : public IClock {
 public:
  std::string dateText() override;
  std::string timeText() override;
  std::int64_t nowSeconds() override;

 private:
  LocaleDateTime format_;
};

class QtTimers : public ITimers {
 public:
  QtTimers();
  ~QtTimers() override;
  Id start(int periodMs, bool repeat, std::function<void()> onFire) override;
  void kill(Id id) override;

 private:
  std::map<Id, QTimer*> timers_;
  Id next_ = 1;
  std::unique_ptr<QObject> owner_;
};

class QtUrlOpener : public IUrlOpener {
 public:
  bool open(const std::string& url) override;
};

}  // namespace pw
