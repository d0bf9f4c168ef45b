#include "shell/ui/CzechTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "adapters/qt/QtText.h"

namespace pw {

bool installCzechQtTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  const QString folders[] = {
      QLibraryInfo::path(QLibraryInfo::TranslationsPath),
      QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
  for (const QString& folder : folders) {
    if (translator->load(QStringLiteral("qtbase_cs"), folder))
      return QCoreApplication::installTranslator(translator);
  }
  delete translator;
  return false;
}

void setCzechButtonTexts(QMessageBox& box) {
  const std::pair<QMessageBox::StandardButton, int> texts[] = {{QMessageBox::Ok, ids::kButtonOk},
                                                               {QMessageBox::Yes, ids::kButtonYes},
                                                               {QMessageBox::No, ids::kButtonNo}};
  for (const auto& [which, text] : texts) {
    if (QAbstractButton* button = box.button(which))
      button->setText(loadQStr(text));
  }
}

QString CzechFileTypes::type(const QFileInfo& info) const {
  if (info.isRoot())
    return loadQStr(ids::kFileTypeDrive);
  if (info.isDir())
    return loadQStr(ids::kFileTypeFolder);
  const QString suffix = info.suffix();
  return suffix.isEmpty() ? loadQStr(ids::kFileTypeFile)
                          : Q(formatStr(ids::kFileTypeOf, S(suffix.toUpper())));
}

}  // namespace pw
