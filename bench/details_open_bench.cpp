// Opens the Details dialog on a generated log of 100,000 records and reports how long it takes
// from construction until the dialog is shown with its rows loaded, then how long the list
// takes to scroll and repaint one page at a time. Run offscreen (see bench/README.md).

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "adapters/qt/QtText.h"
#include "details/ui/DetailsDlg.h"
#include "details/ui/EditableListCtrl.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

bool writeLog(const QString& path, int records) {
  std::string text =
      "<document>\n\t<cartridges>\n\t\t<cartridge>\n\t\t\t<name>Černá</name>\n"
      "\t\t\t<pages>600</pages>\n\t\t\t<printer>DJ</printer>\n\t\t</cartridge>\n"
      "\t</cartridges>\n\t<printed>\n";
  for (int i = 0; i < records; ++i) {
    text += "\t\t<data>\n\t\t\t<date>" + std::to_string(1 + i % 28) +
            ".11.2026</date>\n\t\t\t<time>10:20:30</time>\n\t\t\t<best>" + std::to_string(i % 3) +
            "</best>\n\t\t\t<normal>" + std::to_string(i % 7) +
            "</normal>\n\t\t\t<economic>1</economic>\n\t\t\t<user>uzivatel" +
            std::to_string(i % 13) + "</user>\n\t\t\t<remark>Dokument číslo " + std::to_string(i) +
            "</remark>\n\t\t</data>\n";
  }
  text +=
      "\t</printed>\n</document>\n<!--\n"
      "<!DOCTYPE article PUBLIC \"-//Davenport//DTD DocBook V3.0//EN\" \"\">\n-->\n";
  QFile f(path);
  return f.open(QIODevice::WriteOnly) &&
         f.write(text.data(), qint64(text.size())) == qint64(text.size());
}

class NoMessages : public pw::IMessages {
 public:
  void showError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  bool askYesNo(const std::string&) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
  QTemporaryDir dir;
  if (!dir.isValid() || !writeLog(dir.filePath(QStringLiteral("Pagewarden.xml")), records))
    return 1;

  NoMessages messages;
  pw::DataFile file(pw::DataFilePaths::inFolder(pw::S(dir.path())), messages);

  // The CPU time beside the wall time: on a shared machine the wall time also counts the waits
  // for a core.
  const std::clock_t cpuStart = std::clock();
  const auto start = Clock::now();
  pw::CDetailsDlg dlg(file);
  dlg.setValues({"DJ", "Černá", "0", "0", "0", "0"});
  dlg.show();
  QApplication::processEvents();
  dlg.list().viewport()->repaint();
  const auto shown = Clock::now();
  const double openCpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  if (dlg.list().total() != records)
    return 2;

  // One page at a time through the whole log, each step scrolled and painted.
  QScrollBar* bar = dlg.list().verticalScrollBar();
  const int page = std::max(1, bar->pageStep());
  double worst = 0;
  int steps = 0;
  const auto scrollStart = Clock::now();
  for (int value = 0; value <= bar->maximum(); value += page * 50, ++steps) {
    const auto t = Clock::now();
    bar->setValue(value);
    dlg.list().viewport()->repaint();
    worst = std::max(worst, ms(Clock::now() - t));
  }
  const double average = ms(Clock::now() - scrollStart) / std::max(1, steps);

  std::printf(
      "records %d: open %.0f ms (CPU %.0f ms); scroll+paint per step: mean %.2f ms, worst %.2f "
      "ms\n",
      records, ms(shown - start), openCpuMs, average, worst);
  return 0;
}
