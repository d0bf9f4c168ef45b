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
  T* Child(int id) {
    auto* w = dlg_->findChild<T*>(IdName(id));
    if (!w)
      qFatal("no control %d", id);
    return w;
  }
  QString Text(int id) { return Child(id)->text(); }
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
    auto* printer = Child<QComboBox>(ctl::settings::kPrinter);
    auto* quality = Child<QComboBox>(ctl::settings::kQuality);
    QCOMPARE(printer->currentText(), QStringLiteral("DeskJet"));  // sorted with case ignored
    QCOMPARE(Text(ctl::settings::kPrinters), QStringLiteral("DeskJet 5550"));
    QCOMPARE(Text(ctl::settings::kMaxPages), QStringLiteral("450"));
    QCOMPARE(quality->currentIndex(), 2);
    QCOMPARE(Text(ctl::settings::kPassword), QStringLiteral("tajne"));
    QVERIFY(!quality->isEnabled());
    QVERIFY(!Child(ctl::settings::kPassword)->isEnabled());

    // A chosen printer chooses the cartridge naming it.
    printer->setCurrentIndex(printer->findText(QStringLiteral("Office")));
    emit printer->activated(printer->currentIndex());
    QCOMPARE(Text(ctl::settings::kMaxPages), QStringLiteral("500"));
    // Every check box flips its option; the two that govern a field enable it.
    for (const int id :
         {ctl::settings::kPopStatus, ctl::settings::kAutoQuality, ctl::settings::kWindowsRun,
          ctl::settings::kEmptyFlash, ctl::settings::kTooltip, ctl::settings::kAutoMonitor,
          ctl::settings::kAnyone})
      Child<QCheckBox>(id)->click();
    QVERIFY(quality->isEnabled());
    QVERIFY(Child(ctl::settings::kPassword)->isEnabled());
    Child(ctl::settings::kPassword)->setText(QStringLiteral("jiné"));
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
    QVERIFY(Child<QComboBox>(ctl::settings::kQuality)->isEnabled());
    QVERIFY(Child(ctl::settings::kPassword)->isEnabled());

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
    auto* printer = Child<QComboBox>(ctl::settings::kPrinter);
    QCOMPARE(printer->count(), 1);
    QCOMPARE(printer->currentText(), QStringLiteral("desk (nedostupná)"));
    dlg_->accept();
    QCOMPARE(dlg_->values().options.printer, std::string("desk"));
  }

  // The dialog never writes the data file: after a cancel nothing of the edits remains.
  void newEditDeleteThroughTheDialogs() {
    const QByteArray before = FileBytes();
    Open(kOptions);
    auto* cartridge = Child<QComboBox>(ctl::settings::kCartridge);

    // Typed in: pages take digits only, Ctrl+Enter breaks the printers' line, Enter confirms.
    OnNextDialog<CAddCartridgeDlg>([](CAddCartridgeDlg& d) {
      auto* printers = d.findChild<QPlainTextEdit*>(IdName(ctl::cartridge::kPrinters));
      QTest::keyClicks(d.findChild<QLineEdit*>(IdName(ctl::cartridge::kName)),
                       QStringLiteral("Epson T0"));
      QTest::keyClicks(d.findChild<QLineEdit*>(IdName(ctl::cartridge::kPages)),
                       QStringLiteral("2a50"));
      QTest::keyClicks(printers, QStringLiteral("Stylus"));
      QTest::keyClick(printers, Qt::Key_Return, Qt::ControlModifier);
      QTest::keyClicks(printers, QStringLiteral("Photo"));
      QTest::keyClick(printers, Qt::Key_Return);
      if (d.isVisible())  // Enter did not confirm: let the checks below fail
        d.reject();
    });
    Child<QAbstractButton>(ctl::settings::kNewCartridge)->click();
    QCOMPARE(cartridge->currentIndex(), 3);
    QCOMPARE(Text(ctl::settings::kPrinters), QStringLiteral("Stylus Photo"));

    OnNextDialog<CEditCartridgeDlg>([](CEditCartridgeDlg& d) {
      QCOMPARE(d.entry(), (CartridgeEntry{"Epson T0", "250", "Stylus Photo"}));
      d.setEntry({"Epson T1", "260", "Stylus"});
      d.accept();
    });
    Child<QAbstractButton>(ctl::settings::kEditCartridge)->click();
    QCOMPARE(cartridge->itemText(3), QStringLiteral("Epson T1"));
    QCOMPARE(Text(ctl::settings::kMaxPages), QStringLiteral("260"));

    Child<QAbstractButton>(ctl::settings::kDeleteCartridge)->click();
    QCOMPARE(cartridge->count(), 3);
    QCOMPARE(Text(ctl::settings::kMaxPages), QStringLiteral("300"));  // the entry before it
    dlg_->reject();
    QCOMPARE(FileBytes(), before);
  }
};

}  // namespace pw

QTEST_MAIN(pw::SettingsDialogTest)
#include "settings_dialog_test.moc"
