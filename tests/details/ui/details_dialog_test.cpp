// The Details dialog over a real data file in a temporary folder.

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <span>

#include "adapters/qt/QtText.h"
#include "details/ui/DetailsDlg.h"
#include "details/ui/EditableListCtrl.h"
#include "shell/ui/CzechTexts.h"
#include "support/DataFileBuilder.h"
#include "support/Fakes.h"

using namespace pw;

// An empty log under a catalogue of one cartridge.
const test::DataFileBuilder kEmptyLog =
    test::DataFileBuilder().entry({"Černá 45", "600", "DJ 850"});
const QByteArray kHead = QByteArray::fromStdString(kEmptyLog.head());
// Pages best, normal and economic, user and remark.
const std::tuple<int, int, int, const char*, const char*> kRows[] = {
    {1, 10, 3, "Jana", "dopis"}, {2, 20, 6, "Petr", "faktura"}, {4, 0, 9, "Eva", "plakát"}};

// Texts as a list, for comparing with what the dialog shows.
QStringList texts(std::initializer_list<const char*> texts) {
  QStringList list;
  for (const char* text : texts)
    list << QString::fromUtf8(text);
  return list;
}

class DetailsDialogTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  test::FakeMessages messages_;
  std::unique_ptr<DataFile> file_;
  std::unique_ptr<CDetailsDlg> dlg_;

  DataFilePaths paths() const { return DataFilePaths::inFolder(S(dir_.path())); }
  QString dataPath() const { return dir_.filePath(QStringLiteral("Pagewarden.xml")); }
  static QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Shows the dialog over a data file with the first `count` rows, appended as the watcher does.
  void open(std::size_t count, const std::string& cartridge = "Černá 45") {
    kEmptyLog.writeTo(S(dataPath()));
    DataFile writer(paths(), messages_);
    for (auto [best, normal, economic, user, remark] : std::span(kRows, count))
      QVERIFY(
          writer.appendPrintRecord("1.12.2026", "9:00:00", best, normal, economic, user, remark));
    file_ = std::make_unique<DataFile>(paths(), messages_);
    dlg_ = std::make_unique<CDetailsDlg>(*file_);
    dlg_->setValues({"DJ 850", cartridge, "555", "7", "8", "9"});
    dlg_->show();
    dlg_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
  }
  CEditableListCtrl& list() const { return dlg_->list(); }
  QString field(int id) const { return dlg_->findChild<QLineEdit*>(idName(id))->text(); }
  QPushButton* button(int id) const { return dlg_->findChild<QPushButton*>(idName(id)); }
  QStringList totals() const {
    return {field(ctl::details::kBest), field(ctl::details::kNormal),
            field(ctl::details::kEconomic)};
  }
  // Delete, Export and Delete all, enabled together: "111" or "000".
  QString rowButtons() const {
    QString state;
    for (const int id : {ctl::details::kDelete, ctl::details::kExport, ctl::details::kDeleteAll})
      state += QLatin1Char(button(id)->isEnabled() ? '1' : '0');
    return state;
  }
  QStringList remarks() const {
    QStringList remarks;
    for (int r = 0; r < list().total(); ++r)
      remarks << Q(list().text(r, 6));
    return remarks;
  }
  void edit(int row, int col, const std::string& text) { list().onEndLabelEdit(row, col, &text); }
  void click(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
  void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

 private slots:
  void init() { messages_.errors.clear(); }
  void cleanup() { dlg_.reset(); }

  void aSessionOfEditsSaveDeletesAndDeleteAll() {
    open(3);
    QCOMPARE(remarks(), texts({"dopis", "faktura", "plakát"}));
    QCOMPARE(totals(), texts({"7", "30", "18"}));
    QCOMPARE(field(ctl::details::kMaximum), QStringLiteral("600"));  // from the catalogue
    QCOMPARE(rowButtons(), QStringLiteral("111"));
    QVERIFY(list().hasFocus());

    // Enter and Escape in an editor never press OK or Storno; Enter in the last cell stays there.
    edit(0, 2, "100");
    QVERIFY(list().editSubItem(2, 6));
    type(QStringLiteral("!"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(list().editSubItem(2, 6));
    type(QStringLiteral("?"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(dlg_->isVisible());
    QTRY_COMPARE(list().text(2, 6), std::string("plakát?"));
    type(QStringLiteral("ka"));
    // The watcher appends a record while the dialog is open; Save keeps it after the list.
    DataFile watcher(paths(), messages_);
    QVERIFY(watcher.appendPrintRecord("5.12.2026", "12:00:00", 0, 5, 0, "Tom", "tisk"));
    click(
        ctl::details::kAdd);  // commits the open editor first; only Save brings the totals in line
    QCOMPARE(list().text(2, 6), std::string("plakát?ka"));
    QCOMPARE(totals(), texts({"7", "30", "18"}));
    click(ctl::details::kSave);
    QCOMPARE(totals(), texts({"106", "35", "18"}));
    QCOMPARE(remarks(), texts({"dopis", "faktura", "plakát?ka", "Dokument přidán ručně.", "tisk"}));
    QVERIFY(readFile(dataPath()).contains("<best>100</best>"));

    list().clearSelection();
    click(ctl::details::kDelete);  // with no selection the first row goes
    QCOMPARE(list().selectedRow(), 0);
    list().selectItem(3);
    click(ctl::details::kDelete);  // the last row goes and the new last row is selected
    QCOMPARE(remarks(), texts({"faktura", "plakát?ka", "Dokument přidán ručně."}));
    QCOMPARE(list().selectedRow(), 2);

    click(ctl::details::kDeleteAll);
    QCOMPARE(list().total(), 0);
    QCOMPARE(totals(), texts({"0", "0", "0"}));
    QCOMPARE(rowButtons(), QStringLiteral("000"));
    const QByteArray text = readFile(dataPath());
    QVERIFY(text.startsWith(kHead) && !text.contains("<data>"));
    QVERIFY(messages_.errors.empty());
    QTest::keyClick(&list(), Qt::Key_Return);  // with no editor open, Enter presses OK
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
  }

  void anEmptyLogThenAddAndDeleteTheOnlyRow() {
    open(0, "Neznámá");
    QCOMPARE(list().total(), 0);
    QCOMPARE(totals(), texts({"0", "0", "0"}));
    QCOMPARE(field(ctl::details::kMaximum),
             QStringLiteral("555"));  // no catalogue entry: the caller's maximum stays
    QCOMPARE(rowButtons(), QStringLiteral("000"));

    click(ctl::details::kAdd);
    const auto row = list().rows().row(0);
    QCOMPARE(row[0], S(list().dateTime().formatDate(QDate::currentDate())));
    const auto time = list().dateTime().parseTime(Q(row[1]));
    QVERIFY(time && std::abs(time->secsTo(QTime::currentTime())) < 5);
    QCOMPARE(std::vector<std::string>(row.begin() + 2, row.end()),
             (std::vector<std::string>{"0", "0", "0", "Uživatel", "Dokument přidán ručně."}));
    QCOMPARE(list().selectedRow(), 0);
    QCOMPARE(rowButtons(), QStringLiteral("111"));
    click(ctl::details::kDelete);
    QCOMPARE(list().total(), 0);
    QCOMPARE(list().selectedRow(), -1);
    QCOMPARE(rowButtons(), QStringLiteral("000"));
    QVERIFY(messages_.errors.empty());

    // A queue name longer than its field is shown from its start.
    const std::string printer = "Kancelar" + std::string(60, '_') + "konec";
    dlg_->setValues({printer, "Neznámá", "555", "0", "0", "0"});
    auto* field = dlg_->findChild<QLineEdit*>(idName(ctl::details::kPrinter));
    QCOMPARE(field->cursorPosition(), 0);
    QCOMPARE(field->toolTip(), Q(printer));
  }

  // Every caption shows whole in the desktop's font: the list's column headers, and the labels
  // above the fields stay within their group without covering each other.
  void everyCaptionFits() {
    open(1);
    const QHeaderView* header = list().horizontalHeader();
    for (int c = 0; c < header->count(); ++c)
      QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c),
               qPrintable(list().model()->headerData(c, Qt::Horizontal).toString()));
    const QRect group = dlg_->findChild<QGroupBox*>()->geometry();
    QList<QLabel*> labels;
    for (QLabel* l : dlg_->findChildren<QLabel*>())
      if (l->objectName().isEmpty())
        labels << l;
    for (QLabel* l : labels) {
      QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
      QVERIFY2(group.adjusted(4, 4, -4, -4).contains(l->geometry()), qPrintable(l->text()));
      for (QLabel* other : labels)
        QVERIFY2(other == l || !other->geometry().intersects(l->geometry()),
                 qPrintable(l->text() + QStringLiteral(" / ") + other->text()));
      if (l->buddy() != nullptr)
        QVERIFY2(l->geometry().right() <= l->buddy()->geometry().right() + 4,
                 qPrintable(l->text()));
    }
  }

  // Export asks in Qt's own Czech file dialog and again before it replaces a file; neither
  // Export nor closing the dialog writes the edits into the data file.
  void exportThenOkOrStorno() {
    QVERIFY(installCzechQtTexts(*QCoreApplication::instance()));
    const QString target = dir_.filePath(QStringLiteral("kopie.xml"));
    for (bool ok : {true, false}) {
      open(2);
      const QByteArray before = readFile(dataPath());
      edit(1, 5, "Upraveno");
      click(ctl::details::kAdd);
      std::ofstream(S(target)) << "stará kopie\n";
      QStringList seen;
      QTimer::singleShot(0, this, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(chooser != nullptr);
        QVERIFY(chooser->testOption(QFileDialog::DontUseNativeDialog));
        seen << chooser->windowTitle() << chooser->defaultSuffix() << chooser->nameFilters();
        for (auto* b : chooser->findChildren<QPushButton*>())
          seen << b->text();
        QTimer::singleShot(0, this, [&] {
          auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
          QVERIFY(question != nullptr);
          seen << question->text();
          for (QAbstractButton* b : question->buttons())
            seen << b->text();
          question->button(QMessageBox::Yes)->click();
        });
        chooser->selectFile(target);
        QMetaObject::invokeMethod(chooser, "accept");  // the Save button
      });
      click(ctl::details::kExport);
      QCOMPARE(
          seen,
          texts({"Export dat", "xml", "XML soubory (*.xml)", "Všechny soubory (*.*)", "&Uložit",
                 "Zrušit", "Soubor kopie.xml již existuje.\nChcete jej nahradit?", "&Ano", "&Ne"}));
      const QByteArray exported = readFile(target);
      QVERIFY(exported.startsWith(kHead));
      QVERIFY(exported.contains("<user>Upraveno</user>") &&
              !exported.contains("<user>Petr</user>"));
      QVERIFY(exported.contains("<remark>Dokument přidán ručně.</remark>"));

      click(ok ? ctl::kOk : ctl::kCancel);
      QCOMPARE(dlg_->result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
      QCOMPARE(readFile(dataPath()), before);
      QVERIFY(messages_.errors.empty());
    }
  }
};

QTEST_MAIN(DetailsDialogTest)
#include "details_dialog_test.moc"
