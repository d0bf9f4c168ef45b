#pragma once
// The print queue through winspool: OpenPrinterA, EnumJobsA at level 2, ClosePrinter.

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <string>
#include <vector>

#include "app/SpoolerPorts.h"
#include "base/Ports.h"
#include "settings/PrinterList.h"

namespace pw {

// The three spooler calls that a listing makes, so that the two-call pattern can be driven by a
// test: the spooler under test runners often has no jobs, or no job list at all.
class ISpoolerCalls {
 public:
  virtual ~ISpoolerCalls() = default;
  virtual bool open(const std::string& name, HANDLE* printer) = 0;
  // EnumJobsA at level 2 for every job; on failure GetLastError() tells why.
  virtual bool enumerate(HANDLE printer, BYTE* buffer, DWORD size, DWORD* needed,
                         DWORD* returned) = 0;
  virtual void close(HANDLE printer) = 0;
};

// The real winspool calls.
ISpoolerCalls& winspoolCalls();

// The job records of a filled EnumJobsA level-2 buffer, in the spooler's order.
std::vector<JobSnapshot> jobSnapshots(const JOB_INFO_2A* jobs, DWORD count);

class WinspoolJobSource : public IJobSource {
 public:
  explicit WinspoolJobSource(ISpoolerCalls& calls = winspoolCalls()) : calls_(calls) {}

  // One pass: open, ask for the size, fetch into a buffer of exactly that size, close.
  std::optional<std::vector<JobSnapshot>> listJobs(const std::string& printer) override;
  // The spooler lists only jobs still in the queue, so there is nothing of the past to forget.
  void startFresh(const std::string&) override {}

 private:
  ISpoolerCalls& calls_;
};

// The local print queues, EnumPrintersA at level 5.
class WinspoolPrinterList : public IPrinterList {
 public:
  std::optional<std::vector<std::string>> localPrinters() override;
};

}  // namespace pw
