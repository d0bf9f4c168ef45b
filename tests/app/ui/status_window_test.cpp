#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "app/Gauge.h"
#include "app/InkLevels.h"
#include "app/ui/StatusWindow.h"

namespace pw {

class StatusWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void createdHiddenThenShowsTextsAndGauge() {
    StatusWindow window;
    QVERIFY(!window.isVisible());
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);

    // User and document names are shown as they are, never as markup.
    const char* status = "Tiskárna HP vytiskla 3 stran.\n(Nejlepší <b>x</b>)";
    window.setTexts(status, "Náplň je vypotřebována z 4%.");
    auto* statusLabel = window.findChild<QLabel*>(idName(ctl::status::kText));
    QCOMPARE(statusLabel->text(), QString::fromUtf8(status));
    QCOMPARE(statusLabel->textFormat(), Qt::PlainText);
    QCOMPARE(window.findChild<QLabel*>(idName(ctl::status::kUsage))->text(),
             QString::fromUtf8("Náplň je vypotřebována z 4%."));

    // The strip paints the gauge's layout (whose rules the logic tests check) in order: a
    // segment, the marker over the segments, the frame over everything.
    window.drawGauge(50);
    const QImage image = window.findChild<QWidget*>(idName(ctl::status::kGauge))->grab().toImage();
    const int h = image.height();
    const Rect rect{0, 0, image.width(), h};
    const Rect seg = segmentRect(rect, 90);
    const GaugeColour c = segmentColour(90);
    QCOMPARE(image.pixelColor((seg.left + seg.right - 1) / 2, h / 2),
             QColor(c.red, c.green, c.blue));
    QCOMPARE(image.pixelColor(markerX(rect, 50) - 3, h / 2), QColor(Qt::black));
    QCOMPARE(image.pixelColor(seg.left, h - 1), QColor(Qt::black));
  }

  void inkLevelsGrowTheWindowBelowEverythingElse() {
    StatusWindow window;
    const QSize plain = window.size();
    const QRect ok = window.findChild<QPushButton*>(idName(ctl::status::kOk))->geometry();
    const auto rows = inkRows(parseMarkers({"Black", "Cyan", "Magenta", "Yellow"},
                                           {"#000000", "#00FFFF", "#FF00FF", "#FFFF00"},
                                           {80, 45, -1, 8}, {10, 10, 10, 10}, {}));
    window.showInkLevels(rows, "Podle vytištěných stran zbývá 60 %.");
    QVERIFY(window.height() > plain.height() + 40);
    QCOMPARE(window.width(), plain.width());
    QCOMPARE(window.findChild<QPushButton*>(idName(ctl::status::kOk))->geometry(), ok);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("inkLevel3"))->text(),
             QString::fromUtf8("8 % – dochází"));
    // The bar is filled in the ink's own colour up to its level.
    const QImage bar = window.findChild<QWidget*>(QStringLiteral("inkBar1"))->grab().toImage();
    QCOMPARE(bar.pixelColor(bar.width() / 4, bar.height() / 2), QColor(0, 255, 255));
    QCOMPARE(bar.pixelColor(bar.width() * 3 / 4, bar.height() / 2), QColor(Qt::white));

    window.showInkLevels({}, "");
    QCOMPARE(window.size(), plain);
    QVERIFY(!window.findChild<QWidget*>(QStringLiteral("inkLevels"))->isVisibleTo(&window));
  }

  void aLongQueueNameIsShortenedAndTheDateLineStays() {
    StatusWindow window;
    const std::string name(150, 'Q');
    const std::string status = "Tiskárna " + name + " vytiskla 3 stran.\n(6.12.2026 10:20:30)";
    window.setTexts(status, "Náplň je vypotřebována z 4%.");
    auto* label = window.findChild<QLabel*>(idName(ctl::status::kText));
    QCOMPARE(label->toolTip(), QString::fromStdString(status));
    QVERIFY(label->text().contains(QChar(0x2026)));
    QVERIFY(label->text().endsWith(QStringLiteral("\n(6.12.2026 10:20:30)")));
    for (const QString& word : label->text().split(QRegularExpression(QStringLiteral("[ \n]"))))
      QVERIFY(label->fontMetrics().horizontalAdvance(word) <= label->width());
    // Everything fits in the label's height.
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
