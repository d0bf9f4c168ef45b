// The string table's format check: a text whose conversions do not fit its caller's arguments
// must stop the build, so the checker itself is held to that here, while compiling.

#include "res/Strings.h"

#include <string>

namespace pw::strings {

static_assert(fits<int>("Náplň je vypotřebována z %d%%."));
static_assert(fits<std::string, int, const char*, std::string_view>("%s %d stran.\n(%s %s)"));
// A number where a text is asked for, and the other way round.
static_assert(!fits<int>("%s"));
static_assert(!fits<std::string>("%d"));
// Too few or too many arguments.
static_assert(!fits<int>("%d %d"));
static_assert(!fits<int, int>("%d"));
// A bool or a char is a slip, not a number; widths, flags and other letters are not supported.
static_assert(!fits<bool>("%d"));
static_assert(!fits<char>("%d"));
static_assert(!fits<int>("%5d"));
static_assert(!fits<double>("%f"));
// A lone % at the end.
static_assert(!fits<>("100%"));

}  // namespace pw::strings
