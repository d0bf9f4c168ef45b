// The Settings dialog and its cartridge dialogs, driven offscreen over a hand-written data file.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "platform/qt/QtPorts.h"
#include "settings/ui/CartridgeDlg.h"
#include "settings/ui/SettingsDlg.h"
#include "support/Fakes.h"

namespace pw {
namespace {

class FakePrinterList : public IPrinterList {
 public:
  std::vector<std::string> LocalPrinters() override { return printers; }
  std::vector<std::string> printers{"Office", "deskjet 5550", "DeskJet"};
};

const char kDataFile[] =
    "<document>\n"
    "\t<cartridges>\n"
    "\t\t<cartridge>\n\t\t\t<name>HP 45</name>\n\t\t\t<pages>500</pages>\n"
    "\t\t\t<printer>DeskJet, OfficeJet</printer>\n\t\t</cartridge>\n"
    "\t\t<cartridge>\n\t\t\t<name>HP 56</name>\n\t\t\t<pages>450</pages>\n"
    "\t\t\t<printer>DeskJet 5550</printer>\n\t\t</cartridge>\n"
    "\t\t<cartridge>\n\t\t\t<name>Canon BC</name>\n\t\t\t<pages>300</pages>\n"
    "\t\t\t<printer>BJC</printer>\n\t\t</cartridge>\n"
    "\t</cartridges>\n"
    "\t<printed>\n"
    "\t</printed>\n"
    "</document>\n"
    "<!--\n"
    "<!DOCTYPE article PUBLIC \"-//Davenport//DTD DocBook V3.0//EN\" \"\">\n"
    "-->\n";

Options SomeOptions() {
  Options o;
  o.printer = "desk";
  o.cartridge = "hp 5";
  o.quality = 2;
  o.autoQuality = 0;
  o.emptyFlash = 1;
  o.popStatus = 0;
  o.tooltip = 1;
  o.autoMonitor = 0;
  o.anyone = 1;
  o.windowsRun = 0;
  return o;
}

// Runs the action on the next modal dialog that opens.
template <typename Dialog>
void OnNextDialog(std::function<void(Dialog&)> action) {
  QTimer::singleShot(0, [action] {
    auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dlg);
    action(*dlg);
  });
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  test::FakeMessages messages_;
  FakePrinterList printers_;
  std::unique_ptr<DataFile> dataFile_;
  std::unique_ptr<CSettingsDlg> dlg_;

