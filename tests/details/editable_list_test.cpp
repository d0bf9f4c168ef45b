#include "details/EditableList.h"

#include <gtest/gtest.h>

#include "details/DetailsColumns.h"

namespace pw {
namespace {

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
  const std::vector<int> widths{105, 105, 56};
  const std::pair<int, int> cases[] = {{0, 0},   {105, 0},  {106, 1}, {210, 1},
                                       {266, 2}, {267, -1}, {-1, -1}};
  for (auto [x, column] : cases)
    EXPECT_EQ(ColumnAt(x, widths), column) << "x=" << x;
}

TEST(EditorPlacement, FramesTheCellAndWidensOnlyUpToTheEdge) {
  EXPECT_EQ(EditorRect(EditorKind::Text, 50, 100, 20, 37, 400), (Rect{50, 19, 151, 37}));
  EXPECT_EQ(EditorRect(EditorKind::Date, 50, 100, 20, 37, 400), (Rect{49, 18, 153, 38}));
  EXPECT_EQ(EditorRect(EditorKind::Number, 350, 100, 0, 17, 400).right, 400);

  EXPECT_EQ(WidenedWidth(10, 100, 95, 400), std::nullopt);  // fits with its margin
  EXPECT_EQ(WidenedWidth(10, 100, 96, 400), 101);
  EXPECT_EQ(WidenedWidth(10, 100, 600, 400), 390);
  EXPECT_EQ(WidenedWidth(350, 100, 600, 400), std::nullopt);  // never narrower
}

TEST(PlanDelete, SelectsTheSameIndexOrTheNewLastRow) {
  struct {
    int selected, rows, remove, selectAfter;
  } cases[] = {{2, 5, 2, 2}, {4, 5, 4, 3}, {-1, 5, 0, 0}, {0, 1, 0, -1}};
  for (const auto& c : cases) {
    const auto plan = PlanDelete(c.selected, c.rows);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->remove, c.remove) << c.selected;
    EXPECT_EQ(plan->selectAfter, c.selectAfter) << c.selected;
  }
  EXPECT_EQ(PlanDelete(-1, 0), std::nullopt);
}

TEST(DetailsColumns, TitlesDefaultsKindsAndPixelWidths) {
  const auto columns = DetailsColumns("6.12.2026", "10:20:30");
  ASSERT_EQ(columns.size(), std::size_t(kDetailsColumnCount));
  const char* titles[] = {"Datum",      "Čas",      "Nejlepší", "Normální",
                          "Ekonomický", "Uživatel", "Poznámka"};
  const char* defaults[] = {
      "6.12.2026", "10:20:30", "0", "0", "0", "Uživatel", "Dokument přidán ručně."};
  const int kinds[] = {4, 5, 2, 2, 2, 1, 1};
  const int pixels[] = {105, 105, 56, 56, 56, 70, 140};  // a 5 px character gives a 7 px unit
  for (std::size_t i = 0; i < columns.size(); ++i) {
    EXPECT_EQ(columns[i].title, titles[i]);
    EXPECT_EQ(columns[i].defaultText, defaults[i]);
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
