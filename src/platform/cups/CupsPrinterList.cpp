#include "platform/cups/CupsPrinterList.h"

#include <cups/cups.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "platform/cups/CupsJobSource.h"

namespace pw {

namespace {

// One CUPS-Get-Printers request on its own connection: the library's destination list asks the
// server several times, and with a server that hangs every question costs the full timeout.
// Instances live only in the client's lpoptions, so the server's queue names are all there is.
std::optional<std::vector<std::string>> AskServer() {
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              CupsJobSource::kTimeoutMs, nullptr);
  if (!http)
    return std::nullopt;
  httpSetTimeout(
      http, CupsJobSource::kTimeoutMs / 1000.0, [](http_t*, void*) { return 0; }, nullptr);
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
               "printer-name");
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ipp_t* answer = cupsDoRequest(http, request, "/");
  httpClose(http);
  if (!answer)
    return std::nullopt;
  std::optional<std::vector<std::string>> names;
  // "Not found" is how the server says it has no queues at all.
  const ipp_status_t status = ippGetStatusCode(answer);
  if (status <= IPP_STATUS_OK_EVENTS_COMPLETE || status == IPP_STATUS_ERROR_NOT_FOUND) {
    names.emplace();
    for (ipp_attribute_t* attr = ippFindAttribute(answer, "printer-name", IPP_TAG_NAME); attr;
         attr = ippFindNextAttribute(answer, "printer-name", IPP_TAG_NAME))
      names->emplace_back(ippGetString(attr, 0, nullptr));
  }
  ippDelete(answer);
  return names;
}

// Besides its timeouts the library waits a second for an early answer to every request, so the
// question runs on its own thread and the dialog waits for it a bounded time only.
constexpr auto kListLimit = std::chrono::milliseconds(900);

}  // namespace

std::optional<std::vector<std::string>> CupsPrinterList::LocalPrinters() {
  auto answer = std::make_shared<std::promise<std::optional<std::vector<std::string>>>>();
  auto names = answer->get_future();
  // Detached: a server that hangs keeps it a little longer; it owns all it uses.
  std::thread([answer] { answer->set_value(AskServer()); }).detach();
  if (names.wait_for(kListLimit) != std::future_status::ready)
    return std::nullopt;
  return names.get();
}

}  // namespace pw
