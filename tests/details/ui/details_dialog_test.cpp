// The Details dialog over a real data file in a temporary folder.

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "details/ui/DetailsDlg.h"
#include "details/ui/EditableListCtrl.h"
#include "shell/ui/CzechTexts.h"
#include "support/DataFileBuilder.h"
#include "support/Fakes.h"

using namespace pw;

// An empty log under a catalogue of one cartridge, and the same with three records.
const test::DataFileBuilder kEmptyLog =
    test::DataFileBuilder().entry({"Černá 45", "600", "DJ 850"});
const test::DataFileBuilder kLog =
    test::DataFileBuilder(kEmptyLog)
        .record({"1.12.2026", "9:00:00", "1", "10", "3", "Jana", "dopis"})
        .record({"1.12.2026", "9:00:00", "2", "20", "6", "Petr", "faktura"})
        .record({"1.12.2026", "9:00:00", "4", "0", "9", "Eva", "plakát"});

class DetailsDialogTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  test::FakeMessages messages_;
  std::unique_ptr<DataFile> file_;
  std::unique_ptr<CDetailsDlg> dlg_;

  QString dataPath() const { return dir_.filePath(QStringLiteral("Pagewarden.xml")); }
  static QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void open(const test::DataFileBuilder& log, const std::string& cartridge = "Černá 45") {
    log.writeTo(S(dataPath()));
    file_ = std::make_unique<DataFile>(DataFilePaths::inFolder(S(dir_.path())), messages_);
    dlg_ = std::make_unique<CDetailsDlg>(*file_);
    dlg_->setValues({"DJ 850", cartridge, "555", "7", "8", "9"});
    dlg_->show();
    dlg_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
  }
  CEditableListCtrl& list() const { return dlg_->list(); }
  QString field(int id) const { return dlg_->findChild<QLineEdit*>(idName(id))->text(); }
  QPushButton* button(int id) const { return dlg_->findChild<QPushButton*>(idName(id)); }
  // Best, normal and economic, as "7 30 18".
  QString totals() const {
    return field(ctl::details::kBest) + QLatin1Char(' ') + field(ctl::details::kNormal) +
           QLatin1Char(' ') + field(ctl::details::kEconomic);
  }
  // Delete, Export and Delete all, enabled together: "111" or "000".
  QString rowButtons() const {
    QString state;
    for (const int id : {ctl::details::kDelete, ctl::details::kExport, ctl::details::kDeleteAll})
      state += QLatin1Char(button(id)->isEnabled() ? '1' : '0');
    return state;
  }
  void edit(int row, int col, const std::string& text) { list().onEndLabelEdit(row, col, &text); }
  void click(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }

 private slots:
  void init() { messages_.errors.clear(); }
  void cleanup() {
    dlg_.reset();
    QVERIFY(messages_.errors.empty());
  }

  // Enter and Escape in an editor never press OK or Storno; every command first commits the
  // open editor, and only Save brings the totals in line with the list.
  void aSessionOfEditsSaveDeleteAndDeleteAll() {
    open(kLog);
    QCOMPARE(totals(), QStringLiteral("7 30 18"));
    QCOMPARE(field(ctl::details::kMaximum), QStringLiteral("600"));  // from the catalogue
    QCOMPARE(rowButtons(), QStringLiteral("111"));
    QVERIFY(list().hasFocus());
    for (QLabel* l : dlg_->findChildren<QLabel*>())  // every label shows whole
      QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));

    edit(0, 2, "100");
    QVERIFY(list().editSubItem(2, 6));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(list().editSubItem(2, 6));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the last cell: it stays open
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ka"));
    click(ctl::details::kAdd);
    QVERIFY(dlg_->isVisible());
    QCOMPARE(list().text(2, 6), std::string("plakátka"));
    QCOMPARE(totals(), QStringLiteral("7 30 18"));
    click(ctl::details::kSave);
    QCOMPARE(totals(), QStringLiteral("106 30 18"));  // read back from the data file

    list().selectItem(3);
    click(ctl::details::kDelete);
    QCOMPARE(list().total(), 3);
    QCOMPARE(list().selectedRow(), 2);

    click(ctl::details::kDeleteAll);
    QCOMPARE(totals(), QStringLiteral("0 0 0"));
    QCOMPARE(rowButtons(), QStringLiteral("000"));
    QTest::keyClick(&list(), Qt::Key_Return);  // with no editor open, Enter presses OK
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
  }

  // Add puts in a row of the moment of the click; the row buttons follow whether there are rows.
  void anEmptyLogThenAddAndDeleteTheOnlyRow() {
    open(kEmptyLog, "Neznámá");
    QCOMPARE(field(ctl::details::kMaximum), QStringLiteral("555"));  // no catalogue entry
    QCOMPARE(rowButtons(), QStringLiteral("000"));
    click(ctl::details::kAdd);
    QCOMPARE(list().text(0, 0), S(list().dateTime().formatDate(QDate::currentDate())));
    const auto time = list().dateTime().parseTime(Q(list().text(0, 1)));
    QVERIFY(time && std::abs(time->secsTo(QTime::currentTime())) < 5);
    QCOMPARE(list().selectedRow(), 0);
    QCOMPARE(rowButtons(), QStringLiteral("111"));
    click(ctl::details::kDelete);
    QCOMPARE(rowButtons(), QStringLiteral("000"));
  }

  // Export asks in Qt's own file dialog, which confirms before it replaces a file, and
  // writes the list as edited; neither Export nor OK writes the edits into the data file.
  void exportAsksInCzechAndOkSavesNothing() {
    QVERIFY(installCzechQtTexts(*QCoreApplication::instance()));
    open(kLog);
    const QByteArray before = readFile(dataPath());
    const QString target = dir_.filePath(QStringLiteral("kopie.xml"));
    edit(1, 5, "Upraveno");
    QStringList seen;
    QTimer::singleShot(0, this, [&] {
      auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(chooser != nullptr);
      QVERIFY(chooser->testOption(QFileDialog::DontUseNativeDialog));
      QVERIFY(!chooser->testOption(QFileDialog::DontConfirmOverwrite));
      seen << chooser->windowTitle() << chooser->defaultSuffix() << chooser->nameFilters();
      chooser->selectFile(target);
      QMetaObject::invokeMethod(chooser, "accept");  // the Save button
    });
    click(ctl::details::kExport);
    QCOMPARE(seen.join(QLatin1Char('|')),
             QString::fromUtf8("Export dat|xml|XML soubory (*.xml)|Všechny soubory (*.*)"));
    QVERIFY(readFile(target).contains("<user>Upraveno</user>"));
    click(ctl::kOk);
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
    QCOMPARE(readFile(dataPath()), before);
  }
};

QTEST_MAIN(DetailsDialogTest)
#include "details_dialog_test.moc"
