#include "platform/cups/CupsJobSource.h"

#include <cups/cups.h>
#include <poll.h>
#include <strings.h>

#include <algorithm>
#include <limits>

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
                                      "cupsPrintQuality"};
const char* const kQueueAttributes[] = {"print-quality-default", "printer-resolution-default"};
const char* const kBaselineAttributes[] = {"job-id", "job-state"};

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

ipp_t* NewRequest(ipp_op_t op, const std::string& printer) {
  ipp_t* request = ippNewRequest(op);
  char uri[HTTP_MAX_URI];
  if (printer.empty())
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                    "/");
  else
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", printer.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  return request;
}

template <std::size_t N>
void AskFor(ipp_t* request, const char* const (&names)[N]) {
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(N),
                nullptr, names);
}

// An answer that waits longer than the timeout gives up instead of waiting again.
int GiveUp(http_t*, void*) {
  return 0;
}

struct RawJob {
  JobSnapshot job;
  bool completed = false;
  bool hasSettings = false;
};

// Reads one job's attributes, from `attr` up to the next group separator.
ipp_attribute_t* ReadJob(ipp_t* answer, ipp_attribute_t* attr, RawJob& out) {
  std::optional<std::int16_t> quality, named, resolution;
  for (; attr && ippGetGroupTag(attr) == IPP_TAG_JOB; attr = ippNextAttribute(answer)) {
    const char* name = ippGetName(attr);
    if (!name)
      break;
    const ipp_tag_t tag = ippGetValueTag(attr);
    if (strcmp(name, "job-id") == 0 && tag == IPP_TAG_INTEGER)
      out.job.id = std::uint32_t(ippGetInteger(attr, 0));
    else if (strcmp(name, "job-state") == 0 && tag == IPP_TAG_ENUM)
      out.completed = ippGetInteger(attr, 0) >= IPP_JSTATE_CANCELED;
    else if (strcmp(name, "job-impressions") == 0 && tag == IPP_TAG_INTEGER)
      out.job.totalPages = std::uint32_t(std::max(0, ippGetInteger(attr, 0)));
    else if (strcmp(name, "job-impressions-completed") == 0 && tag == IPP_TAG_INTEGER)
      out.job.pagesPrinted = std::uint32_t(std::max(0, ippGetInteger(attr, 0)));
    else if (strcmp(name, "job-originating-user-name") == 0)
      out.job.user = ippGetString(attr, 0, nullptr) ? ippGetString(attr, 0, nullptr) : "";
    else if (strcmp(name, "job-name") == 0)
      out.job.document = ippGetString(attr, 0, nullptr) ? ippGetString(attr, 0, nullptr) : "";
    else if (strcmp(name, "print-quality") == 0 && tag == IPP_TAG_ENUM)
      quality = FromPrintQuality(ippGetInteger(attr, 0));
    else if (strcmp(name, "cupsPrintQuality") == 0)
      named = FromQualityName(ippGetString(attr, 0, nullptr));
    else if (strcmp(name, "printer-resolution") == 0 && tag == IPP_TAG_RESOLUTION)
      resolution = FromResolution(attr);
  }
  out.job.quality = quality ? quality : named ? named : resolution;
  out.hasSettings = out.job.quality.has_value();
  return attr;
}

}  // namespace

CupsJobSource::CupsJobSource() {
  // The line between old history and jobs to count is drawn now; a server that does not answer
  // yet gets it drawn at the first look that reaches it.
  if (Connect())
    TakeBaseline();
}

CupsJobSource::~CupsJobSource() {
  Disconnect();
}

bool CupsJobSource::Connect() {
  if (http_) {
    // A connection the server has closed (restart, idle timeout) reads as ready with nothing to
    // say; reconnecting here keeps the short connect timeout instead of the library's long one.
    pollfd fd{httpGetFd(http_), POLLIN, 0};
    if (poll(&fd, 1, 0) == 0)
      return true;
    Disconnect();
  }
  http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kTimeoutMs,
                       nullptr);
  if (!http_)
    return false;
  httpSetTimeout(http_, kTimeoutMs / 1000.0, GiveUp, nullptr);
  return true;
}

void CupsJobSource::Disconnect() {
  if (http_)
    httpClose(http_);
  http_ = nullptr;
}

ipp_t* CupsJobSource::Send(ipp_t* request) {
  if (!Connect()) {
    ippDelete(request);
    return nullptr;
  }
  ipp_t* answer = cupsDoRequest(http_, request, "/");
  if (!answer) {
    Disconnect();
    return nullptr;
  }
  if (ippGetStatusCode(answer) > IPP_STATUS_OK_EVENTS_COMPLETE) {
    ippDelete(answer);
    return nullptr;
  }
  return answer;
}

