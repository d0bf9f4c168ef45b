#include "base/Format.h"
#include "base/Ports.h"

namespace pw {
namespace {
std::function<void(const std::string&)>& Sink() {
  static std::function<void(const std::string&)> sink;
  return sink;
}
}  // namespace

void SetTraceSink(std::function<void(const std::string&)> sink) {
  Sink() = std::move(sink);
}

void Trace(const char* format, ...) {
  if (!Sink())
    return;
  va_list args;
  va_start(args, format);
  const std::string text = VFormat(format, args);
  va_end(args);
  Sink()(text);
}

}  // namespace pw
