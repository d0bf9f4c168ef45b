// The shell's widgets: the About box with its links, the access password prompt, the
// message boxes and Qt's own texts in Czech.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "shell/ui/AboutDlg.h"
#include "shell/ui/CzechTexts.h"
#include "shell/ui/MessageBoxes.h"
#include "shell/ui/PasswordDlg.h"
#include "shell/ui/StaticLink.h"
#include "support/Fakes.h"

namespace pw {

class AboutDialogTest : public QObject {
  Q_OBJECT

 private slots:
  // Only a left click opens a link's target; the password prompt masks what is typed.
  void linksOpenTheirTargetsAndThePasswordIsMasked() {
    test::FakeUrlOpener opener;
    CAboutDlg dlg(opener);
    for (const int id : {ctl::about::kHomeLink, ctl::about::kMailLink}) {
      QTest::mouseClick(dlg.findChild<CStaticLink*>(idName(id)), Qt::RightButton);
      QTest::mouseClick(dlg.findChild<CStaticLink*>(idName(id)), Qt::LeftButton);
    }
    QCOMPARE(opener.opened,
             (std::vector<std::string>{"https://www.quorbel.cz/", "mailto:pagewarden@quorbel.cz"}));
    QCOMPARE(CPasswordDlg().findChild<QLineEdit*>(idName(ctl::password::kEdit))->echoMode(),
             QLineEdit::Password);
  }

  // A question's default answer is No; Qt's own texts, and the file types that Qt's translation
  // leaves out, are Czech.
  void messageBoxesAndQtsOwnTextsAreCzech() {
    QVERIFY(installCzechQtTexts(*QCoreApplication::instance()));
    QStringList seen;
    QTimer::singleShot(0, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr && box->defaultButton() != nullptr);
      seen << box->windowTitle();
      for (QAbstractButton* b : box->buttons())
        seen << b->text();
      seen << box->defaultButton()->text();
      box->reject();
    });
    QVERIFY(!QtMessages().askYesNo("Chcete pokračovat?"));
    QCOMPARE(seen.join(QLatin1Char('|')), QStringLiteral("Pagewarden|&Ano|&Ne|&Ne"));

    QTemporaryDir dir;
    CzechFileTypes types;
    QCOMPARE(types.type(QFileInfo(dir.path())), QStringLiteral("Složka"));
    QCOMPARE(types.type(QFileInfo(dir.filePath(QStringLiteral("kopie.xml")))),
             QStringLiteral("Soubor XML"));
  }
};

}  // namespace pw

QTEST_MAIN(pw::AboutDialogTest)
#include "about_dialog_test.moc"
