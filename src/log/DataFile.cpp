// The data file's operations: the scans that read it and the writers that rewrite it through
// the temporary file.

#include "log/DataFile.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/FileOps.h"
#include "base/Format.h"
#include "log/LineReader.h"
#include "log/Reading.h"
#include "log/Scan.h"
#include "res/Strings.h"

namespace pw {

using scan::LogScanner;

namespace {

#ifdef _WIN32
constexpr std::string_view kLineEnd = "\r\n";
#else
constexpr std::string_view kLineEnd = "\n";
#endif

constexpr std::string_view kLogStart = "<printed>";
constexpr std::string_view kLogEnd = "</printed>";
bool isLogStart(std::string_view line) {
  return line.find(kLogStart) != line.npos;
}
bool isCatalogueStart(std::string_view line) {
  return line.find("<cartridges>") != line.npos;
}

// Composes the file's lines. Values from outside (spooler names, typed texts, list cells) are
// written verbatim, except that a CR or LF becomes a blank: the line structure must survive.
class LineWriter {
 public:
  explicit LineWriter(DurableFile& file) : file_(file) {}

  void line(std::string_view text) {
    file_.write(text);
    file_.write(kLineEnd);
  }

  void element(std::string_view indent, std::string_view name, std::string_view value) {
    file_.write(indent);
    file_.write("<");
    file_.write(name);
    file_.write(">");
    if (value.find_first_of("\r\n<") == value.npos) {
      file_.write(value);
    } else {
      scratch_ = storableValue(value);
      file_.write(scratch_);
    }
    file_.write("</");
    file_.write(name);
    file_.write(">");
    file_.write(kLineEnd);
  }

  void record(const PrintRecord& r) {
    line("\t\t<data>");
    element("\t\t\t", "date", r.date);
    element("\t\t\t", "time", r.time);
    element("\t\t\t", "best", r.best);
    element("\t\t\t", "normal", r.normal);
    element("\t\t\t", "economic", r.economic);
    element("\t\t\t", "user", r.user);
    element("\t\t\t", "remark", r.remark);
    line("\t\t</data>");
  }

  void cartridge(const CartridgeEntry& e) {
    line("\t\t<cartridge>");
    element("\t\t\t", "name", e.name);
    element("\t\t\t", "pages", e.pages);
    element("\t\t\t", "printer", e.printer);
    line("\t\t</cartridge>");
  }

  void logStart() { line("\t<printed>"); }

  // The log end line and the four trailer lines.
  void logTrailer() {
    line("\t</printed>");
    line("</document>");
    line("<!--");
    line("<!DOCTYPE article PUBLIC \"-//Davenport//DTD DocBook V3.0//EN\" \"\">");
    line("-->");
  }

 private:
  DurableFile& file_;
  std::string scratch_;
};

std::string lockPathFor(const std::string& data) {
  std::filesystem::path lock(data);
  lock.replace_extension(".lock");
  if (lock == std::filesystem::path(data))
    lock += ".lock";
  return lock.string();
}

bool isSameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

// One run of the rewrite procedure: open the data file, create the target, copy lines up to the
// writer's anchor, let the writer add its lines, then put the result in place.
class DataFile::Rewrite {
 public:
  explicit Rewrite(DataFile& owner) : owner_(owner), out_(file_) {}

  // The lock is taken before the data file is read, so that a rewrite never drops the record
  // another writer has just added. reportBusy false: a lock held by another writer fails quietly.
  bool open(const std::string& target, bool reportBusy = true) {
    replacing_ = target == owner_.paths_.temp;  // an export writes elsewhere
    data_ = owner_.paths_.data;
    temp_ = target;
    // A data file reached through a symbolic link is rewritten where the link points, so that
    // the link stays a link.
    std::error_code ec;
    if (std::filesystem::is_symlink(data_, ec)) {
      const std::filesystem::path resolved = std::filesystem::canonical(data_, ec);
      if (!ec) {
        data_ = resolved.string();
        if (replacing_)
          temp_ = std::filesystem::path(resolved).replace_extension(".new").string();
      }
    }
    if (!lock_.acquire(lockPathFor(data_), owner_.lockWait_)) {
      // A folder that cannot be written refuses the lock file before the temporary file; the
      // user is told about the temporary file, as everywhere else.
      busy_ = !lock_.cannotCreate();
      if (busy_ && !reportBusy)
        return false;
      return fail(busy_ ? &DataFile::cannotSave : &DataFile::cannotOpen);
    }
    if (!in_.open(data_) || !file_.create(temp_))
      return fail(&DataFile::cannotOpen);
    if (replacing_)
      file_.takeAccessOf(data_);
    return true;
  }

  // Copies every line before the first one that contains the anchor; that line is not copied
  // but handed back. Every line read, the anchor too, is shown to observe.
  template <class Observe>
  bool copyUntil(std::string_view anchorText, Observe observe, std::string_view& anchor) {
    std::string_view line;
    while (in_.next(line)) {
      observe(line);
      if (line.find(anchorText) != line.npos) {
        anchor = line;
        return true;
      }
      out_.line(line);
    }
    return false;
  }

