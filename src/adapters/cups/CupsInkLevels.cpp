#include "adapters/cups/CupsInkLevels.h"

#include <utility>

#include "app/InkLevels.h"
#include "adapters/cups/Ipp.h"

namespace pw {
namespace {

const char* const kMarkerAttributes[] = {"marker-names", "marker-colors", "marker-levels",
                                         "marker-low-levels", "marker-types"};

}  // namespace

std::vector<Marker> CupsInkLevels::ReadMarkers(const std::string& printer) {
  if (printer.empty())
    return {};
  const ipp::Connection http = ipp::Connect(kTimeoutMs);
  if (!http)
    return {};
  ipp::Message request = ipp::PrinterRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, printer);
  ipp::AskFor(request.get(), kMarkerAttributes);
  const ipp::Message answer = ipp::Send(http.get(), std::move(request));
  if (!answer || !ipp::Succeeded(answer.get()))
    return {};
  ipp_t* a = answer.get();
  return ParseMarkers(ipp::Strings(a, "marker-names"), ipp::Strings(a, "marker-colors"),
                      ipp::Integers(a, "marker-levels"), ipp::Integers(a, "marker-low-levels"),
                      ipp::Strings(a, "marker-types"));
}

}  // namespace pw
