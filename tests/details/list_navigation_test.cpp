#include "details/ListNavigation.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

// A list of 10 rows and 7 columns with 4 rows on a page.
struct NavCase {
  const char* name;
  NavKey key;
  Cell from;
  std::optional<Cell> to;
};

class NavigateTargetTest : public ::testing::TestWithParam<NavCase> {};

TEST_P(NavigateTargetTest, LeadsToTheExpectedCell) {
  const NavCase& c = GetParam();
  EXPECT_EQ(NavigateTarget(c.key, c.from, 10, 7, 4), c.to);
}

constexpr std::optional<Cell> kNothing;

INSTANTIATE_TEST_SUITE_P(
    Edges, NavigateTargetTest,
    ::testing::Values(NavCase{"TabRight", NavKey::Tab, {3, 2}, Cell{3, 3}},
                      NavCase{"TabWraps", NavKey::Tab, {3, 6}, Cell{4, 0}},
                      NavCase{"TabPastLastCell", NavKey::Tab, {9, 6}, kNothing},
                      NavCase{"EnterWraps", NavKey::Enter, {8, 6}, Cell{9, 0}},
                      NavCase{"EnterPastLastCell", NavKey::Enter, {9, 6}, kNothing},
                      NavCase{"ShiftTabLeft", NavKey::ShiftTab, {5, 1}, Cell{5, 0}},
                      NavCase{"ShiftTabWrapsUp", NavKey::ShiftTab, {5, 0}, Cell{4, 6}},
                      NavCase{"ShiftTabBeforeFirstCell", NavKey::ShiftTab, {0, 0}, kNothing},
                      NavCase{"UpInRowZero", NavKey::Up, {0, 3}, kNothing},
                      NavCase{"Up", NavKey::Up, {5, 3}, Cell{4, 3}},
                      NavCase{"DownInLastRow", NavKey::Down, {9, 3}, kNothing},
                      NavCase{"CtrlHome", NavKey::CtrlHome, {7, 5}, Cell{0, 5}},
                      NavCase{"CtrlEnd", NavKey::CtrlEnd, {2, 1}, Cell{9, 1}},
                      NavCase{"PageUp", NavKey::PageUp, {6, 2}, Cell{2, 2}},
                      NavCase{"PageUpToRowZero", NavKey::PageUp, {4, 2}, Cell{0, 2}},
                      NavCase{"PageUpStopsAtRowZero", NavKey::PageUp, {2, 2}, Cell{0, 2}},
                      NavCase{"PageDownOneShortOfEnd", NavKey::PageDown, {5, 2}, Cell{9, 2}},
                      NavCase{"PageDownStopsAtLastRow", NavKey::PageDown, {8, 2}, Cell{9, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NavigateTarget, OneCellListAndEmptyPages) {
  for (NavKey key : {NavKey::Tab, NavKey::ShiftTab, NavKey::Enter, NavKey::Up, NavKey::Down}) {
    EXPECT_EQ(NavigateTarget(key, {0, 0}, 1, 1, 4), std::nullopt);
  }
  EXPECT_EQ(NavigateTarget(NavKey::CtrlEnd, {0, 0}, 1, 1, 4), (Cell{0, 0}));
  EXPECT_EQ(NavigateTarget(NavKey::PageDown, {3, 1}, 10, 7, 0), (Cell{3, 1}));
}

TEST(KindNavigatesOn, PickersAndDropDownsKeepTheirOwnArrows) {
  for (NavKey key : {NavKey::Up, NavKey::Down, NavKey::PageUp, NavKey::PageDown}) {
    EXPECT_TRUE(KindNavigatesOn(EditorKind::Number, key));
    EXPECT_FALSE(KindNavigatesOn(EditorKind::Choice, key));
    EXPECT_FALSE(KindNavigatesOn(EditorKind::Date, key));
  }
  EXPECT_TRUE(KindNavigatesOn(EditorKind::Choice, NavKey::CtrlEnd));
  EXPECT_FALSE(KindNavigatesOn(EditorKind::Time, NavKey::CtrlHome));
  EXPECT_TRUE(KindNavigatesOn(EditorKind::Time, NavKey::ShiftTab));
}

}  // namespace
}  // namespace pw
