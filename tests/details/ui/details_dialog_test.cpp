// The Details dialog over a real data file in a temporary folder.

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "details/ui/DetailsDlg.h"
#include "details/ui/EditableListCtrl.h"
#include "platform/qt/QtPorts.h"
#include "support/Fakes.h"

using namespace pw;

namespace {

const char* const kHead =
    "<document>\n"
    "\t<cartridges>\n"
    "\t\t<cartridge>\n\t\t\t<name>Černá 45</name>\n\t\t\t<pages>600</pages>\n"
    "\t\t\t<printer>DJ 850</printer>\n\t\t</cartridge>\n"
    "\t</cartridges>\n";
const char* const kTrailer =
    "\t</printed>\n</document>\n<!--\n"
    "<!DOCTYPE article PUBLIC \"-//Davenport//DTD DocBook V3.0//EN\" \"\">\n-->\n";

std::string Record(const PrintRecord& r) {
  std::string text = "\t\t<data>\n";
  const std::pair<const char*, const std::string*> fields[] = {
      {"date", &r.date},         {"time", &r.time}, {"best", &r.best},    {"normal", &r.normal},
      {"economic", &r.economic}, {"user", &r.user}, {"remark", &r.remark}};
  for (auto [tag, value] : fields) {
    text += std::string("\t\t\t<") + tag + ">" + *value + "</" + tag + ">\n";
  }
  return text + "\t\t</data>\n";
}

const PrintRecord kFirst{"1.12.2026", "9:00:00", "1", "10", "3", "Jana", "dopis"};
const PrintRecord kSecond{"2.12.2026", "10:00:00", "2", "20", "6", "Petr", "faktura"};
const PrintRecord kThird{"3.12.2026", "11:00:00", "4", "x", "9", "Eva", "plakát"};

}  // namespace

class DetailsDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  test::FakeMessages messages_;
  std::unique_ptr<DataFile> file_;
  std::unique_ptr<CDetailsDlg> dlg_;

  QString DataPath() const { return dir_.filePath("Pagewarden.xml"); }
  void WriteLog(const std::vector<PrintRecord>& records) {
    std::string text = std::string(kHead) + "\t<printed>\n";
    for (const auto& r : records)
      text += Record(r);
    text += kTrailer;
    QFile f(DataPath());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.data(), qint64(text.size()));
  }
  QByteArray ReadFile(const QString& path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void Open(const std::vector<PrintRecord>& records, const std::string& cartridge = "Černá 45") {
    WriteLog(records);
    Show(cartridge);
  }
  void Show(const std::string& cartridge) {
    file_ = std::make_unique<DataFile>(DataFilePaths::InFolder(S(dir_.path())), messages_);
    dlg_ = std::make_unique<CDetailsDlg>(*file_, messages_);
    dlg_->setValues({"DJ 850", cartridge, "555", "7", "8", "9"});
    dlg_->show();
    dlg_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
  }
  CEditableListCtrl& List() const { return dlg_->list(); }
  QString Field(const char* id) const { return dlg_->findChild<QLineEdit*>(id)->text(); }
  QPushButton* Button(const char* id) const { return dlg_->findChild<QPushButton*>(id); }
  QStringList Totals() const { return {Field("1013"), Field("1014"), Field("1015")}; }
  // Delete, Export and Delete all, enabled together: "111" or "000".
  QString RowButtons() const {
    QString state;
    for (const char* id : {"1006", "1008", "1009"})
      state += Button(id)->isEnabled() ? '1' : '0';
    return state;
  }
  void Edit(int row, int col, const std::string& text) { List().OnEndLabelEdit(row, col, &text); }
  void Click(const char* id) { QTest::mouseClick(Button(id), Qt::LeftButton); }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    messages_.errors.clear();
  }
  void cleanup() {
    dlg_.reset();
    file_.reset();
  }

  void opensOnTheLogWithItsTotalsAndFocusOnTheFirstRow() {
    Open({kFirst, kSecond, kThird});
    QCOMPARE(dlg_->windowTitle(), QString("Detailní informace o tisku"));
    QCOMPARE(List().total(), 3);
    QCOMPARE(List().Text(2, 6), std::string("plakát"));
    QCOMPARE(Totals(), QStringList({"7", "30", "18"}));  // "x" counts 0
    QCOMPARE(Field("1018"), QString("600"));             // from the catalogue
    QCOMPARE(Field("1016"), QString("DJ 850"));
    QCOMPARE(RowButtons(), QString("111"));
    QVERIFY(List().hasFocus());
    QCOMPARE(List().SelectedRow(), 0);
    QCOMPARE(List().columnWidth(0), 15 * (QFontMetrics(List().font()).averageCharWidth() * 3 / 2));
  }

  void emptyLogOrMissingFileLeavesTheRowButtonsOff() {
    Open({}, "Neznámá");
    QCOMPARE(List().total(), 0);
    QCOMPARE(Totals(), QStringList({"0", "0", "0"}));
    QCOMPARE(Field("1018"), QString("555"));  // the caller's maximum stays
    QCOMPARE(RowButtons(), QString("000"));
    QVERIFY(messages_.errors.empty());

    QFile::remove(DataPath());
    Show("Černá 45");
    QCOMPARE(messages_.errors, std::vector<std::string>{"Chyba: Nelze otevřít XML datový soubor!"});
    QCOMPARE(Totals(), QStringList({"7", "8", "9"}));
    QCOMPARE(RowButtons(), QString("000"));
    QVERIFY(Button("1005")->isEnabled() && Button("1007")->isEnabled());
  }

  void addAppendsADefaultRowStampedAtTheClick() {
    Open({});
    Click("1005");
    QCOMPARE(List().total(), 1);
    const auto row = List().rows().row(0);
    QCOMPARE(row[0], S(List().dateTime().FormatDate(QDate::currentDate())));
    const auto time = List().dateTime().ParseTime(Q(row[1]));
    QVERIFY(time && std::abs(time->secsTo(QTime::currentTime())) < 5);
    QCOMPARE(std::vector<std::string>(row.begin() + 2, row.end()),
             (std::vector<std::string>{"0", "0", "0", "Uživatel", "Dokument přidán ručně."}));
    QCOMPARE(List().SelectedRow(), 0);
    QCOMPARE(RowButtons(), QString("111"));
    QCOMPARE(Totals(), QStringList({"0", "0", "0"}));  // only Save brings them in line
  }

  void deleteRemovesTheSelectedRowOrTheFirst_data() {
    QTest::addColumn<int>("select");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("middle") << 1 << QStringList{"dopis", "plakát"} << 1;
    QTest::newRow("last") << 2 << QStringList{"dopis", "faktura"} << 1;
    QTest::newRow("no selection") << -1 << QStringList{"faktura", "plakát"} << 0;
    QTest::newRow("only row") << 0 << QStringList{} << -1;
  }
  void deleteRemovesTheSelectedRowOrTheFirst() {
    QFETCH(int, select);
    QFETCH(QStringList, remaining);
    QFETCH(int, selectedAfter);
    Open(remaining.isEmpty() ? std::vector<PrintRecord>{kFirst}
                             : std::vector<PrintRecord>{kFirst, kSecond, kThird});
    if (select >= 0) {
      List().SelectItem(select);
    } else {
      List().clearSelection();
    }
    Click("1006");
    QStringList remarks;
    for (int r = 0; r < List().total(); ++r)
      remarks << Q(List().Text(r, 6));
    QCOMPARE(remarks, remaining);
    QCOMPARE(List().SelectedRow(), selectedAfter);
    QCOMPARE(RowButtons(), QString(remaining.isEmpty() ? "000" : "111"));
  }

  void saveWritesTheListAndBringsTheTotalsInLine() {
    Open({kFirst, kSecond});
    Edit(0, 2, "100");
    Click("1005");
    QCOMPARE(Totals(), QStringList({"3", "30", "9"}));
    Click("1007");
    QCOMPARE(Totals(), QStringList({"102", "30", "9"}));
    QVERIFY(ReadFile(DataPath()).contains("<best>100</best>"));
    QVERIFY(ReadFile(DataPath()).contains("<remark>Dokument přidán ručně.</remark>"));
    QCOMPARE(List().total(), 3);
  }

  void editorsInTheDialog() {
    Open({kFirst});
    // Enter and Escape in an editor never press OK or Storno.
    QVERIFY(List().EditSubItem(0, 6));
    QTest::keyClicks(QApplication::focusWidget(), "!");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(List().EditSubItem(0, 6));
    QTest::keyClicks(QApplication::focusWidget(), "?");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(dlg_->isVisible());
    QTRY_COMPARE(List().Text(0, 6), std::string("dopis?"));
    // A button commits the open editor before it acts.
    QTest::keyClicks(QApplication::focusWidget(), "ka");
    Click("1007");
    QVERIFY(ReadFile(DataPath()).contains("<remark>dopis?ka</remark>"));
    // With no editor open, Enter presses OK.
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Return);
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
  }

  void deleteAllEmptiesTheLogAndKeepsTheCatalogue() {
    Open({kFirst, kSecond});
    Click("1009");
    QCOMPARE(List().total(), 0);
    QCOMPARE(Totals(), QStringList({"0", "0", "0"}));
    QCOMPARE(RowButtons(), QString("000"));
    const QByteArray text = ReadFile(DataPath());
    QVERIFY(text.startsWith(kHead));
    QVERIFY(!text.contains("<data>"));
  }

  void exportWritesTheEditedListAndLeavesTheDataFile() {
    Open({kFirst, kSecond});
    const QByteArray before = ReadFile(DataPath());
    Edit(1, 5, "Upraveno");
    const QString target = dir_.filePath("kopie.xml");
    dlg_->setExportFileChooser([&] { return target; });
    Click("1008");
    const QByteArray exported = ReadFile(target);
    QVERIFY(exported.startsWith(kHead));
    QVERIFY(exported.contains("<user>Upraveno</user>"));
    QVERIFY(!exported.contains("<user>Petr</user>"));
    QCOMPARE(ReadFile(DataPath()), before);

    // A cancelled choice writes nothing.
    QFile::remove(target);
    dlg_->setExportFileChooser([] { return QString(); });
    Click("1008");
    QVERIFY(!QFile::exists(target));
    QVERIFY(messages_.errors.empty());
  }

  void okAndStornoLeaveTheFileAsItWas_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Storno") << false;
  }
  void okAndStornoLeaveTheFileAsItWas() {
    QFETCH(bool, ok);
    Open({kFirst, kSecond});
    const QByteArray before = ReadFile(DataPath());
    Edit(0, 2, "999");
    Click("1005");
    Click(ok ? "1" : "2");
    QCOMPARE(dlg_->result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(ReadFile(DataPath()), before);
    if (ok) {
      const DetailsValues v = dlg_->values();
      QCOMPARE(QStringList({Q(v.printer), Q(v.cartridge), Q(v.maximum), Q(v.best), Q(v.normal),
                            Q(v.economic)}),
               QStringList({"DJ 850", "Černá 45", "600", "3", "30", "9"}));
    }
  }

  void aRecordAppendedMeanwhileSurvivesSave() {
    Open({kFirst});
    test::FakeMessages watcherMessages;
    DataFile watcher(DataFilePaths::InFolder(S(dir_.path())), watcherMessages);
    QVERIFY(watcher.AppendPrintRecord("5.12.2026", "12:00:00", 0, 5, 0, "Tom", "tisk"));
    Edit(0, 6, "upraveno");
    Click("1007");
    const QByteArray text = ReadFile(DataPath());
    QVERIFY(text.contains("<remark>upraveno</remark>"));
    QVERIFY(text.contains("<user>Tom</user>"));
    QCOMPARE(List().total(), 2);
    QCOMPARE(Totals(), QStringList({"1", "15", "3"}));
  }
};

QTEST_MAIN(DetailsDialogTest)
#include "details_dialog_test.moc"
