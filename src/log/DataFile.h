#pragma once
// The data file: the print log and the cartridge catalogue, kept in one line-oriented XML-like
// text file beside the program. Every reader scans it line by line; every writer rewrites it whole
// through the temporary file and replaces the data file atomically.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Ports.h"
#include "log/Records.h"
#include "log/Usage.h"

namespace pw {
namespace scan {
class LogScanner;
}

// The data file and its temporary file in the program's folder.
struct DataFilePaths {
  std::string data;  // <dir>/Pagewarden.xml
  std::string temp;  // <dir>/Pagewarden.new
  static DataFilePaths inFolder(const std::string& dir);
};

struct LoadedLog {
  std::vector<PrintRecord> rows;
  std::optional<std::string> maximum;  // the matching entry's pages text, unconverted
  std::int32_t best = 0, normal = 0, economic = 0;
};

// Each operation opens, works and closes within the call. Failures show message 32782 or 32792
// through IMessages and return false; the surviving state is the old data file (and, after a
// failed replacement, the temporary file). Writers hold the lock beside the data file only while
// they rewrite it, never while a message is shown.
class DataFile {
 public:
  // lockWait: how long a writer waits for another writer's lock. The windows never wait (a busy
  // lock fails at once, or leaves an appended record to be written later); the command-line tool
  // may.
  DataFile(DataFilePaths paths, IMessages& messages, std::chrono::milliseconds lockWait = {});

  const DataFilePaths& paths() const { return paths_; }

  // The log scan: the chosen cartridge's maximum and the page sums of every record.
  bool readTotals(const std::string& cartridge, UsageTotals& out);
  // The log scan with all seven fields, for the Details list. The object remembers how many
  // records the file held at this load (see saveLog).
  bool loadPrintLog(const std::string& cartridge, LoadedLog& out);
  // Streams every record to the callback (constant memory); false after 32782, which a read
  // error midway also gives (the records before it were delivered).
  bool forEachRecord(const std::string& cartridge,
                     const std::function<void(const PrintRecord&)>& onRecord,
                     std::optional<std::string>* maximum = nullptr);

  enum class Appended { Written, Busy, Failed };
  // Appends the records in order in one rewrite. A lock held by another writer is no failure:
  // nothing is shown or changed (Busy), and the records can be appended later.
  Appended appendRecords(const std::vector<PrintRecord>& records);
  // Appends one record stamped with the given date and time texts; a busy lock fails (32792).
  bool appendPrintRecord(const std::string& date, const std::string& time, std::int32_t best,
                         std::int32_t normal, std::int32_t economic, const std::string& user,
                         const std::string& remark);
  // Replaces the log section with the rows. Records that the file gained after the last
  // loadPrintLog of this object (appended meanwhile by the watcher) are kept after the rows.
  bool saveLog(const std::vector<PrintRecord>& rows);
  // Empties the log section.
  bool deleteAll();
  // Writes head and catalogue of the data file, then the rows as log section, to target. A
  // target that is the data file itself (by any name) is saved to as by saveLog.
  bool exportTo(const std::vector<PrintRecord>& rows, const std::string& target);

  // The catalogue, one entry per <cartridge> block; a missing element reads as empty text.
  bool readCartridgeCatalogue(std::vector<CartridgeEntry>& out);
  // Replaces the entries after the catalogue start line and drops the lines up to the log start
  // line. Without a catalogue start line before the log start line it changes nothing (32792).
  bool writeCartridgeCatalogue(const std::vector<CartridgeEntry>& entries);

 private:
  class Rewrite;
  // The whole file through the log scan; false after 32782.
  bool scan(scan::LogScanner& scanner, const std::function<void(const PrintRecord&)>& onRecord);
  void cannotOpen();
  void cannotSave();

  DataFilePaths paths_;
  IMessages& messages_;
  std::chrono::milliseconds lockWait_;
  std::optional<std::size_t> recordsAtLoad_;
  std::string cartridgeAtLoad_;
};

}  // namespace pw
