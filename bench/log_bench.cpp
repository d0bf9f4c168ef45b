// Data file figures on a generated log: the totals scan against `grep -c '</data>'`, one append
// against `cp` plus `sync` of the copy, the Details list load, and the totals scan's memory.
// Usage: log_bench [RECORDS]   (default 1000000). See bench/README.md.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/FileOps.h"
#include "log/DataFile.h"

namespace {

class NoMessages : public pw::IMessages {
 public:
  void showError(const std::string& text) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::exit(1);
  }
  bool askYesNo(const std::string&) override { return false; }
};

void generate(const std::string& path, long records) {
  std::ofstream out(path, std::ios::binary);
  out << "<document>\n\t<cartridges>\n\t\t<cartridge>\n\t\t\t<name>HP 305 černá</name>\n"
         "\t\t\t<pages>120</pages>\n\t\t\t<printer>HP DeskJet 2710</printer>\n"
         "\t\t</cartridge>\n\t</cartridges>\n\t<printed>\n";
  for (long i = 0; i < records; ++i) {
    out << "\t\t<data>\n\t\t\t<date>6.12.2026</date>\n\t\t\t<time>10:20:30</time>\n"
        << "\t\t\t<best>" << i % 7 << "</best>\n\t\t\t<normal>" << i % 13
        << "</normal>\n\t\t\t<economic>" << i % 3 << "</economic>\n"
        << "\t\t\t<user>uživatel</user>\n\t\t\t<remark>Dokument " << i << ".pdf</remark>\n"
        << "\t\t</data>\n";
  }
  out << "\t</printed>\n</document>\n<!--\n"
         "<!DOCTYPE article PUBLIC \"-//Davenport//DTD DocBook V3.0//EN\" \"\">\n-->\n";
}

// CPU time of this process and its finished children, in milliseconds: on a shared machine the
// wall time mostly measures how long the work waited for a core.
double cpuMs() {
  double ms = 0;
  for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage usage{};
    getrusage(who, &usage);
    for (const timeval& t : {usage.ru_utime, usage.ru_stime})
      ms += double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
  }
  return ms;
}

struct Timing {
  double wall = 1e300, cpu = 1e300;  // the best of the runs, in milliseconds
};

Timing best(int runs, const std::function<void()>& work) {
  Timing best;
  for (int i = 0; i < runs; ++i) {
    const double cpuStart = cpuMs();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best.wall = std::min(best.wall, took.count());
    best.cpu = std::min(best.cpu, cpuMs() - cpuStart);
  }
  return best;
}

void shell(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
}

long maxRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("pw_log_bench_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const pw::DataFilePaths paths = pw::DataFilePaths::inFolder(dir.string());
  const std::string copy = (dir / "copy.xml").string();
  NoMessages messages;
  pw::DataFile file(paths, messages);

  // Memory first, before anything else grows the process: the scan of a log four times longer
  // must not need more.
  generate(paths.data, records / 4);
  const long rssStart = maxRssKiB();
  pw::UsageTotals totals;
  file.readTotals("HP 305 černá", totals);
  const long rssSmall = maxRssKiB();
  generate(paths.data, records);
  file.readTotals("HP 305 černá", totals);
  const long rssLarge = maxRssKiB();

  const auto size = std::filesystem::file_size(paths.data);
  std::printf("log: %ld records, %.1f MiB\n", records, double(size) / (1024 * 1024));
  // Each pair runs alternately, so that both sides see the same load on the machine.
  Timing scan, grep, append, cp;
  for (int round = 0; round < 5; ++round) {
    const Timing s = best(2, [&] { file.readTotals("HP 305 černá", totals); });
    const Timing g = best(2, [&] {
      // Not to /dev/null: grep stops at the first match when its output goes nowhere.
      shell("grep -c '</data>' '" + paths.data + "' > '" + copy + "'");
    });
    scan = {std::min(scan.wall, s.wall), std::min(scan.cpu, s.cpu)};
    grep = {std::min(grep.wall, g.wall), std::min(grep.cpu, g.cpu)};
  }
  Timing released;
  for (int round = 0; round < 3; ++round) {
    const Timing a = best(1, [&] {
      file.appendPrintRecord("6.12.2026", "10:20:30", 1, 2, 3, "uživatel", "Dokument.pdf");
    });
    // The old copy is freed after the append has returned; cp gets the machine to itself.
    const Timing r = best(1, [] { pw::awaitReplacedFiles(); });
    released = {std::min(released.wall, a.wall + r.wall), 0};
    const Timing c =
        best(1, [&] { shell("cp '" + paths.data + "' '" + copy + "' && sync '" + copy + "'"); });
    append = {std::min(append.wall, a.wall), std::min(append.cpu, a.cpu)};
    cp = {std::min(cp.wall, c.wall), std::min(cp.cpu, c.cpu)};
  }
  std::printf("%-18s %9s %9s   %-18s %9s %9s   %s\n", "", "wall ms", "cpu ms", "beside it",
              "wall ms", "cpu ms", "ratio wall / cpu");
  std::printf("%-18s %9.1f %9.1f   %-18s %9.1f %9.1f   %.2f / %.2f\n", "totals scan", scan.wall,
              scan.cpu, "grep -c '</data>'", grep.wall, grep.cpu, scan.wall / grep.wall,
              scan.cpu / grep.cpu);
  std::printf("%-18s %9.1f %9.1f   %-18s %9.1f %9.1f   %.2f / %.2f\n", "one append", append.wall,
              append.cpu, "cp + sync", cp.wall, cp.cpu, append.wall / cp.wall, append.cpu / cp.cpu);
  std::printf("%-18s %9.1f\n", "  and old freed", released.wall);

  pw::LoadedLog log;
  const Timing load = best(1, [&] { file.loadPrintLog("HP 305 černá", log); });
  std::printf("list load          %9.1f %9.1f   (%zu rows)\n", load.wall, load.cpu,
              log.rows.size());
  std::printf("scan memory       %+ld KiB on %ld records, %+ld KiB more on %ld records\n",
              rssSmall - rssStart, records / 4, rssLarge - rssSmall, records);
  std::filesystem::remove_all(dir);
  return 0;
}
