#include "platform/cups/CupsPrinterList.h"

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <utility>

#include "platform/cups/CupsSchedulerCalls.h"
#include "platform/cups/Ipp.h"

namespace pw {

namespace {

// One CUPS-Get-Printers request on its own connection: the library's destination list asks the
// server several times, and with a server that hangs every question costs the full timeout.
// Instances live only in the client's lpoptions, so the server's queue names are all there is.
std::optional<std::vector<std::string>> AskServer() {
  const ipp::Connection http = ipp::Connect(CupsSchedulerCalls::kTimeoutMs);
  if (!http)
    return std::nullopt;
  ipp::Message request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
               "printer-name");
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  const ipp::Message answer = ipp::Send(http.get(), std::move(request));
  if (!answer)
    return std::nullopt;
  // "Not found" is how the server says it has no queues at all.
  if (!ipp::Succeeded(answer.get()) && ippGetStatusCode(answer.get()) != IPP_STATUS_ERROR_NOT_FOUND)
    return std::nullopt;
  return ipp::Strings(answer.get(), "printer-name", IPP_TAG_NAME);
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
