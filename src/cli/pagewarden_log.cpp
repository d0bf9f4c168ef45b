// pagewarden-log: the print log and the cartridge catalogue from the command line, read and
// written by the same code as the program's own.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/Format.h"
#include "log/DataFile.h"
#include "log/Records.h"
#include "log/Usage.h"
#include "res/Strings.h"
#include "settings/Options.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "adapters/win32/Win32Registry.h"
#else
#include <QCoreApplication>

#include "adapters/qt/ProgramDataFile.h"
#include "adapters/qt/QtPorts.h"
#include "adapters/qt/QtText.h"
#include "adapters/qt/QtTrace.h"
#endif

namespace {

#ifdef _WIN32
using Profile = pw::RegistryProfile;
using Clock = pw::Win32Clock;

// Beside the tool; nothing is copied there on first use.
std::string defaultDataFolder(bool /*prepare*/) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string module(path, length);
  const std::size_t slash = module.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : module.substr(0, slash);
}
#else
using Profile = pw::QtProfile;
using Clock = pw::QtClock;

// Needs the application object. The help only names the folder: copying the shipped data file
// there for a first use is left to a command that reads or writes it.
std::string defaultDataFolder(bool prepare) {
  return pw::S(pw::programDataFolder(prepare));
}
#endif

// The program's error messages go to standard error instead of a message box.
class StderrMessages : public pw::IMessages {
 public:
  void showError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  bool askYesNo(const std::string& text) override {
    showError(text);
    return false;
  }
};

struct Arguments {
  std::string command;
  std::map<std::string, std::string> values;
  char csv = 0;  // the field separator of CSV output, 0 for the tab-separated list
};

// The options each command takes; every one but the CSV forms takes a value.
const std::map<std::string, std::set<std::string>> kOptions = {
    {"usage", {"--file", "--cartridge"}},
    {"list", {"--file", "--csv", "--csv-semicolon"}},
    {"catalogue", {"--file"}},
    {"append", {"--file", "--best", "--normal", "--economic", "--user", "--remark"}},
};

std::optional<Arguments> parse(int argc, char** argv) {
  if (argc < 2 || kOptions.count(argv[1]) == 0)
    return std::nullopt;
  Arguments args;
  args.command = argv[1];
  const std::set<std::string>& allowed = kOptions.at(args.command);
  for (int i = 2; i < argc; ++i) {
    const std::string name = argv[i];
    if (allowed.count(name) == 0)
      return std::nullopt;
    if (name == "--csv" || name == "--csv-semicolon") {
      if (args.csv)
        return std::nullopt;
      args.csv = name == "--csv" ? ',' : ';';
      continue;
    }
    if (i + 1 >= argc || !args.values.emplace(name, argv[i + 1]).second)
      return std::nullopt;
    ++i;
  }
  if (args.command == "append") {
    for (const char* required : {"--best", "--normal", "--economic", "--user", "--remark"})
      if (args.values.count(required) == 0)
        return std::nullopt;
  }
  return args;
}

// A page count: a whole decimal number from 0 to the signed 32-bit maximum, nothing else.
std::optional<std::int32_t> parsePages(const std::string& text) {
  std::size_t i = text.size() > 1 && text[0] == '+' ? 1 : 0;
  if (i == text.size())
    return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9')
      return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > INT32_MAX)
      return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

bool isPlainNumber(const std::string& text) {
  const std::size_t digits = text.find_first_not_of("+-") == 1 ? 1 : 0;
  return text.size() > digits && text.find_first_not_of("0123456789", digits) == text.npos;
}

