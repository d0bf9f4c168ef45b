#include "settings/ui/SettingsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "adapters/qt/QtText.h"
#include "res/Strings.h"
#include "settings/ui/CartridgeDlg.h"
#include "shell/ui/Bitmaps.h"
#include "shell/ui/DialogParts.h"

namespace pw {

namespace {

QCheckBox* CheckBox(int text, int id, QWidget* parent) {
  auto* box = new QCheckBox(LoadQStr(text), parent);
  box->setObjectName(IdName(id));
  return box;
}

QLabel* Label(int text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(LoadQStr(text), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

// The data file reports its own failures, so the dialog has nothing to show itself.
CSettingsDlg::CSettingsDlg(DataFile& dataFile, IPrinterList& printers, QWidget* parent)
    : QDialog(parent), dataFile_(dataFile), printerList_(printers) {
  setWindowTitle(LoadQStr(ids::kSettingsTitle));
  BuildControls();

  connect(quality_, &QComboBox::activated, this, &CSettingsDlg::OnQualitySelected);
  connect(autoQuality_, &QCheckBox::clicked, this, &CSettingsDlg::OnAutoQualityClicked);
  connect(anyone_, &QCheckBox::clicked, this, &CSettingsDlg::OnAnyoneClicked);
  connect(cartridge_, &QComboBox::activated, this, &CSettingsDlg::OnCartridgeSelected);
  connect(printer_, &QComboBox::activated, this, &CSettingsDlg::OnPrinterSelected);
  connect(new_, &QAbstractButton::clicked, this, &CSettingsDlg::OnNew);
  connect(edit_, &QAbstractButton::clicked, this, &CSettingsDlg::OnEdit);
  connect(delete_, &QAbstractButton::clicked, this, &CSettingsDlg::OnDelete);
}

// Controls are created in tab order.
void CSettingsDlg::BuildControls() {
  auto* picture = new QLabel(this);
  picture->setPixmap(LoadBitmap(IdName(kTitleBitmap), devicePixelRatioF()));
  title_ = new QLabel(LoadQStr(ids::kSettingsTitle), this);
  title_->setObjectName(IdName(ctl::kTitle));
  title_->setAlignment(Qt::AlignCenter);
  MakeBold(title_);

  auto* group = new QGroupBox(LoadQStr(ids::kSettingsGroup), this);
  printer_ = new QComboBox(group);
  printer_->setObjectName(IdName(ctl::settings::kPrinter));
  cartridge_ = new QComboBox(group);
  cartridge_->setObjectName(IdName(ctl::settings::kCartridge));
  new_ = new BitmapButton(QStringLiteral("NEW"), group);
  new_->setObjectName(IdName(ctl::settings::kNewCartridge));
  new_->setToolTip(Q(LoadStr(ids::kTipNewCartridge)));
  delete_ = new BitmapButton(QStringLiteral("DELETE"), group);
  delete_->setObjectName(IdName(ctl::settings::kDeleteCartridge));
  delete_->setToolTip(Q(LoadStr(ids::kTipDeleteCartridge)));
  edit_ = new BitmapButton(QStringLiteral("EDIT"), group);
  edit_->setObjectName(IdName(ctl::settings::kEditCartridge));
  edit_->setToolTip(Q(LoadStr(ids::kTipEditCartridge)));
  printersText_ = new QLineEdit(group);
  printersText_->setObjectName(IdName(ctl::settings::kPrinters));
  printersText_->setReadOnly(true);
  maxPages_ = new QLineEdit(group);
  maxPages_->setObjectName(IdName(ctl::settings::kMaxPages));
  maxPages_->setReadOnly(true);
  maxPages_->setMaximumWidth(maxPages_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);

  autoMonitor_ = CheckBox(ids::kSettingsAutoMonitor, ctl::settings::kAutoMonitor, this);
  autoQuality_ = CheckBox(ids::kSettingsAutoQuality, ctl::settings::kAutoQuality, this);
  quality_ = new QComboBox(this);
  quality_->setObjectName(IdName(ctl::settings::kQuality));
  quality_->addItems({LoadQStr(ids::kQualityBest), LoadQStr(ids::kQualityNormal),
                      LoadQStr(ids::kQualityEconomic)});
  popStatus_ = CheckBox(ids::kSettingsPopStatus, ctl::settings::kPopStatus, this);
  windowsRun_ = CheckBox(ids::kSettingsWindowsRun, ctl::settings::kWindowsRun, this);
  anyone_ = CheckBox(ids::kSettingsAnyone, ctl::settings::kAnyone, this);
  passwordEdit_ = new QLineEdit(this);
  passwordEdit_->setObjectName(IdName(ctl::settings::kPassword));
  tooltip_ = CheckBox(ids::kSettingsTooltip, ctl::settings::kTooltip, this);
  emptyFlash_ = CheckBox(ids::kSettingsEmptyFlash, ctl::settings::kEmptyFlash, this);

  auto* buttons = ConfirmButtons(this, LoadQStr(ids::kOk), LoadQStr(ids::kCancel));

  // Arrangement: title, the printer group, the options, the buttons.
  auto* head = new QHBoxLayout;
  head->addWidget(picture);
  head->addWidget(title_, 1);

  auto* cartridgeRow = new QHBoxLayout;
  cartridgeRow->setSpacing(2);
  cartridgeRow->addWidget(cartridge_, 1);
  cartridgeRow->addSpacing(4);
  cartridgeRow->addWidget(new_);
  cartridgeRow->addWidget(delete_);
  cartridgeRow->addWidget(edit_);

  auto* groupGrid = new QGridLayout(group);
  groupGrid->addWidget(Label(ids::kSettingsPrinter, printer_, group), 0, 0);
  groupGrid->addWidget(printer_, 0, 1);
  groupGrid->addWidget(Label(ids::kSettingsCartridge, cartridge_, group), 1, 0);
  groupGrid->addLayout(cartridgeRow, 1, 1);
  groupGrid->addWidget(Label(ids::kSettingsPrinters, printersText_, group), 2, 0, 1, 2);
  groupGrid->addWidget(printersText_, 3, 0, 1, 2);
  groupGrid->addWidget(Label(ids::kMaxPagesLabel, maxPages_, group), 4, 0);
  groupGrid->addWidget(maxPages_, 4, 1, Qt::AlignLeft);
  groupGrid->setColumnStretch(1, 1);

  auto* qualityRow = new QHBoxLayout;
  qualityRow->setContentsMargins(20, 0, 0, 0);
  qualityRow->addWidget(Label(ids::kSettingsQuality, quality_, this));
  qualityRow->addWidget(quality_);
  qualityRow->addStretch(1);

  auto* passwordRow = new QHBoxLayout;
  passwordRow->setContentsMargins(20, 0, 0, 0);
  passwordRow->addWidget(Label(ids::kSettingsPassword, passwordEdit_, this));
  passwordRow->addWidget(passwordEdit_, 1);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(head);
  layout->addWidget(group);
  layout->addWidget(autoMonitor_);
  layout->addWidget(autoQuality_);
  layout->addLayout(qualityRow);
  layout->addWidget(popStatus_);
  layout->addWidget(windowsRun_);
  layout->addWidget(anyone_);
  layout->addLayout(passwordRow);
  layout->addWidget(tooltip_);
  layout->addWidget(emptyFlash_);
  layout->addWidget(line);
  layout->addWidget(buttons);
  setMinimumWidth(420);
}

// Initialisation order: options into the controls, the printers, the catalogue and the current
// cartridge, then the quality list and the enabling. When the catalogue cannot be read (the data
// file has shown why), the dialog opens with an empty catalogue and stops before the quality
// selection and the enabling.
void CSettingsDlg::setValues(const SettingsValues& v) {
  options_ = v.options;
  password_ = v.password;
  OptionsToControls();
  FillPrinters();

  std::vector<CartridgeEntry> entries;
  catalogueRead_ = dataFile_.ReadCartridgeCatalogue(entries);
  if (!catalogueRead_)
    entries.clear();
  catalogue_ = CartridgeCatalogue(std::move(entries));
  catalogue_.SelectStored(options_.cartridge);
  FillCartridges();
  ShowFields();

  if (!catalogueRead_) {
    quality_->setCurrentIndex(-1);
    return;
  }
  const bool known = options_.quality >= 0 && options_.quality < quality_->count();
  quality_->setCurrentIndex(known ? options_.quality : -1);
  ApplyEnabling();
}

SettingsValues CSettingsDlg::values() const {
  SettingsValues v;
  v.options = options_;
  v.options.cartridge = catalogue_.current().name;
  v.password = password_;
  v.catalogue = catalogue_.entries();
  v.catalogueRead = catalogueRead_;
  return v;
}

void CSettingsDlg::accept() {
  ControlsToOptions();
  QDialog::accept();
}

void CSettingsDlg::OptionsToControls() {
  autoQuality_->setChecked(options_.autoQuality != 0);
  emptyFlash_->setChecked(options_.emptyFlash != 0);
  popStatus_->setChecked(options_.popStatus != 0);
  tooltip_->setChecked(options_.tooltip != 0);
  autoMonitor_->setChecked(options_.autoMonitor != 0);
  anyone_->setChecked(options_.anyone != 0);
  windowsRun_->setChecked(options_.windowsRun != 0);
  passwordEdit_->setText(Q(password_));
}

// The quality (kept by its own handler) and the current cartridge are not controls' values.
void CSettingsDlg::ControlsToOptions() {
  options_.printer = S(CurrentPrinter());
  options_.autoQuality = autoQuality_->isChecked() ? 1 : 0;
  options_.emptyFlash = emptyFlash_->isChecked() ? 1 : 0;
  options_.popStatus = popStatus_->isChecked() ? 1 : 0;
  options_.tooltip = tooltip_->isChecked() ? 1 : 0;
  options_.autoMonitor = autoMonitor_->isChecked() ? 1 : 0;
  options_.anyone = anyone_->isChecked() ? 1 : 0;
  options_.windowsRun = windowsRun_->isChecked() ? 1 : 0;
  password_ = S(passwordEdit_->text());
}

// The printers are listed sorted as people read them: by the locale, case ignored. A stored
// printer that is gone selects nothing, so confirming then stores an empty printer. When the
// print server cannot be reached, nothing is known to be gone: the stored printer stays listed,
// marked, and confirming keeps it.
void CSettingsDlg::FillPrinters() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto listed = printerList_.LocalPrinters();
  QApplication::restoreOverrideCursor();
  printer_->clear();
  if (!listed) {
    if (!options_.printer.empty()) {
      printer_->addItem(Q(FormatStr(ids::kPrinterUnreachable, options_.printer)),
                        Q(options_.printer));
      printer_->setCurrentIndex(0);
    }
    return;
  }
  QStringList names;
  for (const auto& name : *listed)
    names << Q(name);
  QCollator collator(QLocale::system());
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(names.begin(), names.end(),
                   [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });

  std::vector<std::string> items;
  for (const auto& name : names)
    items.push_back(S(name));
  printer_->addItems(names);
  const auto index = SelectByPrefix(items, options_.printer);
  printer_->setCurrentIndex(index ? int(*index) : -1);
}

// The marked entry of an unreachable server carries the printer's own name.
QString CSettingsDlg::CurrentPrinter() const {
  const QVariant name = printer_->currentData();
  return name.isValid() ? name.toString() : printer_->currentText();
}

void CSettingsDlg::FillCartridges() {
  cartridge_->clear();
  for (const auto& name : catalogue_.Names())
    cartridge_->addItem(Q(name));
  const auto index = catalogue_.selected();
  cartridge_->setCurrentIndex(index ? int(*index) : -1);
}

void CSettingsDlg::ShowFields() {
  printersText_->setText(Q(catalogue_.current().printer));
  // A long list of printers reads from its beginning.
  printersText_->setCursorPosition(0);
  maxPages_->setText(Q(catalogue_.current().pages));
}

void CSettingsDlg::ApplyEnabling() {
  quality_->setEnabled(options_.autoQuality == 0);
  passwordEdit_->setEnabled(options_.anyone != 0);
}

void CSettingsDlg::OnQualitySelected(int index) {
  options_.quality = index;
}

void CSettingsDlg::OnAutoQualityClicked() {
  ControlsToOptions();
  quality_->setEnabled(options_.autoQuality == 0);
}

void CSettingsDlg::OnAnyoneClicked() {
  ControlsToOptions();
  passwordEdit_->setEnabled(options_.anyone != 0);
}

void CSettingsDlg::OnCartridgeSelected(int index) {
  if (index < 0)
    return;
  catalogue_.Select(std::size_t(index));
  ShowFields();
}

void CSettingsDlg::OnPrinterSelected() {
  if (!catalogue_.MatchPrinter(S(CurrentPrinter())))
    return;
  cartridge_->setCurrentIndex(int(*catalogue_.selected()));
  ShowFields();
  ControlsToOptions();
}

void CSettingsDlg::OnNew() {
  CAddCartridgeDlg dlg(this);
  if (dlg.exec() != QDialog::Accepted)
    return;
  catalogue_.Add(dlg.entry());
  FillCartridges();
  ShowFields();
}

void CSettingsDlg::OnEdit() {
  const auto index = catalogue_.selected();
  if (!index)
    return;
  CEditCartridgeDlg dlg(this);
  dlg.setEntry(catalogue_.entries()[*index]);
  if (dlg.exec() != QDialog::Accepted)
    return;
  catalogue_.Edit(dlg.entry());
  FillCartridges();
  ShowFields();
}

void CSettingsDlg::OnDelete() {
  if (!catalogue_.Delete())
    return;
  FillCartridges();
  ShowFields();
}

}  // namespace pw
