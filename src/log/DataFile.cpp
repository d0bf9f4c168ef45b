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
bool IsLogStart(std::string_view line) {
  return line.find(kLogStart) != line.npos;
}
bool IsCatalogueStart(std::string_view line) {
  return line.find("<cartridges>") != line.npos;
}

// Composes the file's lines. Values from outside (spooler names, typed texts, list cells) are
// written verbatim, except that a CR or LF becomes a blank: the line structure must survive.
class LineWriter {
 public:
  explicit LineWriter(DurableFile& file) : file_(file) {}

  void Line(std::string_view text) {
    file_.Write(text);
    file_.Write(kLineEnd);
  }

  void Element(std::string_view indent, std::string_view name, std::string_view value) {
    file_.Write(indent);
    file_.Write("<");
    file_.Write(name);
    file_.Write(">");
    if (value.find_first_of("\r\n<") == value.npos) {
      file_.Write(value);
    } else {
      scratch_ = StorableValue(value);
      file_.Write(scratch_);
    }
    file_.Write("</");
    file_.Write(name);
    file_.Write(">");
    file_.Write(kLineEnd);
  }

  void Record(const PrintRecord& r) {
    Line("\t\t<data>");
    Element("\t\t\t", "date", r.date);
    Element("\t\t\t", "time", r.time);
    Element("\t\t\t", "best", r.best);
    Element("\t\t\t", "normal", r.normal);
    Element("\t\t\t", "economic", r.economic);
    Element("\t\t\t", "user", r.user);
    Element("\t\t\t", "remark", r.remark);
    Line("\t\t</data>");
  }

  void Cartridge(const CartridgeEntry& e) {
    Line("\t\t<cartridge>");
    Element("\t\t\t", "name", e.name);
    Element("\t\t\t", "pages", e.pages);
    Element("\t\t\t", "printer", e.printer);
    Line("\t\t</cartridge>");
  }

  void LogStart() { Line("\t<printed>"); }

  // The log end line and the four trailer lines.
  void LogTrailer() {
    Line("\t</printed>");
    Line("</document>");
    Line("<!--");
    Line("<!DOCTYPE article PUBLIC \"-//Davenport//DTD DocBook V3.0//EN\" \"\">");
    Line("-->");
  }

 private:
  DurableFile& file_;
  std::string scratch_;
};

std::string LockPathFor(const std::string& data) {
  std::filesystem::path lock(data);
  lock.replace_extension(".lock");
  if (lock == std::filesystem::path(data))
    lock += ".lock";
  return lock.string();
}

