#pragma once
// The small interfaces that several subsystems talk through: message boxes, the profile, the
// clock, the timers and the trace. A port with one consumer lives beside it instead. The Qt and
// Windows adapters implement them for the real program; the unit tests implement them with fakes
// (tests/support/Fakes.h).

#include <cstdint>
#include <functional>
#include <string>

#include "base/Format.h"

namespace pw {

// Message boxes, titled "Pagewarden". Texts are UTF-8.
class IMessages {
 public:
  virtual ~IMessages() = default;
  // Stop icon, OK button.
  virtual void showError(const std::string& text) = 0;
  // Stop icon, Yes and No buttons, No the default. True only when the user answered Yes.
  virtual bool askYesNo(const std::string& text) = 0;
};

// The options profile: the section "Settings" of the program's profile. A missing or unreadable
// value yields the default; writes are not checked.
class IProfile {
 public:
  virtual ~IProfile() = default;
  virtual int readInt(const std::string& name, int def) = 0;
  virtual std::string readString(const std::string& name, const std::string& def) = 0;
  virtual void writeInt(const std::string& name, int value) = 0;
  virtual void writeString(const std::string& name, const std::string& value) = 0;
};

// The local date and time in the user's locale forms (the one formatter of the program).
class IClock {
 public:
  virtual ~IClock() = default;
  virtual std::string dateText() = 0;  // today, date only
  virtual std::string timeText() = 0;  // now, time only
  // Wall-clock seconds, used where whole seconds elapsed are counted (icon animation).
  virtual std::int64_t nowSeconds() = 0;
};

// Timers that fire on the user-interface thread.
class ITimers {
 public:
  using Id = int;
  virtual ~ITimers() = default;
  // Starts a timer; 0 means it could not be started. A one-shot timer is gone after it fired.
  virtual Id start(int periodMs, bool repeat, std::function<void()> onFire) = 0;
  virtual void kill(Id id) = 0;
};

// The diagnostic trace: silent in normal use, shown only when a sink is installed.
void setTraceSink(std::function<void(const std::string&)> sink);
void trace(const char* format, ...) PW_PRINTF_FORMAT(1, 2);

}  // namespace pw
