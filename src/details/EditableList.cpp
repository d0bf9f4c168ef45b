#include "details/EditableList.h"

#include <algorithm>

namespace pw {

int CellTable::insert(int row, std::vector<std::string> cells) {
  row = std::clamp(row, 0, rows());
  cells.resize(std::size_t(columns_));
  cells_.insert(cells_.begin() + std::ptrdiff_t(index(row, 0)),
                std::make_move_iterator(cells.begin()), std::make_move_iterator(cells.end()));
  return row;
}

void CellTable::remove(int row) {
  const auto first = cells_.begin() + std::ptrdiff_t(index(row, 0));
  cells_.erase(first, first + columns_);
}

std::vector<std::string> CellTable::row(int row) const {
  const auto first = cells_.begin() + std::ptrdiff_t(index(row, 0));
  return {first, first + columns_};
}

int insertPosition(int item, int rows) {
  return std::clamp(item + 1, 0, rows);
}

int columnUnder(int x, const std::vector<int>& widths) {
  int left = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    if (x >= left && x <= left + widths[i])
      return int(i);
    left += widths[i];
  }
  return -1;
}

Rect editorRect(EditorKind kind, int columnLeft, int columnWidth, int rowTop, int rowBottom,
                int clientRight) {
  // The cell's text starts a few pixels into the column; each editor then reaches out so that
  // its own frame and margins line its text up with the cell's.
  Rect r{columnLeft + 4, rowTop, std::min(columnLeft + 4 + columnWidth - 3, clientRight),
         rowBottom};
  switch (kind) {
    case EditorKind::ReadOnly:
    case EditorKind::Text:
    case EditorKind::Number:
      r.left -= 4;
      r.top -= 1;
      break;
    case EditorKind::Choice:
    case EditorKind::Date:
    case EditorKind::Time:
      r.left -= 5;
      r.right += 2;
      r.top -= 2;
      r.bottom += 1;
      break;
  }
  return r;
}

std::optional<int> widenedWidth(int left, int width, int textExtent, int clientRight) {
  const int needed = textExtent + 5;
  if (needed <= width)
    return std::nullopt;
  const int widened = std::min(needed, clientRight - left);
  if (widened <= width)
    return std::nullopt;
  return widened;
}

std::optional<DeletePlan> planDelete(int selectedRow, int rows) {
  if (rows <= 0)
    return std::nullopt;
  const int remove = selectedRow >= 0 && selectedRow < rows ? selectedRow : 0;
  const int left = rows - 1;
  return DeletePlan{remove, left == 0 ? -1 : std::min(remove, left - 1)};
}

}  // namespace pw
