// The About box with its links, and the access password prompt.

#include <QLineEdit>
#include <QtTest>

#include "shell/ui/AboutDlg.h"
#include "shell/ui/PasswordDlg.h"
#include "shell/ui/StaticLink.h"

namespace pw {
namespace {

class FakeUrlOpener : public IUrlOpener {
 public:
  bool Open(const std::string& url) override {
    opened.push_back(url);
    return succeed;
  }
  std::vector<std::string> opened;
  bool succeed = true;
};

}  // namespace

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
      for (const char* id : {"1013", "1014"}) {
        auto* link = dlg.findChild<CStaticLink*>(id);
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
    auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("1008"));
    QVERIFY(edit);
    QTest::keyClicks(edit, QStringLiteral("Heslo"));
    edit->insert(QStringLiteral(" č1"));
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QVERIFY(!edit->displayText().contains(QLatin1Char('H')));
    QCOMPARE(dlg.password(), QStringLiteral("Heslo č1"));
  }
};

}  // namespace pw

QTEST_MAIN(pw::AboutDialogTest)
#include "about_dialog_test.moc"
