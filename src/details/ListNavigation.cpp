#include "details/ListNavigation.h"

#include <algorithm>

namespace pw {

bool kindNavigatesOn(EditorKind kind, NavKey key) {
  switch (key) {
    case NavKey::Tab:
    case NavKey::ShiftTab:
    case NavKey::Enter:
      return true;
    case NavKey::CtrlHome:
    case NavKey::CtrlEnd:
      return kind == EditorKind::Text || kind == EditorKind::Number || kind == EditorKind::Choice;
    case NavKey::Up:
    case NavKey::Down:
    case NavKey::PageUp:
    case NavKey::PageDown:
      return kind == EditorKind::Text || kind == EditorKind::Number;
  }
  return false;
}

std::optional<Cell> navigateTarget(NavKey key, Cell from, int rows, int columns, int rowsPerPage) {
  const int r = from.row;
  const int c = from.column;
  Cell to = from;
  switch (key) {
    case NavKey::Tab:
    case NavKey::Enter:
      to = c < columns - 1 ? Cell{r, c + 1} : Cell{r + 1, 0};
      break;
    case NavKey::ShiftTab:
      if (c >= 1) {
        to = {r, c - 1};
      } else if (r > 0) {
        to = {r - 1, columns - 1};
      } else {
        return std::nullopt;
      }
      break;
    case NavKey::Up:
      if (r <= 0)
        return std::nullopt;
      to = {r - 1, c};
      break;
    case NavKey::Down:
      to = {r + 1, c};
      break;
    case NavKey::CtrlHome:
      to = {0, c};
      break;
    case NavKey::CtrlEnd:
      to = {rows - 1, c};
      break;
    case NavKey::PageUp:
      to = {std::max(r - rowsPerPage, 0), c};
      break;
    case NavKey::PageDown:
      to = {r + rowsPerPage < rows ? r + rowsPerPage : rows - 1, c};
      break;
  }
  if (to.row < 0 || to.row >= rows || to.column < 0 || to.column >= columns)
    return std::nullopt;
  return to;
}

}  // namespace pw
