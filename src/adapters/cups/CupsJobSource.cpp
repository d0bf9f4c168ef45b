#include "adapters/cups/CupsJobSource.h"

#include <poll.h>
#include <strings.h>

#include <algorithm>
#include <limits>
#include <utility>

namespace pw {
namespace {

// Only what the watcher uses: with a long history the full attribute set costs five times more.
const char* const kJobAttributes[] = {"job-id",
                                      "job-state",
                                      "job-impressions",
                                      "job-impressions-completed",
                                      "job-originating-user-name",
                                      "job-name",
                                      "print-quality",
                                      "printer-resolution",
                                      "cupsPrintQuality",
                                      "job-printer-uri"};
const char* const kQueueAttributes[] = {"print-quality-default", "printer-resolution-default"};
const char* const kBaselineAttributes[] = {"job-id"};

constexpr auto kDefaultsLifetime = std::chrono::seconds(3);

// The device-mode convention the watcher classifies: -1 draft, -3 medium, -4 high.
std::optional<std::int16_t> FromPrintQuality(int value) {
  switch (value) {
    case IPP_QUALITY_DRAFT:
      return -1;
    case IPP_QUALITY_NORMAL:
      return -3;
    case IPP_QUALITY_HIGH:
      return -4;
  }
  return std::nullopt;
}

std::optional<std::int16_t> FromQualityName(const char* name) {
  if (!name)
    return std::nullopt;
  if (strcasecmp(name, "Draft") == 0)
    return -1;
  if (strcasecmp(name, "Normal") == 0)
    return -3;
  if (strcasecmp(name, "High") == 0)
    return -4;
  return std::nullopt;
}

std::optional<std::int16_t> FromResolution(ipp_attribute_t* attr) {
  ipp_res_t units;
  int yres = 0;
  int dpi = ippGetResolution(attr, 0, &yres, &units);
  if (units == IPP_RES_PER_CM)
    dpi = dpi * 254 / 100;
  if (dpi <= 0)
    return std::nullopt;
  return std::int16_t(std::min(dpi, int(std::numeric_limits<std::int16_t>::max())));
}

// Reads one job's attributes, from `attr` up to the next group separator.
ipp_attribute_t* ReadJob(ipp_t* answer, ipp_attribute_t* attr, SpooledJob& out,
                         std::string& printerUri) {
  std::optional<std::int16_t> quality, named, resolution;
  for (; attr && ippGetGroupTag(attr) == IPP_TAG_JOB; attr = ippNextAttribute(answer)) {
    const char* name = ippGetName(attr);
    if (!name)
      break;
    const ipp_tag_t tag = ippGetValueTag(attr);
    const char* text = ippGetString(attr, 0, nullptr);
    if (strcmp(name, "job-id") == 0 && tag == IPP_TAG_INTEGER)
      out.id = std::uint32_t(std::max(0, ippGetInteger(attr, 0)));
    else if (strcmp(name, "job-state") == 0 && tag == IPP_TAG_ENUM)
      out.state = ippGetInteger(attr, 0) == IPP_JSTATE_COMPLETED  ? SpooledJob::State::kCompleted
                  : ippGetInteger(attr, 0) >= IPP_JSTATE_CANCELED ? SpooledJob::State::kStopped
                                                                  : SpooledJob::State::kWaiting;
    else if (strcmp(name, "job-impressions") == 0 && tag == IPP_TAG_INTEGER)
      out.totalPages = std::uint32_t(std::max(0, ippGetInteger(attr, 0)));
    else if (strcmp(name, "job-impressions-completed") == 0 && tag == IPP_TAG_INTEGER)
      out.pagesPrinted = std::uint32_t(std::max(0, ippGetInteger(attr, 0)));
    else if (strcmp(name, "job-originating-user-name") == 0)
      out.user = text ? text : "";
    else if (strcmp(name, "job-name") == 0)
      out.document = text ? text : "";
    else if (strcmp(name, "job-printer-uri") == 0)
      printerUri = text ? text : "";
    else if (strcmp(name, "print-quality") == 0 && tag == IPP_TAG_ENUM)
      quality = FromPrintQuality(ippGetInteger(attr, 0));
    else if (strcmp(name, "cupsPrintQuality") == 0)
      named = FromQualityName(text);
    else if (strcmp(name, "printer-resolution") == 0 && tag == IPP_TAG_RESOLUTION)
      resolution = FromResolution(attr);
  }
  out.quality = quality ? quality : named ? named : resolution;
  return attr;
}

// Every job of an answer; `printerUris` gets each job's printer where the answer names it.
std::vector<SpooledJob> ReadJobs(ipp_t* answer, std::vector<std::string>* printerUris = nullptr) {
  std::vector<SpooledJob> jobs;
  for (ipp_attribute_t* attr = ippFirstAttribute(answer); attr;) {
    if (ippGetGroupTag(attr) != IPP_TAG_JOB) {
      attr = ippNextAttribute(answer);
      continue;
    }
    std::string uri;
    jobs.emplace_back();
    attr = ReadJob(answer, attr, jobs.back(), uri);
    if (printerUris)
      printerUris->push_back(std::move(uri));
  }
  return jobs;
}

}  // namespace

CupsJobSource::CupsJobSource() = default;

CupsJobSource::~CupsJobSource() = default;

void CupsJobSource::StartFresh(const std::string& printer) {
  // The line is drawn now; a server that does not answer yet gets it drawn at the first look
  // that reaches it.
  view_.Forget();
  if (!printer.empty())
    TakeBaseline(printer);
}

bool CupsJobSource::Connect() {
  if (http_) {
    // A connection the server has closed (restart, idle timeout) reads as ready with nothing to
    // say; reconnecting here keeps the short connect timeout instead of the library's long one.
    pollfd fd{httpGetFd(http_.get()), POLLIN, 0};
    if (poll(&fd, 1, 0) == 0)
      return true;
    http_.reset();
  }
  http_ = ipp::Connect(kTimeoutMs);
  return http_ != nullptr;
}

ipp::Message CupsJobSource::Send(ipp::Message request, int* status) {
  if (!Connect())
    return nullptr;
  ipp::Message answer = ipp::Send(http_.get(), std::move(request));
  if (!answer) {
    http_.reset();
    return nullptr;
  }
  if (status)
    *status = ippGetStatusCode(answer.get());
  if (!ipp::Succeeded(answer.get()))
    return nullptr;
  return answer;
}

bool CupsJobSource::TakeBaseline(const std::string& printer) {
  ipp::Message request = ipp::PrinterRequest(IPP_OP_GET_JOBS, printer);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr,
               "completed");
  ipp::AskFor(request.get(), kBaselineAttributes);
  const ipp::Message answer = Send(std::move(request));
  if (!answer)
    return false;
  std::uint32_t highest = 0;
  for (const SpooledJob& job : ReadJobs(answer.get()))
    highest = std::max(highest, job.id);

