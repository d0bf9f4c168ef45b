#include "adapters/win32/WinspoolJobSource.h"

#include <memory>

namespace pw {
namespace {

class RealSpoolerCalls : public ISpoolerCalls {
 public:
  bool open(const std::string& name, HANDLE* printer) override {
    // OpenPrinterA takes a writable name; the spooler does not change it.
    std::string copy = name;
    return OpenPrinterA(copy.data(), printer, nullptr) != 0;
  }
  bool enumerate(HANDLE printer, BYTE* buffer, DWORD size, DWORD* needed,
                 DWORD* returned) override {
    return EnumJobsA(printer, 0, 0xFFFFFFFF, 2, buffer, size, needed, returned) != 0;
  }
  void close(HANDLE printer) override { ::ClosePrinter(printer); }
};

std::string ansiText(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

ISpoolerCalls& winspoolCalls() {
  static RealSpoolerCalls calls;
  return calls;
}

std::vector<JobSnapshot> jobSnapshots(const JOB_INFO_2A* jobs, DWORD count) {
  std::vector<JobSnapshot> snapshots;
  snapshots.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    const JOB_INFO_2A& job = jobs[i];
    JobSnapshot s;
    s.id = job.JobId;
    s.totalPages = job.TotalPages;
    s.pagesPrinted = job.PagesPrinted;
    s.user = ansiText(job.pUserName);
    s.document = ansiText(job.pDocument);
    if (job.pDevMode != nullptr)
      s.quality = job.pDevMode->dmPrintQuality;
    snapshots.push_back(std::move(s));
  }
  return snapshots;
}

std::optional<std::vector<JobSnapshot>> WinspoolJobSource::listJobs(const std::string& printer) {
  HANDLE handle = nullptr;
  if (!calls_.open(printer, &handle)) {
    trace("OpenPrinter failed for %s: %lu\n", printer.c_str(), GetLastError());
    return std::nullopt;
  }
  DWORD needed = 0, returned = 0;
  // An empty queue answers the size query with success and zero bytes.
  if (!calls_.enumerate(handle, nullptr, 0, &needed, &returned) &&
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    trace("EnumJobs (size) failed: %lu\n", GetLastError());
    calls_.close(handle);
    return std::nullopt;
  }
  std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[needed > 0 ? needed : 1]);
  if (!buffer) {
    calls_.close(handle);
    return std::nullopt;
  }
  if (!calls_.enumerate(handle, buffer.get(), needed, &needed, &returned)) {
    trace("EnumJobs failed: %lu\n", GetLastError());
    calls_.close(handle);
    return std::nullopt;
  }
  std::vector<JobSnapshot> jobs =
      jobSnapshots(reinterpret_cast<const JOB_INFO_2A*>(buffer.get()), returned);
  calls_.close(handle);
  return jobs;
}

std::optional<std::vector<std::string>> WinspoolPrinterList::localPrinters() {
  DWORD needed = 0, returned = 0;
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 5, nullptr, 0, &needed, &returned) &&
      GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    return std::nullopt;
  std::vector<BYTE> buffer(needed > 0 ? needed : 1);
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 5, buffer.data(), needed, &needed, &returned))
    return std::nullopt;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_5A*>(buffer.data());
  std::vector<std::string> names;
  for (DWORD i = 0; i < returned; ++i)
    names.push_back(ansiText(printers[i].pPrinterName));
  return names;
}

}  // namespace pw
