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

void CellEditor::SetListText() {
  const std::string text = Text();
  if (!list_.CurMayBeEmpty() && text.empty())
    return;
  // Escape closes the editor through the same report, with no text.
  list_.OnEndLabelEdit(item_, column_, escape_ ? nullptr : &text);
  if (kind_ != EditorKind::Date && kind_ != EditorKind::Time)
    list_.SetCurMayBeEmpty(true);
}

void CellEditor::Leave() {
  if (closed_)
    return;
  closed_ = true;
  SetListText();
  QWidget* w = widget();
  w->hide();
  w->deleteLater();
}

void CellEditor::MoveTo(NavKey key) {
  if (!KindNavigatesOn(kind_, key))
    return;
  const auto target = NavigateTarget(key, {item_, column_}, list_.total(),
                                     int(list_.columns().size()), list_.RowsPerPage());
  // When nothing opens, this editor stays open and keeps the focus.
  if (target)
    list_.EditSubItem(target->row, target->column);
}

bool CellEditor::OnKeyPress(const QKeyEvent& key) {
  const bool textBox = kind_ == EditorKind::Text || kind_ == EditorKind::Number;
  const bool ctrl = key.modifiers() & Qt::ControlModifier;
  const bool shift = key.modifiers() & Qt::ShiftModifier;
  const int k = key.key();
  const bool leavingKey = k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape ||
                          k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Up ||
                          k == Qt::Key_Down;
  if (textBox && leavingKey && !list_.CurMayBeEmpty() && Text().empty())
    return true;

  switch (k) {
    case Qt::Key_Tab:
      MoveTo(shift ? NavKey::ShiftTab : NavKey::Tab);
      return true;
    case Qt::Key_Backtab:
      MoveTo(NavKey::ShiftTab);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      SetListText();
      MoveTo(NavKey::Enter);
      return true;
    case Qt::Key_Escape:
      escape_ = true;
      list_.setFocus(Qt::OtherFocusReason);
      Leave();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (!textBox)
        return false;
      MoveTo(k == Qt::Key_Up ? NavKey::Up : NavKey::Down);
      return true;
    case Qt::Key_Home:
    case Qt::Key_End:
      if (!ctrl || !KindNavigatesOn(kind_, NavKey::CtrlHome))
        return false;
      MoveTo(k == Qt::Key_Home ? NavKey::CtrlHome : NavKey::CtrlEnd);
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

bool CellEditor::OnKeyRelease(const QKeyEvent& key) {
  if (kind_ != EditorKind::Text && kind_ != EditorKind::Number)
    return false;
  if (key.isAutoRepeat())
    return false;
  if (key.key() == Qt::Key_PageUp) {
    MoveTo(NavKey::PageUp);
    return true;
  }
  if (key.key() == Qt::Key_PageDown) {
    MoveTo(NavKey::PageDown);
    return true;
  }
  return false;
}

void CellEditor::Widen(const QString& displayed) {
  QWidget* w = widget();
  const int extent = QFontMetrics(list_.font()).horizontalAdvance(displayed);
  if (const auto width = WidenedWidth(w->x(), w->width(), extent, list_.viewport()->width())) {
    w->resize(*width, w->height());
  }
}

template <class Widget>
CellEditorOf<Widget>::CellEditorOf(QWidget* parent, CEditableListCtrl& list, int item, int column,
                                   QString initText, EditorKind kind)
    : Widget(parent), CellEditor(list, item, column, std::move(initText), kind) {
  this->setObjectName(IdName(ctl::details::kCellEditor));
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

std::string CEditCell::Text() const {
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

std::string CComboCell::Text() const {
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
    if (const auto parsed = format.ParseDate(initText_))
      value.setDate(*parsed);
  } else if (const auto parsed = format.ParseTime(initText_)) {
    value.setTime(*parsed);
  }
  setDateTime(value);
}

std::string CDateTimeCell::Text() const {
  const LocaleDateTime& format = list_.dateTime();
  return S(datePicker_ ? format.FormatDate(date()) : format.FormatTime(time()));
}

}  // namespace pw
