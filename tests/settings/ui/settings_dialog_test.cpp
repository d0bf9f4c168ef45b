// The Settings dialog and its cartridge dialogs, driven offscreen over a data file in a temporary
// folder.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
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
  std::optional<std::vector<std::string>> localPrinters() override { return names; }
  std::optional<std::vector<std::string>> names;  // nothing: the server cannot be reached
};

// Printer, cartridge, quality, then the flags as Options declares them: automatic quality and
// the password off, so both of their fields start disabled.
const Options kOptions{"desk", "hp 5", 2, 1, 1, 0, 1, 0, 0, 0};

// Runs the action on the next modal dialog that opens.
template <typename Dialog, typename Action>
void onNextDialog(Action action) {
  QTimer::singleShot(0, [action] {
    auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dlg);
    action(*dlg);
  });
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  test::FakeMessages messages_;
  FakePrinterList printers_;
  std::unique_ptr<DataFile> dataFile_;
  std::unique_ptr<CSettingsDlg> dlg_;

  template <typename T = QLineEdit>
  T* child(int id) {
    return dlg_->findChild<T*>(idName(id));
  }
  QString text(int id) { return child(id)->text(); }
  QByteArray fileBytes() {
    QFile f(Q(dataFile_->paths().data));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void open(const Options& options) {
    dlg_ = std::make_unique<CSettingsDlg>(*dataFile_, printers_);
    dlg_->setValues({options, "tajne", {}, false});
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    dataFile_ = std::make_unique<DataFile>(DataFilePaths::inFolder(S(dir_.path())), messages_);
    test::DataFileBuilder().writeTo(dataFile_->paths().data);
    QVERIFY(dataFile_->writeCartridgeCatalogue({{"HP 45", "500", "DeskJet, OfficeJet"},
                                                {"HP 56", "450", "DeskJet 5550"},
                                                {"Canon BC", "300", "BJC"}}));
    messages_.errors.clear();
    printers_.names = {{"Office", "deskjet 5550", "DeskJet"}};
  }
  void cleanup() { dlg_.reset(); }

  void controlsShowTheValuesAndOkTakesThemBack() {
    open(kOptions);
    auto* printer = child<QComboBox>(ctl::settings::kPrinter);
    auto* quality = child<QComboBox>(ctl::settings::kQuality);
    QCOMPARE(printer->currentText(), QStringLiteral("DeskJet"));  // sorted with case ignored
    QCOMPARE(text(ctl::settings::kMaxPages), QStringLiteral("450"));
    QCOMPARE(quality->currentIndex(), 2);
    QCOMPARE(text(ctl::settings::kPassword), QStringLiteral("tajne"));
    QVERIFY(!quality->isEnabled());
    QVERIFY(!child(ctl::settings::kPassword)->isEnabled());

    // A chosen printer chooses the cartridge naming it.
    printer->setCurrentIndex(printer->findText(QStringLiteral("Office")));
    emit printer->activated(printer->currentIndex());
    QCOMPARE(text(ctl::settings::kMaxPages), QStringLiteral("500"));
    // Every check box flips its option; the two that govern a field enable it.
    for (const int id :
         {ctl::settings::kPopStatus, ctl::settings::kAutoQuality, ctl::settings::kWindowsRun,
          ctl::settings::kEmptyFlash, ctl::settings::kTooltip, ctl::settings::kAutoMonitor,
          ctl::settings::kAnyone})
      child<QCheckBox>(id)->click();
    QVERIFY(quality->isEnabled());
    QVERIFY(child(ctl::settings::kPassword)->isEnabled());
    child(ctl::settings::kPassword)->setText(QStringLiteral("jiné"));
    quality->setCurrentIndex(0);
    emit quality->activated(0);
    dlg_->accept();

    const SettingsValues v = dlg_->values();
    QCOMPARE(v.options, (Options{"Office", "HP 45", 0, 0, 0, 1, 0, 1, 1, 1}));
    QCOMPARE(v.password, std::string("jiné"));
  }

  // The stored cartridge name is kept; a printer that is gone selects nothing, so OK stores none.
  void unreadableDataFileStillOpens() {
    QVERIFY(QFile::remove(Q(dataFile_->paths().data)));
    open({"Gone", "hp 5", 2, 1, 1, 0, 1, 0, 0, 0});
    QCOMPARE(messages_.errors, std::vector<std::string>{"Chyba: Nelze otevřít XML datový soubor!"});
    // Initialisation stopped before the enabling.
    QVERIFY(child<QComboBox>(ctl::settings::kQuality)->isEnabled());
    QVERIFY(child(ctl::settings::kPassword)->isEnabled());

    dlg_->accept();
    const SettingsValues v = dlg_->values();
    QVERIFY(!v.catalogueRead);
    QCOMPARE(v.options.printer + "/" + v.options.cartridge, std::string("/hp 5"));
  }

  // Without an answer from the print server the stored printer stays listed, marked, and OK
  // keeps it.
  void unreachableServerKeepsTheStoredPrinter() {
    printers_.names.reset();
    open(kOptions);
    auto* printer = child<QComboBox>(ctl::settings::kPrinter);
    QCOMPARE(printer->count(), 1);
    QCOMPARE(printer->currentText(), QStringLiteral("desk (nedostupná)"));
    dlg_->accept();
    QCOMPARE(dlg_->values().options.printer, std::string("desk"));
  }

  // The dialog never writes the data file: after a cancel nothing of the edits remains.
  void newEditDeleteThroughTheDialogs() {
    const QByteArray before = fileBytes();
    open(kOptions);
    auto* cartridge = child<QComboBox>(ctl::settings::kCartridge);

    // Typed in: pages take digits only, Ctrl+Enter breaks the printers' line, Enter confirms.
    onNextDialog<CAddCartridgeDlg>([](CAddCartridgeDlg& d) {
      const auto field = [&d](int id) { return d.findChild<QWidget*>(idName(id)); };
      QTest::keyClicks(field(ctl::cartridge::kName), QStringLiteral("Epson T0"));
      QTest::keyClicks(field(ctl::cartridge::kPages), QStringLiteral("2a50"));
      QTest::keyClicks(field(ctl::cartridge::kPrinters), QStringLiteral("Stylus"));
      QTest::keyClick(field(ctl::cartridge::kPrinters), Qt::Key_Return, Qt::ControlModifier);
      QTest::keyClicks(field(ctl::cartridge::kPrinters), QStringLiteral("Photo"));
      QTest::keyClick(field(ctl::cartridge::kPrinters), Qt::Key_Return);
      if (d.isVisible())  // Enter did not confirm: let the checks below fail
        d.reject();
    });
    child<QAbstractButton>(ctl::settings::kNewCartridge)->click();
    QCOMPARE(cartridge->currentIndex(), 3);

    onNextDialog<CEditCartridgeDlg>([](CEditCartridgeDlg& d) {
      QCOMPARE(d.entry(), (CartridgeEntry{"Epson T0", "250", "Stylus Photo"}));
      d.setEntry({"Epson T1", "260", "Stylus"});
      d.accept();
    });
    child<QAbstractButton>(ctl::settings::kEditCartridge)->click();
    QCOMPARE(cartridge->itemText(3), QStringLiteral("Epson T1"));
    QCOMPARE(text(ctl::settings::kMaxPages), QStringLiteral("260"));

    child<QAbstractButton>(ctl::settings::kDeleteCartridge)->click();
    QCOMPARE(cartridge->count(), 3);
    QCOMPARE(text(ctl::settings::kMaxPages), QStringLiteral("300"));  // the entry before it
    dlg_->reject();
    QCOMPARE(fileBytes(), before);
  }
};

}  // namespace pw

QTEST_MAIN(pw::SettingsDialogTest)
#include "settings_dialog_test.moc"
