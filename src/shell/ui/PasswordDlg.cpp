#include "shell/ui/PasswordDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "adapters/qt/QtText.h"
#include "shell/ui/DialogParts.h"

namespace pw {

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(loadQStr(ids::kPasswordTitle));

  auto* label = new QLabel(loadQStr(ids::kPasswordLabel), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(idName(ctl::password::kEdit));
  edit_->setEchoMode(QLineEdit::Password);
  label->setBuddy(edit_);

  auto* buttons = confirmButtons(this, loadQStr(ids::kOk), loadQStr(ids::kPasswordCancel));

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
