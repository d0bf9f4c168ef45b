#pragma once
// The reading rules of the data file as line-by-line scanners, shared by the file operations,
// the command-line tool and the fuzz target. A scanner sees one line at a time and keeps only
// the current record, so a scan's memory does not depend on the size of the log.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/Records.h"

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
  bool Opens(Tag t) const { return (open_ >> t & 1u) != 0; }
  bool Closes(Tag t) const { return (close_ >> t & 1u) != 0; }
  // The line counts as this element.
  bool Element(Tag t) const { return Opens(t) && Closes(t); }
  bool Empty() const { return (open_ | close_) == 0; }

 private:
  std::uint32_t open_ = 0, close_ = 0;
};

// ExtractElementValue without a copy: a view into the line.
std::string_view ElementValue(std::string_view line);

// The log scan: the chosen cartridge's maximum from the catalogue zone, then every record of
// the log zone, delivered at its "</data>" line. With pagesOnly, only the page fields are kept.
class LogScanner {
 public:
  LogScanner(std::string_view cartridge, bool pagesOnly)
      : cartridge_(cartridge), pagesOnly_(pagesOnly) {}

  template <class OnRecord>
  void Feed(std::string_view line, OnRecord&& onRecord) {
    const TagSet tags(line);
    if (tags.Empty())
      return;
    if (!inLog_) {
      FeedCatalogueZone(line, tags);
      return;
    }
    if (tags.Opens(kData))
      ClearRecord();
    if (tags.Closes(kData))
      onRecord(static_cast<const PrintRecord&>(record_));
    for (unsigned t = pagesOnly_ ? kBest : kDate; t <= (pagesOnly_ ? kEconomic : kRemark); ++t)
      if (tags.Element(static_cast<Tag>(t)))
        Field(static_cast<Tag>(t)) = ElementValue(line);
  }

  const std::optional<std::string>& maximum() const { return maximum_; }

 private:
  void FeedCatalogueZone(std::string_view line, const TagSet& tags);
  std::string& Field(Tag t);
  void ClearRecord();  // keeps the fields' storage for the next record

  std::string cartridge_;
  bool pagesOnly_;
  bool inLog_ = false;
  bool nameMatched_ = false;
  std::optional<std::string> maximum_;
  PrintRecord record_;
};

// The catalogue scan from the top of the file to the line that holds "</cartridges>": one entry
// per <cartridge> block, or a new entry where a second `name` line comes; a missing element reads
// as empty text.
class CatalogueScanner {
 public:
  // False once the catalogue has ended; later lines are not looked at.
  bool Feed(std::string_view line);
  // The entries, including one still open at the end of the file.
  std::vector<CartridgeEntry> Finish();

 private:
  void Flush();
  CartridgeEntry& Current();

  std::vector<CartridgeEntry> entries_;
  CartridgeEntry current_;
  bool open_ = false, hasName_ = false, ended_ = false;
};

}  // namespace pw::scan
