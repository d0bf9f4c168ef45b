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
class CellEditor {
 public:
  CellEditor(CEditableListCtrl& list, int item, int column, QString initText, EditorKind kind);
  virtual ~CellEditor() = default;

  virtual QWidget* widget() = 0;
  // The text the editor reports for its cell.
  virtual std::string cellText() const = 0;

  // Reports the text into the cell, unless Escape cancelled it or the column refuses it empty.
  void setListText();
  // Commits and closes the editor; later calls do nothing.
  void leave();
  // True once left: the widget is on its way out and no longer the list's open editor.
  bool closed() const { return closed_; }

 protected:
  // True when the key was consumed here and the widget must not see it.
  bool onKeyPress(const QKeyEvent& key);
  bool onKeyRelease(const QKeyEvent& key);
  // Widens the editor when the text no longer fits, up to the list's right edge.
  void widen(const QString& displayed);

  CEditableListCtrl& list_;
  const int item_;
  const int column_;
  const QString initText_;
  const EditorKind kind_;
  bool escape_ = false;

 private:
  void moveTo(NavKey key);
  bool closed_ = false;
};

// Puts the shared key handling in front of a Qt editor widget. Keys are taken before the widget
// and before the dialog, so Enter and Escape never press OK or Storno while a cell is edited, and
// Tab never leaves the list.
template <class Widget>
class CellEditorOf : public Widget, public CellEditor {
 public:
  CellEditorOf(QWidget* parent, CEditableListCtrl& list, int item, int column, QString initText,
               EditorKind kind);
  QWidget* widget() override { return this; }

 protected:
  virtual QString displayedText() const = 0;

  bool event(QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (!onKeyPress(key)) {
        Widget::event(event);
        if (!key.text().isEmpty())
          widen(displayedText());
      }
      // Keys the widget left alone must not reach the list, which would scroll under us.
      event->accept();
      return true;
    }
    if (event->type() == QEvent::KeyRelease &&
        onKeyRelease(static_cast<const QKeyEvent&>(*event))) {
      event->accept();
      return true;
    }
    return Widget::event(event);
  }
};

// The boxes of EditorKind::Text and EditorKind::Number.
class CEditCell : public CellEditorOf<QLineEdit> {
 public:
  CEditCell(QWidget* parent, CEditableListCtrl& list, int item, int column, QString initText,
            EditorKind kind);
  std::string cellText() const override;

 protected:
  QString displayedText() const override { return text(); }
};

// The drop-down list of EditorKind::Choice, filled from the list's choices.
class CComboCell : public CellEditorOf<QComboBox> {
 public:
  CComboCell(QWidget* parent, CEditableListCtrl& list, int item, int column, QString initText);
  std::string cellText() const override;

 protected:
  QString displayedText() const override { return currentText(); }
};

// The pickers of EditorKind::Date and EditorKind::Time; a text that does not parse opens at now.
class CDateTimeCell : public CellEditorOf<QDateTimeEdit> {
 public:
  CDateTimeCell(QWidget* parent, CEditableListCtrl& list, int item, int column, QString initText,
                bool date);
  std::string cellText() const override;

 protected:
  QString displayedText() const override { return text(); }

 private:
  const bool datePicker_;
};

}  // namespace pw
