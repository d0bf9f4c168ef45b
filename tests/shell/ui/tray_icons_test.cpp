#include <QAction>
#include <QImage>
#include <QMenu>
#include <QtTest>

#include "shell/SystemTray.h"
#include "shell/ui/Icons.h"
#include "shell/ui/TrayIcon.h"
#include "support/Fakes.h"

namespace {

enum Hue { kOther, kGreen, kYellow, kRed };

Hue HueOf(QRgb p) {
  const int r = qRed(p), g = qGreen(p);
  if (qAlpha(p) < 128 || qBlue(p) > 100)
    return kOther;
  if (r > 200 && g > 180)
    return kYellow;
  if (r > 180 && g < 80)
    return kRed;
  return g > 150 && r < 100 ? kGreen : kOther;
}

}  // namespace

class TrayIconsTest : public QObject {
  Q_OBJECT

 private slots:
  void eachPictureShowsItsOwnColourAtEverySize() {
    const std::pair<int, Hue> cases[] = {
        {134, kGreen}, {139, kYellow}, {145, kRed}, {142, kGreen}, {144, kRed}};
    for (const auto& [id, hue] : cases) {
      for (const int size : {16, 22, 32}) {
        const QImage image = pw::IconPixmap(id, size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        int counts[4] = {};
        for (int y = 0; y < size; ++y)
          for (int x = 0; x < size; ++x)
            ++counts[HueOf(image.pixel(x, y))];
        // The picture's colour covers a good part of it, and no other level's colour appears.
        const QString where = QString("icon %1 at %2 px").arg(id).arg(size);
        QVERIFY2(counts[hue] >= size * 2, qPrintable(where));
        for (const Hue other : {kGreen, kYellow, kRed})
          QVERIFY2(other == hue || counts[other] == 0, qPrintable(where));
      }
    }
  }

  void onlyIdsWithAPictureDrawAnything() {
    for (int id = 120; id <= 150; ++id) {
      const QImage image = pw::IconPixmap(id, 16).toImage();
      bool drawn = false;
      for (int i = 0; i < 16 * 16 && !drawn; ++i)
        drawn = qAlpha(image.pixel(i % 16, i / 16)) != 0;
      QVERIFY2(drawn == pw::IconExists(id), qPrintable(QString::number(id)));
    }
    const QIcon empty = pw::IconFor(135);  // still an icon the desktop accepts
    QCOMPARE(empty.availableSizes(), (QList<QSize>{{16, 16}, {22, 22}, {32, 32}}));
  }

  void menuSendsCommandsAndFollowsTheDefaultItem() {
    pw::TrayIcon shell;
    pw::test::FakeTimers timers;
    pw::test::FakeClock clock;
    pw::CSystemTray tray(shell, timers, clock);
    shell.setTray(&tray);
    std::vector<int> sent;
    shell.setMenu({{57664, "O programu Pagewarden...", {}, false},
                   {0, "Quorbel na &webu", {{32843, "&Domovská stránka", {}, false}}, false},
                   {0, {}, {}, true},
                   {32773, "Zobrazit stav programu...", {}, false}},
                  [&](int id) { sent.push_back(id); });
    shell.menu()->findChild<QAction*>("32843")->trigger();
    QCOMPARE(sent, std::vector<int>{32843});

    for (const int item : {-1, 3}) {  // no item, then "Zobrazit stav programu..." by position
      tray.SetDefaultMenuItem(item, true);
      emit shell.icon()->activated(QSystemTrayIcon::DoubleClick);
      emit shell.menu()->aboutToShow();
      const QAction* bold = shell.menu()->defaultAction();
      QCOMPARE(bold ? bold->objectName() : QString(), item < 0 ? QString() : QString("32773"));
    }
    QCOMPARE(sent, (std::vector<int>{32843, 32773}));
  }
};

QTEST_MAIN(TrayIconsTest)
#include "tray_icons_test.moc"
