#pragma once
// printf-style formatting into a std::string (the string table's texts use %s, %d and %%), and
// the one way a number is written.

#include <cstdarg>
#include <string>

#if defined(__GNUC__)
#define PW_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define PW_PRINTF_FORMAT(f, a)
#endif

namespace pw {
std::string vFormat(const char* format, va_list args);
std::string format(const char* format, ...) PW_PRINTF_FORMAT(1, 2);
// A whole number in decimal digits with a leading minus when negative, as every file and window
// of the program writes one.
std::string decimal(long long n);
}  // namespace pw
