#include "shell/ui/CzechTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace pw {

bool InstallCzechQtTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                             QCoreApplication::applicationDirPath() + "/translations"};
  for (const QString& folder : folders) {
    if (translator->load(QStringLiteral("qtbase_cs"), folder))
      return QCoreApplication::installTranslator(translator);
  }
  delete translator;
  return false;
}

void SetCzechButtonTexts(QMessageBox& box) {
  const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
      {QMessageBox::Ok, "OK"}, {QMessageBox::Yes, "&Ano"}, {QMessageBox::No, "&Ne"}};
  for (const auto& [which, text] : texts) {
    if (QAbstractButton* button = box.button(which))
      button->setText(QString::fromUtf8(text));
  }
}

QString CzechFileTypes::type(const QFileInfo& info) const {
  if (info.isRoot())
    return QString::fromUtf8("Jednotka");
  if (info.isDir())
    return QString::fromUtf8("Složka");
  const QString suffix = info.suffix();
  return suffix.isEmpty() ? QString::fromUtf8("Soubor")
                          : QString::fromUtf8("Soubor %1").arg(suffix.toUpper());
}

}  // namespace pw
