#include "details/ui/DetailsDlg.h"
#include "platform/qt/DialogParts.h"

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

#include "details/DetailsColumns.h"
#include "details/ui/EditableListCtrl.h"
#include "platform/qt/CzechTexts.h"
#include "platform/qt/QtPorts.h"
#include "res/Strings.h"

namespace pw {

namespace {

const char* const kCaption = "Detailní informace o tisku";

}  // namespace

CDetailsDlg::CDetailsDlg(DataFile& dataFile, IMessages& /*messages*/, QWidget* parent)
    : QDialog(parent), m_dataFile(dataFile) {
  setWindowTitle(QString::fromUtf8(kCaption));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
}

void CDetailsDlg::BuildControls() {
  const DialogUnits du(font());
  setFixedSize(du.X(391), du.Y(261));

  // Created in the tab order of the dialog; statics take no focus.
  auto* title = new QLabel(QString::fromUtf8(kCaption), this);
  title->setObjectName("1012");
  title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  MakeBold(title);
  title->setGeometry(du(7, 7, 377, 11));

  auto* group = new QGroupBox(QString::fromUtf8("Statistika tisku"), this);
  group->setGeometry(du(7, 20, 377, 211));

  m_list = new CEditableListCtrl(this);
  m_list->setObjectName("1003");
  m_list->setGeometry(du(14, 32, 362, 126));

  auto button = [&](const char* id, const char* text, QRect where) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    b->setObjectName(id);
    b->setGeometry(where);
    return b;
  };
  QPushButton* ok = button("1", "&OK", du(334, 238, 50, 14));
  ok->setDefault(true);
  QPushButton* cancel = button("2", "&Storno", du(276, 238, 50, 14));
  QPushButton* add = button("1005", "&Přidat", du(13, 164, 50, 14));
  m_buttonDelete = button("1006", "Sma&zat", du(74, 164, 50, 14));
  QPushButton* save = button("1007", "&Uložit", du(135, 164, 50, 14));
  m_buttonExport = button("1008", "E&xport", du(196, 164, 50, 14));
  m_buttonDeleteAll = button("1009", "Smazat &vše", du(257, 164, 50, 14));

  auto field = [&](const char* id, QRect where) {
    auto* e = new QLineEdit(this);
    e->setObjectName(id);
    e->setReadOnly(true);
    e->setGeometry(where);
    return e;
  };
  m_editPrinter = field("1016", du(16, 209, 70, 14));
  m_editCartridge = field("1017", du(97, 209, 70, 14));
  m_editMaximum = field("1018", du(178, 209, 41, 14));
  m_editBest = field("1013", du(230, 209, 41, 14));
  m_editNormal = field("1014", du(282, 209, 41, 14));
  m_editEconomic = field("1015", du(334, 209, 41, 14));

  auto label = [&](const char* text, QRect where, QWidget* buddy) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setGeometry(where);
    if (buddy != nullptr)
      l->setBuddy(buddy);
  };
  label("&Nejlepší:", du(230, 199, 28, 8), m_editBest);
  label("No&rmální:", du(282, 199, 31, 8), m_editNormal);
  label("&Ekonomický:", du(334, 199, 42, 8), m_editEconomic);
  label("&Jméno:", du(16, 199, 24, 8), m_editPrinter);
  label("&Typ:", du(97, 199, 15, 8), m_editCartridge);
  label("&Maximum:", du(178, 199, 32, 8), m_editMaximum);
  for (const QRect& where : {du(97, 195, 122, 1), du(230, 195, 143, 1), du(16, 195, 70, 1)}) {
    auto* rule = new QFrame(this);
    rule->setFrameStyle(QFrame::Box | QFrame::Plain);
    rule->setLineWidth(1);
    rule->setGeometry(where.x(), where.y(), where.width(), 1);
  }
  label("Tiskárna", du(16, 187, 28, 8), nullptr);
  label("Zásobník", du(97, 187, 31, 8), nullptr);
  label("Vytištěných stran", du(230, 187, 54, 8), nullptr);

  connect(ok, &QPushButton::clicked, this, &CDetailsDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CDetailsDlg::reject);
  connect(add, &QPushButton::clicked, this, &CDetailsDlg::OnAdd);
  connect(m_buttonDelete, &QPushButton::clicked, this, &CDetailsDlg::OnDelete);
  connect(save, &QPushButton::clicked, this, &CDetailsDlg::OnSave);
  connect(m_buttonExport, &QPushButton::clicked, this, &CDetailsDlg::OnExport);
  connect(m_buttonDeleteAll, &QPushButton::clicked, this, &CDetailsDlg::OnDeleteAll);
}

void CDetailsDlg::setValues(const DetailsValues& v) {
  m_values = v;
  ShowMembers();
}

DetailsValues CDetailsDlg::values() const {
  return m_values;
}

