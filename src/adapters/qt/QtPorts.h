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
  int ReadInt(const std::string& name, int def) override;
  std::string ReadString(const std::string& name, const std::string& def) override;
  void WriteInt(const std::string& name, int value) override;
  void WriteString(const std::string& name, const std::string& value) override;

 private:
  QString Key(const std::string& name) const;
  QVariant ReadNow(const std::string& name);
  QSettings settings_;
};

class QtClock : public IClock {
 public:
  std::string DateText() override;
  std::string TimeText() override;
  std::int64_t NowSeconds() override;

 private:
  LocaleDateTime format_;
};

class QtTimers : public ITimers {
 public:
  QtTimers();
  ~QtTimers() override;
  Id Start(int periodMs, bool repeat, std::function<void()> onFire) override;
  void Kill(Id id) override;

 private:
  std::map<Id, QTimer*> timers_;
  Id next_ = 1;
  std::unique_ptr<QObject> owner_;
};

class QtUrlOpener : public IUrlOpener {
 public:
  bool Open(const std::string& url) override;
};

}  // namespace pw
