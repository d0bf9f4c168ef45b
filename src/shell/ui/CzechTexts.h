#pragma once
// The texts that Qt itself draws (standard buttons, the file dialog, the context menus of edit
// fields) in Czech, whatever language the desktop speaks. Dates and times still follow the
// user's locale.

#include <QFileIconProvider>

class QCoreApplication;
class QMessageBox;

namespace pw {

// Installs Qt's own Czech translation: from Qt's translations folder, else from a
// "translations" folder beside the executable. False when neither has it.
bool installCzechQtTexts(QCoreApplication& app);

// Gives the standard buttons of a message box their Czech texts, so they read Czech also
// without Qt's translation.
void setCzechButtonTexts(QMessageBox& box);

// The file dialog's "Type" column, which Qt's translation leaves in English.
class CzechFileTypes : public QFileIconProvider {
 public:
  QString type(const QFileInfo& info) const override;
};

}  // namespace pw
