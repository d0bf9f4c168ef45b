#pragma once
// The Add and Edit cartridge dialogs: one layout with a name, a page count and the printers that
// use the cartridge. Neither checks anything: confirming takes the three texts as they stand.

#include <QDialog>
#include <QPlainTextEdit>

#include "log/DataFile.h"

class QLineEdit;

namespace pw {

// The printers text: several lines with a vertical scroll bar, where Enter confirms the dialog
// and Ctrl+Enter breaks the line (the catalogue later stores each break as a blank).
class PrintersEdit : public QPlainTextEdit {
 public:
  explicit PrintersEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class CartridgeDlg : public QDialog {
 public:
  void setEntry(const CartridgeEntry& entry);
  CartridgeEntry entry() const;

 protected:
  CartridgeDlg(const QString& caption, const QString& confirm, QWidget* parent);

 private:
  QLineEdit* name_;
  QLineEdit* pages_;
  PrintersEdit* printers_;
};

// Template 132.
class CAddCartridgeDlg : public CartridgeDlg {
  Q_OBJECT

 public:
  explicit CAddCartridgeDlg(QWidget* parent = nullptr);
};

// Template 133.
class CEditCartridgeDlg : public CartridgeDlg {
  Q_OBJECT

 public:
  explicit CEditCartridgeDlg(QWidget* parent = nullptr);
};

}  // namespace pw
