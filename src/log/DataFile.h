#pragma once
// The data file: the print log and the cartridge catalogue, kept in one line-oriented XML-like
// text file beside the program. Every reader scans it line by line; every writer rewrites it whole
// through the temporary file and replaces the data file atomically.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Ports.h"

namespace pw {

struct PrintRecord {
  std::string date, time, best, normal, economic, user, remark;
  bool operator==(const PrintRecord&) const = default;
};

struct CartridgeEntry {
  std::string name, pages, printer;
  bool operator==(const CartridgeEntry&) const = default;
};

// The data file and its temporary file in the program's folder.
struct DataFilePaths {
  std::string data;  // <dir>/Pagewarden.xml
  std::string temp;  // <dir>/Pagewarden.new
  static DataFilePaths InFolder(const std::string& dir);
};

// --- reading rules (pure) ------------------------------------------------------------------

// True when the line holds both "<element>" and "</element>" anywhere.
bool LineHasElement(std::string_view line, std::string_view element);
// The value of an element line: from after the first '>' up to before the last '/' minus one.
std::string ExtractElementValue(std::string_view line);

// A value as it is written into the data file: CR and LF become blanks, and every start or end
// tag of the file's own vocabulary ("<data>", "</best>", ...) has its angle brackets replaced by
// the look-alikes U+2039 and U+203A ("‹data›"), so that no value (a job title, a user
// name, a typed remark) can forge, hide or split a record. Everything else stays verbatim.
std::string StorableValue(std::string_view value);
// atoi's rules (white space, sign, digits), wrapping instead of overflowing.
std::int32_t AtoiLike(std::string_view text);

// --- usage arithmetic (pure) -----------------------------------------------------------------

// The used-up share in whole percent: ((4*best)/3 + normal + (2*economic)/3) * 100 / maxPages in
// wrapping signed 32-bit arithmetic, truncating; 0 when maxPages is 0; capped at 100.
int UsageShare(std::int32_t best, std::int32_t normal, std::int32_t economic,
               std::int32_t maxPages);

// --- operations on the file --------------------------------------------------------------------

struct UsageTotals {
  std::int32_t best = 0, normal = 0, economic = 0;
  std::optional<std::int32_t> maxPages;  // set only when a catalogue entry matched
};

struct LoadedLog {
  std::vector<PrintRecord> rows;
  std::optional<std::string> maximum;  // the matching entry's pages text, unconverted
  std::int32_t best = 0, normal = 0, economic = 0;
};

// Each operation opens, works and closes within the call. Failures show message 32782 or 32792
// through IMessages and return false; the surviving state is the old data file (and, after a
// failed replacement, the temporary file).
class DataFile {
 public:
  DataFile(DataFilePaths paths, IMessages& messages);

  const DataFilePaths& paths() const { return paths_; }

  // The log scan: the chosen cartridge's maximum and the page sums of every record.
  bool ReadTotals(const std::string& cartridge, UsageTotals& out);
  // The log scan with all seven fields, for the Details list. The object remembers how many
  // records the file held at this load (see SaveLog).
  bool LoadPrintLog(const std::string& cartridge, LoadedLog& out);
  // Streams every record to the callback (constant memory); false after 32782, which a read
  // error midway also gives (the records before it were delivered).
  bool ForEachRecord(const std::string& cartridge,
                     const std::function<void(const PrintRecord&)>& onRecord,
                     std::optional<std::string>* maximum = nullptr);

  // Appends one record stamped with the given date and time texts.
  bool AppendPrintRecord(const std::string& date, const std::string& time, std::int32_t best,
                         std::int32_t normal, std::int32_t economic, const std::string& user,
                         const std::string& remark);
  // Replaces the log section with the rows. Records that the file gained after the last
  // LoadPrintLog of this object (appended meanwhile by the watcher) are kept after the rows.
  bool SaveLog(const std::vector<PrintRecord>& rows);
  // Empties the log section.
  bool DeleteAll();
  // Writes head and catalogue of the data file, then the rows as log section, to target. A
  // target that is the data file itself (by any name) is saved to as by SaveLog.
  bool Export(const std::vector<PrintRecord>& rows, const std::string& target);

  // The catalogue, one entry per <cartridge> block; a missing element reads as empty text.
  bool ReadCartridgeCatalogue(std::vector<CartridgeEntry>& out);
  // Replaces the entries after the catalogue start line and drops the lines up to the log start
  // line. Without a catalogue start line before the log start line it changes nothing (32792).
  bool WriteCartridgeCatalogue(const std::vector<CartridgeEntry>& entries);

 private:
  class Rewrite;
  void CannotOpen();
  void CannotSave();

  DataFilePaths paths_;
  IMessages& messages_;
  std::optional<std::size_t> recordsAtLoad_;
  std::string cartridgeAtLoad_;
};

}  // namespace pw
