// The About box with its links, and the access password prompt.

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
  void linksOpenTheirTargetsAndTurnRedOnlyOnSuccess_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("succeed");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QColor>("colour");
    const QString home = QStringLiteral("https://www.quorbel.cz/");
    const QString mail = QStringLiteral("mailto:pagewarden@quorbel.cz");
    QTest::newRow("home opens") << "1013" << true << home << QColor(200, 0, 0);
    QTest::newRow("home fails") << "1013" << false << home << QColor(0, 0, 220);
    QTest::newRow("mail opens") << "1014" << true << mail << QColor(200, 0, 0);
    QTest::newRow("mail fails") << "1014" << false << mail << QColor(0, 0, 220);
  }
  void linksOpenTheirTargetsAndTurnRedOnlyOnSuccess() {
    QFETCH(QString, id);
    QFETCH(bool, succeed);
    QFETCH(QString, target);
    FakeUrlOpener opener;
    opener.succeed = succeed;
    CAboutDlg dlg(opener);
    auto* link = dlg.findChild<CStaticLink*>(id);
    QVERIFY(link);
    QCOMPARE(link->linkColor(), QColor(0, 0, 220));
    QVERIFY(link->font().underline());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(opener.opened, std::vector<std::string>{target.toStdString()});
    QTEST(link->linkColor(), "colour");
    QTEST(link->palette().color(QPalette::WindowText), "colour");
  }

  void aboutBoxTexts() {
    FakeUrlOpener opener;
    CAboutDlg dlg(opener);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("O programu Pagewarden"));
    auto* version = dlg.findChild<QLabel*>(QStringLiteral("1012"));
    QVERIFY(version);
    QCOMPARE(version->text(), QStringLiteral("Pagewarden verze 2.1.2"));
    QVERIFY(version->font().bold());
    QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("1014"))->text(),
             QStringLiteral("pagewarden@quorbel.cz"));
  }

  void aLinkWithoutTextOrTargetDoesNothing() {
    FakeUrlOpener opener;
    CStaticLink link(opener);
    QTest::mouseClick(&link, Qt::LeftButton);
    QVERIFY(opener.opened.empty());
    QCOMPARE(link.linkColor(), QColor(0, 0, 220));

    link.setText(QStringLiteral("https://example.invalid/"));  // its text is the target
    QTest::mouseClick(&link, Qt::RightButton);
    QVERIFY(opener.opened.empty());
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(opener.opened, std::vector<std::string>{"https://example.invalid/"});
  }

  void passwordPromptMasksAndReturnsTheText() {
    CPasswordDlg dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Zadání přístupového hesla"));
    auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("1008"));
    QVERIFY(edit);
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    auto* ok = dlg.findChild<QPushButton*>(QStringLiteral("1"));
    QVERIFY(ok && ok->isDefault());
    QCOMPARE(ok->text(), QStringLiteral("&OK"));
    QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("2"))->text(), QStringLiteral("St&orno"));

    QTest::keyClicks(edit, QStringLiteral("Heslo"));
    edit->insert(QStringLiteral(" č1"));
    QVERIFY(!edit->displayText().contains(QLatin1Char('H')));
    QCOMPARE(dlg.password(), QStringLiteral("Heslo č1"));
  }
};

}  // namespace pw

QTEST_MAIN(pw::AboutDialogTest)
#include "about_dialog_test.moc"