void CDetailsDlg::ShowMembers() {
  // A long printer or cartridge name shows from its start (setText leaves the cursor, and so
  // the view, at its end), the whole name in the tooltip.
  for (auto [field, text] : {std::pair{m_editPrinter, &m_values.printer},
                             std::pair{m_editCartridge, &m_values.cartridge}}) {
    field->setText(Q(*text));
    field->setCursorPosition(0);
    field->setToolTip(Q(*text));
  }
  m_editMaximum->setText(Q(m_values.maximum));
  m_editBest->setText(Q(m_values.best));
  m_editNormal->setText(Q(m_values.normal));
  m_editEconomic->setText(Q(m_values.economic));
}

void CDetailsDlg::setVisible(bool visible) {
  // The first showing starts the dialog: the columns, then the log, before anything is seen.
  if (visible && !m_bInitialized) {
    m_bInitialized = true;
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
    m_list->SetColumns(DetailsColumns(S(m_dateTime.FormatDate(QDate::currentDate())),
                                      S(m_dateTime.FormatTime(QTime::currentTime()))),
                       CharUnit(QFontMetrics(m_list->font()).averageCharWidth()));
    if (LoadPrintLog()) {
      m_list->setFocus(Qt::OtherFocusReason);
    } else {
      EnableRowButtons();
    }
  }
  QDialog::setVisible(visible);
}

bool CDetailsDlg::LoadPrintLog() {
  LoadedLog log;
  if (!m_dataFile.LoadPrintLog(m_values.cartridge, log))
    return false;
  CellTable rows(kDetailsColumnCount);
  rows.reserve(int(log.rows.size()));
  for (PrintRecord& record : log.rows)
    rows.insert(rows.rows(), RecordCells(std::move(record)));
  m_list->LoadRows(std::move(rows));
  if (log.maximum)
    m_values.maximum = *log.maximum;
  m_values.best = Format("%d", log.best);
  m_values.normal = Format("%d", log.normal);
  m_values.economic = Format("%d", log.economic);
  ShowMembers();
  EnableRowButtons();
  return true;
}

void CDetailsDlg::EnableRowButtons() {
  const bool any = m_list->total() > 0;
  m_buttonDelete->setEnabled(any);
  m_buttonDeleteAll->setEnabled(any);
  m_buttonExport->setEnabled(any);
}

std::vector<PrintRecord> CDetailsDlg::ListRecords() const {
  std::vector<PrintRecord> records;
  records.reserve(std::size_t(m_list->total()));
  for (int row = 0; row < m_list->total(); ++row)
    records.push_back(CellsRecord(m_list->rows(), row));
  return records;
}

// Every command first ends an open cell editor, so it sees the list as edited, whichever way
// the command was given.

void CDetailsDlg::OnAdd() {
  m_list->EndEdit();
  m_list->SetDefaultText(0, S(m_dateTime.FormatDate(QDate::currentDate())));
  m_list->SetDefaultText(1, S(m_dateTime.FormatTime(QTime::currentTime())));
  m_list->InsertRow(m_list->total());
  m_list->SelectItem(m_list->total() - 1);
  EnableRowButtons();
}

void CDetailsDlg::OnDelete() {
  m_list->EndEdit();
  if (const auto plan = PlanDelete(m_list->SelectedRow(), m_list->total())) {
    m_list->DeleteRow(plan->remove);
    if (plan->selectAfter >= 0)
      m_list->SelectItem(plan->selectAfter);
  }
  EnableRowButtons();
}

void CDetailsDlg::OnSave() {
  m_list->EndEdit();
  if (m_dataFile.SaveLog(ListRecords()))
    LoadPrintLog();
}

void CDetailsDlg::OnDeleteAll() {
  m_list->EndEdit();
  if (m_dataFile.DeleteAll())
    LoadPrintLog();
  EnableRowButtons();
}

void CDetailsDlg::OnExport() {
  m_list->EndEdit();
  const QString target = ChooseExportFile();
  if (target.isEmpty())
    return;
  m_dataFile.Export(ListRecords(), S(target));
}

QString CDetailsDlg::ChooseExportFile() {
  CzechFileTypes types;  // outlives the dialog that shows them
  QFileDialog dialog(this, QString::fromUtf8("Export dat"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Qt's own dialog, which speaks Czech; the desktop's may speak another language.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setIconProvider(&types);
  dialog.setDefaultSuffix(QStringLiteral("xml"));
  dialog.setNameFilter(Q(FileDialogFilter(LoadStr(ids::kExportFilter))));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().first();
}

void CDetailsDlg::accept() {
  m_list->EndEdit();
  m_values.printer = S(m_editPrinter->text());
  m_values.cartridge = S(m_editCartridge->text());
  m_values.maximum = S(m_editMaximum->text());
  m_values.best = S(m_editBest->text());
  m_values.normal = S(m_editNormal->text());
  m_values.economic = S(m_editEconomic->text());
  QDialog::accept();
}

}  // namespace pw
