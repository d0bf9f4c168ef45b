#include "adapters/cups/CupsInkLevels.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <optional>
#include <thread>
#include <utility>

#include "adapters/cups/Ipp.h"
#include "app/InkLevels.h"

namespace pw {
namespace {

const char* const kMarkerAttributes[] = {"marker-names", "marker-colors", "marker-levels",
                                         "marker-low-levels", "marker-types"};

std::vector<Marker> askServer(const std::string& printer) {
  if (printer.empty())
    return {};
  const ipp::Connection http = ipp::connect(CupsInkLevels::kTimeoutMs);
  if (!http)
    return {};
  ipp::Message request = ipp::printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, printer);
  ipp::askFor(request.get(), kMarkerAttributes);
  const ipp::Message answer = ipp::send(http.get(), std::move(request));
  if (!answer || !ipp::succeeded(answer.get()))
    return {};
  ipp_t* a = answer.get();
  return parseMarkers(ipp::strings(a, "marker-names"), ipp::strings(a, "marker-colors"),
                      ipp::integers(a, "marker-levels"), ipp::integers(a, "marker-low-levels"),
                      ipp::strings(a, "marker-types"));
}

}  // namespace

// Touched only on the thread of the windows: the worker hands its answer back there.
struct CupsInkLevels::State {
  bool out = false;
  std::optional<std::pair<std::string, Answer>> next;
};

CupsInkLevels::CupsInkLevels() : state_(std::make_shared<State>()) {}

// A worker still out keeps running to its limit; its answer finds the state gone and is dropped.
CupsInkLevels::~CupsInkLevels() = default;

void CupsInkLevels::readMarkers(const std::string& printer, Answer answer) {
  if (state_->out) {
    state_->next.emplace(printer, std::move(answer));
    return;
  }
  ask(printer, std::move(answer));
}

void CupsInkLevels::ask(const std::string& printer, Answer answer) {
  state_->out = true;
  std::weak_ptr<State> weak = state_;
  // Detached: it owns what it uses, and the application object outlives every window.
  std::thread([this, weak, printer, answer = std::move(answer)]() mutable {
    std::vector<Marker> markers = askServer(printer);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [this, weak, answer = std::move(answer), markers = std::move(markers)]() mutable {
          const std::shared_ptr<State> state = weak.lock();
          if (!state)
            return;  // this object is gone, and with it whoever asked
          state->out = false;
          answer(std::move(markers));
          if (state->next) {
            auto [nextPrinter, nextAnswer] = std::move(*state->next);
            state->next.reset();
            ask(nextPrinter, std::move(nextAnswer));
          }
        },
        Qt::QueuedConnection);
  }).detach();
}

}  // namespace pw
