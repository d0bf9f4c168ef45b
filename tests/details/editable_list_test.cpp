#include "details/EditableList.h"

#include <gtest/gtest.h>

#include <tuple>

#include "details/ListNavigation.h"

namespace pw {
namespace {

TEST(NavigateTarget, MovesWithinTheListAndStopsAtItsEdges) {
  using enum NavKey;
  // Key, from row and column, then the cell it opens (row -1: none, the editor stays), in a list
  // of 10 rows and 7 columns with 4 rows on a page.
  const std::tuple<NavKey, int, int, int, int> cases[] = {
      {Tab, 3, 6, 4, 0},      {Tab, 9, 6, -1, 0},      {Enter, 8, 6, 9, 0},  {Enter, 9, 6, -1, 0},
      {ShiftTab, 5, 0, 4, 6}, {ShiftTab, 0, 0, -1, 0}, {Up, 0, 3, -1, 0},    {Down, 9, 3, -1, 0},
      {CtrlHome, 7, 5, 0, 5}, {CtrlEnd, 2, 1, 9, 1},   {PageUp, 6, 2, 2, 2}, {PageUp, 2, 2, 0, 2},
      {PageDown, 5, 2, 9, 2}, {PageDown, 8, 2, 9, 2}};
  for (auto [key, row, column, toRow, toColumn] : cases) {
    EXPECT_EQ(navigateTarget(key, {row, column}, 10, 7, 4),
              toRow < 0 ? std::nullopt : std::optional<Cell>({toRow, toColumn}))
        << "key " << int(key) << " from " << row << "," << column;
  }
  EXPECT_EQ(navigateTarget(PageDown, {3, 1}, 10, 7, 0), (Cell{3, 1}));  // no whole row visible
  EXPECT_EQ(navigateTarget(CtrlEnd, {0, 0}, 1, 1, 4), Cell{});
}

TEST(KindNavigatesOn, PickersAndDropDownsKeepTheirOwnArrows) {
  using enum NavKey;
  std::string navigates;
  // Per kind: Up, Down, PageUp, PageDown, Ctrl+Home, Ctrl+End, Shift+Tab.
  for (EditorKind kind :
       {EditorKind::Number, EditorKind::Choice, EditorKind::Date, EditorKind::Time}) {
    navigates += ' ';
    for (NavKey key : {Up, Down, PageUp, PageDown, CtrlHome, CtrlEnd, ShiftTab})
      navigates += kindNavigatesOn(kind, key) ? '1' : '0';
  }
  EXPECT_EQ(navigates, " 1111111 0000111 0000001 0000001");
}

TEST(ColumnUnder, BordersBelongToTheLeftColumn) {
  const std::pair<int, int> cases[] = {{0, 0},   {105, 0},  {106, 1}, {210, 1},
                                       {266, 2}, {267, -1}, {-1, -1}};
  for (auto [x, column] : cases)
    EXPECT_EQ(columnUnder(x, {105, 105, 56}), column) << "x=" << x;
}

// Delete takes the selected row, or the first when none is; the row now in its place, or the new
// last row, is selected.
TEST(PlanDelete, TakesTheSelectedOrFirstRowAndSelectsItsSuccessor) {
  // Selected row and rows, then the row removed and the row selected after (-1: none).
  const std::tuple<int, int, int, int> cases[] = {
      {-1, 5, 0, 0}, {7, 5, 0, 0}, {1, 4, 1, 1}, {3, 4, 3, 2}, {0, 1, 0, -1}};
  for (auto [selected, rows, remove, after] : cases) {
    const auto plan = planDelete(selected, rows);
    ASSERT_TRUE(plan) << selected << " of " << rows;
    EXPECT_EQ(std::pair(plan->remove, plan->selectAfter), std::pair(remove, after))
        << selected << " of " << rows;
  }
  EXPECT_EQ(planDelete(-1, 0), std::nullopt);
}

}  // namespace
}  // namespace pw
