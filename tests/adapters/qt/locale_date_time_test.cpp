#include <QtTest>

#include "adapters/qt/LocaleDateTime.h"

using pw::LocaleDateTime;

// The one date and time formatter: four-digit years, seconds, no zone, and lenient parsing of
// texts written under another locale.
class LocaleDateTimeTest : public QObject {
  Q_OBJECT

 private slots:
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

  void parsesItsOwnTextsAndCommonForms() {
    for (const QLocale& locale : {QLocale(QLocale::Czech, QLocale::Czechia),
                                  QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
      const LocaleDateTime f(locale);
      const QDate date(2026, 2, 28);
      const QTime time(23, 59, 1);
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

QTEST_GUILESS_MAIN(LocaleDateTimeTest)
#include "locale_date_time_test.moc"
