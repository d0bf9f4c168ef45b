#pragma once
// A report list whose cells are edited in place. The rows live in a table model, so a log of
// any length costs one view and no widget per cell; at most one small editor window sits over
// the cell being edited. Every committed text reaches the rows through OnEndLabelEdit.

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <string>
#include <vector>

#include "details/EditableList.h"
#include "platform/qt/LocaleDateTime.h"

namespace pw {

class CCellEditor;

class CEditableListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetColumns(std::vector<ColumnInfo> columns);
  const std::vector<ColumnInfo>& columns() const { return columns_; }
  void SetDefaultText(int column, std::string text);
  const CellTable& table() const { return table_; }

  void Reset(CellTable table);
  int Insert(int row, std::vector<std::string> cells);
  void Remove(int row);
  void SetText(int row, int column, std::string text);

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
  Q_OBJECT

 public:
  // Every editor is a child named so; the list finds an open editor by this name alone.
  static constexpr const char* kEditorName = "1001";

  explicit CEditableListCtrl(QWidget* parent = nullptr);

  // Installs the column table; widths in characters become width x charUnit pixels.
  void SetColumns(std::vector<ColumnInfo> columns, int charUnit);
  void SetDefaultText(int column, std::string text);
  void SetChoices(std::vector<ComboChoice> choices) { m_choices = std::move(choices); }
  const std::vector<ComboChoice>& choices() const { return m_choices; }
  const std::vector<ColumnInfo>& columns() const { return m_model.columns(); }
  const CellTable& rows() const { return m_model.table(); }
  const LocaleDateTime& dateTime() const { return m_dateTime; }

  // Replaces all rows.
  void LoadRows(CellTable rows);
  // Inserts a row of default texts after nItem (past the end: appends); returns its index.
  int InsertRow(int nItem);
  void DeleteRow(int nItem);
  int total() const { return m_model.rowCount(); }
  std::string Text(int nItem, int nCol) const { return m_model.table().at(nItem, nCol); }

  // Opens the editor of a cell; nothing when the cell does not exist or cannot be edited.
  QWidget* EditSubItem(int nItem, int nCol);
  // The row under a point of the viewport, or -1; the column goes to *pCol.
  int HitTestEx(const QPoint& point, int* pCol) const;
  // Selects the row and makes it current without scrolling it into view.
  void SelectItem(int nItem);
  int SelectedRow() const;
  int CurItem() const { return m_nCurItem; }
  int RowsPerPage() const;
  QWidget* Editor() const;
  // Commits and closes an open editor, as if the focus had left it.
  void EndEdit();

  // The one path by which editors write into the rows; a null text leaves the cell as it is.
  void OnEndLabelEdit(int nItem, int nSubItem, const std::string* text);
  bool CurMayBeEmpty() const { return m_bCurMayBeEmpty; }
  void SetCurMayBeEmpty(bool mayBeEmpty) { m_bCurMayBeEmpty = mayBeEmpty; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  CCellEditor* OpenEditor() const;
  void OnFocusChanged(QWidget* old, QWidget* now);

  CEditableListModel m_model;
  LocaleDateTime m_dateTime;
  std::vector<ComboChoice> m_choices;
  int m_nCurItem = -1;
  bool m_bCurMayBeEmpty = true;
};

}  // namespace pw
