#pragma once
// One running copy per user, so that two watchers never count the same jobs. The first start
// holds a lock and listens on a local socket; a later start asks that copy to show itself.

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>

namespace pw {

class SingleInstance {
 public:
  SingleInstance();

  // True when no other copy runs; this one then holds the lock for its lifetime.
  bool tryLock();
  // Asks the running copy to show its status window; false when it does not answer.
  bool askRunningCopyToShow();
  // From now on every later start calls show.
  void listen(std::function<void()> show);

 private:
  QLockFile lock_;
  QString channelName_;
  QLocalServer channel_;
  std::function<void()> show_;
};

}  // namespace pw
