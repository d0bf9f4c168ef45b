#include "details/ui/EditableListCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

#include "adapters/qt/QtText.h"
#include "details/ui/CellEditors.h"

namespace pw {

// --- the rows ------------------------------------------------------------------------------------

void EditableListModel::setColumns(std::vector<ColumnInfo> columns) {
  beginResetModel();
  columns_ = std::move(columns);
  table_ = CellTable(int(columns_.size()));
  endResetModel();
}

void EditableListModel::setDefaultText(int column, std::string text) {
  columns_.at(std::size_t(column)).defaultText = std::move(text);
}

void EditableListModel::reset(CellTable table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

int EditableListModel::insert(int row, std::vector<std::string> cells) {
  row = std::clamp(row, 0, table_.rows());
  beginInsertRows({}, row, row);
  table_.insert(row, std::move(cells));
  endInsertRows();
  return row;
}

void EditableListModel::remove(int row) {
  beginRemoveRows({}, row, row);
  table_.remove(row);
  endRemoveRows();
}

void EditableListModel::setText(int row, int column, std::string text) {
  table_.set(row, column, std::move(text));
  const QModelIndex cell = index(row, column);
  emit dataChanged(cell, cell, {Qt::DisplayRole});
}

int EditableListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.rows();
}

int EditableListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(columns_.size());
}

