#include "app/LowNotices.h"

#include <gtest/gtest.h>

#include <tuple>

#include "res/Strings.h"

namespace pw {
namespace {

TEST(LowNotices, TheNearlyEmptyCartridgeIsToldOncePerCartridge) {
  const struct {
    const char* what;
    std::vector<std::tuple<int, bool, bool>> steps;  // share, log empty, told
  } cases[] = {
      {"crossing while running", {{90, false, false}, {96, false, true}, {99, false, false}}},
      {"already low at start-up", {{97, false, false}, {98, false, false}}},
      {"lowered by an edit, not a new cartridge",
       {{50, false, false}, {96, false, true}, {80, false, false}, {97, false, false}}},
      {"a cartridge change re-arms",
       {{97, false, false}, {0, true, false}, {60, false, false}, {100, false, true}}},
      {"emptied before start-up's state is learnt", {{0, true, false}, {96, false, true}}},
  };
  for (const auto& c : cases) {
    LowNotices notices;
    for (const auto& [share, logEmpty, told] : c.steps)
      EXPECT_EQ(notices.onUsage(share, logEmpty),
                told ? formatStr(ids::kNoticeUsage, share) : std::string())
          << c.what << " at " << share;
  }
}

Marker ink(const char* name, int level, int low = 10) {
  return Marker{name, "#000000", level, low, "ink-cartridge"};
}

TEST(LowNotices, AnInkAtItsLowMarkIsToldOnceUntilItRisesAboveIt) {
  LowNotices notices;
  EXPECT_EQ(notices.onMarkers({}), "");  // no answer: start-up's state not learnt yet
  EXPECT_EQ(notices.onMarkers({ink("Black", 8), ink("Cyan", 40)}), "");  // low at start-up
  EXPECT_EQ(notices.onMarkers({ink("Black", 7), ink("Cyan", 10), ink("Yellow", 3)}),
            "Tiskárna hlásí, že dochází inkoust: Cyan (10 %), Yellow (3 %).");
  EXPECT_EQ(notices.onMarkers({ink("Black", -2), ink("Cyan", 9), ink("Yellow", 3, -1)}), "");
  // A new cartridge of black: its level rises, and its next low is told again.
  EXPECT_EQ(notices.onMarkers({ink("Black", 100), ink("Cyan", 9)}), "");
  EXPECT_EQ(notices.onMarkers({ink("Black", 10), ink("Cyan", 9)}),
            formatStr(ids::kNoticeInk, "Black (10 %)"));
}

}  // namespace
}  // namespace pw
