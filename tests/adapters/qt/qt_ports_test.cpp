// The Qt side of the profile.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "adapters/qt/QtPorts.h"

using namespace pw;

class QtPortsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  }

  // A password changed in the profile file while the program runs counts at the next prompt.
  void profileReadsTheStoreAsItIsNow() {
    QtProfile profile;
    profile.writeString("Anyonestr", "stare");
    profile.writeInt("FirstTime", 1);
    QCOMPARE(profile.readString("Anyonestr", ""), std::string("stare"));
    const QString path = dir_.filePath(QStringLiteral("Quorbel/Pagewarden.conf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\nAnyonestr=nov\xc3\xa9\nFirstTime=0\n");
    file.close();
    // A hand edit comes seconds after the program's own write, never in the same millisecond.
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(2), QFile::FileModificationTime));
    file.close();
    QCOMPARE(profile.readString("Anyonestr", ""), std::string("nové"));
    QCOMPARE(profile.readInt("FirstTime", 1), 0);
  }
};

QTEST_MAIN(QtPortsTest)
#include "qt_ports_test.moc"
