#include "shell/ui/MessageBoxes.h"

#include <QMessageBox>

#include "adapters/qt/QtText.h"
#include "res/Strings.h"
#include "shell/ui/CzechTexts.h"

namespace pw {

namespace {
QString Title() {
  return LoadQStr(ids::kProgramName);
}
}  // namespace

void QtMessages::ShowError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, Title(), Q(text), QMessageBox::Ok);
  SetCzechButtonTexts(box);
  box.exec();
}

bool QtMessages::AskYesNo(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, Title(), Q(text), QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  SetCzechButtonTexts(box);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace pw
