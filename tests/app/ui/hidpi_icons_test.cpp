// The program's icons in its windows on a screen with one and a half device pixels to the point.

#include <QLabel>
#include <QPainter>
#include <QtTest>

#include "app/ui/StatusWindow.h"
#include "res/Ids.h"
#include "shell/ui/AboutDlg.h"
#include "shell/ui/Icons.h"
#include "support/Fakes.h"

namespace pw {

// Set before the application starts, so that every window of this test is on such a screen.
const bool kHiDpi = qputenv("QT_SCALE_FACTOR", "1.5");

class HiDpiIconsTest : public QObject {
  Q_OBJECT

  // The icon at 48 device pixels over the window's background, as a sharp window shows it.
  static QImage expected(IconId id, const QColor& background) {
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter(&image).drawPixmap(0, 0, iconPixmap(id, 48));
    return image;
  }
  static QImage shown(QWidget* window, const char* name) {
    auto* icon = window->findChild<QWidget*>(QLatin1String(name));
    if (icon == nullptr)
      return {};
    QImage image = icon->grab(QRect(0, 0, 32, 32)).toImage();
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }

 private slots:
  // A 32 pixel picture scaled up by a half would be blurred; the windows draw it at 48 pixels.
  void theWindowsDrawTheirIconsAtTheScreensPixels() {
    StatusWindow status;
    status.show();
    QCOMPARE(status.devicePixelRatioF(), 1.5);
    QCOMPARE(shown(&status, "icon"), expected(kProgramIcon, status.palette().window().color()));

    test::FakeUrlOpener opener;
    CAboutDlg about(opener);
    about.show();
    QCOMPARE(shown(&about, "icon"), expected(kProgramIcon, about.palette().window().color()));
  }
};

}  // namespace pw

QTEST_MAIN(pw::HiDpiIconsTest)
#include "hidpi_icons_test.moc"
