#pragma once
// A report list whose cells are edited in place. The rows live in a table model, so a log of
// any length costs one view and no widget per cell; at most one small editor window sits over
// the cell being edited. Every committed text reaches the rows through onEndLabelEdit.

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <string>
#include <vector>

#include "adapters/qt/LocaleDateTime.h"
#include "details/EditableList.h"

namespace pw {

class CellEditor;

class EditableListModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setColumns(std::vector<ColumnInfo> columns);
  const std::vector<ColumnInfo>& columns() const { return columns_; }
  void setDefaultText(int column, std::string text);
  const CellTable& table() const { return table_; }

  void reset(CellTable table);
  int insert(int row, std::vector<std::string> cells);
  void remove(int row);
  void setText(int row, int column, std::string text);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  std::vector<ColumnInfo> columns_;
  CellTable table_;
};

class CEditableListCtrl : public QTableView {
 public:
  explicit CEditableListCtrl(QWidget* parent = nullptr);

  // Installs the column table; widths in characters become width x charUnit pixels.
  void setColumns(std::vector<ColumnInfo> columns, int charUnit);
  void setDefaultText(int column, std::string text);
  void setChoices(std::vector<ComboChoice> choices) { choices_ = std::move(choices); }
  const std::vector<ComboChoice>& choices() const { return choices_; }
  const std::vector<ColumnInfo>& columns() const { return model_.columns(); }
  const CellTable& rows() const { return model_.table(); }
  const LocaleDateTime& dateTime() const { return dateTime_; }

  // Replaces all rows.
  void loadRows(CellTable rows);
  // Inserts a row of default texts after item (past the end: appends); returns its index.
  int insertRow(int item);
  void deleteRow(int item);
  int total() const { return model_.rowCount(); }
  std::string text(int item, int column) const { return model_.table().at(item, column); }

  // Opens the editor of a cell; nothing when the cell does not exist or cannot be edited.
  QWidget* editSubItem(int item, int column);
  // The row under a point of the viewport, or -1; the column goes to *column.
  int hitTestEx(const QPoint& point, int* column) const;
  // Selects the row and makes it current without scrolling it into view.
  void selectItem(int item);
  int selectedRow() const;
  int rowsPerPage() const;
  QWidget* editor() const;
  // Commits and closes an open editor, as if the focus had left it.
  void endEdit();

  // The one path by which editors write into the rows; a null text leaves the cell as it is.
  void onEndLabelEdit(int item, int column, const std::string* text);
  bool curMayBeEmpty() const { return curMayBeEmpty_; }
  void setCurMayBeEmpty(bool mayBeEmpty) { curMayBeEmpty_ = mayBeEmpty; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  CellEditor* openEditor() const;
  void onFocusChanged(QWidget* old, QWidget* now);

  EditableListModel model_;
  LocaleDateTime dateTime_;
  std::vector<ComboChoice> choices_;
  // The last editor opened; it goes away by itself once it has been left.
  QPointer<QWidget> editor_;
  int curItem_ = -1;
  bool curMayBeEmpty_ = true;
};

}  // namespace pw