  // The same without an observer. Where the old file's lines already end as written ones do,
  // they are copied as they stand: the reading only finds where the anchor line starts, and the
  // bytes before it are copied in one step. The first line holding the anchor is where its
  // first occurrence is, since an anchor holds no line end.
  bool copyUntil(std::string_view anchorText) {
    if constexpr (kLineEnd == "\n") {
      std::uint64_t verbatim = 0;
      for (std::string_view block; !(block = in_.bufferedLines()).empty();) {
        // A CR LF end is dropped line by line from the line that holds the '\r' on.
        const std::size_t at = findAnchorOrCarriageReturn(block, anchorText);
        const std::size_t lineStart = at == block.npos ? block.size() : block.rfind('\n', at) + 1;
        verbatim += lineStart;
        in_.consume(lineStart);
        if (at != block.npos)
          break;
      }
      if (verbatim > 0)
        file_.copyFrom(data_, verbatim);
    }
    std::string_view anchor;
    return copyUntil(
        anchorText, [](std::string_view) {}, anchor);
  }

  LineReader& in() { return in_; }
  LineWriter& out() { return out_; }
  // Open failed because another writer held the lock.
  bool busy() const { return busy_; }

  // Without complete content (a read or write failed, or the anchor was required and missing)
  // the data file stays as it was. A temporary file cut short by a failed read or write (a full
  // disk) is removed: it would only keep the space; a complete one without its anchor stays.
  bool finish(bool complete, bool replace) {
    const bool readFailed = in_.failed();
    in_.close();
    if (readFailed)
      return fail(&DataFile::cannotOpen, /*partial=*/true);
    if (!file_.finish())
      return fail(&DataFile::cannotSave, /*partial=*/true);
    if (!complete || (replace && !replaceFile(temp_, data_)))
      return fail(&DataFile::cannotSave);
    return true;
  }

 private:
  // Everything is closed and the lock released before the user is told: while the message box is
  // open, other writers (a print recorded meanwhile, the command-line tool) can go on.
  bool fail(void (DataFile::*report)(), bool partial = false) {
    in_.close();
    file_.discard();
    if (partial && replacing_) {
      std::error_code ec;
      std::filesystem::remove(temp_, ec);
    }
    lock_.release();
    (owner_.*report)();
    return false;
  }

