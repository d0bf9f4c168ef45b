// The job source on hand-made JOB_INFO_2 buffers and a scripted spooler: the spooler that the
// tests run against has no jobs to list.

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <tuple>
#include <vector>

#include "adapters/win32/WinspoolJobSource.h"
#include "app/SpoolerPorts.h"

namespace pw {
namespace {

TEST(WinspoolJobs, RecordsBecomeSnapshots) {
  DEVMODEA draft = {};
  draft.dmPrintQuality = DMRES_DRAFT;
  char user[] = "eva", document[] = "Dopis.docx";
  JOB_INFO_2A jobs[2] = {};
  jobs[0].JobId = 0xFFFFFFFF;
  jobs[0].pUserName = user;
  jobs[0].pDocument = document;
  jobs[0].pDevMode = &draft;
  jobs[0].TotalPages = 3;
  jobs[0].PagesPrinted = 1;
  jobs[1].JobId = 9;  // no names, no print settings

  using Row = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::string, std::string,
                         std::optional<std::int16_t>>;
  std::vector<Row> rows;
  for (const JobSnapshot& j : jobSnapshots(jobs, 2))
    rows.emplace_back(j.id, j.totalPages, j.pagesPrinted, j.user, j.document, j.quality);
  EXPECT_EQ(rows, (std::vector<Row>{{0xFFFFFFFF, 3, 1, "eva", "Dopis.docx", -1},
                                    {9, 0, 0, "", "", std::nullopt}}));
}

// Answers the size query and the fetch as scripted, the fetch from one job record packed with its
// strings into the caller's buffer, as the spooler packs them.
class ScriptedSpooler : public ISpoolerCalls {
 public:
  bool open(const std::string&, HANDLE* printer) override {
    *printer = reinterpret_cast<HANDLE>(0x42);
    return canOpen;
  }
  bool enumerate(HANDLE printer, BYTE* buffer, DWORD size, DWORD* needed,
                 DWORD* returned) override {
    EXPECT_EQ(printer, reinterpret_cast<HANDLE>(0x42));
    const DWORD full = withJob ? sizeof(JOB_INFO_2A) + 8 : 0;
    *needed = full;
    *returned = 0;
    sizes.push_back(size);
    if (!failures.empty()) {
      SetLastError(failures.front());
      failures.pop_front();
      return false;
    }
    if (size < full) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return false;
    }
    if (withJob) {
      auto* job = reinterpret_cast<JOB_INFO_2A*>(buffer);
      *job = {};
      job->JobId = 12;
      char* text = reinterpret_cast<char*>(buffer + sizeof(JOB_INFO_2A));
      std::memcpy(text, "jan", 4);
      job->pUserName = text;
      *returned = 1;
    }
    return true;
  }
  void close(HANDLE) override { ++closed; }

  std::deque<DWORD> failures;  // the errors of the first calls; the calls after them succeed
  bool canOpen = true;
  bool withJob = true;
  std::vector<DWORD> sizes;
  int closed = 0;
};

TEST(WinspoolJobs, SizeQueryThenFetchIntoABufferOfThatSize) {
  ScriptedSpooler spooler;
  WinspoolJobSource source(spooler);
  const auto jobs = source.listJobs("Kancelář");
  ASSERT_TRUE(jobs.has_value());
  ASSERT_EQ(jobs->size(), 1u);
  EXPECT_EQ((*jobs)[0].id, 12u);
  EXPECT_EQ((*jobs)[0].user, "jan");
  EXPECT_EQ(spooler.sizes, (std::vector<DWORD>{0, sizeof(JOB_INFO_2A) + 8}));
  EXPECT_EQ(spooler.closed, 1);

  // An empty queue: the size query succeeds with nothing to fetch.
  spooler.withJob = false;
  const auto none = source.listJobs("Kancelář");
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());
}

TEST(WinspoolJobs, FailuresYieldNothingAndCloseWhatWasOpened) {
  struct Case {
    bool canOpen;
    std::deque<DWORD> failures;
    std::size_t calls;
    int closed;
  };
  // The printer does not open; the size query fails otherwise than "buffer too small"; the fetch
  // fails.
  for (const Case& c : {Case{false, {}, 0, 0}, Case{true, {ERROR_ACCESS_DENIED}, 1, 1},
                        Case{true, {ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_HANDLE}, 2, 1}}) {
    SCOPED_TRACE(c.calls);
    ScriptedSpooler spooler;
    spooler.canOpen = c.canOpen;
    spooler.failures = c.failures;
    EXPECT_FALSE(WinspoolJobSource(spooler).listJobs("x").has_value());
    EXPECT_EQ(spooler.sizes.size(), c.calls);
    EXPECT_EQ(spooler.closed, c.closed);
  }
}

TEST(WinspoolPrinters, TheSpoolerAnswers) {
  // Whatever queues the machine has, the spooler is reachable and names each one.
  const auto printers = WinspoolPrinterList().localPrinters();
  ASSERT_TRUE(printers.has_value());
  for (const std::string& name : *printers)
    EXPECT_FALSE(name.empty());
}

}  // namespace
}  // namespace pw
