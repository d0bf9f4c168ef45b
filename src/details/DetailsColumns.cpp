#include "details/DetailsColumns.h"

#include <algorithm>

#include "res/Strings.h"

namespace pw {

std::vector<ColumnInfo> detailsColumns(const std::string& today, const std::string& now) {
  const auto text = EditorKind::Text;
  const auto number = EditorKind::Number;
  return {
      {loadStr(ids::kColumnDate), today, 15, EditorKind::Date, true},
      {loadStr(ids::kColumnTime), now, 15, EditorKind::Time, true},
      {loadStr(ids::kColumnBest), "0", 8, number, true},
      {loadStr(ids::kColumnNormal), "0", 8, number, true},
      {loadStr(ids::kColumnEconomic), "0", 8, number, true},
      {loadStr(ids::kColumnUser), loadStr(ids::kDefaultUser), 10, text, true},
      {loadStr(ids::kColumnRemark), loadStr(ids::kAddedByHand), 20, text, true},
  };
}

int charUnit(int averageCharWidth) {
  return averageCharWidth * 3 / 2;
}

std::vector<std::string> recordCells(PrintRecord r) {
  return {std::move(r.date),     std::move(r.time), std::move(r.best),  std::move(r.normal),
          std::move(r.economic), std::move(r.user), std::move(r.remark)};
}

PrintRecord cellsRecord(const CellTable& t, int row) {
  return {t.at(row, 0), t.at(row, 1), t.at(row, 2), t.at(row, 3),
          t.at(row, 4), t.at(row, 5), t.at(row, 6)};
}

std::string fileDialogFilter(const std::string& pairs) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t bar = pairs.find('|'); bar != std::string::npos; bar = pairs.find('|', start)) {
    parts.push_back(pairs.substr(start, bar - start));
    start = bar + 1;
  }
  if (start < pairs.size())
    parts.push_back(pairs.substr(start));

  std::string filter;
  for (std::size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
    std::string patterns = parts[i + 1];
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    std::string entry = parts[i];
    // Qt reads the patterns from the parentheses; most descriptions already show them there.
    if (entry.find("(" + patterns + ")") == std::string::npos)
      entry += " (" + patterns + ")";
    if (!filter.empty())
      filter += ";;";
    filter += entry;
  }
  return filter;
}

}  // namespace pw
