#include "adapters/cups/CupsSchedulerCalls.h"

#include <poll.h>
#include <strings.h>

#include <algorithm>
#include <limits>
#include <utility>

namespace pw {
namespace {

// Only what the watcher uses: with a long history the full attribute set costs five times more.
const char* const kJobAttributes[] = {"job-id",
                                      "time-at-creation",
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
const char* const kBriefAttributes[] = {"job-id", "time-at-creation"};

// The device-mode convention the watcher classifies: -1 draft, -3 medium, -4 high.
std::optional<std::int16_t> fromPrintQuality(int value) {
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

std::optional<std::int16_t> fromQualityName(const char* name) {
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

std::optional<std::int16_t> fromResolution(ipp_attribute_t* attr) {
  ipp_res_t units;
  int yres = 0;
  int dpi = ippGetResolution(attr, 0, &yres, &units);
  if (units == IPP_RES_PER_CM)
    dpi = dpi * 254 / 100;
  if (dpi <= 0)
    return std::nullopt;
  return std::int16_t(std::min(dpi, int(std::numeric_limits<std::int16_t>::max())));
}

// The queue's name at the end of a printer or class URI.
std::string queueName(const char* uri) {
  const std::string text = uri ? uri : "";
  return text.substr(text.rfind('/') + 1);
}

// Reads one job's attributes, from `attr` up to the next group separator.
ipp_attribute_t* readJob(ipp_t* answer, ipp_attribute_t* attr, SpooledJob& out) {
  std::optional<std::int16_t> quality, named, resolution;
  bool titled = false;
  for (; attr && ippGetGroupTag(attr) == IPP_TAG_JOB; attr = ippNextAttribute(answer)) {
    const char* name = ippGetName(attr);
    if (!name)
      break;
    const ipp_tag_t tag = ippGetValueTag(attr);
    const char* text = ippGetString(attr, 0, nullptr);
    if (strcmp(name, "job-id") == 0 && tag == IPP_TAG_INTEGER)
      out.id = std::uint32_t(std::max(0, ippGetInteger(attr, 0)));
    else if (strcmp(name, "time-at-creation") == 0 && tag == IPP_TAG_INTEGER)
      out.created = ippGetInteger(attr, 0);
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
    else if (strcmp(name, "job-name") == 0 && !std::exchange(titled, true))
      // A title too long for the server's checks comes back as the user's, then "Untitled".
      out.document = text ? text : "";
    else if (strcmp(name, "job-printer-uri") == 0)
      out.printer = queueName(text);
    else if (strcmp(name, "print-quality") == 0 && tag == IPP_TAG_ENUM)
      quality = fromPrintQuality(ippGetInteger(attr, 0));
    else if (strcmp(name, "cupsPrintQuality") == 0)
      named = fromQualityName(text);
    else if (strcmp(name, "printer-resolution") == 0 && tag == IPP_TAG_RESOLUTION)
      resolution = fromResolution(attr);
  }
  out.quality = quality ? quality : named ? named : resolution;
  return attr;
}

std::vector<SpooledJob> readJobs(ipp_t* answer) {
  std::vector<SpooledJob> jobs;
  for (ipp_attribute_t* attr = ippFirstAttribute(answer); attr;) {
    if (ippGetGroupTag(attr) != IPP_TAG_JOB) {
      attr = ippNextAttribute(answer);
      continue;
    }
    jobs.emplace_back();
    attr = readJob(answer, attr, jobs.back());
  }
  return jobs;
}

}  // namespace

CupsSchedulerCalls::CupsSchedulerCalls() = default;

CupsSchedulerCalls::~CupsSchedulerCalls() = default;

bool CupsSchedulerCalls::connect() {
  if (http_) {
    // A connection the server has closed (restart, idle timeout) reads as ready with nothing to
    // say; reconnecting here keeps the short connect timeout instead of the library's long one.
    pollfd fd{httpGetFd(http_.get()), POLLIN, 0};
    if (poll(&fd, 1, 0) == 0)
      return true;
    http_.reset();
  }
  http_ = ipp::connect(kTimeoutMs);
  return http_ != nullptr;
}

ipp::Message CupsSchedulerCalls::send(ipp::Message request, int* status) {
  if (!connect())
    return nullptr;
  ipp::Message answer = ipp::send(http_.get(), std::move(request));
  if (!answer) {
    http_.reset();
    return nullptr;
  }
  if (status)
    *status = ippGetStatusCode(answer.get());
  if (!ipp::succeeded(answer.get()))
    return nullptr;
  return answer;
}

std::optional<std::vector<SpooledJob>> CupsSchedulerCalls::getJobs(const std::string& printer,
                                                                   const char* which,
                                                                   std::uint32_t firstId,
                                                                   bool brief) {
  ipp::Message request = ipp::printerRequest(IPP_OP_GET_JOBS, printer);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, which);
  if (firstId > 1)
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "first-job-id",
                  int(std::min<std::uint32_t>(firstId, INT32_MAX)));
  if (brief)
    ipp::askFor(request.get(), kBriefAttributes);
  else
    ipp::askFor(request.get(), kJobAttributes);
  const ipp::Message answer = send(std::move(request));
  if (!answer)
    return std::nullopt;
  return readJobs(answer.get());
}

std::optional<std::vector<SpooledJob>> CupsSchedulerCalls::unfinished(const std::string& printer) {
  return getJobs(printer, "not-completed", 1, false);
}

std::optional<std::vector<SpooledJob>> CupsSchedulerCalls::finished(const std::string& printer,
                                                                    std::uint32_t firstId,
                                                                    bool brief) {
  return getJobs(printer, "completed", firstId, brief);
}

std::optional<std::vector<SpooledJob>> CupsSchedulerCalls::job(std::uint32_t id) {
  ipp::Message request = ipp::jobRequest(IPP_OP_GET_JOB_ATTRIBUTES, id);
  ipp::askFor(request.get(), kJobAttributes);
  int status = IPP_STATUS_OK;
  const ipp::Message answer = send(std::move(request), &status);
  if (!answer)
    return status == IPP_STATUS_ERROR_NOT_FOUND ? std::optional(std::vector<SpooledJob>{})
                                                : std::nullopt;
  return readJobs(answer.get());
}

std::optional<std::optional<std::int16_t>> CupsSchedulerCalls::queueDefault(
    const std::string& printer) {
  ipp::Message request = ipp::printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, printer);
  ipp::askFor(request.get(), kQueueAttributes);
  const ipp::Message answer = send(std::move(request));
  if (!answer)
    return std::nullopt;
  std::optional<std::int16_t> quality;
  if (ipp_attribute_t* attr = ippFindAttribute(answer.get(), "print-quality-default", IPP_TAG_ENUM))
    quality = fromPrintQuality(ippGetInteger(attr, 0));
  if (!quality)
    if (ipp_attribute_t* attr =
            ippFindAttribute(answer.get(), "printer-resolution-default", IPP_TAG_RESOLUTION))
      quality = fromResolution(attr);
  return quality;
}

}  // namespace pw
