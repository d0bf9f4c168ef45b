// The status window: its texts, the gauge, and the printer's ink levels and the forecast below.

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "app/Forecast.h"
#include "app/Gauge.h"
#include "app/InkLevels.h"
#include "app/ui/StatusWindow.h"

namespace pw {

class StatusWindowTest : public QObject {
  Q_OBJECT

  static QImage grab(const StatusWindow& window, const QString& name) {
    return window.findChild<QWidget*>(name)->grab().toImage();
  }

 private slots:
  void staysOnTopAndShowsPlainTextsAndTheGauge() {
    StatusWindow window;
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);

    // User and document names are shown as they are, never as markup.
    QCOMPARE(window.findChild<QLabel*>(idName(ctl::status::kText))->textFormat(), Qt::PlainText);

    // The strip paints the gauge's layout (whose rules the logic tests check) in its order: the
    // marker over the segments.
    window.drawGauge(50);
    const QImage image = grab(window, idName(ctl::status::kGauge));
    const int h = image.height();
    const Rect rect{0, 0, image.width(), h};
    const Rect seg = segmentRect(rect, 90);
    const GaugeColour c = segmentColour(90);
    QCOMPARE(image.pixelColor((seg.left + seg.right - 1) / 2, h / 2),
             QColor(c.red, c.green, c.blue));
    QCOMPARE(image.pixelColor(markerX(rect, 50) - 3, h / 2), QColor(Qt::black));
  }

  // The printer's levels, then the forecast, go below everything else: the window grows
  // downwards only, and shrinks back as each is taken away.
  void inkLevelsAndForecastGrowTheWindowDownwards() {
    StatusWindow window;
    const QSize plain = window.size();
    auto* ok = window.findChild<QPushButton*>(idName(ctl::status::kOk));
    const QRect okPlace = ok->geometry();
    window.showInkLevels(
        inkRows(parseMarkers({"Black", "Cyan"}, {"#000000", "#00FFFF"}, {8, 45}, {10, 10}, {})),
        "Podle vytištěných stran zbývá 60 %.");
    const int withInks = window.height();
    QVERIFY(withInks > plain.height() + 40);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("inkLevel0"))->text(),
             QString::fromUtf8("8 % – dochází"));
    // The bar is filled in the ink's own colour up to its level.
    const QImage bar = grab(window, QStringLiteral("inkBar1"));
    QCOMPARE(bar.pixelColor(bar.width() / 4, bar.height() / 2), QColor(0, 255, 255));
    QCOMPARE(bar.pixelColor(bar.width() * 3 / 4, bar.height() / 2), QColor(Qt::white));

    std::vector<MonthUse> months(kChartMonths);
    months.back().pages = 40;
    months.back().colour = {255, 129, 0};
    months[0].pages = 10;
    window.showForecast("Při dosavadním tempu dojde náplň kolem 3. 2. 2027.", months);
    const QRect area = window.findChild<QWidget*>(QStringLiteral("forecast"))->geometry();
    QVERIFY(area.top() >
            window.findChild<QWidget*>(QStringLiteral("inkLevels"))->geometry().bottom());
    QVERIFY(window.height() > area.bottom());
    QCOMPARE(ok->geometry(), okPlace);
    // The current month's bar, the tallest, stands in its colour at the chart's right end.
    const QImage chart = grab(window, QStringLiteral("forecastChart"));
    const int slot = chart.width() / kChartMonths;
    QCOMPARE(chart.pixelColor(11 * slot + slot / 2, chart.height() / 2), QColor(255, 129, 0));

    window.showForecast("", std::vector<MonthUse>(kChartMonths));
    QCOMPARE(window.height(), withInks);
    window.showInkLevels({}, "");
    QCOMPARE(window.size(), plain);
  }

  // A word wider than the label is shortened in the middle, so the date line stays in sight; the
  // whole text goes into the tooltip.
  void aLongQueueNameIsShortenedAndTheDateLineStays() {
    StatusWindow window;
    const std::string status =
        "Tiskárna " + std::string(150, 'Q') + " vytiskla 3 stran.\n(6.12.2026 10:20:30)";
    window.setTexts(status, "");
    auto* label = window.findChild<QLabel*>(idName(ctl::status::kText));
    QCOMPARE(label->toolTip(), QString::fromStdString(status));
    QVERIFY(label->text().contains(QChar(0x2026)));
    QVERIFY(label->text().endsWith(QStringLiteral("\n(6.12.2026 10:20:30)")));
    for (const QString& word : label->text().split(QRegularExpression(QStringLiteral("[ \n]"))))
      QVERIFY(label->fontMetrics().horizontalAdvance(word) <= label->width());
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
    window.setTexts("Tiskárna Office vytiskla 3 stran.", "");
    QVERIFY(label->toolTip().isEmpty());
  }

  void okEnterEscapeAndCloseOnlyHide() {
    StatusWindow window;
    QPointer<StatusWindow> alive(&window);
    auto* ok = window.findChild<QPushButton*>(idName(ctl::status::kOk));
    const std::function<void()> hides[] = {[&] { QTest::mouseClick(ok, Qt::LeftButton); },
                                           [&] { QTest::keyClick(&window, Qt::Key_Escape); },
                                           [&] { QTest::keyClick(&window, Qt::Key_Return); },
                                           [&] { window.close(); }};
    for (const auto& hide : hides) {
      window.showWindow();
      window.activateWindow();  // so that keys reach it
      QVERIFY(QTest::qWaitForWindowActive(&window));
      hide();
      QVERIFY(!window.isVisible());
    }
    QVERIFY(alive);
  }

  void beforePaintRunsOnPaintWithoutLooping() {
    StatusWindow window;
    int calls = 0;
    window.setBeforePaint([&] {
      ++calls;
      // What the monitor does on each paint, plus a nested paint of the whole window (which
      // would recurse without end if the hook were re-entered).
      window.setTexts("stav", "Náplň je vypotřebována z 42%.");
      window.drawGauge(42);
      (void)window.grab();
    });
    window.showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(calls > 0);
    // Setting the same texts and share again settles: no endless chain of repaints.
    QTest::qWait(100);
    const int settled = calls;
    QTest::qWait(200);
    QCOMPARE(calls, settled);
  }
};

}  // namespace pw

QTEST_MAIN(pw::StatusWindowTest)
#include "status_window_test.moc"
