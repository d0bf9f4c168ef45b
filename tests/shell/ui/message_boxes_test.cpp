// The message boxes and Qt's own texts in Czech.

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "shell/ui/CzechTexts.h"
#include "shell/ui/MessageBoxes.h"

using namespace pw;

class MessageBoxesTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QStringList boxButtons_;

  // Notes the buttons of the message box that opens next, then closes it.
  void readNextBox() {
    boxButtons_.clear();
    QTimer::singleShot(0, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      QCOMPARE(box->windowTitle(), QStringLiteral("Pagewarden"));
      for (QAbstractButton* b : box->buttons())
        boxButtons_ << b->text();
      if (box->defaultButton() != nullptr)
        boxButtons_ << QStringLiteral("default ") + box->defaultButton()->text();
      box->reject();
    });
  }

 private slots:
  void initTestCase() { QVERIFY(installCzechQtTexts(*QCoreApplication::instance())); }

  void messageBoxesAndQtsOwnTextsAreCzech() {
    QtMessages messages;
    readNextBox();
    QVERIFY(!messages.askYesNo("Chcete pokračovat?"));
    QCOMPARE(boxButtons_, (QStringList{QStringLiteral("&Ano"), QStringLiteral("&Ne"),
                                       QStringLiteral("default &Ne")}));

    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("&Zpět\tCtrl+Z"));
    CzechFileTypes types;  // Qt's translation has none for the file dialog's types
    QCOMPARE(types.type(QFileInfo(dir_.path())), QStringLiteral("Složka"));
    QCOMPARE(types.type(QFileInfo(dir_.filePath(QStringLiteral("kopie.xml")))),
             QStringLiteral("Soubor XML"));
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