  DataFile& owner_;
  bool replacing_ = false, busy_ = false;
  std::string data_, temp_;
  FileLock lock_;  // declared before the files: released after they are closed
  LineReader in_;
  DurableFile file_;
  LineWriter out_;
};

DataFilePaths DataFilePaths::inFolder(const std::string& dir) {
  const bool hasSeparator = !dir.empty() && (dir.back() == '/' || dir.back() == '\\');
  const std::string base = dir.empty() ? std::string() : hasSeparator ? dir : dir + "/";
  return DataFilePaths{base + "Pagewarden.xml", base + "Pagewarden.new"};
}

DataFile::DataFile(DataFilePaths paths, IMessages& messages, std::chrono::milliseconds lockWait)
    : paths_(std::move(paths)), messages_(messages), lockWait_(lockWait) {}

void DataFile::cannotOpen() {
  messages_.showError(loadStr(ids::kCannotOpenDataFile));
}
void DataFile::cannotSave() {
  messages_.showError(loadStr(ids::kCannotSaveDataFile));
}

bool DataFile::readTotals(const std::string& cartridge, UsageTotals& out) {
  out = UsageTotals{};
  LogScanner scanner(cartridge, /*pagesOnly=*/true);
  if (!scan(scanner, {}))
    return false;
  out.best = scanner.sums().best();
  out.normal = scanner.sums().normal();
  out.economic = scanner.sums().economic();
  if (scanner.maximum())
    out.maxPages = atoiLike(*scanner.maximum());
  return true;
}

bool DataFile::forEachRecord(const std::string& cartridge,
                             const std::function<void(const PrintRecord&)>& onRecord,
                             std::optional<std::string>* maximum) {
  LogScanner scanner(cartridge, /*pagesOnly=*/false);
  if (!scan(scanner, onRecord))
    return false;
  if (maximum != nullptr)
    *maximum = scanner.maximum();
  return true;
}

bool DataFile::scan(scan::LogScanner& scanner, const scan::LogScanner::OnRecord& onRecord) {
  LineReader in;
  if (!in.open(paths_.data)) {
    cannotOpen();
    return false;
  }
  for (std::string_view lines; !(lines = in.bufferedLines()).empty(); in.consume(lines.size()))
    scanner.feedLines(lines, onRecord);
  std::string_view last;  // a last line without a line end
  while (in.next(last))
    scanner.feed(last, onRecord);
  if (in.failed()) {
    cannotOpen();
    return false;
  }
  return true;
}

bool DataFile::loadPrintLog(const std::string& cartridge, LoadedLog& out) {
  LoadedLog loaded;
  PageSums sums;
  const bool ok = forEachRecord(
      cartridge,
      [&](const PrintRecord& r) {
        loaded.rows.push_back(r);
        sums.add(r);
      },
      &loaded.maximum);
  if (!ok)
    return false;
  loaded.best = sums.best();
  loaded.normal = sums.normal();
  loaded.economic = sums.economic();
  recordsAtLoad_ = loaded.rows.size();
  cartridgeAtLoad_ = cartridge;
  out = std::move(loaded);
  return true;
}

DataFile::Appended DataFile::appendRecords(const std::vector<PrintRecord>& records) {
  Rewrite rw(*this);
  if (!rw.open(paths_.temp, /*reportBusy=*/false))
    return rw.busy() ? Appended::Busy : Appended::Failed;
  const bool found = rw.copyUntil(kLogEnd);
  for (const PrintRecord& record : records)
    rw.out().record(record);
  rw.out().logTrailer();
  return rw.finish(found, /*replace=*/true) ? Appended::Written : Appended::Failed;
}

bool DataFile::appendPrintRecord(const std::string& date, const std::string& time,
                                 std::int32_t best, std::int32_t normal, std::int32_t economic,
                                 const std::string& user, const std::string& remark) {
  const Appended result = appendRecords(
      {PrintRecord{date, time, decimal(best), decimal(normal), decimal(economic), user, remark}});
  if (result == Appended::Busy)
    cannotSave();
  return result == Appended::Written;
}

bool DataFile::saveLog(const std::vector<PrintRecord>& rows) {
  Rewrite rw(*this);
  if (!rw.open(paths_.temp))
    return false;
  // The same scan as at the last load counts the file's records; those past the count arrived
  // after it and are written after the rows.
  LogScanner scanner(cartridgeAtLoad_, /*pagesOnly=*/false);
  const std::size_t known = recordsAtLoad_.value_or(SIZE_MAX);
  std::size_t index = 0;
  std::string_view anchor;
  const bool found = rw.copyUntil(
      kLogStart, [&](std::string_view line) { scanner.feed(line, [&](auto&) { ++index; }); },
      anchor);
  rw.out().logStart();
  for (const PrintRecord& row : rows)
    rw.out().record(row);
  std::string_view line;
  while (found && rw.in().next(line)) {
    scanner.feed(line, [&](const PrintRecord& r) {
      if (index++ >= known)
        rw.out().record(r);
    });
  }
  rw.out().logTrailer();
  if (!rw.finish(found, /*replace=*/true))
    return false;
  recordsAtLoad_ = rows.size();
  return true;
}

bool DataFile::deleteAll() {
  Rewrite rw(*this);
  if (!rw.open(paths_.temp))
    return false;
  const bool found = rw.copyUntil(kLogStart);
  rw.out().logStart();
  rw.out().logTrailer();
  if (!rw.finish(found, /*replace=*/true))
    return false;
  recordsAtLoad_ = 0;
  return true;
}

bool DataFile::exportTo(const std::vector<PrintRecord>& rows, const std::string& target) {
  // Writing straight onto the data file would truncate it before it is read; onto itself the
  // export is a save.
  if (isSameFile(target, paths_.data))
    return saveLog(rows);
  Rewrite rw(*this);
  if (!rw.open(target))
    return false;
  rw.copyUntil(kLogStart);
  rw.out().logStart();
  for (const PrintRecord& row : rows)
    rw.out().record(row);
  rw.out().logTrailer();
  return rw.finish(/*complete=*/true, /*replace=*/false);
}

bool DataFile::readCartridgeCatalogue(std::vector<CartridgeEntry>& out) {
  LineReader in;
  if (!in.open(paths_.data)) {
    cannotOpen();
    return false;
  }
  scan::CatalogueScanner scanner;
  std::string_view line;
  while (in.next(line) && scanner.feed(line)) {
  }
  if (in.failed()) {
    cannotOpen();
    return false;
  }
  out = scanner.finish();
  return true;
}

bool DataFile::writeCartridgeCatalogue(const std::vector<CartridgeEntry>& entries) {
  Rewrite rw(*this);
  if (!rw.open(paths_.temp))
    return false;
  // Head copied, the old catalogue up to the log start line dropped, the log copied. A log start
  // line before any catalogue start line leaves the catalogue no place: the file stays as it is.
  enum { kHead, kOldCatalogue, kLog } zone = kHead;
  bool misplaced = false;
  std::string_view line;
  while (rw.in().next(line)) {
    if (zone == kHead && isCatalogueStart(line)) {
      rw.out().line(line);
      for (const CartridgeEntry& e : entries)
        rw.out().cartridge(e);
      rw.out().line("\t</cartridges>");
      zone = kOldCatalogue;
      continue;
    }
    if (zone != kLog && isLogStart(line)) {
      misplaced = zone == kHead;
      zone = kLog;
    }
    if (zone != kOldCatalogue)
      rw.out().line(line);
  }
  return rw.finish(zone == kLog && !misplaced, /*replace=*/true);
}

}  // namespace pw