  const auto unfinished = GetJobs(printer, "not-completed", 1);
  if (!unfinished)
    return false;
  std::vector<std::uint32_t> waiting;
  for (const SpooledJob& job : *unfinished) {
    highest = std::max(highest, job.id);
    waiting.push_back(job.id);
  }
  view_.Begin(printer, highest, waiting);
  return true;
}

std::optional<std::vector<SpooledJob>> CupsJobSource::GetJobs(const std::string& printer,
                                                              const char* which,
                                                              std::uint32_t firstId) {
  ipp::Message request = ipp::PrinterRequest(IPP_OP_GET_JOBS, printer);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, which);
  if (firstId > 1)
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "first-job-id",
                  int(std::min<std::uint32_t>(firstId, INT32_MAX)));
  ipp::AskFor(request.get(), kJobAttributes);
  const ipp::Message answer = Send(std::move(request));
  if (!answer)
    return std::nullopt;
  return ReadJobs(answer.get());
}

std::optional<std::vector<SpooledJob>> CupsJobSource::GetJob(const std::string& printer,
                                                             std::uint32_t id) {
  ipp::Message request = ipp::JobRequest(IPP_OP_GET_JOB_ATTRIBUTES, id);
  ipp::AskFor(request.get(), kJobAttributes);
  int status = IPP_STATUS_OK;
  const ipp::Message answer = Send(std::move(request), &status);
  if (!answer)
    return status == IPP_STATUS_ERROR_NOT_FOUND ? std::optional(std::vector<SpooledJob>{})
                                                : std::nullopt;
  std::vector<std::string> uris;
  auto jobs = ReadJobs(answer.get(), &uris);
  // Moved to another queue (lpmove): that printer's pages are not ours.
  const std::string ours = "/printers/" + printer;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const std::string& got = uris[i];
    if (!got.empty() &&
        (got.size() < ours.size() || got.compare(got.size() - ours.size(), ours.size(), ours) != 0))
      return std::vector<SpooledJob>{};
  }
  return jobs;
}

std::optional<std::optional<std::int16_t>> CupsJobSource::QueueDefault(const std::string& printer) {
  const auto now = std::chrono::steady_clock::now();
  if (const auto it = defaults_.find(printer);
      it != defaults_.end() && now - it->second.taken < kDefaultsLifetime)
    return it->second.quality;

  ipp::Message request = ipp::PrinterRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, printer);
  ipp::AskFor(request.get(), kQueueAttributes);
  const ipp::Message answer = Send(std::move(request));
  if (!answer)
    return std::nullopt;
  std::optional<std::int16_t> quality;
  if (ipp_attribute_t* attr = ippFindAttribute(answer.get(), "print-quality-default", IPP_TAG_ENUM))
    quality = FromPrintQuality(ippGetInteger(attr, 0));
  if (!quality)
    if (ipp_attribute_t* attr =
            ippFindAttribute(answer.get(), "printer-resolution-default", IPP_TAG_RESOLUTION))
      quality = FromResolution(attr);
  defaults_[printer] = Defaults{quality, now};
  return quality;
}

std::optional<std::vector<JobSnapshot>> CupsJobSource::ListJobs(const std::string& printer) {
  auto jobs = Look(printer);
  if (!jobs)
    view_.LookFailed();
  return jobs;
}

std::optional<std::vector<JobSnapshot>> CupsJobSource::Look(const std::string& printer) {
  // No printer chosen yet is a printer that cannot be opened: the server-wide queue would count
  // the jobs of every printer.
  if (printer.empty())
    return std::nullopt;
  // Another printer (chosen in Settings) starts from a line of its own: its old jobs are not
  // this watch's.
  if (!view_.BegunFor(printer) && !TakeBaseline(printer))
    return std::nullopt;

  auto jobs = GetJobs(printer, "not-completed", 1);
  if (!jobs)
    return std::nullopt;
  auto finished = GetJobs(printer, "completed", view_.FinishedFrom());
  if (!finished)
    return std::nullopt;
  jobs->insert(jobs->end(), finished->begin(), finished->end());
  for (const std::uint32_t id : view_.Missing(*jobs)) {
    auto job = GetJob(printer, id);
    if (!job)
      return std::nullopt;
    jobs->insert(jobs->end(), job->begin(), job->end());
  }
  return view_.Look(std::move(*jobs), [&] { return QueueDefault(printer); });
}

}  // namespace pw
