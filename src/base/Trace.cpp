#include "base/Format.h"
#include "base/Ports.h"

namespace pw {
namespace {
std::function<void(const std::string&)>& TraceSink() {
  static std::function<void(const std::string&)> sink;
  return sink;
}
}  // namespace

void SetTraceSink(std::function<void(const std::string&)> sink) {
  TraceSink() = std::move(sink);
}

void Trace(const char* format, ...) {
  if (!TraceSink())
    return;
  va_list args;
  va_start(args, format);
  const std::string text = VFormat(format, args);
  va_end(args);
  TraceSink()(text);
}

}  // namespace pw