// One CSV field as RFC 4180 asks: quoted when it holds the separator, a quote or a line end. A
// cell that a spreadsheet would run as a formula gets a leading apostrophe, so that a job title
// like "=HYPERLINK(...)" is shown, not run; a plain number such as "-2" stays a number.
std::string csvField(std::string text, char separator) {
  if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos &&
      !isPlainNumber(text))
    text.insert(0, 1, '\'');
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  if (text.find_first_of(special) == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"')
      quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// A named data file is rewritten through the same name with the extension ".new", so that
// Pagewarden.xml in any folder pairs with Pagewarden.new as it does beside the program.
pw::DataFilePaths pathsFor(const std::string& file) {
  std::filesystem::path temp(file);
  temp.replace_extension(".new");
  if (temp == std::filesystem::path(file))
    temp += ".new";
  return pw::DataFilePaths{file, temp.string()};
}

// A tab inside a value would add a field; it is shown as a blank.
std::string tabField(std::string text) {
  for (char& c : text)
    if (c == '\t')
      c = ' ';
  return text;
}

int usage(pw::DataFile& file, const Arguments& args) {
  std::string cartridge;
  if (const auto it = args.values.find("--cartridge"); it != args.values.end()) {
    cartridge = it->second;
  } else {
    Profile profile;
    cartridge = profile.readString(pw::keys::kCartridge, "");
  }
  pw::UsageTotals totals;
  if (!file.readTotals(cartridge, totals))
    return 1;
  if (!totals.maxPages && args.values.count("--cartridge") != 0)
    std::fputs(pw::formatStr(pw::ids::kLogNoSuchCartridge, cartridge.c_str()).c_str(), stderr);
  const std::int32_t maximum = totals.maxPages.value_or(0);
  const int share = pw::usageShare(totals.best, totals.normal, totals.economic, maximum);
  const std::string report =
      "best=" + pw::decimal(totals.best) + "\nnormal=" + pw::decimal(totals.normal) +
      "\neconomic=" + pw::decimal(totals.economic) + "\nmaximum=" + pw::decimal(maximum) +
      "\nshare=" + pw::decimal(share) + "\n";
  std::fputs(report.c_str(), stdout);
  return 0;
}

int list(pw::DataFile& file, const Arguments& args) {
  if (args.csv == ';')
    std::fputs("\xef\xbb\xbf", stdout);  // spreadsheets read UTF-8 only after this mark
  if (args.csv) {
    std::string header = "date,time,best,normal,economic,user,remark\r\n";
    for (char& c : header)
      if (c == ',')
        c = args.csv;
    std::fputs(header.c_str(), stdout);
  }
  const bool ok = file.forEachRecord("", [&](const pw::PrintRecord& r) {
    const std::string* fields[] = {&r.date,     &r.time, &r.best,  &r.normal,
                                   &r.economic, &r.user, &r.remark};
    std::string line;
    for (const std::string* field : fields) {
      if (field != fields[0])
        line += args.csv ? args.csv : '\t';
      line += args.csv ? csvField(*field, args.csv) : tabField(*field);
    }
    line += args.csv ? "\r\n" : "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
  });
  return ok ? 0 : 1;
}

int catalogue(pw::DataFile& file) {
  std::vector<pw::CartridgeEntry> entries;
  if (!file.readCartridgeCatalogue(entries))
    return 1;
  for (const pw::CartridgeEntry& e : entries)
    std::printf("%s\t%s\t%s\n", e.name.c_str(), e.pages.c_str(), e.printer.c_str());
  return 0;
}

int append(pw::DataFile& file, const Arguments& args) {
  const auto best = parsePages(args.values.at("--best"));
  const auto normal = parsePages(args.values.at("--normal"));
  const auto economic = parsePages(args.values.at("--economic"));
  if (!best || !normal || !economic) {
    std::fputs(pw::loadStr(pw::ids::kLogUsage).c_str(), stderr);
    return 2;
  }
  Clock clock;
  const bool ok =
      file.appendPrintRecord(clock.dateText(), clock.timeText(), *best, *normal, *economic,
                             args.values.at("--user"), args.values.at("--remark"));
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  // Qt takes nothing from this command line.
  int qtArgc = 1;
  QCoreApplication app(qtArgc, argv);
  pw::installQtTrace();
#endif
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      const std::string data = pw::DataFilePaths::inFolder(defaultDataFolder(false)).data;
      std::fputs(pw::loadStr(pw::ids::kLogUsage).c_str(), stdout);
      std::fputs(pw::formatStr(pw::ids::kLogHelp, data.c_str()).c_str(), stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("pagewarden-log: %s\n", pw::loadStr(pw::ids::kVersion).c_str());
      return 0;
    }
  }
  const std::optional<Arguments> args = parse(argc, argv);
  if (!args) {
    std::fputs(pw::loadStr(pw::ids::kLogUsage).c_str(), stderr);
    return 2;
  }
#ifdef _WIN32
  // The output is the same bytes as elsewhere: CSV lines already end in CR LF, and a text-mode
  // stream would make that CR CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const auto fileArg = args->values.find("--file");
  const pw::DataFilePaths paths = fileArg != args->values.end()
                                      ? pathsFor(fileArg->second)
                                      : pw::DataFilePaths::inFolder(defaultDataFolder(true));
  StderrMessages messages;
  // Other writers (the program, another run of this tool) finish their rewrite within
  // milliseconds; waiting this long covers a queue of them. Nobody waits on a window here.
  pw::DataFile file(paths, messages, std::chrono::seconds(5));

  if (args->command == "usage")
    return usage(file, *args);
  if (args->command == "list")
    return list(file, *args);
  if (args->command == "catalogue")
    return catalogue(file);
  return append(file, *args);
}
