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

  std::string cell(int row, int col) const { return list_->text(row, col); }
  void press(int key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
  }
  void type(const char* text) {
    QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
  }
  QString editorText() const { return qobject_cast<QLineEdit*>(list_->editor())->text(); }
  void click(int row, int col) {
    const QPoint p = list_->visualRect(list_->model()->index(row, col)).center();
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, p);
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
    list_->setColumns(columns, 7);
    list_->setChoices({{"alfa", 1}, {"Beta", 2}, {"gama", 3}});
    CellTable rows(kColumns);
    for (int r = 0; r < 20; ++r)
      rows.insert(
          r, {"row" + std::to_string(r), std::to_string(r), "1.2.2026", "8:30:00", "beta", "req"});
    list_->loadRows(std::move(rows));
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
  }
  void cleanup() { delete window_; }

  void oneClickOpensTheCellsEditor() {
    click(3, kText);
    QCOMPARE(editorText(), QStringLiteral("row3"));
    QCOMPARE(list_->selectedRow(), 3);
    type("x");
    click(5, kNumber);
    QCOMPARE(cell(3, kText), std::string("row3x"));
    QCOMPARE(editorText(), QStringLiteral("5"));
  }

  void escapeCancelsAndEveryOtherWayOutCommits() {
    QVERIFY(list_->editSubItem(2, kText));
    type("changed");
    press(Qt::Key_Escape);
    QCOMPARE(cell(2, kText), std::string("row2"));
    QVERIFY(list_->editor() == nullptr);
    QVERIFY(list_->hasFocus());

    QVERIFY(list_->editSubItem(1, kText));
    type("A");
    outside_->setFocus();
    QTRY_COMPARE(cell(1, kText), std::string("row1A"));
    QTRY_VERIFY(list_->editor() == nullptr);

    // An emptied cell that needs a text can be left only by moving the focus away, unchanged.
    auto* editor = qobject_cast<QLineEdit*>(list_->editSubItem(5, kRequired));
    editor->clear();
    for (int key : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Down, Qt::Key_Escape}) {
      press(key);
      QCOMPARE(list_->editor(), editor);
    }
    outside_->setFocus();
    QTRY_VERIFY(list_->editor() == nullptr);
    QCOMPARE(cell(5, kRequired), std::string("req"));
  }

  void keysMoveBetweenCellsAndStopInTheLastOne() {
    QVERIFY(list_->editSubItem(4, kText));
    const std::pair<int, const char*> steps[] = {{Qt::Key_Tab, "4"},        {Qt::Key_Down, "5"},
                                                 {Qt::Key_End, "19"},       {Qt::Key_Home, "0"},
                                                 {Qt::Key_Backtab, "row0"}, {Qt::Key_Up, "row0"}};
    for (auto [key, text] : steps) {
      const bool ctrl = key == Qt::Key_Home || key == Qt::Key_End;
      press(key, ctrl ? Qt::ControlModifier : Qt::NoModifier);
      QCOMPARE(editorText(), QLatin1String(text));
    }

    // In the last cell nothing opens and the editor stays; Enter has written its text.
    QWidget* last = list_->editSubItem(19, kRequired);
    type("Z");
    press(Qt::Key_Return);
    QTRY_COMPARE(cell(19, kRequired), std::string("reqZ"));
    QCOMPARE(list_->editor(), last);
    QVERIFY(last->hasFocus());
  }

  void editorsFollowTheirColumnsKind() {
    QVERIFY(list_->editSubItem(7, kNumber));
    type("a1-b2 ");
    QCOMPARE(editorText(), QStringLiteral("712"));

    const std::string garbage = "garbage";
    list_->onEndLabelEdit(3, kDate, &garbage);
    auto* date = qobject_cast<QDateTimeEdit*>(list_->editSubItem(3, kDate));
    QCOMPARE(date->date(), QDate::currentDate());
    press(Qt::Key_Tab);  // writes today, opens the time
    QCOMPARE(cell(3, kDate), S(list_->dateTime().formatDate(QDate::currentDate())));
    auto* time = qobject_cast<QDateTimeEdit*>(list_->editor());
    QCOMPARE(time->time(), QTime(8, 30, 0));
    press(Qt::Key_Up);  // steps the picker, does not move
    QCOMPARE(list_->editor(), time);
    QCOMPARE(qobject_cast<QDateTimeEdit*>(list_->editSubItem(0, kDate))->date(), QDate(2026, 2, 1));

    auto* combo = qobject_cast<QComboBox*>(list_->editSubItem(6, kChoice));
    combo->setCurrentIndex(2);
    press(Qt::Key_Return);
    QCOMPARE(cell(6, kChoice), std::string("gama"));
  }
};

QTEST_MAIN(EditableListCtrlTest)
#include "editable_list_ctrl_test.moc"