QVariant EditableListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid())
    return {};
  if (role == Qt::DisplayRole)
    return Q(table_.at(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole)
    return int(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

QVariant EditableListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < int(columns_.size())) {
    return Q(columns_[std::size_t(section)].title);
  }
  if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole) {
    return int(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags EditableListModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// --- the view ------------------------------------------------------------------------------------

namespace {

bool isInside(const QWidget* widget, const QWidget* ancestor) {
  // Walks across window borders too, so the editor's own pop-ups count as the editor.
  for (; widget != nullptr; widget = widget->parentWidget()) {
    if (widget == ancestor)
      return true;
  }
  return false;
}

}  // namespace

CEditableListCtrl::CEditableListCtrl(QWidget* parent) : QTableView(parent), model_(this) {
  setModel(&model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setSortingEnabled(false);
  setShowGrid(true);
  setWordWrap(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Rows of one fixed height keep a long log cheap to lay out and to scroll.
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 6);
  // A click takes the focus only when it hits a cell (mousePressEvent), never before the list
  // has seen where it landed.
  setFocusPolicy(Qt::TabFocus);
  connect(qApp, &QApplication::focusChanged, this, &CEditableListCtrl::onFocusChanged);
}

void CEditableListCtrl::setColumns(std::vector<ColumnInfo> columns, int charUnit) {
  endEdit();
  model_.setColumns(std::move(columns));
  for (std::size_t i = 0; i < model_.columns().size(); ++i) {
    // The widths are counted in characters of the list's font; a caption wider than that (a
    // bold header font, a long Czech word) widens its column instead of being cut.
    setColumnWidth(int(i), std::max(model_.columns()[i].width * charUnit,
                                    horizontalHeader()->sectionSizeHint(int(i))));
  }
}

void CEditableListCtrl::setDefaultText(int column, std::string text) {
  model_.setDefaultText(column, std::move(text));
}

void CEditableListCtrl::loadRows(CellTable rows) {
  endEdit();
  model_.reset(std::move(rows));
}

int CEditableListCtrl::insertRow(int item) {
  std::vector<std::string> cells;
  for (const ColumnInfo& column : model_.columns())
    cells.push_back(column.defaultText);
  return model_.insert(insertPosition(item, total()), std::move(cells));
}

void CEditableListCtrl::deleteRow(int item) {
  endEdit();
  if (item >= 0 && item < total())
    model_.remove(item);
}

CellEditor* CEditableListCtrl::openEditor() const {
  auto* editor = dynamic_cast<CellEditor*>(editor_.data());
  return editor != nullptr && !editor->closed() ? editor : nullptr;
}

QWidget* CEditableListCtrl::editor() const {
  CellEditor* editor = openEditor();
  return editor ? editor->widget() : nullptr;
}

void CEditableListCtrl::endEdit() {
  CellEditor* editor = openEditor();
  if (editor == nullptr)
    return;
  if (isInside(QApplication::focusWidget(), editor->widget()))
    setFocus(Qt::OtherFocusReason);
  editor->leave();
}

void CEditableListCtrl::onFocusChanged(QWidget* old, QWidget* now) {
  CellEditor* editor = openEditor();
  if (editor != nullptr && isInside(old, editor->widget()) && !isInside(now, editor->widget())) {
    editor->leave();
  }
}

void CEditableListCtrl::onEndLabelEdit(int item, int column, const std::string* text) {
  if (text == nullptr || item < 0 || item >= total() || column < 0 ||
      column >= model_.columnCount()) {
    return;
  }
  model_.setText(item, column, *text);
}

QWidget* CEditableListCtrl::editSubItem(int item, int column) {
  const auto& columns = model_.columns();
  if (item < 0 || item >= total())
    return nullptr;
  if (column < 0 || column >= int(columns.size()) || columnWidth(column) < 5)
    return nullptr;
  const ColumnInfo& info = columns[std::size_t(column)];
  if (info.kind == EditorKind::ReadOnly) {
    curMayBeEmpty_ = info.mayBeEmpty;
    selectItem(item);
    return nullptr;
  }

  // The old editor commits first; bringing the cell into view would close it anyway.
  endEdit();
  curMayBeEmpty_ = info.mayBeEmpty;
  curItem_ = item;
  const QModelIndex cell = model_.index(item, column);
  scrollTo(cell, QAbstractItemView::EnsureVisible);
  const QRect bounds = visualRect(cell);
  const Rect r = editorRect(info.kind, bounds.left(), columnWidth(column), bounds.top(),
                            bounds.bottom() + 1, viewport()->width());

  const QString text = Q(model_.table().at(item, column));
  QWidget* editor = nullptr;
  switch (info.kind) {
    case EditorKind::ReadOnly:
      return nullptr;
    case EditorKind::Text:
    case EditorKind::Number:
      editor = new CEditCell(viewport(), *this, item, column, text, info.kind);
      break;
    case EditorKind::Choice:
      editor = new CComboCell(viewport(), *this, item, column, text);
      break;
    case EditorKind::Date:
    case EditorKind::Time:
      editor =
          new CDateTimeCell(viewport(), *this, item, column, text, info.kind == EditorKind::Date);
      break;
  }
  editor_ = editor;
  editor->setGeometry(r.left, r.top, r.width(), r.height());
  editor->show();
  editor->setFocus(Qt::OtherFocusReason);
  selectItem(curItem_);
  return editor;
}

int CEditableListCtrl::hitTestEx(const QPoint& point, int* column) const {
  if (column != nullptr)
    *column = 0;
  const int row = rowAt(point.y());
  if (row < 0 || row >= total())
    return -1;
  std::vector<int> widths;
  for (int c = 0; c < model_.columnCount(); ++c)
    widths.push_back(columnWidth(c));
  const int hit = columnUnder(point.x() + horizontalOffset(), widths);
  if (hit < 0)
    return -1;
  if (column != nullptr)
    *column = hit;
  return row;
}

void CEditableListCtrl::selectItem(int item) {
  curItem_ = item;
  if (item < 0 || item >= total())
    return;
  // Selecting never scrolls: the row stays wherever it is.
  const bool autoScrolls = hasAutoScroll();
  setAutoScroll(false);
  selectionModel()->setCurrentIndex(
      model_.index(item, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  setAutoScroll(autoScrolls);
}

int CEditableListCtrl::selectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

int CEditableListCtrl::rowsPerPage() const {
  return viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize());
}

void CEditableListCtrl::mousePressEvent(QMouseEvent* event) {
  if (CellEditor* editor = openEditor();
      editor != nullptr && !curMayBeEmpty_ && editor->cellText().empty()) {
    return;  // an empty text that the column refuses keeps its editor
  }
  if (event->button() != Qt::LeftButton) {
    QTableView::mousePressEvent(event);
    return;
  }
  int column = 0;
  const int row = hitTestEx(event->position().toPoint(), &column);
  // Below the last row or right of the last column: the selection and the focus stay.
  if (row < 0)
    return;
  endEdit();
  setFocus(Qt::MouseFocusReason);
  QTableView::mousePressEvent(event);
  curItem_ = row;
  editSubItem(row, column);
}

void CEditableListCtrl::mouseDoubleClickEvent(QMouseEvent*) {}

void CEditableListCtrl::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  if (curItem_ < 0)
    curItem_ = 0;
  selectItem(curItem_);
}

void CEditableListCtrl::scrollContentsBy(int dx, int dy) {
  // Scrolling takes the focus from an open editor, which commits it and closes it.
  endEdit();
  QTableView::scrollContentsBy(dx, dy);
}

}  // namespace pw
