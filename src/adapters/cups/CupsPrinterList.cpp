#include "adapters/cups/CupsPrinterList.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "adapters/cups/CupsSchedulerCalls.h"
#include "adapters/cups/Ipp.h"

namespace pw {

namespace {

// One CUPS-Get-Printers request on its own connection: the library's destination list asks the
// server several times, and with a server that hangs every question costs the full timeout.
// Instances live only in the client's lpoptions, so the server's queue names are all there is.
std::optional<std::vector<std::string>> askServer() {
  const ipp::Connection http = ipp::connect(CupsSchedulerCalls::kTimeoutMs);
  if (!http)
    return std::nullopt;
  ipp::Message request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
               "printer-name");
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  const ipp::Message answer = ipp::send(http.get(), std::move(request));
  if (!answer)
    return std::nullopt;
  // "Not found" is how the server says it has no queues at all.
  if (!ipp::succeeded(answer.get()) && ippGetStatusCode(answer.get()) != IPP_STATUS_ERROR_NOT_FOUND)
    return std::nullopt;
  return ipp::strings(answer.get(), "printer-name", IPP_TAG_NAME);
}

// Besides its timeouts the library waits a second for an early answer to every request. A local
// server answers within milliseconds; the dialog waits no longer than this for it.
constexpr auto kListLimit = std::chrono::milliseconds(40);

}  // namespace

// Shared with the worker, which may outlive the list while a hung server keeps it.
struct CupsPrinterList::State {
  std::mutex mutex;
  std::condition_variable answered;
  bool out = false;
  unsigned answers = 0;  // counts answers, so a waiter knows a fresh one from the last
  std::optional<std::vector<std::string>> last;
};

CupsPrinterList::CupsPrinterList() : state_(std::make_shared<State>()) {}

void CupsPrinterList::askAhead() {
  const std::lock_guard lock(state_->mutex);
  if (state_->out)
    return;
  state_->out = true;
  // Detached: it owns all it uses.
  std::thread([state = state_] {
    auto names = askServer();
    const std::lock_guard done(state->mutex);
    state->out = false;
    ++state->answers;
    // A server that is away now does not make the printers it listed before disappear.
    if (names || !state->last)
      state->last = std::move(names);
    state->answered.notify_all();
  }).detach();
}

std::optional<std::vector<std::string>> CupsPrinterList::localPrinters() {
  unsigned before = 0;
  {
    const std::lock_guard lock(state_->mutex);
    before = state_->answers;  // a question already out is as fresh as a new one
  }
  askAhead();
  std::unique_lock lock(state_->mutex);
  state_->answered.wait_for(lock, kListLimit, [&] { return state_->answers > before; });
  return state_->last;
}

}  // namespace pw
