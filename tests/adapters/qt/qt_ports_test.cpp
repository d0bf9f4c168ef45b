// The Qt answers to the logic's ports: the profile, the one date and time formatter (the clock's
// and the editors'), and the diagnostic trace.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "adapters/qt/QtPorts.h"
#include "adapters/qt/QtTrace.h"

namespace pw {

namespace {
QStringList captured;
void capture(QtMsgType, const QMessageLogContext& context, const QString& message) {
  captured << QString::fromLatin1(context.category) + QStringLiteral(": ") + message;
}
}  // namespace

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
    const QDate date(2026, 12, 6);
    const QTime time(9, 5, 7);
    const LocaleDateTime czech{QLocale(QLocale::Czech, QLocale::Czechia)};
    QCOMPARE(czech.formatDate(date), QStringLiteral("06.12.2026"));
    QCOMPARE(czech.formatTime(time), QStringLiteral("9:05:07"));
    const LocaleDateTime us{QLocale(QLocale::English, QLocale::UnitedStates)};
    QVERIFY(us.formatDate(date).endsWith(QStringLiteral("2026")));
    QVERIFY(us.formatTime(time).contains(QStringLiteral("9:05:07")));
    QVERIFY(!us.formatTime(time).contains(QStringLiteral("UTC")));
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

  // The trace reaches the Qt logging category, and only when its rules switch it on.
  void traceFollowsTheLoggingRules() {
    installQtTrace();
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    trace("CRegistry::Open error: Can't open key %s!\n", "Run");
    QLoggingCategory::setFilterRules(QStringLiteral("pagewarden.trace.debug=true"));
    trace("CRegistry::Open error: Can't open key %s!\n", "Run");
    qInstallMessageHandler(previous);
    QCOMPARE(captured, QStringList{QStringLiteral(
                           "pagewarden.trace: CRegistry::Open error: Can't open key Run!")});
  }
};

}  // namespace pw

QTEST_GUILESS_MAIN(pw::QtPortsTest)
#include "qt_ports_test.moc"