bool IsSameFile(const std::string& a, const std::string& b) {
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
  bool Open(const std::string& target, bool reportBusy = true) {
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
    if (!lock_.Acquire(LockPathFor(data_), owner_.lockWait_)) {
      // A folder that cannot be written refuses the lock file before the temporary file; the
      // user is told about the temporary file, as everywhere else.
      busy_ = !lock_.cannotCreate();
      if (busy_ && !reportBusy)
        return false;
      return Fail(busy_ ? &DataFile::CannotSave : &DataFile::CannotOpen);
    }
    if (!in_.Open(data_) || !file_.Create(temp_))
      return Fail(&DataFile::CannotOpen);
    if (replacing_)
      file_.TakeAccessOf(data_);
    return true;
  }

  // Copies every line before the first one that contains the anchor; that line is not copied
  // but handed back. Every line read, the anchor too, is shown to observe.
  template <class Observe>
  bool CopyUntil(std::string_view anchorText, Observe observe, std::string_view& anchor) {
    std::string_view line;
    while (in_.Next(line)) {
      observe(line);
      if (line.find(anchorText) != line.npos) {
        anchor = line;
        return true;
      }
      out_.Line(line);
    }
    return false;
  }

  // The same without an observer. Where the old file's lines already end as written ones do,
  // they are copied as they stand: the reading only finds where the anchor line starts, and the
  // bytes before it are copied in one step. The first line holding the anchor is where its
  // first occurrence is, since an anchor holds no line end.
  bool CopyUntil(std::string_view anchorText) {
    if constexpr (kLineEnd == "\n") {
      std::uint64_t verbatim = 0;
      for (std::string_view block; !(block = in_.BufferedLines()).empty();) {
        // A CR LF end is dropped line by line from the line that holds the '\r' on.
        const std::size_t at = FindAnchorOrCarriageReturn(block, anchorText);
        const std::size_t lineStart = at == block.npos ? block.size() : block.rfind('\n', at) + 1;
        verbatim += lineStart;
        in_.Consume(lineStart);
        if (at != block.npos)
          break;
      }
      if (verbatim > 0)
        file_.CopyFrom(data_, verbatim);
    }
    std::string_view anchor;
    return CopyUntil(
        anchorText, [](std::string_view) {}, anchor);
  }

  LineReader& in() { return in_; }
  LineWriter& out() { return out_; }
  // Open failed because another writer held the lock.
  bool busy() const { return busy_; }

  // Without complete content (a read or write failed, or the anchor was required and missing)
  // the data file stays as it was. A temporary file cut short by a failed read or write (a full
  // disk) is removed: it would only keep the space; a complete one without its anchor stays.
  bool Finish(bool complete, bool replace) {
    const bool readFailed = in_.failed();
    in_.Close();
    if (readFailed)
      return Fail(&DataFile::CannotOpen, /*partial=*/true);
    if (!file_.Finish())
      return Fail(&DataFile::CannotSave, /*partial=*/true);
    if (!complete || (replace && !ReplaceFile(temp_, data_)))
      return Fail(&DataFile::CannotSave);
    return true;
  }

 private:
  // Everything is closed and the lock released before the user is told: while the message box is
  // open, other writers (a print recorded meanwhile, the command-line tool) can go on.
  bool Fail(void (DataFile::*report)(), bool partial = false) {
    in_.Close();
    file_.Discard();
    if (partial && replacing_) {
      std::error_code ec;
      std::filesystem::remove(temp_, ec);
    }
    lock_.Release();
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

DataFilePaths DataFilePaths::InFolder(const std::string& dir) {
  const bool hasSeparator = !dir.empty() && (dir.back() == '/' || dir.back() == '\\');
  const std::string base = dir.empty() ? std::string() : hasSeparator ? dir : dir + "/";
  return DataFilePaths{base + "Pagewarden.xml", base + "Pagewarden.new"};
}

DataFile::DataFile(DataFilePaths paths, IMessages& messages, std::chrono::milliseconds lockWait)
    : paths_(std::move(paths)), messages_(messages), lockWait_(lockWait) {}

void DataFile::CannotOpen() {
  messages_.ShowError(LoadStr(ids::kCannotOpenDataFile));
}
void DataFile::CannotSave() {
  messages_.ShowError(LoadStr(ids::kCannotSaveDataFile));
}

bool DataFile::ReadTotals(const std::string& cartridge, UsageTotals& out) {
  out = UsageTotals{};
  LogScanner scanner(cartridge, /*pagesOnly=*/true);
  if (!Scan(scanner, {}))
    return false;
  out.best = scanner.sums().best();
  out.normal = scanner.sums().normal();
  out.economic = scanner.sums().economic();
  if (scanner.maximum())
    out.maxPages = AtoiLike(*scanner.maximum());
  return true;
}

bool DataFile::ForEachRecord(const std::string& cartridge,
                             const std::function<void(const PrintRecord&)>& onRecord,
                             std::optional<std::string>* maximum) {
  LogScanner scanner(cartridge, /*pagesOnly=*/false);
  if (!Scan(scanner, onRecord))
    return false;
  if (maximum != nullptr)
    *maximum = scanner.maximum();
  return true;
}

bool DataFile::Scan(scan::LogScanner& scanner, const scan::LogScanner::OnRecord& onRecord) {
  LineReader in;
  if (!in.Open(paths_.data)) {
    CannotOpen();
    return false;
  }
  for (std::string_view lines; !(lines = in.BufferedLines()).empty(); in.Consume(lines.size()))
    scanner.FeedLines(lines, onRecord);
  std::string_view last;  // a last line without a line end
  while (in.Next(last))
    scanner.Feed(last, onRecord);
  if (in.failed()) {
    CannotOpen();
    return false;
  }
  return true;
}

bool DataFile::LoadPrintLog(const std::string& cartridge, LoadedLog& out) {
  LoadedLog loaded;
  PageSums sums;
  const bool ok = ForEachRecord(
      cartridge,
      [&](const PrintRecord& r) {
        loaded.rows.push_back(r);
        sums.Add(r);
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

DataFile::Appended DataFile::AppendRecords(const std::vector<PrintRecord>& records) {
  Rewrite rw(*this);
  if (!rw.Open(paths_.temp, /*reportBusy=*/false))
    return rw.busy() ? Appended::Busy : Appended::Failed;
  const bool found = rw.CopyUntil(kLogEnd);
  for (const PrintRecord& record : records)
    rw.out().Record(record);
  rw.out().LogTrailer();
  return rw.Finish(found, /*replace=*/true) ? Appended::Written : Appended::Failed;
}

bool DataFile::AppendPrintRecord(const std::string& date, const std::string& time,
                                 std::int32_t best, std::int32_t normal, std::int32_t economic,
                                 const std::string& user, const std::string& remark) {
  const Appended result = AppendRecords(
      {PrintRecord{date, time, Decimal(best), Decimal(normal), Decimal(economic), user, remark}});
  if (result == Appended::Busy)
    CannotSave();
  return result == Appended::Written;
}

bool DataFile::SaveLog(const std::vector<PrintRecord>& rows) {
  Rewrite rw(*this);
  if (!rw.Open(paths_.temp))
    return false;
  // The same scan as at the last load counts the file's records; those past the count arrived
  // after it and are written after the rows.
  LogScanner scanner(cartridgeAtLoad_, /*pagesOnly=*/false);
  const std::size_t known = recordsAtLoad_.value_or(SIZE_MAX);
  std::size_t index = 0;
  std::string_view anchor;
  const bool found = rw.CopyUntil(
      kLogStart, [&](std::string_view line) { scanner.Feed(line, [&](auto&) { ++index; }); },
      anchor);
  rw.out().LogStart();
  for (const PrintRecord& row : rows)
    rw.out().Record(row);
  std::string_view line;
  while (found && rw.in().Next(line)) {
    scanner.Feed(line, [&](const PrintRecord& r) {
      if (index++ >= known)
        rw.out().Record(r);
    });
  }
  rw.out().LogTrailer();
  if (!rw.Finish(found, /*replace=*/true))
    return false;
  recordsAtLoad_ = rows.size();
  return true;
}

bool DataFile::DeleteAll() {
  Rewrite rw(*this);
  if (!rw.Open(paths_.temp))
    return false;
  const bool found = rw.CopyUntil(kLogStart);
  rw.out().LogStart();
  rw.out().LogTrailer();
  if (!rw.Finish(found, /*replace=*/true))
    return false;
  recordsAtLoad_ = 0;
  return true;
}

bool DataFile::Export(const std::vector<PrintRecord>& rows, const std::string& target) {
  // Writing straight onto the data file would truncate it before it is read; onto itself the
  // export is a save.
  if (IsSameFile(target, paths_.data))
    return SaveLog(rows);
  Rewrite rw(*this);
  if (!rw.Open(target))
    return false;
  rw.CopyUntil(kLogStart);
  rw.out().LogStart();
  for (const PrintRecord& row : rows)
    rw.out().Record(row);
  rw.out().LogTrailer();
  return rw.Finish(/*complete=*/true, /*replace=*/false);
}

bool DataFile::ReadCartridgeCatalogue(std::vector<CartridgeEntry>& out) {
  LineReader in;
  if (!in.Open(paths_.data)) {
    CannotOpen();
    return false;
  }
  scan::CatalogueScanner scanner;
  std::string_view line;
  while (in.Next(line) && scanner.Feed(line)) {
  }
  if (in.failed()) {
    CannotOpen();
    return false;
  }
  out = scanner.Finish();
  return true;
}

bool DataFile::WriteCartridgeCatalogue(const std::vector<CartridgeEntry>& entries) {
  Rewrite rw(*this);
  if (!rw.Open(paths_.temp))
    return false;
  // Head copied, the old catalogue up to the log start line dropped, the log copied. A log start
  // line before any catalogue start line leaves the catalogue no place: the file stays as it is.
  enum { kHead, kOldCatalogue, kLog } zone = kHead;
  bool misplaced = false;
  std::string_view line;
  while (rw.in().Next(line)) {
    if (zone == kHead && IsCatalogueStart(line)) {
      rw.out().Line(line);
      for (const CartridgeEntry& e : entries)
        rw.out().Cartridge(e);
      rw.out().Line("\t</cartridges>");
      zone = kOldCatalogue;
      continue;
    }
    if (zone != kLog && IsLogStart(line)) {
      misplaced = zone == kHead;
      zone = kLog;
    }
    if (zone != kOldCatalogue)
      rw.out().Line(line);
  }
  return rw.Finish(zone == kLog && !misplaced, /*replace=*/true);
}

}  // namespace pw