  template <typename T>
  T* Child(const char* id) {
    auto* w = dlg_->findChild<T*>(QString::fromLatin1(id));
    if (!w)
      qFatal("no control %s", id);
    return w;
  }
  QStringList Items(const char* id) {
    QStringList items;
    auto* combo = Child<QComboBox>(id);
    for (int i = 0; i < combo->count(); ++i)
      items << combo->itemText(i);
    return items;
  }
  QByteArray FileBytes() {
    QFile f(Q(dataFile_->paths().data));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void Open(const Options& options, const std::string& password = "tajne") {
    dlg_ = std::make_unique<CSettingsDlg>(*dataFile_, printers_, messages_);
    dlg_->setValues({options, password, {}, false});
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    dataFile_ = std::make_unique<DataFile>(DataFilePaths::InFolder(S(dir_.path())), messages_);
    QFile f(Q(dataFile_->paths().data));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(kDataFile);
    messages_.errors.clear();
    printers_ = FakePrinterList();
  }
  void cleanup() { dlg_.reset(); }

  void initialStateFollowsTheValues() {
    Open(SomeOptions());
    QCOMPARE(dlg_->windowTitle(), QStringLiteral("Nastavení programu Pagewarden"));
    QCOMPARE(Items("1014"), (QStringList{"DeskJet", "deskjet 5550", "Office"}));
    QCOMPARE(Child<QComboBox>("1014")->currentIndex(), 0);
    QCOMPARE(Items("1015"), (QStringList{"HP 45", "HP 56", "Canon BC"}));
    QCOMPARE(Child<QComboBox>("1015")->currentText(), QStringLiteral("HP 56"));
    QCOMPARE(Child<QLineEdit>("1020")->text(), QStringLiteral("DeskJet 5550"));
    QCOMPARE(Child<QLineEdit>("1023")->text(), QStringLiteral("450"));
    QCOMPARE(Child<QComboBox>("1016")->currentIndex(), 2);
    QVERIFY(Child<QComboBox>("1016")->isEnabled());
    QCOMPARE(Child<QLineEdit>("1027")->text(), QStringLiteral("tajne"));
    QVERIFY(Child<QLineEdit>("1027")->isEnabled());
    QCOMPARE(Child<QCheckBox>("1004")->text(),
             QStringLiteral("&Popis ikony programu obsahuje stav  zásobníku"));
    QVERIFY(messages_.errors.empty());

    dlg_->accept();
    const SettingsValues v = dlg_->values();
    Options expected = SomeOptions();
    expected.printer = "DeskJet";
    expected.cartridge = "HP 56";
    QCOMPARE(v.options, expected);
    QCOMPARE(v.password, std::string("tajne"));
    QVERIFY(v.catalogueRead);
    QCOMPARE(v.catalogue.size(), std::size_t(3));
    QCOMPARE(v.catalogue[2], (CartridgeEntry{"Canon BC", "300", "BJC"}));
  }

  void confirmingPullsEveryControl() {
    Open(SomeOptions());
    for (const char* id : {"1000", "1001", "1002", "1003", "1004", "1005", "1008"})
      Child<QCheckBox>(id)->click();
    Child<QLineEdit>("1027")->setText(QStringLiteral("jiné"));
    Child<QComboBox>("1016")->setCurrentIndex(0);
    emit Child<QComboBox>("1016")->activated(0);
    dlg_->accept();

    const Options o = dlg_->values().options;
    QCOMPARE(o.popStatus, 1);
    QCOMPARE(o.autoQuality, 1);
    QCOMPARE(o.windowsRun, 1);
    QCOMPARE(o.emptyFlash, 0);
    QCOMPARE(o.tooltip, 0);
    QCOMPARE(o.autoMonitor, 1);
    QCOMPARE(o.anyone, 0);
    QCOMPARE(o.quality, 0);
    QCOMPARE(dlg_->values().password, std::string("jiné"));
  }

  void printerSelection_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("confirmed");
    QTest::newRow("gone") << "Gone" << -1 << "";
    QTest::newRow("empty picks the first") << "" << 0 << "DeskJet";
    QTest::newRow("prefix, case ignored") << "OFF" << 2 << "Office";
  }
  void printerSelection() {
    QFETCH(QString, stored);
    Options o = SomeOptions();
    o.printer = S(stored);
    Open(o);
    QTEST(Child<QComboBox>("1014")->currentIndex(), "index");
    dlg_->accept();
    QTEST(Q(dlg_->values().options.printer), "confirmed");
  }

  void enablingFollowsTheCheckBoxes() {
    Options o = SomeOptions();
    o.autoQuality = 1;
    o.anyone = 0;
    Open(o);
    auto* quality = Child<QComboBox>("1016");
    auto* password = Child<QLineEdit>("1027");
    QVERIFY(!quality->isEnabled());
    QVERIFY(!password->isEnabled());
    Child<QCheckBox>("1001")->click();
    QVERIFY(quality->isEnabled());
    Child<QCheckBox>("1008")->click();
    QVERIFY(password->isEnabled());
    Child<QCheckBox>("1001")->click();
    Child<QCheckBox>("1008")->click();
    QVERIFY(!quality->isEnabled());
    QVERIFY(!password->isEnabled());
  }

  void unreadableDataFileStillOpens() {
    QVERIFY(QFile::remove(Q(dataFile_->paths().data)));
    Options o = SomeOptions();
    o.autoQuality = 1;
    o.anyone = 0;
    Open(o);
    QCOMPARE(messages_.errors, std::vector<std::string>{"Chyba: Nelze otevřít XML datový soubor!"});
    QCOMPARE(Child<QComboBox>("1015")->count(), 0);
    QCOMPARE(Child<QComboBox>("1016")->currentIndex(), -1);
    // Initialisation stopped before the enabling.
    QVERIFY(Child<QComboBox>("1016")->isEnabled());
    QVERIFY(Child<QLineEdit>("1027")->isEnabled());

    dlg_->accept();
    const SettingsValues v = dlg_->values();
    QVERIFY(!v.catalogueRead);
    QVERIFY(v.catalogue.empty());
    QCOMPARE(v.options.cartridge, std::string("hp 5"));  // the stored name is kept
    QCOMPARE(v.options.quality, 2);
  }

