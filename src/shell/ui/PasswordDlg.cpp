#include "shell/ui/PasswordDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw {

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Zadání přístupového hesla"));

  auto* label = new QLabel(QStringLiteral("&Zadejte heslo pro přístup do programu:"), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("1008"));
  edit_->setEchoMode(QLineEdit::Password);
  label->setBuddy(edit_);

  auto* buttons = new QDialogButtonBox(this);
  auto* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  auto* cancel = buttons->addButton(QStringLiteral("St&orno"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("2"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(edit_);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  setMinimumWidth(300);
}

QString CPasswordDlg::password() const {
  return edit_->text();
}

}  // namespace pw
