// The string table's format texts: the compiler cannot check what their callers pass, so the
// conversions each text asks for are pinned here. A text edited to ask for a string where its
// caller passes a number would otherwise read a wild pointer.

#include "res/Strings.h"

#include <gtest/gtest.h>

#include <string>

namespace pw {
namespace {

// The conversion letters of a printf format, "%%" skipped: "%s tiskne %d" gives "sd".
std::string Conversions(const std::string& format) {
  std::string letters;
  for (std::size_t i = format.find('%'); i != std::string::npos; i = format.find('%', i + 1)) {
    const std::size_t letter = format.find_first_not_of("-+ #0123456789.l", i + 1);
    if (letter == std::string::npos)
      break;
    if (format[letter] != '%')
      letters += format[letter];
    i = letter;
  }
  return letters;
}

TEST(StringTable, FormatTextsAskForWhatTheirCallersPass) {
  const std::pair<int, std::string> formats[] = {
      {ids::kMailUrl, "s"}, {ids::kWaitingForPrint, "s"},   {ids::kEnterByDetails, "s"},
      {ids::kUsage, "d"},   {ids::kImplausiblePages, "d"},  {ids::kPrinted, "sdss"},
      {ids::kLogHelp, "s"}, {ids::kLogNoSuchCartridge, "s"}};
  for (const auto& [id, letters] : formats) {
    ASSERT_FALSE(LoadStr(id).empty()) << id;
    EXPECT_EQ(Conversions(LoadStr(id)), letters) << id << ": " << LoadStr(id);
  }
}

}  // namespace
}  // namespace pw