bool CupsJobSource::TakeBaseline() {
  ipp_t* request = NewRequest(IPP_OP_GET_JOBS, "");
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
  AskFor(request, kBaselineAttributes);
  ipp_t* answer = Send(request);
  if (!answer)
    return false;
  historyEnd_ = 1;
  activeAtStart_.clear();
  for (ipp_attribute_t* attr = ippFirstAttribute(answer); attr;) {
    if (ippGetGroupTag(attr) != IPP_TAG_JOB) {
      attr = ippNextAttribute(answer);
      continue;
    }
    RawJob raw;
    attr = ReadJob(answer, attr, raw);
    historyEnd_ = std::max(historyEnd_, raw.job.id + 1);
    if (!raw.completed)
      activeAtStart_.insert(raw.job.id);
  }
  ippDelete(answer);
  baselineTaken_ = true;
  return true;
}

std::optional<std::optional<std::int16_t>> CupsJobSource::QueueDefault(const std::string& printer) {
  const auto now = std::chrono::steady_clock::now();
  if (const auto it = defaults_.find(printer);
      it != defaults_.end() && now - it->second.taken < kDefaultsLifetime)
    return it->second.quality;

  ipp_t* request = NewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, printer);
  AskFor(request, kQueueAttributes);
  ipp_t* answer = Send(request);
  if (!answer)
    return std::nullopt;
  std::optional<std::int16_t> quality;
  if (ipp_attribute_t* attr = ippFindAttribute(answer, "print-quality-default", IPP_TAG_ENUM))
    quality = FromPrintQuality(ippGetInteger(attr, 0));
  if (!quality)
    if (ipp_attribute_t* attr =
            ippFindAttribute(answer, "printer-resolution-default", IPP_TAG_RESOLUTION))
      quality = FromResolution(attr);
  ippDelete(answer);
  defaults_[printer] = Defaults{quality, now};
  return quality;
}

std::optional<std::vector<JobSnapshot>> CupsJobSource::ListJobs(const std::string& printer) {
  // Whatever fails, the next look must not take its answer for a repeat of an earlier one.
  const auto previous = std::exchange(lastPrinter_, std::nullopt);
  // No printer chosen yet is a printer that cannot be opened: the server-wide queue would count
  // the jobs of every printer.
  if (printer.empty())
    return std::nullopt;
  if (!baselineTaken_ && !TakeBaseline())
    return std::nullopt;

  auto [slot, fresh] = windows_.try_emplace(printer);
  Window& window = slot->second;
  if (fresh) {
    window.firstId = historyEnd_;
    for (const std::uint32_t id : activeAtStart_)
      window.firstId = std::min(window.firstId, id);
  }

  ipp_t* request = NewRequest(IPP_OP_GET_JOBS, printer);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
  if (window.firstId > 1)
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "first-job-id",
                  int(std::min<std::uint32_t>(window.firstId, INT32_MAX)));
  AskFor(request, kJobAttributes);
  ipp_t* answer = Send(request);
  if (!answer)
    return std::nullopt;

  std::vector<RawJob> raws;
  for (ipp_attribute_t* attr = ippFirstAttribute(answer); attr;) {
    if (ippGetGroupTag(attr) != IPP_TAG_JOB) {
      attr = ippNextAttribute(answer);
      continue;
    }
    raws.emplace_back();
    attr = ReadJob(answer, attr, raws.back());
  }
  ippDelete(answer);

  std::vector<JobSnapshot> jobs;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> key;
  std::uint32_t nextFirst = window.firstId;
  if (!raws.empty()) {
    // Past every job seen, but never past one that is still to finish.
    std::uint32_t newest = 0, oldestActive = std::numeric_limits<std::uint32_t>::max();
    for (const RawJob& raw : raws) {
      newest = std::max(newest, raw.job.id);
      if (!raw.completed)
        oldestActive = std::min(oldestActive, raw.job.id);
    }
    nextFirst = std::max(nextFirst, std::min(oldestActive, newest + 1));
  }
  for (RawJob& raw : raws) {
    const std::uint32_t id = raw.job.id;
    if (raw.completed && id < historyEnd_ && !activeAtStart_.count(id))
      continue;
    // A job that has no page counted yet (waiting, held, or still before its first page) would
    // be accounted for with 0 pages and then never again; it joins the queue once it has some.
    if (!raw.completed && raw.job.totalPages == 0 && raw.job.pagesPrinted == 0)
      continue;
    if (!raw.hasSettings) {
      const auto queueDefault = QueueDefault(printer);
      if (!queueDefault)
        return std::nullopt;
      raw.job.quality = *queueDefault;
    }
    key.emplace_back(id, std::max(raw.job.totalPages, raw.job.pagesPrinted));
    jobs.push_back(std::move(raw.job));
  }

  if (previous == printer && key == window.lastAnswer)
    window.firstId = nextFirst;
  window.lastAnswer = std::move(key);
  lastPrinter_ = printer;
  return jobs;
}

}  // namespace pw
