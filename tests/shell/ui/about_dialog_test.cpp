// The shell's widgets: the About box with its links, the access password prompt, the icons, the
// message boxes and Qt's own texts in Czech.

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "shell/ui/AboutDlg.h"
#include "shell/ui/CzechTexts.h"
#include "shell/ui/Icons.h"
#include "shell/ui/MessageBoxes.h"
#include "shell/ui/PasswordDlg.h"
#include "shell/ui/StaticLink.h"
#include "support/Fakes.h"

namespace pw {

class AboutDialogTest : public QObject {
  Q_OBJECT

  // How many pixels of the icon at 22 pixels are opaque and near the colour; without a colour,
  // how many are not fully transparent.
  static int pixels(IconId id, const std::optional<QColor>& colour = {}) {
    const QImage image = iconFor(id).pixmap(22).toImage();
    const auto close = [](int a, int b) { return std::abs(a - b) < 40; };
    int count = 0;
    for (int i = 0; i < 22 * 22; ++i) {
      const QColor p = image.pixelColor(i % 22, i / 22);
      count += colour ? p.alpha() > 200 && close(p.red(), colour->red()) &&
                            close(p.green(), colour->green()) && close(p.blue(), colour->blue())
                      : p.alpha() != 0;
    }
    return count;
  }

 private slots:
  // A link turns red once its target opened; a failed open leaves it blue.
  void linksOpenTheirTargets() {
    for (const bool succeed : {true, false}) {
      test::FakeUrlOpener opener;
      opener.succeed = succeed;
      CAboutDlg dlg(opener);
      for (const int id : {ctl::about::kHomeLink, ctl::about::kMailLink}) {
        auto* link = dlg.findChild<CStaticLink*>(idName(id));
        QTest::mouseClick(link, Qt::RightButton);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(link->palette().color(QPalette::WindowText),
                 succeed ? CStaticLink::kVisited : CStaticLink::kUnvisited);
      }
      QCOMPARE(opener.opened, (std::vector<std::string>{"https://www.quorbel.cz/",
                                                        "mailto:pagewarden@quorbel.cz"}));
    }
  }

  void passwordPromptMasksTheText() {
    CPasswordDlg dlg;
    QCOMPARE(dlg.findChild<QLineEdit*>(idName(ctl::password::kEdit))->echoMode(),
             QLineEdit::Password);
  }

  // Each level's picture shows its own rim colour, not the green one it is drawn from; an id
  // without a picture still gives an icon the desktop accepts, fully transparent.
  void iconsShowTheirLevelsRim() {
    const QColor green(0x2b, 0xb2, 0x4c), yellow(0xf5, 0xd4, 0x00), red(0xe0, 0x20, 0x20);
    QVERIFY(pixels(icons::kGreen, green) >= 44);
    QVERIFY(pixels(icons::kYellow, yellow) >= 44 && pixels(icons::kYellow, green) == 0);
    QVERIFY(pixels(icons::kRedFrame2, red) >= 44 && pixels(icons::kRedFrame2, green) == 0);
    QCOMPARE(iconFor(icons::kBlank).pixmap(22).size(), QSize(22, 22));
    QCOMPARE(pixels(icons::kBlank), 0);
  }

  // Every size and pixel ratio is drawn for itself, not scaled from another size's pixmap.
  void iconsAreDrawnAtAnySize() {
    const auto image = [](const QPixmap& p) {
      QImage pixels = p.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
      pixels.setDevicePixelRatio(1.0);
      return pixels;
    };
    const QIcon icon = iconFor(icons::kGreen);
    QCOMPARE(image(icon.pixmap(24)), image(iconPixmap(icons::kGreen, 24)));
    const QPixmap sharp = icon.pixmap(QSize(24, 24), 2.0);
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(image(sharp), image(iconPixmap(icons::kGreen, 48)));
  }

  // A question's default answer is No; Qt's own texts (the Details dialog's export checks its
  // file dialog's), and the file types that Qt's translation leaves out, are Czech.
  void messageBoxesAndQtsOwnTextsAreCzech() {
    QVERIFY(installCzechQtTexts(*QCoreApplication::instance()));
    QStringList seen;
    QTimer::singleShot(0, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr && box->defaultButton() != nullptr);
      seen << box->windowTitle();
      for (QAbstractButton* b : box->buttons())
        seen << b->text();
      seen << box->defaultButton()->text();
      box->reject();
    });
    QVERIFY(!QtMessages().askYesNo("Chcete pokračovat?"));
    QCOMPARE(seen.join(QLatin1Char('|')), QStringLiteral("Pagewarden|&Ano|&Ne|&Ne"));

    QTemporaryDir dir;
    CzechFileTypes types;
    QCOMPARE(types.type(QFileInfo(dir.path())), QStringLiteral("Složka"));
    QCOMPARE(types.type(QFileInfo(dir.filePath(QStringLiteral("kopie.xml")))),
             QStringLiteral("Soubor XML"));
  }
};

}  // namespace pw

QTEST_MAIN(pw::AboutDialogTest)
#include "about_dialog_test.moc"
