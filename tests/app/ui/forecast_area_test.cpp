#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "app/Forecast.h"
#include "app/InkLevels.h"
#include "app/ui/StatusWindow.h"
#include "res/Ids.h"

namespace pw {

class ForecastAreaTest : public QObject {
  Q_OBJECT

 private slots:
  void theForecastGoesBelowTheInkLevelsAndLeavesTheWindowAboveAlone() {
    StatusWindow window;
    const QSize plain = window.size();
    const QRect ok = window.findChild<QPushButton*>(idName(ctl::status::kOk))->geometry();
    window.showInkLevels(inkRows(parseMarkers({"Black"}, {"#000000"}, {80}, {10}, {})), "");
    const QWidget* inks = window.findChild<QWidget*>(QStringLiteral("inkLevels"));
    const int withInks = window.height();

    std::vector<MonthUse> months(kChartMonths);
    months.back().pages = 40;
    months.back().colour = {255, 129, 0};
    months[0].pages = 10;
    const char* sentence =
        "Při dosavadním tempu (asi 14 stran týdně) dojde náplň kolem 3. 2. 2027.";
    window.showForecast(sentence, months);
    const QWidget* area = window.findChild<QWidget*>(QStringLiteral("forecast"));
    QVERIFY(area->isVisibleTo(&window));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("forecastSentence"))->text(),
             QString::fromUtf8(sentence));
    QVERIFY(area->geometry().top() > inks->geometry().bottom());
    QVERIFY(window.height() > area->geometry().bottom());
    QCOMPARE(window.width(), plain.width());
    QCOMPARE(window.findChild<QPushButton*>(idName(ctl::status::kOk))->geometry(), ok);

    // The current month's bar, the tallest, stands in its colour at the chart's right end.
    const QImage chart =
        window.findChild<QWidget*>(QStringLiteral("forecastChart"))->grab().toImage();
    const int slot = chart.width() / kChartMonths;
    QCOMPARE(chart.pixelColor(11 * slot + slot / 2, chart.height() / 2), QColor(255, 129, 0));
    QCOMPARE(chart.pixelColor(5 * slot + slot / 2, chart.height() / 2),
             window.palette().color(QPalette::Window));

    // A log with nothing to show takes the area away again.
    window.showForecast("", std::vector<MonthUse>(kChartMonths));
    QVERIFY(!area->isVisibleTo(&window));
    QCOMPARE(window.height(), withInks);
  }
};

}  // namespace pw

QTEST_MAIN(pw::ForecastAreaTest)
#include "forecast_area_test.moc"
