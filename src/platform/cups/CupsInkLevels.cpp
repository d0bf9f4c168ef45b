#include "platform/cups/CupsInkLevels.h"

#include <cups/cups.h>

#include "app/InkLevels.h"

namespace pw {
namespace {

const char* const kMarkerAttributes[] = {"marker-names", "marker-colors", "marker-levels",
                                         "marker-low-levels", "marker-types"};

std::vector<std::string> Strings(ipp_t* answer, const char* name) {
  std::vector<std::string> values;
  if (ipp_attribute_t* attr = ippFindAttribute(answer, name, IPP_TAG_ZERO))
    for (int i = 0; i < ippGetCount(attr); ++i) {
      const char* text = ippGetString(attr, i, nullptr);
      values.emplace_back(text ? text : "");
    }
  return values;
}

std::vector<int> Integers(ipp_t* answer, const char* name) {
  std::vector<int> values;
  if (ipp_attribute_t* attr = ippFindAttribute(answer, name, IPP_TAG_INTEGER))
    for (int i = 0; i < ippGetCount(attr); ++i)
      values.push_back(ippGetInteger(attr, i));
  return values;
}

}  // namespace

std::vector<Marker> CupsInkLevels::ReadMarkers(const std::string& printer) {
  if (printer.empty())
    return {};
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              kTimeoutMs, nullptr);
  if (!http)
    return {};
  httpSetTimeout(
      http, kTimeoutMs / 1000.0, [](http_t*, void*) { return 0; }, nullptr);
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", printer.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                int(std::size(kMarkerAttributes)), nullptr, kMarkerAttributes);
  ipp_t* answer = cupsDoRequest(http, request, "/");
  std::vector<Marker> markers;
  if (answer && ippGetStatusCode(answer) <= IPP_STATUS_OK_EVENTS_COMPLETE)
    markers = ParseMarkers(Strings(answer, "marker-names"), Strings(answer, "marker-colors"),
                           Integers(answer, "marker-levels"), Integers(answer, "marker-low-levels"),
                           Strings(answer, "marker-types"));
  ippDelete(answer);
  httpClose(http);
  return markers;
}

}  // namespace pw
