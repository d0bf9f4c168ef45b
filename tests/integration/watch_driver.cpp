// Runs the job watcher against the CUPS server of the environment and prints what it does.
//
//   pw_watch_driver [--seconds S (default 30)] [--tick-ms MS (default 500)] [--control FILE]
//                   PRINTER
//   pw_watch_driver --list-printers
//
// With --control, a line in FILE (written elsewhere and renamed into place) is carried out at the
// next tick, as the monitor window does after Settings, and the file removed: "printer NAME"
// watches another printer, "off" stops watching, "on" starts it again. Each is echoed as
// "control LINE".
//
// Output lines: "ready", "look ok ids=1,2" or "look failed" (whenever the answer differs from the
// one before), "unreachable" (the printer list without a server), "record best=B normal=N
// economic=E user=U remark=R", "error: TEXT", "question: TEXT" (answered No), "profile NAME=VALUE",
// and at the end "ticks=T cpu_ms=C" (the CPU time used after "ready"). Lines are flushed at once
// so a script can follow them.

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "adapters/cups/CupsPrinterList.h"
#include "adapters/cups/CupsSchedulerCalls.h"
#include "adapters/qt/QtPorts.h"
#include "app/BoundedJobSource.h"
#include "app/JobWatcher.h"
#include "app/SchedulerJobSource.h"
#include "app/SpoolerPorts.h"

namespace {

void Report(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

// Console stand-ins for the windows and the profile, and a job source that reports each look at
// the queue, so that a script can act during a watch.
class Console : public pw::IJobSource,
                public pw::IMessages,
                public pw::IProfile,
                public pw::IWatchHost {
 public:
  std::optional<std::vector<pw::JobSnapshot>> ListJobs(const std::string& printer) override {
    auto jobs = cups_.ListJobs(printer);
    if (!jobs && cups_.AnswerOnItsWay())
      return jobs;  // not a look yet: the watch asks again for the answer
    std::string line = jobs ? "look ok ids=" : "look failed";
    for (std::size_t i = 0; jobs && i < jobs->size(); ++i)
      line += (i ? "," : "") + std::to_string((*jobs)[i].id);
    if (std::exchange(lastLook_, line) != line)
      Report(line);
    return jobs;
  }
  bool AnswerOnItsWay() override { return cups_.AnswerOnItsWay(); }
  void StartFresh(const std::string& printer) override { cups_.StartFresh(printer); }
  void ShowError(const std::string& text) override { Report("error: " + text); }
  bool AskYesNo(const std::string& text) override {
    Report("question: " + text);
    return false;
  }
  int ReadInt(const std::string&, int def) override { return def; }
  std::string ReadString(const std::string&, const std::string& def) override { return def; }
  void WriteInt(const std::string& name, int value) override {
    Report("profile " + name + "=" + std::to_string(value));
  }
  void WriteString(const std::string& name, const std::string& value) override {
    Report("profile " + name + "=" + value);
  }
  void ShowWatchResult(const std::string&) override {}
  bool AppendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string& user, const std::string& remark) override {
    Report(pw::Format("record best=%d normal=%d economic=%d user=%s remark=%s", best, normal,
                    economic, user.c_str(), remark.c_str()));
    return true;
  }
  void RecomputeUsage(bool) override {}
  void UpdateStatusDisplay() override {}
  void BlinkAppendFailure() override {}

 private:
  // Bounded as in the program, so that the scripts measure what the windows would wait.
  pw::BoundedJobSource cups_{
      std::make_unique<pw::SchedulerJobSource>(std::make_unique<pw::CupsSchedulerCalls>()),
      pw::BoundedJobSource::kWindowsLimit};
  std::string lastLook_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  double seconds = 30;
  int tickMs = 500;
  pw::Options options;
  QString control;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--list-printers") {
      // The dialog takes what the list has at once; a script wants the server's answer, as long
      // as it comes within the time the dialog once waited.
      pw::CupsPrinterList list;
      auto names = list.LocalPrinters();
      for (const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(900);
           !names && std::chrono::steady_clock::now() < until;)
        names = list.LocalPrinters();
      if (!names)
        Report("unreachable");
      for (const std::string& name : names.value_or(std::vector<std::string>{}))
        Report(name);
      return 0;
    } else if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (arg == "--control" && i + 1 < argc) {
      control = QString::fromLocal8Bit(argv[++i]);
    } else if (arg == "--tick-ms" && i + 1 < argc) {
      tickMs = std::atoi(argv[++i]);
    } else if (arg[0] != '-') {
      options.printer = arg;
    } else {
      std::fprintf(stderr, "unknown option %s\n", arg.c_str());
      return 2;
    }
  }
  options.popStatus = false;

  Console console;
  pw::QtTimers timers;
  pw::QtClock clock;
  pw::JobWatcher watcher(options, console, console, console, timers, clock, console);
  long ticks = 0;
  bool watching = true;
  console.StartFresh(options.printer);
  timers.Start(tickMs, true, [&] {
    if (!control.isEmpty() && QFile::exists(control)) {
      QFile file(control);
      const QString line =
          file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
      file.remove();
      Report("control " + line.toStdString());
      if (line.startsWith(QLatin1String("printer ")))
        options.printer = line.mid(8).toStdString();
      else if (line == QLatin1String("off"))
        watching = false;
      else if (line == QLatin1String("on") && !watching) {
        watching = true;
        console.StartFresh(options.printer);
      }
    }
    if (!watching)
      return;
    ++ticks;
    watcher.Tick();
  });
  QTimer::singleShot(int(seconds * 1000), &app, &QCoreApplication::quit);
  Report("ready");
  const std::clock_t start = std::clock();
  app.exec();
  const double cpuMs =
      static_cast<double>(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;  // all threads
  Report(pw::Format("ticks=%ld cpu_ms=%.1f", ticks, cpuMs));
  return 0;
}
