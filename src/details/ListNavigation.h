#pragma once
// Which cell a navigation key pressed inside a cell editor leads to. The list widgets only apply
// the answer; keeping the rule here lets it be checked without a screen.

#include <optional>

namespace pw {

// How a column's cells are edited; a read-only column opens no editor.
enum class EditorKind { ReadOnly, Text, Number, Choice, Date, Time };

enum class NavKey { Tab, ShiftTab, Enter, Up, Down, CtrlHome, CtrlEnd, PageUp, PageDown };

struct Cell {
  int row = 0;
  int column = 0;
  bool operator==(const Cell&) const = default;
};

// True when an editor of this kind moves on this key; otherwise the key is the editor's own
// (the picker steps its field on Up and Down, the drop-down pages through its choices).
bool kindNavigatesOn(EditorKind kind, NavKey key);

// The cell that the key opens from `from` in a list of `rows` rows and `columns` columns, with
// `rowsPerPage` fully visible rows; nothing when the move would leave the list, in which case the
// open editor stays where it is.
std::optional<Cell> navigateTarget(NavKey key, Cell from, int rows, int columns, int rowsPerPage);

}  // namespace pw
