// The program's icon in its windows on a screen with one and a half device pixels to the point.

#include <QPainter>
#include <QtTest>

#include "app/ui/StatusWindow.h"
#include "res/Ids.h"
#include "shell/ui/Icons.h"

namespace pw {

// Set before the application starts, so that every window of this test is on such a screen.
const bool kHiDpi = qputenv("QT_SCALE_FACTOR", "1.5");

class HiDpiIconsTest : public QObject {
  Q_OBJECT

 private slots:
  // A 32 pixel picture scaled up by a half would be blurred; the window draws it at 48 pixels.
  // The About box shows its icon through the same view.
  void theWindowDrawsItsIconAtTheScreensPixels() {
    StatusWindow window;
    window.show();
    QCOMPARE(window.devicePixelRatioF(), 1.5);
    QImage shown =
        window.findChild<QWidget*>(QStringLiteral("icon"))->grab(QRect(0, 0, 32, 32)).toImage();
    shown.setDevicePixelRatio(1);
    QImage expected(48, 48, QImage::Format_ARGB32_Premultiplied);
    expected.fill(window.palette().window().color());
    QPainter(&expected).drawPixmap(0, 0, iconPixmap(kProgramIcon, 48));
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
  }
};

}  // namespace pw

QTEST_MAIN(pw::HiDpiIconsTest)
#include "hidpi_icons_test.moc"
