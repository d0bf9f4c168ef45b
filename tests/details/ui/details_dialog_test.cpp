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
    test::DataFileBuilder().Entry({"Černá 45", "600", "DJ 850"});
const QByteArray kHead = QByteArray::fromStdString(kEmptyLog.Head());
// Pages best, normal and economic, user and remark.
const std::tuple<int, int, int, const char*, const char*> kRows[] = {
    {1, 10, 3, "Jana", "dopis"}, {2, 20, 6, "Petr", "faktura"}, {4, 0, 9, "Eva", "plakát"}};

// Texts as a list, for comparing with what the dialog shows.
QStringList Texts(std::initializer_list<const char*> texts) {
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

  DataFilePaths Paths() const { return DataFilePaths::InFolder(S(dir_.path())); }
  QString DataPath() const { return dir_.filePath(QStringLiteral("Pagewarden.xml")); }
  static QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Shows the dialog over a data file with the first `count` rows, appended as the watcher does.
  void Open(std::size_t count, const std::string& cartridge = "Černá 45") {
    kEmptyLog.WriteTo(S(DataPath()));
    DataFile writer(Paths(), messages_);
    for (auto [best, normal, economic, user, remark] : std::span(kRows, count))
      QVERIFY(
          writer.AppendPrintRecord("1.12.2026", "9:00:00", best, normal, economic, user, remark));
    file_ = std::make_unique<DataFile>(Paths(), messages_);
    dlg_ = std::make_unique<CDetailsDlg>(*file_);
    dlg_->setValues({"DJ 850", cartridge, "555", "7", "8", "9"});
    dlg_->show();
    dlg_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
  }
  CEditableListCtrl& List() const { return dlg_->list(); }
  QString Field(int id) const { return dlg_->findChild<QLineEdit*>(IdName(id))->text(); }
  QPushButton* Button(int id) const { return dlg_->findChild<QPushButton*>(IdName(id)); }
  QStringList Totals() const {
    return {Field(ctl::details::kBest), Field(ctl::details::kNormal),
            Field(ctl::details::kEconomic)};
  }
  // Delete, Export and Delete all, enabled together: "111" or "000".
  QString RowButtons() const {
    QString state;
    for (const int id : {ctl::details::kDelete, ctl::details::kExport, ctl::details::kDeleteAll})
      state += QLatin1Char(Button(id)->isEnabled() ? '1' : '0');
    return state;
  }
  QStringList Remarks() const {
    QStringList remarks;
    for (int r = 0; r < List().total(); ++r)
      remarks << Q(List().Text(r, 6));
    return remarks;
  }
  void Edit(int row, int col, const std::string& text) { List().OnEndLabelEdit(row, col, &text); }
  void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
  void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

 private slots:
  void init() { messages_.errors.clear(); }
  void cleanup() { dlg_.reset(); }

  void aSessionOfEditsSaveDeletesAndDeleteAll() {
    Open(3);
    QCOMPARE(Remarks(), Texts({"dopis", "faktura", "plakát"}));
    QCOMPARE(Totals(), Texts({"7", "30", "18"}));
    QCOMPARE(Field(ctl::details::kMaximum), QStringLiteral("600"));  // from the catalogue
    QCOMPARE(RowButtons(), QStringLiteral("111"));
    QVERIFY(List().hasFocus());

    // Enter and Escape in an editor never press OK or Storno; Enter in the last cell stays there.
    Edit(0, 2, "100");
    QVERIFY(List().EditSubItem(2, 6));
    Type(QStringLiteral("!"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(List().EditSubItem(2, 6));
    Type(QStringLiteral("?"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(dlg_->isVisible());
    QTRY_COMPARE(List().Text(2, 6), std::string("plakát?"));
    Type(QStringLiteral("ka"));
    // The watcher appends a record while the dialog is open; Save keeps it after the list.
    DataFile watcher(Paths(), messages_);
    QVERIFY(watcher.AppendPrintRecord("5.12.2026", "12:00:00", 0, 5, 0, "Tom", "tisk"));
    Click(
        ctl::details::kAdd);  // commits the open editor first; only Save brings the totals in line
    QCOMPARE(List().Text(2, 6), std::string("plakát?ka"));
    QCOMPARE(Totals(), Texts({"7", "30", "18"}));
    Click(ctl::details::kSave);
    QCOMPARE(Totals(), Texts({"106", "35", "18"}));
    QCOMPARE(Remarks(), Texts({"dopis", "faktura", "plakát?ka", "Dokument přidán ručně.", "tisk"}));
    QVERIFY(ReadFile(DataPath()).contains("<best>100</best>"));

    List().clearSelection();
    Click(ctl::details::kDelete);  // with no selection the first row goes
    QCOMPARE(List().SelectedRow(), 0);
    List().SelectItem(3);
    Click(ctl::details::kDelete);  // the last row goes and the new last row is selected
    QCOMPARE(Remarks(), Texts({"faktura", "plakát?ka", "Dokument přidán ručně."}));
    QCOMPARE(List().SelectedRow(), 2);

    Click(ctl::details::kDeleteAll);
    QCOMPARE(List().total(), 0);
    QCOMPARE(Totals(), Texts({"0", "0", "0"}));
    QCOMPARE(RowButtons(), QStringLiteral("000"));
    const QByteArray text = ReadFile(DataPath());
    QVERIFY(text.startsWith(kHead) && !text.contains("<data>"));
    QVERIFY(messages_.errors.empty());
    QTest::keyClick(&List(), Qt::Key_Return);  // with no editor open, Enter presses OK
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
  }

  void anEmptyLogThenAddAndDeleteTheOnlyRow() {
    Open(0, "Neznámá");
    QCOMPARE(List().total(), 0);
    QCOMPARE(Totals(), Texts({"0", "0", "0"}));
    QCOMPARE(Field(ctl::details::kMaximum),
             QStringLiteral("555"));  // no catalogue entry: the caller's maximum stays
    QCOMPARE(RowButtons(), QStringLiteral("000"));

    Click(ctl::details::kAdd);
    const auto row = List().rows().row(0);
    QCOMPARE(row[0], S(List().dateTime().FormatDate(QDate::currentDate())));
    const auto time = List().dateTime().ParseTime(Q(row[1]));
    QVERIFY(time && std::abs(time->secsTo(QTime::currentTime())) < 5);
    QCOMPARE(std::vector<std::string>(row.begin() + 2, row.end()),
             (std::vector<std::string>{"0", "0", "0", "Uživatel", "Dokument přidán ručně."}));
    QCOMPARE(List().SelectedRow(), 0);
    QCOMPARE(RowButtons(), QStringLiteral("111"));
    Click(ctl::details::kDelete);
    QCOMPARE(List().total(), 0);
    QCOMPARE(List().SelectedRow(), -1);
    QCOMPARE(RowButtons(), QStringLiteral("000"));
    QVERIFY(messages_.errors.empty());

    // A queue name longer than its field is shown from its start.
    const std::string printer = "Kancelar" + std::string(60, '_') + "konec";
    dlg_->setValues({printer, "Neznámá", "555", "0", "0", "0"});
    auto* field = dlg_->findChild<QLineEdit*>(IdName(ctl::details::kPrinter));
    QCOMPARE(field->cursorPosition(), 0);
    QCOMPARE(field->toolTip(), Q(printer));
  }

  // Every caption shows whole in the desktop's font: the list's column headers, and the labels
  // above the fields stay within their group without covering each other.
  void everyCaptionFits() {
    Open(1);
    const QHeaderView* header = List().horizontalHeader();
    for (int c = 0; c < header->count(); ++c)
      QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c),
               qPrintable(List().model()->headerData(c, Qt::Horizontal).toString()));
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
    QVERIFY(InstallCzechQtTexts(*QCoreApplication::instance()));
    const QString target = dir_.filePath(QStringLiteral("kopie.xml"));
    for (bool ok : {true, false}) {
      Open(2);
      const QByteArray before = ReadFile(DataPath());
      Edit(1, 5, "Upraveno");
      Click(ctl::details::kAdd);
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
      Click(ctl::details::kExport);
      QCOMPARE(
          seen,
          Texts({"Export dat", "xml", "XML soubory (*.xml)", "Všechny soubory (*.*)", "&Uložit",
                 "Zrušit", "Soubor kopie.xml již existuje.\nChcete jej nahradit?", "&Ano", "&Ne"}));
      const QByteArray exported = ReadFile(target);
      QVERIFY(exported.startsWith(kHead));
      QVERIFY(exported.contains("<user>Upraveno</user>") &&
              !exported.contains("<user>Petr</user>"));
      QVERIFY(exported.contains("<remark>Dokument přidán ručně.</remark>"));

      Click(ok ? ctl::kOk : ctl::kCancel);
      QCOMPARE(dlg_->result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
      QCOMPARE(ReadFile(DataPath()), before);
      QVERIFY(messages_.errors.empty());
    }
  }
};

QTEST_MAIN(DetailsDialogTest)
#include "details_dialog_test.moc"
