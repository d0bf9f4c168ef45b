#pragma once
// Fakes of the logic's ports, shared by the unit tests.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Forecast.h"
#include "app/JobWatcher.h"
#include "app/SpoolerPorts.h"
#include "base/Format.h"
#include "base/Ports.h"
#include "shell/SystemTray.h"
#include "shell/UrlOpener.h"

namespace pw::test {

class FakeMessages : public IMessages {
 public:
  void showError(const std::string& text) override { errors.push_back(text); }
  bool askYesNo(const std::string& text) override {
    questions.push_back(text);
    if (onAsk)
      onAsk();
    return answerYes;
  }
  std::vector<std::string> errors, questions;
  bool answerYes = false;
  std::function<void()> onAsk;  // runs while the "message box" is open
};

// Keeps values as text, like an ini file, and logs every read and write in order; a missing
// value or one that is no number reads as the default.
class FakeProfile : public IProfile {
 public:
  int readInt(const std::string& name, int def) override {
    const std::string text = readString(name, "");
    int value = def;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }
  std::string readString(const std::string& name, const std::string& def) override {
    reads.push_back(name);
    const auto it = values.find(name);
    return it == values.end() ? def : it->second;
  }
  void writeInt(const std::string& name, int value) override {
    writeString(name, std::to_string(value));
  }
  void writeString(const std::string& name, const std::string& value) override {
    writes.push_back(name);
    values[name] = value;
  }
  std::map<std::string, std::string> values;
  std::vector<std::string> reads, writes;
};

class FakeClock : public IClock {
 public:
  std::string dateText() override { return "6.12.2026"; }
  std::string timeText() override { return "10:20:30"; }
  std::int64_t nowSeconds() override { return seconds; }
  std::int64_t seconds = 1000;
};

// Dates as "d.M.yyyy" only; any other text is unreadable.
class FakeDates : public IDateReader {
 public:
  CivilDate today() override { return {2026, 12, 7}; }
  std::optional<CivilDate> readDate(const std::string& text) override {
    CivilDate d;
    char end = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d%c", &d.day, &d.month, &d.year, &end) != 3 ||
        dateOfDay(dayNumber(d)) != d)
      return std::nullopt;
    return d;
  }
};

// Timers driven by the test: advance(ms) fires every timer that falls due, in time order.
class FakeTimers : public ITimers {
 public:
  Id start(int periodMs, bool repeat, std::function<void()> onFire) override {
    if (failStart)
      return 0;
    timers_[next_] = Timer{periodMs, repeat, now_ + periodMs, std::move(onFire)};
    return next_++;
  }
  void kill(Id id) override { timers_.erase(id); }

  void advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    // The timer that falls due first; of two due together, the one started first.
    const auto firstDue = [this] {
      return std::ranges::min_element(timers_, {}, [](const auto& t) { return t.second.due; });
    };
    for (auto due = firstDue(); due != timers_.end() && due->second.due <= end; due = firstDue()) {
      now_ = due->second.due;
      auto fire = due->second.onFire;  // the callback may kill or start timers
      if (due->second.repeat)
        due->second.due += due->second.period;
      else
        timers_.erase(due);
      fire();
    }
    now_ = end;
  }
  std::size_t count() const { return timers_.size(); }
  bool failStart = false;

 private:
  struct Timer {
    int period;
    bool repeat;
    std::int64_t due;
    std::function<void()> onFire;
  };
  std::map<Id, Timer> timers_;
  Id next_ = 1;
  std::int64_t now_ = 0;
};

// A scripted queue: each listJobs call takes the next answer; the last one repeats.
class FakeJobSource : public IJobSource {
 public:
  std::optional<std::vector<JobSnapshot>> listJobs(const std::string& printer) override {
    printers.push_back(printer);
    if (script.empty())
      return std::vector<JobSnapshot>{};
    auto answer = script.front();
    if (script.size() > 1)
      script.pop_front();
    return answer;
  }
  void startFresh(const std::string& printer) override { freshStarts.push_back(printer); }
  std::deque<std::optional<std::vector<JobSnapshot>>> script;
  std::vector<std::string> printers, freshStarts;
};

// The watcher's host: logs each call, and each record as "best normal economic user remark".
struct FakeWatchHost : IWatchHost {
  void showWatchResult(const std::string& sentence) override { calls.push_back(sentence); }
  bool appendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string& user, const std::string& remark) override {
    calls.push_back("append");
    records.push_back(
        format("%d %d %d %s %s", best, normal, economic, user.c_str(), remark.c_str()));
    return appendSucceeds;
  }
  void recomputeUsage(bool animate) override {
    calls.push_back(animate ? "usage animated" : "usage");
  }
  void updateStatusDisplay() override { calls.push_back("display"); }
  void blinkAppendFailure() override { calls.push_back("blink"); }

  bool appendSucceeds = true;
  std::vector<std::string> calls, records;
};

// The notification area: logs every call as a letter (Add, Modify, Remove) and every icon it
// showed.
class FakeTrayShell : public ITrayShell {
 public:
  bool available() override { return isAvailable; }
  bool add(const TrayRecord& r, unsigned f) override { return log('A', r, f) && addOk; }
  bool modify(const TrayRecord& r, unsigned f) override { return log('M', r, f); }
  bool remove() override { return log('R', {}, 0); }
  void showMessage(const std::string&, const std::string& text) override {
    messages.push_back(text);
  }

  bool isAvailable = true, addOk = true;
  std::string kinds;
  std::vector<IconId> shownIcons;
  std::vector<std::string> messages;

 private:
  bool log(char kind, const TrayRecord& r, unsigned flags) {
    kinds += kind;
    if (flags & kTrayIcon)
      shownIcons.push_back(r.icon);
    return true;
  }
};

class FakeUrlOpener : public IUrlOpener {
 public:
  bool open(const std::string& url) override {
    opened.push_back(url);
    return succeed;
  }
  std::vector<std::string> opened;
  bool succeed = true;
};

inline JobSnapshot job(std::uint32_t id, std::uint32_t total, std::uint32_t printed,
                       std::optional<std::int16_t> quality = -4, std::string user = "eva",
                       std::string document = "doc") {
  return {id, total, printed, std::move(user), std::move(document), quality};
}

}  // namespace pw::test