  void choosingAPrinterChoosesItsCartridge() {
    printers_.printers = {"DeskJet", "BJC", "LaserJet"};
    Options o = SomeOptions();
    o.cartridge = "Canon";
    Open(o);
    auto* printer = Child<QComboBox>("1014");
    auto* cartridge = Child<QComboBox>("1015");
    const auto choose = [&](const QString& name) {
      printer->setCurrentIndex(printer->findText(name));
      emit printer->activated(printer->currentIndex());
    };

    choose(QStringLiteral("DeskJet"));  // named by both HP entries: the later wins
    QCOMPARE(cartridge->currentText(), QStringLiteral("HP 56"));
    QCOMPARE(Child<QLineEdit>("1023")->text(), QStringLiteral("450"));
    choose(QStringLiteral("LaserJet"));  // named by none: nothing changes
    QCOMPARE(cartridge->currentText(), QStringLiteral("HP 56"));
    choose(QStringLiteral("BJC"));
    QCOMPARE(cartridge->currentText(), QStringLiteral("Canon BC"));
    dlg_->accept();
    QCOMPARE(dlg_->values().options.cartridge, std::string("Canon BC"));
  }

  // The dialog never writes the data file: after a cancel nothing of the edits remains.
  void newEditDeleteThroughTheDialogs() {
    const QByteArray before = FileBytes();
    Open(SomeOptions());
    auto* cartridge = Child<QComboBox>("1015");

    OnNextDialog<CAddCartridgeDlg>([](CAddCartridgeDlg& d) {
      QCOMPARE(d.windowTitle(), QStringLiteral("Přidat zásobník"));
      d.setEntry({"Epson T0", "250", "Stylus\nPhoto"});
      d.accept();
    });
    Child<QAbstractButton>("1009")->click();
    QCOMPARE(cartridge->count(), 4);
    QCOMPARE(cartridge->currentIndex(), 3);
    QCOMPARE(Child<QLineEdit>("1020")->text(), QStringLiteral("Stylus Photo"));

    OnNextDialog<CAddCartridgeDlg>([](CAddCartridgeDlg& d) { d.reject(); });
    Child<QAbstractButton>("1009")->click();
    QCOMPARE(cartridge->count(), 4);

    OnNextDialog<CEditCartridgeDlg>([](CEditCartridgeDlg& d) {
      QCOMPARE(d.windowTitle(), QStringLiteral("Oprava zásobníku"));
      QCOMPARE(d.entry(), (CartridgeEntry{"Epson T0", "250", "Stylus Photo"}));
      d.setEntry({"Epson T1", "260", "Stylus"});
      d.accept();
    });
    Child<QAbstractButton>("1007")->click();
    QCOMPARE(cartridge->itemText(3), QStringLiteral("Epson T1"));
    QCOMPARE(Child<QLineEdit>("1023")->text(), QStringLiteral("260"));

    Child<QAbstractButton>("1006")->click();
    QCOMPARE(cartridge->count(), 3);
    QCOMPARE(cartridge->currentText(), QStringLiteral("Canon BC"));
    QCOMPARE(Child<QLineEdit>("1023")->text(), QStringLiteral("300"));

    const SettingsValues v = dlg_->values();
    QCOMPARE(v.options.cartridge, std::string("Canon BC"));
    QCOMPARE(v.catalogue.size(), std::size_t(3));
    QCOMPARE(v.catalogue[2].pages, std::string("300"));
    dlg_->reject();
    QCOMPARE(FileBytes(), before);
  }

  void enterConfirmsTheCartridgeDialog() {
    CAddCartridgeDlg dlg;
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    auto* printers = dlg.findChild<QPlainTextEdit*>(QStringLiteral("1020"));
    auto* pages = dlg.findChild<QLineEdit*>(QStringLiteral("1025"));
    QTest::keyClicks(pages, QStringLiteral("12a3"));
    QCOMPARE(pages->text(), QStringLiteral("123"));

    printers->setFocus();
    QTest::keyClicks(printers, QStringLiteral("A"));
    QTest::keyClick(printers, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(printers, QStringLiteral("B"));
    QVERIFY(dlg.isVisible());
    QTest::keyClick(printers, Qt::Key_Return);
    QTRY_VERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.entry(), (CartridgeEntry{"", "123", "A\nB"}));
  }
};

}  // namespace pw

QTEST_MAIN(pw::SettingsDialogTest)
#include "settings_dialog_test.moc"
