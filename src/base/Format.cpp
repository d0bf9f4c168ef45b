#include "base/Format.h"

#include <cstdio>
#include <vector>

namespace pw {

std::string vFormat(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n <= 0)
    return {};
  std::vector<char> buf(static_cast<size_t>(n) + 1);
  std::vsnprintf(buf.data(), buf.size(), format, args);
  return std::string(buf.data(), static_cast<size_t>(n));
}

std::string format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vFormat(format, args);
  va_end(args);
  return text;
}

std::string decimal(long long n) {
  return std::to_string(n);
}

}  // namespace pw
