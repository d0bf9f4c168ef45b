#include "shell/ui/PasswordDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/DialogParts.h"

namespace pw {

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Zadání přístupového hesla"));

  auto* label = new QLabel(QStringLiteral("&Zadejte heslo pro přístup do programu:"), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("1008"));
  edit_->setEchoMode(QLineEdit::Password);
  label->setBuddy(edit_);

  auto* buttons = ConfirmButtons(this, QStringLiteral("&OK"), QStringLiteral("St&orno"));

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
