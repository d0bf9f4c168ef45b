#include "details/ui/CellEditors.h"

#include <QApplication>
#include <QDateTime>

#include "details/EditableList.h"
#include "details/ui/EditableListCtrl.h"
#include "platform/qt/QtPorts.h"

namespace pw {

CCellEditor::CCellEditor(CEditableListCtrl& list, int item, int subItem, QString initText,
                         EditorKind kind)
    : m_pList(list),
      m_nItem(item),
      m_nSubItem(subItem),
      m_strInitText(std::move(initText)),
      m_kind(kind) {}

void CCellEditor::SetListText() {
  const std::string text = Text();
  if (!m_pList.CurMayBeEmpty() && text.empty())
    return;
  // Escape closes the editor through the same report, with no text.
  m_pList.OnEndLabelEdit(m_nItem, m_nSubItem, m_bEscape ? nullptr : &text);
  if (m_kind != EditorKind::Date && m_kind != EditorKind::Time)
    m_pList.SetCurMayBeEmpty(true);
}

void CCellEditor::Leave() {
  if (m_bLeft)
    return;
  m_bLeft = true;
  SetListText();
  QWidget* w = widget();
  w->setObjectName(QString());  // no longer the list's open editor
  w->hide();
  w->deleteLater();
}

void CCellEditor::MoveTo(NavKey key) {
  if (!KindNavigatesOn(m_kind, key))
    return;
  const auto target = NavigateTarget(key, {m_nItem, m_nSubItem}, m_pList.total(),
                                     int(m_pList.columns().size()), m_pList.RowsPerPage());
  // When nothing opens, this editor stays open and keeps the focus.
  if (target)
    m_pList.EditSubItem(target->row, target->column);
}

bool CCellEditor::OnKeyPress(const QKeyEvent& key) {
  const bool textBox = m_kind == EditorKind::Text || m_kind == EditorKind::Number;
  const bool ctrl = key.modifiers() & Qt::ControlModifier;
  const bool shift = key.modifiers() & Qt::ShiftModifier;
  const int k = key.key();
  const bool leavingKey = k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape ||
                          k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Up ||
                          k == Qt::Key_Down;
  if (textBox && leavingKey && !m_pList.CurMayBeEmpty() && Text().empty())
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
      m_bEscape = true;
      m_pList.setFocus(Qt::OtherFocusReason);
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
      if (!ctrl || !KindNavigatesOn(m_kind, NavKey::CtrlHome))
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
  if (m_kind == EditorKind::Number && !ctrl) {
    const QString typed = key.text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !typed.at(0).isDigit()) {
      QApplication::beep();
      return true;
    }
  }
  return false;
}

bool CCellEditor::OnKeyRelease(const QKeyEvent& key) {
  if (m_kind != EditorKind::Text && m_kind != EditorKind::Number)
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

void CCellEditor::Widen(const QString& displayed) {
  QWidget* w = widget();
  const int extent = QFontMetrics(m_pList.font()).horizontalAdvance(displayed);
  if (const auto width = WidenedWidth(w->x(), w->width(), extent, m_pList.viewport()->width())) {
    w->resize(*width, w->height());
  }
}

template <class Widget>
CCellEditorOf<Widget>::CCellEditorOf(QWidget* parent, CEditableListCtrl& list, int item,
                                     int subItem, QString initText, EditorKind kind)
    : Widget(parent), CCellEditor(list, item, subItem, std::move(initText), kind) {
  this->setObjectName(QString::fromLatin1(CEditableListCtrl::kEditorName));
  this->setFont(list.font());
}

template class CCellEditorOf<QLineEdit>;
template class CCellEditorOf<QComboBox>;
template class CCellEditorOf<QDateTimeEdit>;

CEditCell::CEditCell(QWidget* parent, CEditableListCtrl& list, int item, int subItem,
                     QString initText, EditorKind kind)
    : CCellEditorOf(parent, list, item, subItem, std::move(initText), kind) {
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setText(m_strInitText);
  // Shown unselected with the caret after the last character.
  deselect();
  end(false);
}

std::string CEditCell::Text() const {
  return S(text());
}

CComboCell::CComboCell(QWidget* parent, CEditableListCtrl& list, int item, int subItem,
                       QString initText)
    : CCellEditorOf(parent, list, item, subItem, std::move(initText), EditorKind::Choice) {
  for (const ComboChoice& choice : list.choices())
    addItem(Q(choice.text), choice.data);
  // The first entry that begins with the cell's text, ignoring case.
  const int index = findText(m_strInitText, Qt::MatchStartsWith);
  if (index >= 0)
    setCurrentIndex(index);
}

std::string CComboCell::Text() const {
  return S(currentText());
}

CDateTimeCell::CDateTimeCell(QWidget* parent, CEditableListCtrl& list, int item, int subItem,
                             QString initText, bool date)
    : CCellEditorOf(parent, list, item, subItem, std::move(initText),
                    date ? EditorKind::Date : EditorKind::Time),
      m_bDate(date) {
  const LocaleDateTime& format = list.dateTime();
  setCalendarPopup(false);
  setDisplayFormat(m_bDate ? format.dateFormat() : format.timeFormat());
  QDateTime value = QDateTime::currentDateTime();
  if (m_bDate) {
    if (const auto parsed = format.ParseDate(m_strInitText))
      value.setDate(*parsed);
  } else if (const auto parsed = format.ParseTime(m_strInitText)) {
    value.setTime(*parsed);
  }
  setDateTime(value);
}

std::string CDateTimeCell::Text() const {
  const LocaleDateTime& format = m_pList.dateTime();
  return S(m_bDate ? format.FormatDate(date()) : format.FormatTime(time()));
}

}  // namespace pw
