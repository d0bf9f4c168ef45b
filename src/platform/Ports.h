#pragma once
// The small interfaces through which the logic talks to the screen, the spooler, the profile,
// the clock and the timers. The Qt and CUPS adapters implement them for the real program;
// the unit tests implement them with fakes (tests/support/Fakes.h).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Format.h"

namespace pw {

// Message boxes, titled "Pagewarden". Texts are UTF-8.
class IMessages {
 public:
  virtual ~IMessages() = default;
  // Stop icon, OK button.
  virtual void ShowError(const std::string& text) = 0;
  // Stop icon, Yes and No buttons, No the default. True only when the user answered Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
};

// The options profile: the section "Settings" of the program's profile. A missing or unreadable
// value yields the default; writes are not checked.
class IProfile {
 public:
  virtual ~IProfile() = default;
  virtual int ReadInt(const std::string& name, int def) = 0;
  virtual std::string ReadString(const std::string& name, const std::string& def) = 0;
  virtual void WriteInt(const std::string& name, int value) = 0;
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
};

// The local date and time in the user's locale forms (the one formatter of the program).
class IClock {
 public:
  virtual ~IClock() = default;
  virtual std::string DateText() = 0;  // today, date only
  virtual std::string TimeText() = 0;  // now, time only
  // Wall-clock seconds, used where whole seconds elapsed are counted (icon animation).
  virtual std::int64_t NowSeconds() = 0;
};

// Timers that fire on the user-interface thread.
class ITimers {
 public:
  using Id = int;
  virtual ~ITimers() = default;
  // Starts a timer; 0 means it could not be started. A one-shot timer is gone after it fired.
  virtual Id Start(int periodMs, bool repeat, std::function<void()> onFire) = 0;
  virtual void Kill(Id id) = 0;
};

// One job of a print queue as the spooler reports it at one moment.
struct JobSnapshot {
  std::uint32_t id = 0;
  std::uint32_t totalPages = 0;
  std::uint32_t pagesPrinted = 0;
  std::string user;
  std::string document;
  // The job's print quality in the device-mode convention (-4 high .. -1 draft, or dots per
  // inch); absent when the job carries no print settings at all.
  std::optional<std::int16_t> quality;
};

// The spooler's queue of one printer.
class IJobSource {
 public:
  virtual ~IJobSource() = default;
  // The jobs of the named printer's queue, or nothing when the printer cannot be opened or the
  // list cannot be fetched.
  virtual std::optional<std::vector<JobSnapshot>> ListJobs(const std::string& printer) = 0;
  // Watching the printer starts (again): jobs finished before now are not the queue's, jobs
  // waiting now are.
  virtual void StartFresh(const std::string& printer) = 0;
};

// One marker (ink or toner) as the printer reports it. Levels run 0 to 100; negative ones mean
// the printer cannot tell (unknown, or "some left").
struct Marker {
  std::string name;
  std::string colour;  // "#RRGGBB", several of them for a multi-colour cartridge, or "none"
  int level = -2;
  int lowLevel = -1;  // at or below it the marker is low; negative: not reported
  std::string type;   // "ink-cartridge", "toner", ...
};

// The printer's own report of its ink levels. Asked only now and then (start-up, after a
// recorded print, when the status window is shown), never on the monitoring tick.
class IInkLevels {
 public:
  virtual ~IInkLevels() = default;
  // Empty when the printer reports no markers or cannot be asked.
  virtual std::vector<Marker> ReadMarkers(const std::string& printer) = 0;
};

// The local print queues (no instances), in the spooler's order; nothing when the spooler
// cannot be reached, which is not the same as a spooler without queues.
class IPrinterList {
 public:
  virtual ~IPrinterList() = default;
  virtual std::optional<std::vector<std::string>> LocalPrinters() = 0;
};

// Opens a URL with the desktop's handler; true means only that something was started.
class IUrlOpener {
 public:
  virtual ~IUrlOpener() = default;
  virtual bool Open(const std::string& url) = 0;
};

// The diagnostic trace: silent in normal use, shown only when a sink is installed.
void SetTraceSink(std::function<void(const std::string&)> sink);
void Trace(const char* format, ...) PW_PRINTF_FORMAT(1, 2);

}  // namespace pw
