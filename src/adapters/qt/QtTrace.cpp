#include "adapters/qt/QtTrace.h"

#include <string>

#include "base/Ports.h"

namespace pw {

Q_LOGGING_CATEGORY(lcTrace, "pagewarden.trace", QtInfoMsg)

void installQtTrace() {
  setTraceSink([](const std::string& text) {
    if (!lcTrace().isDebugEnabled())
      return;
    // The trace lines end in a line break; the logging framework adds its own.
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
      line.pop_back();
    qCDebug(lcTrace, "%s", line.c_str());
  });
}

}  // namespace pw
