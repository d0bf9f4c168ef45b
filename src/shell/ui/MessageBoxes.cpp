#include "shell/ui/MessageBoxes.h"

#include <QMessageBox>

#include "adapters/qt/QtText.h"
#include "shell/ui/CzechTexts.h"

namespace pw {

namespace {
const QString kTitle = QStringLiteral("Pagewarden");
}

void QtMessages::ShowError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, kTitle, Q(text), QMessageBox::Ok);
  SetCzechButtonTexts(box);
  box.exec();
}

bool QtMessages::AskYesNo(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, kTitle, Q(text), QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  SetCzechButtonTexts(box);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace pw
