#include "details/EditableList.h"

#include <gtest/gtest.h>

#include "details/DetailsColumns.h"
#include "details/ListNavigation.h"

namespace pw {
namespace {

TEST(NavigateTarget, MovesWithinTheListAndStopsAtItsEdges) {
  // A list of 10 rows and 7 columns with 4 rows on a page unless a case says otherwise.
  struct {
    NavKey key;
    Cell from;
    std::optional<Cell> to;
    int rows = 10, columns = 7, rowsPerPage = 4;
  } cases[] = {{NavKey::Tab, {3, 6}, Cell{4, 0}},
               {NavKey::Tab, {9, 6}, std::nullopt},
               {NavKey::Enter, {8, 6}, Cell{9, 0}},
               {NavKey::Enter, {9, 6}, std::nullopt},
               {NavKey::ShiftTab, {5, 0}, Cell{4, 6}},
               {NavKey::ShiftTab, {0, 0}, std::nullopt},
               {NavKey::Up, {0, 3}, std::nullopt},
               {NavKey::Down, {9, 3}, std::nullopt},
               {NavKey::CtrlHome, {7, 5}, Cell{0, 5}},
               {NavKey::CtrlEnd, {2, 1}, Cell{9, 1}},
               {NavKey::PageUp, {6, 2}, Cell{2, 2}},
               {NavKey::PageUp, {2, 2}, Cell{0, 2}},
               {NavKey::PageDown, {5, 2}, Cell{9, 2}},
               {NavKey::PageDown, {8, 2}, Cell{9, 2}},
               {NavKey::PageDown, {3, 1}, Cell{3, 1}, 10, 7, 0},
               {NavKey::CtrlEnd, {0, 0}, Cell{0, 0}, 1, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(NavigateTarget(c.key, c.from, c.rows, c.columns, c.rowsPerPage), c.to)
        << "key " << int(c.key) << " from " << c.from.row << "," << c.from.column << " in "
        << c.rows << "x" << c.columns;
  }
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

TEST(CellTable, InsertClampsPadsAndKeepsRowsApart) {
  CellTable t(3);
  EXPECT_EQ(t.insert(5, {"a", "b", "c"}), 0);
  EXPECT_EQ(t.insert(0, {"x"}), 0);
  EXPECT_EQ(t.insert(InsertPosition(1, t.rows()), {"p", "q", "r", "extra"}), 2);
  t.remove(0);
  t.set(1, 2, "s");
  EXPECT_EQ(t.row(0), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(t.row(1), (std::vector<std::string>{"p", "q", "s"}));
  EXPECT_EQ(t.rows(), 2);
}

TEST(ColumnAt, BordersBelongToTheLeftColumn) {
  const std::pair<int, int> cases[] = {{0, 0},   {105, 0},  {106, 1}, {210, 1},
                                       {266, 2}, {267, -1}, {-1, -1}};
  for (auto [x, column] : cases)
    EXPECT_EQ(ColumnAt(x, {105, 105, 56}), column) << "x=" << x;
}

TEST(WidenedWidth, GrowsOnlyUpToTheEdgeAndNeverShrinks) {
  EXPECT_EQ(WidenedWidth(10, 100, 95, 400), std::nullopt);  // fits with its margin
  EXPECT_EQ(WidenedWidth(10, 100, 96, 400), 101);
  EXPECT_EQ(WidenedWidth(10, 100, 600, 400), 390);
  EXPECT_EQ(WidenedWidth(350, 100, 600, 400), std::nullopt);
}

TEST(DetailsColumns, TitlesKindsAndPixelWidths) {
  const auto columns = DetailsColumns("6.12.2026", "10:20:30");
  ASSERT_EQ(columns.size(), std::size_t(kDetailsColumnCount));
  const char* titles[] = {"Datum",      "Čas",      "Nejlepší", "Normální",
                          "Ekonomický", "Uživatel", "Poznámka"};
  const int kinds[] = {4, 5, 2, 2, 2, 1, 1};
  const int pixels[] = {105, 105, 56, 56, 56, 70, 140};  // a 5 px character gives a 7 px unit
  for (std::size_t i = 0; i < columns.size(); ++i) {
    EXPECT_EQ(columns[i].title, titles[i]);
    EXPECT_EQ(columns[i].kind, kinds[i]);
    EXPECT_EQ(columns[i].width * CharUnit(5), pixels[i]);
  }
  EXPECT_EQ(CharUnit(7), 10);
}

TEST(FileDialogFilter, TurnsPairsIntoQtFilters) {
  EXPECT_EQ(FileDialogFilter("XML soubory (*.xml)|*.xml|Všechny soubory (*.*)|*.*||"),
            "XML soubory (*.xml);;Všechny soubory (*.*)");
  EXPECT_EQ(FileDialogFilter("Texty|*.txt;*.log||"), "Texty (*.txt *.log)");
  EXPECT_EQ(FileDialogFilter(""), "");
}

}  // namespace
}  // namespace pw
