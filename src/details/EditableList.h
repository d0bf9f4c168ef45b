#pragma once
// The widget-free side of the editable list: its column table, the rows it edits, and the rules
// for hit testing, placing and widening an editor, committing a text and deleting a row.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Rect.h"
#include "details/ListNavigation.h"

namespace pw {

struct ColumnInfo {
  std::string title;
  std::string defaultText;  // what insertRow puts into this column
  int width = 0;            // in average characters; the owner turns it into pixels
  EditorKind kind = EditorKind::ReadOnly;
  bool mayBeEmpty = true;  // false: an empty text is never written into this column
};

// One entry of the drop-down editor's choice list.
struct ComboChoice {
  std::string text;
  std::int32_t data = 0;
};

// The list's rows: text cells, row-major in one block so that a long log costs no allocation
// per row and opens fast.
class CellTable {
 public:
  explicit CellTable(int columns = 0) : columns_(columns) {}

  int columns() const { return columns_; }
  int rows() const { return columns_ == 0 ? 0 : int(cells_.size() / std::size_t(columns_)); }
  const std::string& at(int row, int column) const { return cells_[index(row, column)]; }
  void set(int row, int column, std::string text) { cells_[index(row, column)] = std::move(text); }

  // Inserts a row at `row` (clamped to the end); missing cells are empty, extra ones dropped.
  // Returns the row's index.
  int insert(int row, std::vector<std::string> cells);
  void remove(int row);
  void clear() { cells_.clear(); }
  void reserve(int rows) { cells_.reserve(std::size_t(rows) * std::size_t(columns_)); }
  std::vector<std::string> row(int row) const;

 private:
  std::size_t index(int row, int column) const {
    return std::size_t(row) * std::size_t(columns_) + std::size_t(column);
  }
  int columns_;
  std::vector<std::string> cells_;
};

// insertRow(item) puts the new row after item; an index past the end appends.
int insertPosition(int item, int rows);

// The column under x, measured from the row's left edge; a point on a border belongs to the
// column on its left, a point right of the last column to none (-1).
int columnUnder(int x, const std::vector<int>& widths);

// Where the editor of `kind` goes over the cell whose column spans [columnLeft, columnLeft +
// columnWidth) on a row spanning [rowTop, rowBottom), cut to the client's right edge.
Rect editorRect(EditorKind kind, int columnLeft, int columnWidth, int rowTop, int rowBottom,
                int clientRight);

// The editor's new width after typing, or nothing when the text still fits: the text's extent
// plus a small margin, never past the client's right edge, never narrower than now.
std::optional<int> widenedWidth(int left, int width, int textExtent, int clientRight);

// Delete: which row goes and which row is selected afterwards (-1: none, the list is empty).
struct DeletePlan {
  int remove = -1;
  int selectAfter = -1;
};
std::optional<DeletePlan> planDelete(int selectedRow, int rows);

}  // namespace pw
