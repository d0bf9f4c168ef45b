// The Qt side of the profile and the message boxes, and Qt's own texts in Czech.

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "platform/qt/CzechTexts.h"
#include "platform/qt/QtPorts.h"

using namespace pw;

class QtPortsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QStringList boxButtons_;

  // Notes the buttons of the message box that opens next, then closes it.
  void ReadNextBox() {
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
  void initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QVERIFY(InstallCzechQtTexts(*QCoreApplication::instance()));
  }

  // A password changed in the profile file while the program runs counts at the next prompt.
  void profileReadsTheStoreAsItIsNow() {
    QtProfile profile;
    profile.WriteString("Anyonestr", "stare");
    profile.WriteInt("FirstTime", 1);
    QCOMPARE(profile.ReadString("Anyonestr", ""), std::string("stare"));
    const QString path = dir_.filePath(QStringLiteral("Quorbel/Pagewarden.conf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\nAnyonestr=nov\xc3\xa9\nFirstTime=0\n");
    file.close();
    // A hand edit comes seconds after the program's own write, never in the same millisecond.
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(2), QFile::FileModificationTime));
    file.close();
    QCOMPARE(profile.ReadString("Anyonestr", ""), std::string("nové"));
    QCOMPARE(profile.ReadInt("FirstTime", 1), 0);
  }

  void messageBoxesAndQtsOwnTextsAreCzech() {
    QtMessages messages;
    ReadNextBox();
    QVERIFY(!messages.AskYesNo("Chcete pokračovat?"));
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

QTEST_MAIN(QtPortsTest)
#include "qt_ports_test.moc"
