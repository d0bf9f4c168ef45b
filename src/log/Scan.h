#pragma once
// The reading rules of the data file as line-by-line scanners, shared by the file operations,
// the command-line tool and the fuzz target. A scanner sees one line at a time and keeps only
// the current record, so a scan's memory does not depend on the size of the log.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/Records.h"
#include "log/Usage.h"

namespace pw::scan {

enum Tag : unsigned {
  kData,
  kDate,
  kTime,
  kBest,
  kNormal,
  kEconomic,
  kUser,
  kRemark,
  kName,
  kPages,
  kPrinter,
  kPrinted,
  kCartridge,
  kCartridges,
  kTagCount
};

// The element names, indexed by Tag.
extern const std::string_view kTagNames[kTagCount];

// Which start tags ("<x>") and end tags ("</x>") of the file's elements a line holds anywhere,
// found in one pass over the line's '<' characters. Answers exactly what a substring search for
// each tag would answer, at a fraction of the cost on a long log.
class TagSet {
 public:
  explicit TagSet(std::string_view line);
  bool opens(Tag t) const { return (open_ >> t & 1u) != 0; }
  bool closes(Tag t) const { return (close_ >> t & 1u) != 0; }
  // The line counts as this element.
  bool element(Tag t) const { return opens(t) && closes(t); }
  bool empty() const { return (open_ | close_) == 0; }

 private:
  std::uint32_t open_ = 0, close_ = 0;
};

// extractElementValue without a copy: a view into the line.
std::string_view elementValue(std::string_view line);

// The log scan: the chosen cartridge's maximum from the catalogue zone, then every record of
// the log zone, delivered at its "</data>" line, and the page sums of the records delivered.
// With pagesOnly, only the page numbers are kept and no record is delivered: the scan behind
// the usage totals.
class LogScanner {
 public:
  using OnRecord = std::function<void(const PrintRecord&)>;

  LogScanner(std::string_view cartridge, bool pagesOnly)
      : cartridge_(cartridge), pagesOnly_(pagesOnly) {}

  // One line, without its line end.
  void feed(std::string_view line, const OnRecord& onRecord = {});
  // Whole lines at once, each with its line end: what Feed does for each of them. The lines the
  // writers compose are taken by their fixed form without looking at them twice, which makes
  // this the fast way through a long log.
  void feedLines(std::string_view lines, const OnRecord& onRecord = {});

  const std::optional<std::string>& maximum() const { return maximum_; }
  const PageSums& sums() const { return sums_; }

 private:
  const char* feedWriterLine(const char* p, const char* end, const OnRecord& onRecord);
  void feedCatalogueZone(std::string_view line, const TagSet& tags);
  void setField(Tag t, std::string_view value);
  void clearRecord();  // keeps the fields' storage for the next record
  void deliver(const OnRecord& onRecord);

  std::string cartridge_;
  bool pagesOnly_;
  bool inLog_ = false;
  bool nameMatched_ = false;
  std::optional<std::string> maximum_;
  PrintRecord record_;
  std::int32_t best_ = 0, normal_ = 0, economic_ = 0;  // the current record's page numbers
  std::size_t nextKind_ = 0;  // the kind of writer's line most likely to come next
  PageSums sums_;
};

// The catalogue scan from the top of the file to the line that holds "</cartridges>": one entry
// per <cartridge> block, or a new entry where a second `name` line comes; a missing element reads
// as empty text.
class CatalogueScanner {
 public:
  // False once the catalogue has ended; later lines are not looked at.
  bool feed(std::string_view line);
  // The entries, including one still open at the end of the file.
  std::vector<CartridgeEntry> finish();

 private:
  void flush();
  CartridgeEntry& current();

  std::vector<CartridgeEntry> entries_;
  CartridgeEntry current_;
  bool open_ = false, hasName_ = false, ended_ = false;
};

}  // namespace pw::scan
