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

TEST(WinspoolJobs, SizeQueryThenFetchOrNothingWithWhatWasOpenedClosed) {
  const DWORD full = sizeof(JOB_INFO_2A) + 8;
  struct Case {
    bool canOpen;
    std::deque<DWORD> failures;
    bool withJob;
    std::string jobs;  // "id user" of each job, or "failed"
    std::vector<DWORD> sizes;
  };
  // A job; an empty queue, whose size query succeeds with nothing to fetch; the printer does not
  // open; the size query fails otherwise than "buffer too small"; the fetch fails.
  const std::vector<Case> cases = {
      {true, {}, true, "12 jan", {0, full}},
      {true, {}, false, "", {0, 0}},
      {false, {}, true, "failed", {}},
      {true, {ERROR_ACCESS_DENIED}, true, "failed", {0}},
      {true, {ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_HANDLE}, true, "failed", {0, full}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.sizes) + c.jobs);
    ScriptedSpooler spooler;
    spooler.canOpen = c.canOpen;
    spooler.failures = c.failures;
    spooler.withJob = c.withJob;
    const auto jobs = WinspoolJobSource(spooler).listJobs("Kancelář");
    std::string listed = jobs ? "" : "failed";
    for (const JobSnapshot& job : jobs.value_or(std::vector<JobSnapshot>{}))
      listed += std::to_string(job.id) + " " + job.user;
    EXPECT_EQ(listed, c.jobs);
    EXPECT_EQ(spooler.sizes, c.sizes);
    EXPECT_EQ(spooler.closed, c.canOpen ? 1 : 0);
  }
}

}  // namespace
}  // namespace pw
