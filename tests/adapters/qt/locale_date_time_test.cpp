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
    QCOMPARE(czech.FormatDate(date), QStringLiteral("06.12.2026"));
    QCOMPARE(czech.FormatTime(time), QStringLiteral("9:05:07"));
    const LocaleDateTime us{QLocale(QLocale::English, QLocale::UnitedStates)};
    QVERIFY(us.FormatDate(date).endsWith(QStringLiteral("2026")));
    QVERIFY(us.FormatTime(time).contains(QStringLiteral("9:05:07")));
    QVERIFY(!us.FormatTime(time).contains(QStringLiteral("UTC")));
  }

  void parsesItsOwnTextsAndCommonForms() {
    for (const QLocale& locale : {QLocale(QLocale::Czech, QLocale::Czechia),
                                  QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
      const LocaleDateTime f(locale);
      const QDate date(2026, 2, 28);
      const QTime time(23, 59, 1);
      QCOMPARE(f.ParseDate(f.FormatDate(date)), std::optional<QDate>(date));
      QCOMPARE(f.ParseTime(f.FormatTime(time)), std::optional<QTime>(time));
      QCOMPARE(f.ParseDate(QStringLiteral("28.2.2026")), std::optional<QDate>(date));
      QCOMPARE(f.ParseDate(QStringLiteral("2026-02-28")), std::optional<QDate>(date));
      QCOMPARE(f.ParseTime(QStringLiteral("23:59")), std::optional<QTime>(QTime(23, 59)));
      QVERIFY(!f.ParseDate(QStringLiteral("Uživatel")));
      QVERIFY(!f.ParseDate(QStringLiteral("31.2.2026")));
      QVERIFY(!f.ParseTime(QStringLiteral("25:00:00")));
    }
  }
};

QTEST_GUILESS_MAIN(LocaleDateTimeTest)
#include "locale_date_time_test.moc"
