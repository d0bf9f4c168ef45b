#include "platform/cups/CupsPrinterList.h"

#include <cups/cups.h>

#include "platform/cups/CupsJobSource.h"

namespace pw {

std::vector<std::string> CupsPrinterList::LocalPrinters() {
  std::vector<std::string> names;
  // Its own connection, so that a dead server costs the dialog the short timeout only.
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              CupsJobSource::kTimeoutMs, nullptr);
  if (!http)
    return names;
  httpSetTimeout(
      http, CupsJobSource::kTimeoutMs / 1000.0, [](http_t*, void*) { return 0; }, nullptr);
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(http, &dests);
  for (int i = 0; i < count; ++i)
    if (!dests[i].instance)
      names.emplace_back(dests[i].name);
  cupsFreeDests(count, dests);
  httpClose(http);
  return names;
}

}  // namespace pw
