#include "details/ui/CellEditors.h"

#include <QApplication>
#include <QDateTime>

#include "adapters/qt/QtText.h"
#include "details/EditableList.h"
#include "details/ui/EditableListCtrl.h"

namespace pw {

CellEditor::CellEditor(CEditableListCtrl& list, int item, int column, QString initText,
                       EditorKind kind)
    : list_(list), item_(item), column_(column), initText_(std::move(initText)), kind_(kind) {}

void CellEditor::setListText() {
  const std::string text = cellText();
  if (!list_.curMayBeEmpty() && text.empty())
    return;
  // Escape closes the editor through the same report, with no text.
  list_.onEndLabelEdit(item_, column_, escape_ ? nullptr : &text);
  if (kind_ != EditorKind::Date && kind_ != EditorKind::Time)
    list_.setCurMayBeEmpty(true);
}

void CellEditor::leave() {
  if (closed_)
    return;
  closed_ = true;
  setListText();
  QWidget* w = widget();
  w->hide();
  w->deleteLater();
}

void CellEditor::moveTo(NavKey key) {
  if (!kindNavigatesOn(kind_, key))
    return;
  const auto target = navigateTarget(key, {item_, column_}, list_.total(),
                                     int(list_.columns().size()), list_.rowsPerPage());
  // When nothing opens, this editor stays open and keeps the focus.
  if (target)
    list_.editSubItem(target->row, target->column);
}

bool CellEditor::onKeyPress(const QKeyEvent& key) {
  const bool textBox = kind_ == EditorKind::Text || kind_ == EditorKind::Number;
  const bool ctrl = key.modifiers() & Qt::ControlModifier;
  const bool shift = key.modifiers() & Qt::ShiftModifier;
  const int k = key.key();
  const bool leavingKey = k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape ||
                          k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Up ||
                          k == Qt::Key_Down;
  if (textBox && leavingKey && !list_.curMayBeEmpty() && cellText().empty())
    return true;

  switch (k) {
    case Qt::Key_Tab:
      moveTo(shift ? NavKey::ShiftTab : NavKey::Tab);
      return true;
    case Qt::Key_Backtab:
      moveTo(NavKey::ShiftTab);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      setListText();
      moveTo(NavKey::Enter);
      return true;
    case Qt::Key_Escape:
      escape_ = true;
      list_.setFocus(Qt::OtherFocusReason);
      leave();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (!textBox)
        return false;
      moveTo(k == Qt::Key_Up ? NavKey::Up : NavKey::Down);
      return true;
    case Qt::Key_Home:
    case Qt::Key_End:
      if (!ctrl || !kindNavigatesOn(kind_, NavKey::CtrlHome))
        return false;
      moveTo(k == Qt::Key_Home ? NavKey::CtrlHome : NavKey::CtrlEnd);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return textBox;  // these move on release
    default:
      break;
  }
  // A number box takes digits only, like a digits-only edit control: other characters are
  // refused as they are typed, while a text already in the cell stays as it is.
  if (kind_ == EditorKind::Number && !ctrl) {
    const QString typed = key.text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !typed.at(0).isDigit()) {
      QApplication::beep();
      return true;
    }
  }
  return false;
}

bool CellEditor::onKeyRelease(const QKeyEvent& key) {
  if (kind_ != EditorKind::Text && kind_ != EditorKind::Number)
    return false;
  if (key.isAutoRepeat())
    return false;
  if (key.key() == Qt::Key_PageUp) {
    moveTo(NavKey::PageUp);
    return true;
  }
  if (key.key() == Qt::Key_PageDown) {
    moveTo(NavKey::PageDown);
    return true;
  }
  return false;
}

void CellEditor::widen(const QString& displayed) {
  QWidget* w = widget();
  const int extent = QFontMetrics(list_.font()).horizontalAdvance(displayed);
  if (const auto width = widenedWidth(w->x(), w->width(), extent, list_.viewport()->width())) {
    w->resize(*width, w->height());
  }
}

template <class Widget>
CellEditorOf<Widget>::CellEditorOf(QWidget* parent, CEditableListCtrl& list, int item, int column,
                                   QString initText, EditorKind kind)
    : Widget(parent), CellEditor(list, item, column, std::move(initText), kind) {
  this->setObjectName(idName(ctl::details::kCellEditor));
  this->setFont(list.font());
}

template class CellEditorOf<QLineEdit>;
template class CellEditorOf<QComboBox>;
template class CellEditorOf<QDateTimeEdit>;

CEditCell::CEditCell(QWidget* parent, CEditableListCtrl& list, int item, int column,
                     QString initText, EditorKind kind)
    : CellEditorOf(parent, list, item, column, std::move(initText), kind) {
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setText(initText_);
  // Shown unselected with the caret after the last character.
  deselect();
  end(false);
}

std::string CEditCell::cellText() const {
  return S(text());
}

CComboCell::CComboCell(QWidget* parent, CEditableListCtrl& list, int item, int column,
                       QString initText)
    : CellEditorOf(parent, list, item, column, std::move(initText), EditorKind::Choice) {
  for (const ComboChoice& choice : list.choices())
    addItem(Q(choice.text), choice.data);
  // The first entry that begins with the cell's text, ignoring case.
  const int index = findText(initText_, Qt::MatchStartsWith);
  if (index >= 0)
    setCurrentIndex(index);
}

std::string CComboCell::cellText() const {
  return S(currentText());
}

CDateTimeCell::CDateTimeCell(QWidget* parent, CEditableListCtrl& list, int item, int column,
                             QString initText, bool date)
    : CellEditorOf(parent, list, item, column, std::move(initText),
                   date ? EditorKind::Date : EditorKind::Time),
      datePicker_(date) {
  const LocaleDateTime& format = list.dateTime();
  setCalendarPopup(false);
  setDisplayFormat(datePicker_ ? format.dateFormat() : format.timeFormat());
  QDateTime value = QDateTime::currentDateTime();
  if (datePicker_) {
    if (const auto parsed = format.parseDate(initText_))
      value.setDate(*parsed);
  } else if (const auto parsed = format.parseTime(initText_)) {
    value.setTime(*parsed);
  }
  setDateTime(value);
}

std::string CDateTimeCell::cellText() const {
  const LocaleDateTime& format = list_.dateTime();
  return S(datePicker_ ? format.formatDate(date()) : format.formatTime(time()));
}

}  // namespace pw
