#include <QtTest>

#include "platform/qt/QtDateReader.h"

using namespace pw;

// The log's dates as the forecast reads them: the locale's own form, Czech forms typed by hand,
// and nothing for a text that is no date.
class QtDateReaderTest : public QObject {
  Q_OBJECT

 private slots:
  void readsTheLocalesFormAndHandTypedForms() {
    const struct {
      QLocale locale;
      const char* text;
      std::optional<CivilDate> expected;
    } cases[] = {
        {QLocale(QLocale::Czech, QLocale::Czechia), "06.12.2026", CivilDate{2026, 12, 6}},
        {QLocale(QLocale::Czech, QLocale::Czechia), "29.2.2028", CivilDate{2028, 2, 29}},
        {QLocale::c(), "7 Dec 2026", CivilDate{2026, 12, 7}},
        {QLocale::c(), "3.2.2027", CivilDate{2027, 2, 3}},
        {QLocale::c(), "29.2.2027", std::nullopt},
        {QLocale(QLocale::Czech, QLocale::Czechia), "Vánoce", std::nullopt},
    };
    for (const auto& c : cases) {
      QtDateReader reader(c.locale);
      QVERIFY2(reader.ReadDate(c.text) == c.expected, c.text);
    }
  }
};

QTEST_GUILESS_MAIN(QtDateReaderTest)
#include "qt_date_reader_test.moc"
