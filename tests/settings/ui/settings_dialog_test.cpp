// The Settings dialog and its cartridge dialogs, driven offscreen over a data file in a temporary
// folder.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "settings/PrinterList.h"
#include "settings/ui/CartridgeDlg.h"
#include "settings/ui/SettingsDlg.h"
#include "support/DataFileBuilder.h"
#include "support/Fakes.h"

namespace pw {
namespace {

class FakePrinterList : public IPrinterList {
 public:
  std::optional<std::vector<std::string>> LocalPrinters() override { return names; }
  std::optional<std::vector<std::string>> names;  // nothing: the server cannot be reached
};

// Printer, cartridge, quality, then the flags as Options declares them: automatic quality and
// the password off, so both of their fields start disabled.
const Options kOptions{"desk", "hp 5", 2, 1, 1, 0, 1, 0, 0, 0};

// Runs the action on the next modal dialog that opens.
template <typename Dialog, typename Action>
void OnNextDialog(Action action) {
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

  template <typename T = QLineEdit>
  T* Child(const char* id) {
    auto* w = dlg_->findChild<T*>(QString::fromLatin1(id));
    if (!w)
      qFatal("no control %s", id);
    return w;
  }
  QString Text(const char* id) { return Child(id)->text(); }
  QByteArray FileBytes() {
    QFile f(Q(dataFile_->paths().data));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void Open(const Options& options) {
    dlg_ = std::make_unique<CSettingsDlg>(*dataFile_, printers_);
    dlg_->setValues({options, "tajne", {}, false});
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    dataFile_ = std::make_unique<DataFile>(DataFilePaths::InFolder(S(dir_.path())), messages_);
    test::DataFileBuilder().WriteTo(dataFile_->paths().data);
    QVERIFY(dataFile_->WriteCartridgeCatalogue({{"HP 45", "500", "DeskJet, OfficeJet"},
                                                {"HP 56", "450", "DeskJet 5550"},
                                                {"Canon BC", "300", "BJC"}}));
    messages_.errors.clear();
    printers_.names = {{"Office", "deskjet 5550", "DeskJet"}};
  }
  void cleanup() { dlg_.reset(); }

  void controlsShowTheValuesAndOkTakesThemBack() {
    Open(kOptions);
    auto* printer = Child<QComboBox>("1014");
    auto* quality = Child<QComboBox>("1016");
    QCOMPARE(printer->currentText(), QStringLiteral("DeskJet"));  // sorted with case ignored
    QCOMPARE(Text("1020"), QStringLiteral("DeskJet 5550"));
    QCOMPARE(Text("1023"), QStringLiteral("450"));
    QCOMPARE(quality->currentIndex(), 2);
    QCOMPARE(Text("1027"), QStringLiteral("tajne"));
    QVERIFY(!quality->isEnabled());
    QVERIFY(!Child("1027")->isEnabled());

    // A chosen printer chooses the cartridge naming it.
    printer->setCurrentIndex(printer->findText("Office"));
    emit printer->activated(printer->currentIndex());
    QCOMPARE(Text("1023"), QStringLiteral("500"));
    // Every check box flips its option; the two that govern a field enable it.
    for (const char* id : {"1000", "1001", "1002", "1003", "1004", "1005", "1008"})
      Child<QCheckBox>(id)->click();
    QVERIFY(quality->isEnabled());
    QVERIFY(Child("1027")->isEnabled());
    Child("1027")->setText(QStringLiteral("jiné"));
    quality->setCurrentIndex(0);
    emit quality->activated(0);
    dlg_->accept();

    const SettingsValues v = dlg_->values();
    QCOMPARE(v.options, (Options{"Office", "HP 45", 0, 0, 0, 1, 0, 1, 1, 1}));
    QCOMPARE(v.password, std::string("jiné"));
    QVERIFY(v.catalogueRead);
    QCOMPARE(v.catalogue.size(), std::size_t(3));
  }

  // The stored cartridge name is kept; a printer that is gone selects nothing, so OK stores none.
  void unreadableDataFileStillOpens() {
    QVERIFY(QFile::remove(Q(dataFile_->paths().data)));
    Open({"Gone", "hp 5", 2, 1, 1, 0, 1, 0, 0, 0});
    QCOMPARE(messages_.errors, std::vector<std::string>{"Chyba: Nelze otevřít XML datový soubor!"});
    // Initialisation stopped before the enabling.
    QVERIFY(Child<QComboBox>("1016")->isEnabled());
    QVERIFY(Child("1027")->isEnabled());

    dlg_->accept();
    const SettingsValues v = dlg_->values();
    QVERIFY(!v.catalogueRead);
    QVERIFY(v.catalogue.empty());
    QCOMPARE(v.options.printer + "/" + v.options.cartridge, std::string("/hp 5"));
  }

  // Without an answer from the print server the stored printer stays listed, marked, and OK
  // keeps it.
  void unreachableServerKeepsTheStoredPrinter() {
    printers_.names.reset();
    Open(kOptions);
    auto* printer = Child<QComboBox>("1014");
    QCOMPARE(printer->count(), 1);
    QCOMPARE(printer->currentText(), QStringLiteral("desk (nedostupná)"));
    dlg_->accept();
    QCOMPARE(dlg_->values().options.printer, std::string("desk"));
  }

  // The dialog never writes the data file: after a cancel nothing of the edits remains.
  void newEditDeleteThroughTheDialogs() {
    const QByteArray before = FileBytes();
    Open(kOptions);
    auto* cartridge = Child<QComboBox>("1015");

    // Typed in: pages take digits only, Ctrl+Enter breaks the printers' line, Enter confirms.
    OnNextDialog<CAddCartridgeDlg>([](CAddCartridgeDlg& d) {
      auto* printers = d.findChild<QPlainTextEdit*>(QStringLiteral("1020"));
      QTest::keyClicks(d.findChild<QLineEdit*>(QStringLiteral("1015")), QStringLiteral("Epson T0"));
      QTest::keyClicks(d.findChild<QLineEdit*>(QStringLiteral("1025")), QStringLiteral("2a50"));
      QTest::keyClicks(printers, QStringLiteral("Stylus"));
      QTest::keyClick(printers, Qt::Key_Return, Qt::ControlModifier);
      QTest::keyClicks(printers, QStringLiteral("Photo"));
      QTest::keyClick(printers, Qt::Key_Return);
      if (d.isVisible())  // Enter did not confirm: let the checks below fail
        d.reject();
    });
    Child<QAbstractButton>("1009")->click();
    QCOMPARE(cartridge->currentIndex(), 3);
    QCOMPARE(Text("1020"), QStringLiteral("Stylus Photo"));

    OnNextDialog<CEditCartridgeDlg>([](CEditCartridgeDlg& d) {
      QCOMPARE(d.entry(), (CartridgeEntry{"Epson T0", "250", "Stylus Photo"}));
      d.setEntry({"Epson T1", "260", "Stylus"});
      d.accept();
    });
    Child<QAbstractButton>("1007")->click();
    QCOMPARE(cartridge->itemText(3), QStringLiteral("Epson T1"));
    QCOMPARE(Text("1023"), QStringLiteral("260"));

    Child<QAbstractButton>("1006")->click();
    QCOMPARE(cartridge->count(), 3);
    QCOMPARE(Text("1023"), QStringLiteral("300"));  // the entry before it
    dlg_->reject();
    QCOMPARE(FileBytes(), before);
  }
};

}  // namespace pw

QTEST_MAIN(pw::SettingsDialogTest)
#include "settings_dialog_test.moc"
