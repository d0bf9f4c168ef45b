#include "base/Format.h"
#include "base/Ports.h"

namespace pw {
namespace {
std::function<void(const std::string&)>& traceSink() {
  static std::function<void(const std::string&)> sink;
  return sink;
}
}  // namespace

void setTraceSink(std::function<void(const std::string&)> sink) {
  traceSink() = std::move(sink);
}

void trace(const char* format, ...) {
  if (!traceSink())
    return;
  va_list args;
  va_start(args, format);
  const std::string text = vFormat(format, args);
  va_end(args);
  traceSink()(text);
}

}  // namespace pw
