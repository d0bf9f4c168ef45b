// The status window: its texts, its icon, and the printer's ink levels and the forecast below.

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "app/Forecast.h"
#include "app/InkLevels.h"
#include "app/ui/StatusWindow.h"
#include "res/Ids.h"
#include "shell/ui/Icons.h"

namespace pw {

class StatusWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // On a screen of two pixels to the point the icon is drawn from a 64 pixel picture, not from
  // the 32 pixel one scaled up and blurred.
  void staysOnTopWithASharpIconAndPlainFittedTexts() {
    StatusWindow window;
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
    // User and document names are shown as they are, never as markup.
    auto* label = window.findChild<QLabel*>(idName(ctl::status::kText));
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QImage shown(64, 64, QImage::Format_ARGB32_Premultiplied);
    shown.setDevicePixelRatio(2);
    shown.fill(Qt::transparent);
    window.findChild<QWidget*>(QStringLiteral("icon"))->render(&shown, {}, {}, {});
    shown.setDevicePixelRatio(1);
    QCOMPARE(shown, iconPixmap(kProgramIcon, 64).toImage().convertToFormat(shown.format()));

    // A word wider than the label is shortened in the middle, so the date line stays in sight;
    // the whole text goes into the tooltip.
    const std::string status =
        "Tiskárna " + std::string(150, 'Q') + " vytiskla 3 stran.\n(6.12.2026 10:20:30)";
    window.setTexts(status, "");
    QCOMPARE(label->toolTip(), QString::fromStdString(status));
    QVERIFY(label->text().contains(QChar(0x2026)));
    QVERIFY(label->text().endsWith(QStringLiteral("\n(6.12.2026 10:20:30)")));
    for (const QString& word : label->text().split(QRegularExpression(QStringLiteral("[ \n]"))))
      QVERIFY(label->fontMetrics().horizontalAdvance(word) <= label->width());
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
    window.setTexts("Tiskárna Office vytiskla 3 stran.", "");
    QVERIFY(label->toolTip().isEmpty());
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

    std::vector<MonthUse> months(kChartMonths);
    months.back().pages = 40;
    window.showForecast("Při dosavadním tempu dojde náplň kolem 3. 2. 2027.", months);
    const QRect area = window.findChild<QWidget*>(QStringLiteral("forecast"))->geometry();
    QVERIFY(area.top() >
            window.findChild<QWidget*>(QStringLiteral("inkLevels"))->geometry().bottom());
    QVERIFY(window.height() > area.bottom());
    QCOMPARE(ok->geometry(), okPlace);

    window.showForecast("", std::vector<MonthUse>(kChartMonths));
    QCOMPARE(window.height(), withInks);
    window.showInkLevels({}, "");
    QCOMPARE(window.size(), plain);
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
};

}  // namespace pw

QTEST_MAIN(pw::StatusWindowTest)
#include "status_window_test.moc"
