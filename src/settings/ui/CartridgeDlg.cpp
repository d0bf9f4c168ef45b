#include "settings/ui/CartridgeDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "adapters/qt/QtText.h"
#include "shell/ui/DialogParts.h"

namespace pw {

PrintersEdit::PrintersEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
}

void PrintersEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (event->modifiers() & Qt::ControlModifier) {
      insertPlainText(QStringLiteral("\n"));
      event->accept();
    } else {
      event->ignore();  // the dialog presses its default button
    }
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

CartridgeDlg::CartridgeDlg(const QString& caption, const QString& confirm, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);

  auto* nameLabel = new QLabel(loadQStr(ids::kCartridgeName), this);
  name_ = new QLineEdit(this);
  name_->setObjectName(idName(ctl::cartridge::kName));
  nameLabel->setBuddy(name_);

  auto* pagesLabel = new QLabel(loadQStr(ids::kMaxPagesLabel), this);
  pages_ = new QLineEdit(this);
  pages_->setObjectName(idName(ctl::cartridge::kPages));
  pages_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), pages_));
  pages_->setMaximumWidth(pages_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
  pagesLabel->setBuddy(pages_);

  auto* printersLabel = new QLabel(loadQStr(ids::kCartridgePrinters), this);
  printers_ = new PrintersEdit(this);
  printers_->setObjectName(idName(ctl::cartridge::kPrinters));
  printers_->setFixedHeight(printers_->fontMetrics().lineSpacing() * 4 +
                            2 * printers_->frameWidth() + 8);
  printersLabel->setBuddy(printers_);

  auto* buttons = confirmButtons(this, confirm, loadQStr(ids::kCancel));

  auto* grid = new QGridLayout;
  grid->addWidget(nameLabel, 0, 0, 1, 2);
  grid->addWidget(name_, 1, 0, 1, 2);
  grid->addWidget(pagesLabel, 2, 0);
  grid->addWidget(pages_, 2, 1, Qt::AlignLeft);
  grid->addWidget(printersLabel, 3, 0, 1, 2);
  grid->addWidget(printers_, 4, 0, 1, 2);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

void CartridgeDlg::setEntry(const CartridgeEntry& entry) {
  name_->setText(Q(entry.name));
  pages_->setText(Q(entry.pages));
  printers_->setPlainText(Q(entry.printer));
}

CartridgeEntry CartridgeDlg::entry() const {
  return {S(name_->text()), S(pages_->text()), S(printers_->toPlainText())};
}

CAddCartridgeDlg::CAddCartridgeDlg(QWidget* parent)
    : CartridgeDlg(loadQStr(ids::kAddCartridgeTitle), loadQStr(ids::kAddCartridgeConfirm), parent) {
}

CEditCartridgeDlg::CEditCartridgeDlg(QWidget* parent)
    : CartridgeDlg(loadQStr(ids::kEditCartridgeTitle), loadQStr(ids::kEditCartridgeConfirm),
                   parent) {}

}  // namespace pw
