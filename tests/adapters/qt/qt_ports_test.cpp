// The Qt answers to the logic's ports: the profile and the one date and time formatter (the
// clock's and the editors').

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "adapters/qt/QtPorts.h"

namespace pw {

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
    QFile file(dir_.filePath(QStringLiteral("Quorbel/Pagewarden.conf")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\nAnyonestr=nov\xc3\xa9\nFirstTime=0\n");
    QVERIFY(file.flush());
    // A hand edit comes seconds after the program's own write, never in the same millisecond.
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(2), QFile::FileModificationTime));
    file.close();
    QCOMPARE(profile.readString("Anyonestr", ""), std::string("nové"));
    QCOMPARE(profile.readInt("FirstTime", 1), 0);
  }

  // Four-digit years, seconds and no zone, whatever the locale's short forms hold.
  void formatsWithFourDigitYearsAndSeconds() {
    const LocaleDateTime czech{QLocale(QLocale::Czech, QLocale::Czechia)};
    QCOMPARE(czech.formatDate(QDate(2026, 12, 6)), QStringLiteral("06.12.2026"));
    QCOMPARE(czech.formatTime(QTime(9, 5, 7)), QStringLiteral("9:05:07"));
  }

  // Texts written under another locale are read too.
  void parsesItsOwnTextsAndCommonForms() {
    const QDate date(2026, 2, 28);
    const QTime time(23, 59, 1);
    for (const QLocale& locale : {QLocale(QLocale::Czech, QLocale::Czechia),
                                  QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
      const LocaleDateTime f(locale);
      QCOMPARE(f.parseDate(f.formatDate(date)), std::optional<QDate>(date));
      QCOMPARE(f.parseTime(f.formatTime(time)), std::optional<QTime>(time));
      QCOMPARE(f.parseDate(QStringLiteral("28.2.2026")), std::optional<QDate>(date));
      QCOMPARE(f.parseDate(QStringLiteral("2026-02-28")), std::optional<QDate>(date));
      QCOMPARE(f.parseTime(QStringLiteral("23:59")), std::optional<QTime>(QTime(23, 59)));
      QVERIFY(!f.parseDate(QStringLiteral("Uživatel")));
      QVERIFY(!f.parseDate(QStringLiteral("31.2.2026")));
      QVERIFY(!f.parseTime(QStringLiteral("25:00:00")));
    }
  }
};

}  // namespace pw

QTEST_GUILESS_MAIN(pw::QtPortsTest)
#include "qt_ports_test.moc"
