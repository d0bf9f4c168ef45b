// Runs the job watcher against the CUPS server of the environment and prints what it does.
//
//   pw_watch_driver [--seconds S (default 30)] [--tick-ms MS (default 500)] PRINTER
//   pw_watch_driver --list-printers
//
// Output lines: "ready", "look ok ids=1,2" or "look failed" (whenever the answer differs from the
// one before), "unreachable" (the printer list without a server), "record best=B normal=N
// economic=E user=U remark=R", "error: TEXT", and at the end "cpu_ms=C" (the CPU
// time used after "ready"); questions are answered No. Lines are flushed at once so a script can
// follow them.

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "../support/Fakes.h"
#include "adapters/cups/CupsPrinterList.h"
#include "adapters/cups/CupsSchedulerCalls.h"
#include "adapters/qt/QtPorts.h"
#include "app/BoundedJobSource.h"
#include "app/JobWatcher.h"
#include "app/SchedulerJobSource.h"
#include "app/SpoolerPorts.h"

namespace {

void report(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

// A console stand-in for the windows, and a job source that reports each look at the queue, so
// that a script can act during a watch.
class Console : public pw::IJobSource, public pw::IMessages, public pw::IWatchHost {
 public:
  std::optional<std::vector<pw::JobSnapshot>> listJobs(const std::string& printer) override {
    auto jobs = cups_.listJobs(printer);
    if (!jobs && cups_.answerOnItsWay())
      return jobs;  // not a look yet: the watch asks again for the answer
    std::string line = jobs ? "look ok ids=" : "look failed";
    for (std::size_t i = 0; jobs && i < jobs->size(); ++i)
      line += (i ? "," : "") + std::to_string((*jobs)[i].id);
    if (std::exchange(lastLook_, line) != line)
      report(line);
    return jobs;
  }
  bool answerOnItsWay() override { return cups_.answerOnItsWay(); }
  void startFresh(const std::string& printer) override { cups_.startFresh(printer); }
  void showError(const std::string& text) override { report("error: " + text); }
  bool askYesNo(const std::string&) override { return false; }
  void showWatchResult(const std::string&) override {}
  bool appendPrintRecord(std::int32_t best, std::int32_t normal, std::int32_t economic,
                         const std::string& user, const std::string& remark) override {
    report(pw::format("record best=%d normal=%d economic=%d user=%s remark=%s", best, normal,
                      economic, user.c_str(), remark.c_str()));
    return true;
  }
  void recomputeUsage(bool) override {}
  void updateStatusDisplay() override {}
  void blinkAppendFailure() override {}

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
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--list-printers") {
      // The dialog takes what the list has at once; a script wants the server's answer, as long
      // as it comes within the time the dialog once waited.
      pw::CupsPrinterList list;
      auto names = list.localPrinters();
      for (const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(900);
           !names && std::chrono::steady_clock::now() < until;)
        names = list.localPrinters();
      if (!names)
        report("unreachable");
      for (const std::string& name : names.value_or(std::vector<std::string>{}))
        report(name);
      return 0;
    } else if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (arg == "--tick-ms" && i + 1 < argc) {
      tickMs = std::atoi(argv[++i]);
    } else {
      options.printer = arg;
    }
  }

  Console console;
  pw::test::FakeProfile profile;
  pw::QtTimers timers;
  pw::QtClock clock;
  pw::JobWatcher watcher(options, console, console, profile, timers, clock, console);
  console.startFresh(options.printer);
  timers.start(tickMs, true, [&] { watcher.tick(); });
  QTimer::singleShot(int(seconds * 1000), &app, &QCoreApplication::quit);
  report("ready");
  const std::clock_t start = std::clock();
  app.exec();
  const double cpuMs =
      static_cast<double>(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;  // all threads
  report(pw::format("cpu_ms=%.1f", cpuMs));
  return 0;
}
