// The editable list on its own: clicks, the editors' keys, committing and cancelling.

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include "adapters/qt/QtText.h"
#include "details/ui/EditableListCtrl.h"

using namespace pw;

enum Col { kText, kNumber, kDate, kTime, kChoice, kRequired, kColumns };

class EditableListCtrlTest : public QObject {
  Q_OBJECT

  QWidget* window_ = nullptr;
  CEditableListCtrl* list_ = nullptr;
  QLineEdit* outside_ = nullptr;

  std::string Cell(int row, int col) const { return list_->Text(row, col); }
  void Key(int key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
  }
  void Type(const char* text) {
    QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
  }
  QString EditorText() const { return qobject_cast<QLineEdit*>(list_->Editor())->text(); }
  void Click(int row, int col, QPoint offset = {}) {
    const QPoint p = list_->visualRect(list_->model()->index(row, col)).center();
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, p + offset);
  }

 private slots:
  void init() {
    window_ = new QWidget;
    auto* layout = new QVBoxLayout(window_);
    layout->addWidget(list_ = new CEditableListCtrl(window_));
    layout->addWidget(outside_ = new QLineEdit(window_));
    window_->resize(700, 300);
    using K = EditorKind;
    const std::vector<ColumnInfo> columns = {
        {"Text", "t", 10, K::Text},    {"Number", "0", 8, K::Number},
        {"Date", "", 15, K::Date},     {"Time", "", 15, K::Time},
        {"Choice", "", 10, K::Choice}, {"Required", "r", 10, K::Text, false}};
    list_->SetColumns(columns, 7);
    list_->SetChoices({{"alfa", 1}, {"Beta", 2}, {"gama", 3}});
    CellTable rows(kColumns);
    for (int r = 0; r < 20; ++r)
      rows.insert(
          r, {"row" + std::to_string(r), std::to_string(r), "1.2.2026", "8:30:00", "beta", "req"});
    list_->LoadRows(std::move(rows));
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
  }
  void cleanup() { delete window_; }

  void oneClickOpensTheCellsEditorAndClicksOffTheCellsDoNothing() {
    Click(3, kText);
    QCOMPARE(EditorText(), QStringLiteral("row3"));
    QCOMPARE(list_->SelectedRow(), 3);
    Type("x");
    Click(5, kNumber);
    QCOMPARE(Cell(3, kText), std::string("row3x"));
    QCOMPARE(EditorText(), QStringLiteral("5"));

    list_->LoadRows(CellTable(kColumns));
    list_->InsertRow(0);
    list_->InsertRow(0);
    QWidget* editor = list_->EditSubItem(0, kText);
    Click(1, kText, {0, 100});      // below the last row
    Click(0, kRequired, {200, 0});  // right of the last column
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, QPoint(5, 150));
    QCOMPARE(list_->Editor(), editor);
    QVERIFY(editor->hasFocus());
    QCOMPARE(list_->SelectedRow(), 0);
  }

  void escapeCancelsAndEveryOtherWayOutCommits() {
    QVERIFY(list_->EditSubItem(2, kText));
    Type("changed");
    Key(Qt::Key_Escape);
    QCOMPARE(Cell(2, kText), std::string("row2"));
    QVERIFY(list_->Editor() == nullptr);
    QVERIFY(list_->hasFocus());

    QVERIFY(list_->EditSubItem(1, kText));
    Type("A");
    outside_->setFocus();
    QTRY_COMPARE(Cell(1, kText), std::string("row1A"));
    QTRY_VERIFY(list_->Editor() == nullptr);

    // An emptied cell that needs a text can be left only by moving the focus away, unchanged.
    auto* editor = qobject_cast<QLineEdit*>(list_->EditSubItem(5, kRequired));
    editor->clear();
    for (int key : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Down, Qt::Key_Escape}) {
      Key(key);
      QCOMPARE(list_->Editor(), editor);
    }
    outside_->setFocus();
    QTRY_VERIFY(list_->Editor() == nullptr);
    QCOMPARE(Cell(5, kRequired), std::string("req"));
  }

  void keysMoveBetweenCellsAndStopInTheLastOne() {
    QVERIFY(list_->EditSubItem(4, kText));
    const std::pair<int, const char*> steps[] = {{Qt::Key_Tab, "4"},        {Qt::Key_Down, "5"},
                                                 {Qt::Key_End, "19"},       {Qt::Key_Home, "0"},
                                                 {Qt::Key_Backtab, "row0"}, {Qt::Key_Up, "row0"}};
    for (auto [key, text] : steps) {
      const bool ctrl = key == Qt::Key_Home || key == Qt::Key_End;
      Key(key, ctrl ? Qt::ControlModifier : Qt::NoModifier);
      QCOMPARE(EditorText(), QLatin1String(text));
    }

    // In the last cell nothing opens and the editor stays; Enter has written its text.
    QWidget* last = list_->EditSubItem(19, kRequired);
    for (int key : {Qt::Key_Tab, Qt::Key_Down}) {
      Key(key);
      QCOMPARE(list_->Editor(), last);
    }
    Type("Z");
    Key(Qt::Key_Return);
    QTRY_COMPARE(Cell(19, kRequired), std::string("reqZ"));
    QCOMPARE(list_->Editor(), last);
    QVERIFY(last->hasFocus());
  }

  void editorsFollowTheirColumnsKind() {
    QVERIFY(list_->EditSubItem(7, kNumber));
    Type("a1-b2 ");
    QCOMPARE(EditorText(), QStringLiteral("712"));

    const std::string garbage = "garbage";
    list_->OnEndLabelEdit(3, kDate, &garbage);
    auto* date = qobject_cast<QDateTimeEdit*>(list_->EditSubItem(3, kDate));
    QCOMPARE(date->date(), QDate::currentDate());
    Key(Qt::Key_Tab);  // writes today, opens the time
    QCOMPARE(Cell(3, kDate), S(list_->dateTime().FormatDate(QDate::currentDate())));
    auto* time = qobject_cast<QDateTimeEdit*>(list_->Editor());
    QCOMPARE(time->time(), QTime(8, 30, 0));
    Key(Qt::Key_Up);  // steps the picker, does not move
    QCOMPARE(list_->Editor(), time);
    QCOMPARE(qobject_cast<QDateTimeEdit*>(list_->EditSubItem(0, kDate))->date(), QDate(2026, 2, 1));

    auto* combo = qobject_cast<QComboBox*>(list_->EditSubItem(6, kChoice));
    combo->setCurrentIndex(2);
    Key(Qt::Key_Return);
    QCOMPARE(Cell(6, kChoice), std::string("gama"));
  }
};

QTEST_MAIN(EditableListCtrlTest)
#include "editable_list_ctrl_test.moc"
