#pragma once
// The small editor windows that the editable list opens over one cell: a text or number box, a
// drop-down list and a date or time picker. Each reports its text through the list's one commit
// path when the focus leaves it, then goes away.

#include <QComboBox>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <string>

#include "details/ListNavigation.h"

namespace pw {

class CEditableListCtrl;

// What every editor shares, apart from its widget: the cell, Escape, the keys that move to
// another cell, and reporting the text.
class CCellEditor {
 public:
  CCellEditor(CEditableListCtrl& list, int item, int subItem, QString initText, EditorKind kind);
  virtual ~CCellEditor() = default;

  virtual QWidget* widget() = 0;
  // The text the editor reports for its cell.
  virtual std::string Text() const = 0;

  // Reports the text into the cell, unless Escape cancelled it or the column refuses it empty.
  void SetListText();
  // Commits and closes the editor; later calls do nothing.
  void Leave();

 protected:
  // True when the key was consumed here and the widget must not see it.
  bool OnKeyPress(const QKeyEvent& key);
  bool OnKeyRelease(const QKeyEvent& key);
  // Widens the editor when the text no longer fits, up to the list's right edge.
  void Widen(const QString& displayed);

  CEditableListCtrl& m_pList;
  const int m_nItem;
  const int m_nSubItem;
  const QString m_strInitText;
  const EditorKind m_kind;
  bool m_bEscape = false;

 private:
  void MoveTo(NavKey key);
  bool m_bLeft = false;
};

// Puts the shared key handling in front of a Qt editor widget. Keys are taken before the widget
// and before the dialog, so Enter and Escape never press OK or Storno while a cell is edited, and
// Tab never leaves the list.
template <class Widget>
class CCellEditorOf : public Widget, public CCellEditor {
 public:
  CCellEditorOf(QWidget* parent, CEditableListCtrl& list, int item, int subItem, QString initText,
                EditorKind kind);
  QWidget* widget() override { return this; }

 protected:
  virtual QString DisplayedText() const = 0;

  bool event(QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (!OnKeyPress(key)) {
        Widget::event(event);
        if (!key.text().isEmpty())
          Widen(DisplayedText());
      }
      // Keys the widget left alone must not reach the list, which would scroll under us.
      event->accept();
      return true;
    }
    if (event->type() == QEvent::KeyRelease &&
        OnKeyRelease(static_cast<const QKeyEvent&>(*event))) {
      event->accept();
      return true;
    }
    return Widget::event(event);
  }
};

// Text (kind 1) and number (kind 2) boxes.
class CEditCell : public CCellEditorOf<QLineEdit> {
 public:
  CEditCell(QWidget* parent, CEditableListCtrl& list, int item, int subItem, QString initText,
            EditorKind kind);
  std::string Text() const override;

 protected:
  QString DisplayedText() const override { return text(); }
};

// The drop-down list (kind 3), filled from the list's choices.
class CComboCell : public CCellEditorOf<QComboBox> {
 public:
  CComboCell(QWidget* parent, CEditableListCtrl& list, int item, int subItem, QString initText);
  std::string Text() const override;

 protected:
  QString DisplayedText() const override { return currentText(); }
};

// The date (kind 4) and time (kind 5) pickers; a text that does not parse opens at now.
class CDateTimeCell : public CCellEditorOf<QDateTimeEdit> {
 public:
  CDateTimeCell(QWidget* parent, CEditableListCtrl& list, int item, int subItem, QString initText,
                bool date);
  std::string Text() const override;

 protected:
  QString DisplayedText() const override { return text(); }

 private:
  const bool m_bDate;
};

}  // namespace pw
