#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "app/Gauge.h"
#include "app/ui/StatusWindow.h"

namespace pw {

class StatusWindowTest : public QObject {
  Q_OBJECT

 private:
  static QColor Colour(const GaugeColour& c) { return QColor(c.red, c.green, c.blue); }

  // Shows the window and makes it the active one, so that keys reach it.
  static void ShowActive(StatusWindow& window) {
    window.Show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }

 private slots:
  void createdHiddenWithTheTemplateControls() {
    StatusWindow window;
    QVERIFY(!window.isVisible());
    QCOMPARE(window.windowTitle(), QString::fromUtf8("Stav programu Pagewarden"));
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
    auto* title = window.findChild<QLabel*>("1012");
    QVERIFY(title);
    QVERIFY(title->font().bold());
    for (const char* id : {"1000", "1013", "1011", "1001"})
      QVERIFY2(window.findChild<QWidget*>(id), id);
    QCOMPARE(window.findChild<QPushButton*>("1001")->text(), QStringLiteral("&OK"));
  }

  void textsGoToTheirControls() {
    StatusWindow window;
    window.SetTexts("Tiskárna HP vytiskla 3 stran.\n(Nejlepší <b>x</b>)",
                    "Náplň je vypotřebována z 4%.");
    QCOMPARE(window.findChild<QLabel*>("1000")->text(),
             QString::fromUtf8("Tiskárna HP vytiskla 3 stran.\n(Nejlepší <b>x</b>)"));
    QCOMPARE(window.findChild<QLabel*>("1000")->textFormat(), Qt::PlainText);
    QCOMPARE(window.findChild<QLabel*>("1013")->text(),
             QString::fromUtf8("Náplň je vypotřebována z 4%."));
  }

  void gaugeShowsSegmentsMarkerAndFrame() {
    StatusWindow window;
    QWidget* strip = window.findChild<QWidget*>("1011");
    QImage before = strip->grab().toImage();
    const int w = before.width(), h = before.height();
    QVERIFY(w >= 100 && h >= 4);
    QCOMPARE(before.pixelColor(w / 2, h / 2), QColor(Qt::white));  // nothing drawn yet

    window.DrawGauge(50);
    const QImage image = strip->grab().toImage();
    const GaugeRect rect{0, 0, w, h};
    for (const int i : {10, 25, 60, 75, 90}) {
      const GaugeRect seg = SegmentRect(rect, i);
      QCOMPARE(image.pixelColor((seg.left + seg.right - 1) / 2, h / 2), Colour(SegmentColour(i)));
    }
    const int x = MarkerX(rect, 50);
    for (const int dx : {-3, -2, -1, 0})
      QCOMPARE(image.pixelColor(x + dx, h / 2), QColor(Qt::black));
    QVERIFY(image.pixelColor(x + 1, h / 2) != QColor(Qt::black));
    QVERIFY(image.pixelColor(x - 4, h / 2) != QColor(Qt::black));
    for (const QPoint p :
         {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 4, 0), QPoint(w / 4, h - 1)}) {
      QCOMPARE(image.pixelColor(p), QColor(Qt::black));
    }

    window.DrawGauge(100);  // the marker moves to the right edge
    const QImage full = strip->grab().toImage();
    QCOMPARE(full.pixelColor(w - 3, h / 2), QColor(Qt::black));
    QCOMPARE(full.pixelColor(x, h / 2), Colour(SegmentColour(50)));
  }

  void okEnterEscapeAndCloseOnlyHide() {
    StatusWindow window;
    QPointer<StatusWindow> alive(&window);
    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.findChild<QPushButton*>("1001"), Qt::LeftButton);
    QVERIFY(!window.isVisible());

    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
      ShowActive(window);
      QTest::keyClick(&window, key);
      QVERIFY(!window.isVisible());
    }
    ShowActive(window);
    window.close();
    QVERIFY(!window.isVisible());
    QVERIFY(alive);
  }

  void beforePaintRunsOnPaintWithoutLooping() {
    StatusWindow window;
    int calls = 0, depth = 0, deepest = 0;
    window.setBeforePaint([&] {
      ++calls;
      deepest = std::max(deepest, ++depth);
      // What the monitor does on each paint, plus a nested paint of the whole window.
      window.SetTexts("stav", "Náplň je vypotřebována z 42%.");
      window.DrawGauge(42);
      (void)window.grab();
      --depth;
    });
    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(calls > 0);
    QCOMPARE(deepest, 1);
    QCOMPARE(window.findChild<QLabel*>("1013")->text(),
             QString::fromUtf8("Náplň je vypotřebována z 42%."));
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
