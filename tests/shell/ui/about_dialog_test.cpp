// The shell's widgets: the About box with its links, the access password prompt, the icons.

#include <QImage>
#include <QLineEdit>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "shell/ui/AboutDlg.h"
#include "shell/ui/Icons.h"
#include "shell/ui/PasswordDlg.h"
#include "shell/ui/StaticLink.h"
#include "support/Fakes.h"

namespace pw {
using test::FakeUrlOpener;

class AboutDialogTest : public QObject {
  Q_OBJECT

 private slots:
  // A link turns red once its target opened; a failed open leaves it blue.
  void linksOpenTheirTargets() {
    const QColor blue(0, 0, 220), red(200, 0, 0);
    for (const bool succeed : {true, false}) {
      FakeUrlOpener opener;
      opener.succeed = succeed;
      CAboutDlg dlg(opener);
      for (const int id : {ctl::about::kHomeLink, ctl::about::kMailLink}) {
        auto* link = dlg.findChild<CStaticLink*>(idName(id));
        QVERIFY(link);
        QCOMPARE(link->linkColor(), blue);
        QTest::mouseClick(link, Qt::RightButton);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(link->palette().color(QPalette::WindowText), succeed ? red : blue);
      }
      QCOMPARE(opener.opened, (std::vector<std::string>{"https://www.quorbel.cz/",
                                                        "mailto:pagewarden@quorbel.cz"}));
    }
  }

  void passwordPromptMasksAndReturnsTheText() {
    CPasswordDlg dlg;
    auto* edit = dlg.findChild<QLineEdit*>(idName(ctl::password::kEdit));
    QVERIFY(edit);
    QTest::keyClicks(edit, QStringLiteral("Heslo"));
    edit->insert(QStringLiteral(" č1"));
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QCOMPARE(dlg.password(), QStringLiteral("Heslo č1"));
  }

  // Each level's picture shows its own rim colour and no other level's; an id without a picture
  // still gives an icon the desktop accepts, fully transparent.
  void iconsShowTheirLevelsRim() {
    const QColor rims[] = {QColor(0x2b, 0xb2, 0x4c), QColor(0xf5, 0xd4, 0x00),
                           QColor(0xe0, 0x20, 0x20)};  // green, yellow, red
    const std::pair<int, int> cases[] = {
        {icons::kGreen, 0}, {icons::kYellow, 1}, {icons::kRedFrame2, 2}, {icons::kBlank, -1}};
    for (const auto& [id, rim] : cases) {
      const QImage image = iconFor(id).pixmap(22).toImage();
      QCOMPARE(image.size(), QSize(22, 22));
      int near[3] = {}, opaque = 0;
      for (int i = 0; i < 22 * 22; ++i) {
        const QColor p = image.pixelColor(i % 22, i / 22);
        opaque += p.alpha() != 0;
        for (int r = 0; r < 3; ++r)
          near[r] += p.alpha() > 200 && std::abs(p.red() - rims[r].red()) < 40 &&
                     std::abs(p.green() - rims[r].green()) < 40 &&
                     std::abs(p.blue() - rims[r].blue()) < 40;
      }
      for (int r = 0; r < 3; ++r)
        QVERIFY2(r == rim ? near[r] >= 44 : near[r] == 0, qPrintable(QString::number(id)));
      QVERIFY(rim >= 0 || opaque == 0);
    }
  }

  // Every size and pixel ratio is drawn for itself, not scaled from another size's pixmap.
  void iconsAreDrawnAtAnySize() {
    const auto image = [](const QPixmap& p) {
      QImage pixels = p.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
      pixels.setDevicePixelRatio(1.0);
      return pixels;
    };
    const QIcon icon = iconFor(icons::kGreen);
    for (const int size : {24, 48})
      QCOMPARE(image(icon.pixmap(size)), image(iconPixmap(icons::kGreen, size)));
    const QPixmap sharp = icon.pixmap(QSize(24, 24), 2.0);
    QCOMPARE(sharp.size(), QSize(48, 48));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(image(sharp), image(iconPixmap(icons::kGreen, 48)));
  }
};

}  // namespace pw

QTEST_MAIN(pw::AboutDialogTest)
#include "about_dialog_test.moc"
