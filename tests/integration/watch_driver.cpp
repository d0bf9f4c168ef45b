// Runs the job watcher against the CUPS server of the environment and prints what it does.
//
//   pw_watch_driver [options] PRINTER
//     --seconds S        stop after S seconds (default 30)
//     --tick-ms MS       the monitoring timer's period (default 500)
//     --fixed-quality Q  detection off, every job in class Q
//     --answer-yes       answer Yes to the implausible-total question
//   pw_watch_driver --list-printers
//
// Output lines: "ready", "look ok ids=1,2" or "look failed" (whenever the answer differs from the
// one before), "record best=B normal=N economic=E user=U remark=R", "error: TEXT",
// "question: TEXT", "profile NAME=VALUE", and at the end "ticks=T cpu_ms=C" (the CPU time used
// after "ready").
// Lines are flushed at once so a script can follow them.

#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/JobWatcher.h"
#include "platform/cups/CupsJobSource.h"
#include "platform/cups/CupsPrinterList.h"
#include "platform/qt/QtPorts.h"

namespace {

void Line(const std::string& text) {
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n')
      c = ' ';
  return text;
}

// Reports what each look at the queue brought, so that a script can act during a watch.
class TracingSource : public pw::IJobSource {
 public:
  explicit TracingSource(pw::IJobSource& inner) : inner_(inner) {}
  std::optional<std::vector<pw::JobSnapshot>> ListJobs(const std::string& printer) override {
    auto jobs = inner_.ListJobs(printer);
    std::string line = "look failed";
    if (jobs) {
      line = "look ok ids=";
      for (const pw::JobSnapshot& job : *jobs)
        line += (&job == &jobs->front() ? "" : ",") + std::to_string(job.id);
    }
    if (line != last_)
      Line(line);
    last_ = line;
    return jobs;
  }

 private:
  pw::IJobSource& inner_;
  std::string last_;
};

class ConsoleMessages : public pw::IMessages {
 public:
  void ShowError(const std::string& text) override { Line("error: " + OneLine(text)); }
  bool AskYesNo(const std::string& text) override {
    Line("question: " + OneLine(text));
    return answerYes;
  }
  bool answerYes = false;
};

class ConsoleProfile : public pw::IProfile {
 public:
  int ReadInt(const std::string&, int def) override { return def; }
  std::string ReadString(const std::string&, const std::string& def) override { return def; }
  void WriteInt(const std::string& name, int value) override {
    Line("profile " + name + "=" + std::to_string(value));
  }
  void WriteString(const std::string& name, const std::string& value) override {
    Line("profile " + name + "=" + value);
  }
};

class FixedClock : public pw::IClock {
 public:
  std::string DateText() override { return "6.12.2026"; }
  std::string TimeText() override { return "10:20:30"; }
  std::int64_t NowSeconds() override { return 0; }
};

class ConsoleHost : public pw::IWatchHost {
 public:
  void ShowWatchResult(const std::string&) override {}
  bool AppendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string& user, const std::string& remark) override {
    Line(pw::Format("record best=%d normal=%d economic=%d user=%s remark=%s", best, normal,
                    economic, user.c_str(), remark.c_str()));
    return true;
  }
  void RecomputeUsage(bool) override {}
  void UpdateStatusDisplay() override {}
  void BlinkAppendFailure() override {}
};

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  double seconds = 30;
  int tickMs = 500;
  ConsoleMessages messages;
  pw::Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--list-printers") {
      for (const std::string& name : pw::CupsPrinterList().LocalPrinters())
        Line(name);
      return 0;
    } else if (arg == "--seconds" && hasValue) {
      seconds = std::atof(argv[++i]);
    } else if (arg == "--tick-ms" && hasValue) {
      tickMs = std::atoi(argv[++i]);
    } else if (arg == "--fixed-quality" && hasValue) {
      options.autoQuality = 0;
      options.quality = std::atoi(argv[++i]);
    } else if (arg == "--answer-yes") {
      messages.answerYes = true;
    } else if (arg[0] != '-') {
      options.printer = arg;
    } else {
      std::fprintf(stderr, "unknown option %s\n", arg.c_str());
      return 2;
    }
  }
  options.popStatus = 0;

  pw::CupsJobSource cups;
  TracingSource source(cups);
  pw::QtTimers timers;
  ConsoleProfile profile;
  FixedClock clock;
  ConsoleHost host;
  pw::JobWatcher watcher(options, source, messages, profile, timers, clock, host);

  long ticks = 0;
  timers.Start(tickMs, true, [&] {
    ++ticks;
    watcher.Tick();
  });
  QTimer::singleShot(int(seconds * 1000), &app, &QCoreApplication::quit);
  Line("ready");
  const double startMs = CpuMs();
  app.exec();
  Line(pw::Format("ticks=%ld cpu_ms=%.1f", ticks, CpuMs() - startMs));
  return 0;
}
