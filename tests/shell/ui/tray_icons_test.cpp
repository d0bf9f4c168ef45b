#include <QAction>
#include <QImage>
#include <QMenu>
#include <QtTest>

#include "shell/SystemTray.h"
#include "shell/ui/Icons.h"
#include "shell/ui/TrayIcon.h"
#include "support/Fakes.h"

class TrayIconsTest : public QObject {
  Q_OBJECT

 private slots:
  // Each level's picture shows its own rim colour and no other level's; an id without a picture
  // still gives an icon the desktop accepts, fully transparent.
  void picturesShowTheirLevelsColour() {
    enum Hue { kNone, kGreen, kYellow, kRed };
    const auto hueOf = [](QRgb p) {
      const int r = qRed(p), g = qGreen(p);
      if (qAlpha(p) < 128 || qBlue(p) > 100)
        return kNone;
      if (r > 200 && g > 180)
        return kYellow;
      if (r > 180 && g < 80)
        return kRed;
      return g > 150 && r < 100 ? kGreen : kNone;
    };
    const std::pair<int, Hue> cases[] = {{134, kGreen}, {139, kYellow}, {145, kRed}, {135, kNone}};
    for (const auto& [id, hue] : cases) {
      const QImage image = pw::IconFor(id).pixmap(22).toImage();
      QCOMPARE(image.size(), QSize(22, 22));
      int counts[4] = {}, opaque = 0;
      for (int i = 0; i < 22 * 22; ++i) {
        ++counts[hueOf(image.pixel(i % 22, i / 22))];
        opaque += qAlpha(image.pixel(i % 22, i / 22)) != 0;
      }
      QVERIFY(hue == kNone ? opaque == 0 : counts[hue] >= 44);
      for (const Hue other : {kGreen, kYellow, kRed})
        QVERIFY2(other == hue || counts[other] == 0, qPrintable(QString::number(id)));
    }
  }

  void doubleClickAndBoldItemFollowTheDefaultItem() {
    pw::TrayIcon shell;
    pw::test::FakeTimers timers;
    pw::test::FakeClock clock;
    pw::CSystemTray tray(shell, timers, clock);
    shell.setTray(&tray);
    std::vector<int> sent;
    shell.setMenu({{0, "Quorbel na &webu", {{32843, "&Domovská stránka", {}, false}}, false},
                   {0, {}, {}, true},
                   {32773, "Zobrazit stav programu...", {}, false}},
                  [&](int id) { sent.push_back(id); });
    for (const int item : {-1, 2}) {  // no item, then "Zobrazit stav programu..." by position
      tray.SetDefaultMenuItem(item, true);
      emit shell.icon()->activated(QSystemTrayIcon::DoubleClick);
      emit shell.menu()->aboutToShow();
      const QAction* bold = shell.menu()->defaultAction();
      QCOMPARE(bold ? bold->objectName() : QString(), item < 0 ? QString() : QString("32773"));
    }
    QCOMPARE(sent, std::vector<int>{32773});
  }
};

QTEST_MAIN(TrayIconsTest)
#include "tray_icons_test.moc"
