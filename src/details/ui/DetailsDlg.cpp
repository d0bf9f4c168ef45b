#include "details/ui/DetailsDlg.h"

#include <QDate>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>
#include <algorithm>
#include <utility>

#include "adapters/qt/QtText.h"
#include "details/DetailsColumns.h"
#include "details/ui/EditableListCtrl.h"
#include "res/Strings.h"
#include "shell/ui/CzechTexts.h"
#include "shell/ui/DialogParts.h"

namespace pw {

CDetailsDlg::CDetailsDlg(DataFile& dataFile, QWidget* parent)
    : QDialog(parent), dataFile_(dataFile) {
  setWindowTitle(loadQStr(ids::kDetailsTitle));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  buildControls();
}

void CDetailsDlg::buildControls() {
  const DialogUnits du(font());
  setFixedSize(du.horizontal(391), du.vertical(261));

  // Created in the tab order of the dialog; statics take no focus.
  auto* title = new QLabel(loadQStr(ids::kDetailsTitle), this);
  title->setObjectName(idName(ctl::kTitle));
  title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  makeBold(title);
  title->setGeometry(du(7, 7, 377, 11));

  auto* group = new QGroupBox(loadQStr(ids::kDetailsGroup), this);
  group->setGeometry(du(7, 20, 377, 211));

  list_ = new CEditableListCtrl(this);
  list_->setObjectName(idName(ctl::details::kList));
  list_->setGeometry(du(14, 32, 362, 126));

  auto button = [&](int id, int text, QRect where) {
    auto* b = new QPushButton(loadQStr(text), this);
    b->setObjectName(idName(id));
    b->setGeometry(where);
    return b;
  };
  QPushButton* ok = button(ctl::kOk, ids::kOk, du(334, 238, 50, 14));
  ok->setDefault(true);
  QPushButton* cancel = button(ctl::kCancel, ids::kCancel, du(276, 238, 50, 14));
  QPushButton* add = button(ctl::details::kAdd, ids::kDetailsAdd, du(13, 164, 50, 14));
  delete_ = button(ctl::details::kDelete, ids::kDetailsDelete, du(74, 164, 50, 14));
  QPushButton* save = button(ctl::details::kSave, ids::kDetailsSave, du(135, 164, 50, 14));
  export_ = button(ctl::details::kExport, ids::kDetailsExport, du(196, 164, 50, 14));
  deleteAll_ = button(ctl::details::kDeleteAll, ids::kDetailsDeleteAll, du(257, 164, 50, 14));

  auto field = [&](int id, QRect where) {
    auto* e = new QLineEdit(this);
    e->setObjectName(idName(id));
    e->setReadOnly(true);
    e->setGeometry(where);
    return e;
  };
  printer_ = field(ctl::details::kPrinter, du(16, 209, 70, 14));
  cartridge_ = field(ctl::details::kCartridge, du(97, 209, 70, 14));
  maximum_ = field(ctl::details::kMaximum, du(178, 209, 41, 14));
  best_ = field(ctl::details::kBest, du(230, 209, 41, 14));
  normal_ = field(ctl::details::kNormal, du(282, 209, 41, 14));
  economic_ = field(ctl::details::kEconomic, du(334, 209, 41, 14));

  auto label = [&](int text, QRect where, QWidget* buddy) {
    auto* l = new QLabel(loadQStr(text), this);
    l->setGeometry(where);
    if (buddy != nullptr)
      l->setBuddy(buddy);
  };
  label(ids::kDetailsBest, du(230, 199, 28, 8), best_);
  label(ids::kDetailsNormal, du(282, 199, 31, 8), normal_);
  label(ids::kDetailsEconomic, du(334, 199, 42, 8), economic_);
  label(ids::kDetailsName, du(16, 199, 24, 8), printer_);
  label(ids::kDetailsType, du(97, 199, 15, 8), cartridge_);
  label(ids::kDetailsMaximum, du(178, 199, 32, 8), maximum_);
  for (const QRect& where : {du(97, 195, 122, 1), du(230, 195, 143, 1), du(16, 195, 70, 1)}) {
    auto* rule = new QFrame(this);
    rule->setFrameStyle(QFrame::Box | QFrame::Plain);
    rule->setLineWidth(1);
    rule->setGeometry(where.x(), where.y(), where.width(), 1);
  }
  label(ids::kDetailsPrinter, du(16, 187, 28, 8), nullptr);
  label(ids::kDetailsCartridge, du(97, 187, 31, 8), nullptr);
  label(ids::kDetailsPrinted, du(230, 187, 54, 8), nullptr);

  connect(ok, &QPushButton::clicked, this, &CDetailsDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CDetailsDlg::reject);
  connect(add, &QPushButton::clicked, this, &CDetailsDlg::onAdd);
  connect(delete_, &QPushButton::clicked, this, &CDetailsDlg::onDelete);
  connect(save, &QPushButton::clicked, this, &CDetailsDlg::onSave);
  connect(export_, &QPushButton::clicked, this, &CDetailsDlg::onExport);
  connect(deleteAll_, &QPushButton::clicked, this, &CDetailsDlg::onDeleteAll);
}

void CDetailsDlg::setValues(const DetailsValues& v) {
  values_ = v;
  showMembers();
}

DetailsValues CDetailsDlg::values() const {
  return values_;
}

void CDetailsDlg::showMembers() {
  // A long printer or cartridge name shows from its start (setText leaves the cursor, and so
  // the view, at its end), the whole name in the tooltip.
  for (auto [field, text] :
       {std::pair{printer_, &values_.printer}, std::pair{cartridge_, &values_.cartridge}}) {
    field->setText(Q(*text));
    field->setCursorPosition(0);
    field->setToolTip(Q(*text));
  }
  maximum_->setText(Q(values_.maximum));
  best_->setText(Q(values_.best));
  normal_->setText(Q(values_.normal));
  economic_->setText(Q(values_.economic));
}

void CDetailsDlg::setVisible(bool visible) {
  // The first showing starts the dialog: the columns, then the log, before anything is seen.
  if (visible && !initialized_) {
    initialized_ = true;
    // The arrangement's widths fit its original font, and the desktop's font is settled only
    // now: no label may clip its text.
    for (QLabel* l : findChildren<QLabel*>()) {
      l->ensurePolished();
      if (l->width() < l->sizeHint().width())
        l->resize(l->sizeHint().width(), l->height());
      // A field's label may not reach past the field's right edge, where the next column or the
      // group's frame begins; it moves left into the gap before it instead.
      if (l->buddy() != nullptr) {
        const int over = l->geometry().right() - l->buddy()->geometry().right();
        if (over > 0)
          l->move(std::max(0, l->x() - over), l->y());
      }
    }
    list_->setColumns(detailsColumns(S(dateTime_.formatDate(QDate::currentDate())),
                                     S(dateTime_.formatTime(QTime::currentTime()))),
                      charUnit(QFontMetrics(list_->font()).averageCharWidth()));
    if (loadPrintLog()) {
      list_->setFocus(Qt::OtherFocusReason);
    } else {
      enableRowButtons();
    }
  }
  QDialog::setVisible(visible);
}

bool CDetailsDlg::loadPrintLog() {
  LoadedLog log;
  if (!dataFile_.loadPrintLog(values_.cartridge, log))
    return false;
  CellTable rows(kDetailsColumnCount);
  rows.reserve(int(log.rows.size()));
  for (PrintRecord& record : log.rows)
    rows.insert(rows.rows(), recordCells(std::move(record)));
  list_->loadRows(std::move(rows));
  if (log.maximum)
    values_.maximum = *log.maximum;
  values_.best = decimal(log.best);
  values_.normal = decimal(log.normal);
  values_.economic = decimal(log.economic);
  showMembers();
  enableRowButtons();
  return true;
}

void CDetailsDlg::enableRowButtons() {
  const bool any = list_->total() > 0;
  delete_->setEnabled(any);
  deleteAll_->setEnabled(any);
  export_->setEnabled(any);
}

std::vector<PrintRecord> CDetailsDlg::listRecords() const {
  std::vector<PrintRecord> records;
  records.reserve(std::size_t(list_->total()));
  for (int row = 0; row < list_->total(); ++row)
    records.push_back(cellsRecord(list_->rows(), row));
  return records;
}

// Every command first ends an open cell editor, so it sees the list as edited, whichever way
// the command was given.

void CDetailsDlg::onAdd() {
  list_->endEdit();
  list_->setDefaultText(0, S(dateTime_.formatDate(QDate::currentDate())));
  list_->setDefaultText(1, S(dateTime_.formatTime(QTime::currentTime())));
  list_->insertRow(list_->total());
  list_->selectItem(list_->total() - 1);
  enableRowButtons();
}

void CDetailsDlg::onDelete() {
  list_->endEdit();
  if (const auto plan = planDelete(list_->selectedRow(), list_->total())) {
    list_->deleteRow(plan->remove);
    if (plan->selectAfter >= 0)
      list_->selectItem(plan->selectAfter);
  }
  enableRowButtons();
}

void CDetailsDlg::onSave() {
  list_->endEdit();
  if (dataFile_.saveLog(listRecords()))
    loadPrintLog();
}

void CDetailsDlg::onDeleteAll() {
  list_->endEdit();
  if (dataFile_.deleteAll())
    loadPrintLog();
  enableRowButtons();
}

void CDetailsDlg::onExport() {
  list_->endEdit();
  const QString target = chooseExportFile();
  if (target.isEmpty())
    return;
  dataFile_.exportTo(listRecords(), S(target));
}

QString CDetailsDlg::chooseExportFile() {
  CzechFileTypes types;  // outlives the dialog that shows them
  QFileDialog dialog(this, loadQStr(ids::kExportTitle));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Qt's own dialog, which speaks Czech; the desktop's may speak another language.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setIconProvider(&types);
  dialog.setDefaultSuffix(QStringLiteral("xml"));
  dialog.setNameFilter(Q(fileDialogFilter(loadStr(ids::kExportFilter))));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().first();
}

void CDetailsDlg::accept() {
  list_->endEdit();
  values_.printer = S(printer_->text());
  values_.cartridge = S(cartridge_->text());
  values_.maximum = S(maximum_->text());
  values_.best = S(best_->text());
  values_.normal = S(normal_->text());
  values_.economic = S(economic_->text());
  QDialog::accept();
}

}  // namespace pw
