#include "shell/ui/MessageBoxes.h"

#include <QMessageBox>

#include "adapters/qt/QtText.h"
#include "res/Strings.h"
#include "shell/ui/CzechTexts.h"

namespace pw {

namespace {
QString title() {
  return loadQStr(ids::kProgramName);
}
}  // namespace

void QtMessages::showError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, title(), Q(text), QMessageBox::Ok);
  setCzechButtonTexts(box);
  box.exec();
}

bool QtMessages::askYesNo(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, title(), Q(text), QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  setCzechButtonTexts(box);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace pw
