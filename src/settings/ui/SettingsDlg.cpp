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

QCheckBox* checkBox(int text, int id, QWidget* parent) {
  auto* box = new QCheckBox(loadQStr(text), parent);
  box->setObjectName(idName(id));
  return box;
}

QLabel* label(int text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(loadQStr(text), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

// The data file reports its own failures, so the dialog has nothing to show itself.
CSettingsDlg::CSettingsDlg(DataFile& dataFile, IPrinterList& printers, QWidget* parent)
    : QDialog(parent), dataFile_(dataFile), printerList_(printers) {
  setWindowTitle(loadQStr(ids::kSettingsTitle));
  buildControls();

  connect(quality_, &QComboBox::activated, this, &CSettingsDlg::onQualitySelected);
  connect(autoQuality_, &QCheckBox::clicked, this, &CSettingsDlg::onAutoQualityClicked);
  connect(anyone_, &QCheckBox::clicked, this, &CSettingsDlg::onAnyoneClicked);
  connect(cartridge_, &QComboBox::activated, this, &CSettingsDlg::onCartridgeSelected);
  connect(printer_, &QComboBox::activated, this, &CSettingsDlg::onPrinterSelected);
  connect(new_, &QAbstractButton::clicked, this, &CSettingsDlg::onNew);
  connect(edit_, &QAbstractButton::clicked, this, &CSettingsDlg::onEdit);
  connect(delete_, &QAbstractButton::clicked, this, &CSettingsDlg::onDelete);
}

// Controls are created in tab order.
void CSettingsDlg::buildControls() {
  auto* picture = new QLabel(this);
  picture->setPixmap(loadBitmap(idName(kTitleBitmap), devicePixelRatioF()));
  title_ = new QLabel(loadQStr(ids::kSettingsTitle), this);
  title_->setObjectName(idName(ctl::kTitle));
  title_->setAlignment(Qt::AlignCenter);
  makeBold(title_);

  auto* group = new QGroupBox(loadQStr(ids::kSettingsGroup), this);
  printer_ = new QComboBox(group);
  printer_->setObjectName(idName(ctl::settings::kPrinter));
  cartridge_ = new QComboBox(group);
  cartridge_->setObjectName(idName(ctl::settings::kCartridge));
  new_ = new BitmapButton(QStringLiteral("NEW"), group);
  new_->setObjectName(idName(ctl::settings::kNewCartridge));
  new_->setToolTip(Q(loadStr(ids::kTipNewCartridge)));
  delete_ = new BitmapButton(QStringLiteral("DELETE"), group);
  delete_->setObjectName(idName(ctl::settings::kDeleteCartridge));
  delete_->setToolTip(Q(loadStr(ids::kTipDeleteCartridge)));
  edit_ = new BitmapButton(QStringLiteral("EDIT"), group);
  edit_->setObjectName(idName(ctl::settings::kEditCartridge));
  edit_->setToolTip(Q(loadStr(ids::kTipEditCartridge)));
  printersText_ = new QLineEdit(group);
  printersText_->setObjectName(idName(ctl::settings::kPrinters));
  printersText_->setReadOnly(true);
  maxPages_ = new QLineEdit(group);
  maxPages_->setObjectName(idName(ctl::settings::kMaxPages));
  maxPages_->setReadOnly(true);
  maxPages_->setMaximumWidth(maxPages_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);

  autoMonitor_ = checkBox(ids::kSettingsAutoMonitor, ctl::settings::kAutoMonitor, this);
  autoQuality_ = checkBox(ids::kSettingsAutoQuality, ctl::settings::kAutoQuality, this);
  quality_ = new QComboBox(this);
  quality_->setObjectName(idName(ctl::settings::kQuality));
  quality_->addItems({loadQStr(ids::kQualityBest), loadQStr(ids::kQualityNormal),
                      loadQStr(ids::kQualityEconomic)});
  popStatus_ = checkBox(ids::kSettingsPopStatus, ctl::settings::kPopStatus, this);
  windowsRun_ = checkBox(ids::kSettingsWindowsRun, ctl::settings::kWindowsRun, this);
  anyone_ = checkBox(ids::kSettingsAnyone, ctl::settings::kAnyone, this);
  passwordEdit_ = new QLineEdit(this);
  passwordEdit_->setObjectName(idName(ctl::settings::kPassword));
  tooltip_ = checkBox(ids::kSettingsTooltip, ctl::settings::kTooltip, this);
  emptyFlash_ = checkBox(ids::kSettingsEmptyFlash, ctl::settings::kEmptyFlash, this);

  auto* buttons = confirmButtons(this, loadQStr(ids::kOk), loadQStr(ids::kCancel));

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
  groupGrid->addWidget(label(ids::kSettingsPrinter, printer_, group), 0, 0);
  groupGrid->addWidget(printer_, 0, 1);
  groupGrid->addWidget(label(ids::kSettingsCartridge, cartridge_, group), 1, 0);
  groupGrid->addLayout(cartridgeRow, 1, 1);
  groupGrid->addWidget(label(ids::kSettingsPrinters, printersText_, group), 2, 0, 1, 2);
  groupGrid->addWidget(printersText_, 3, 0, 1, 2);
  groupGrid->addWidget(label(ids::kMaxPagesLabel, maxPages_, group), 4, 0);
  groupGrid->addWidget(maxPages_, 4, 1, Qt::AlignLeft);
  groupGrid->setColumnStretch(1, 1);

  auto* qualityRow = new QHBoxLayout;
  qualityRow->setContentsMargins(20, 0, 0, 0);
  qualityRow->addWidget(label(ids::kSettingsQuality, quality_, this));
  qualityRow->addWidget(quality_);
  qualityRow->addStretch(1);

  auto* passwordRow = new QHBoxLayout;
  passwordRow->setContentsMargins(20, 0, 0, 0);
  passwordRow->addWidget(label(ids::kSettingsPassword, passwordEdit_, this));
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
  optionsToControls();
  fillPrinters();

  std::vector<CartridgeEntry> entries;
  catalogueRead_ = dataFile_.readCartridgeCatalogue(entries);
  if (!catalogueRead_)
    entries.clear();
  catalogue_ = CartridgeCatalogue(std::move(entries));
  catalogue_.selectStored(options_.cartridge);
  fillCartridges();
  showFields();

  if (!catalogueRead_) {
    quality_->setCurrentIndex(-1);
    return;
  }
  const bool known = options_.quality >= 0 && options_.quality < quality_->count();
  quality_->setCurrentIndex(known ? options_.quality : -1);
  applyEnabling();
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
  controlsToOptions();
  QDialog::accept();
}

void CSettingsDlg::optionsToControls() {
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
void CSettingsDlg::controlsToOptions() {
  options_.printer = S(currentPrinter());
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
void CSettingsDlg::fillPrinters() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto listed = printerList_.localPrinters();
  QApplication::restoreOverrideCursor();
  printer_->clear();
  if (!listed) {
    if (!options_.printer.empty()) {
      printer_->addItem(Q(formatStr(ids::kPrinterUnreachable, options_.printer)),
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
  const auto index = selectByPrefix(items, options_.printer);
  printer_->setCurrentIndex(index ? int(*index) : -1);
}

// The marked entry of an unreachable server carries the printer's own name.
QString CSettingsDlg::currentPrinter() const {
  const QVariant name = printer_->currentData();
  return name.isValid() ? name.toString() : printer_->currentText();
}

void CSettingsDlg::fillCartridges() {
  cartridge_->clear();
  for (const auto& name : catalogue_.names())
    cartridge_->addItem(Q(name));
  const auto index = catalogue_.selected();
  cartridge_->setCurrentIndex(index ? int(*index) : -1);
}

void CSettingsDlg::showFields() {
  printersText_->setText(Q(catalogue_.current().printer));
  // A long list of printers reads from its beginning.
  printersText_->setCursorPosition(0);
  maxPages_->setText(Q(catalogue_.current().pages));
}

void CSettingsDlg::applyEnabling() {
  quality_->setEnabled(options_.autoQuality == 0);
  passwordEdit_->setEnabled(options_.anyone != 0);
}

void CSettingsDlg::onQualitySelected(int index) {
  options_.quality = index;
}

void CSettingsDlg::onAutoQualityClicked() {
  controlsToOptions();
  quality_->setEnabled(options_.autoQuality == 0);
}

void CSettingsDlg::onAnyoneClicked() {
  controlsToOptions();
  passwordEdit_->setEnabled(options_.anyone != 0);
}

void CSettingsDlg::onCartridgeSelected(int index) {
  if (index < 0)
    return;
  catalogue_.select(std::size_t(index));
  showFields();
}

void CSettingsDlg::onPrinterSelected() {
  if (!catalogue_.matchPrinter(S(currentPrinter())))
    return;
  cartridge_->setCurrentIndex(int(*catalogue_.selected()));
  showFields();
  controlsToOptions();
}

void CSettingsDlg::onNew() {
  CAddCartridgeDlg dlg(this);
  if (dlg.exec() != QDialog::Accepted)
    return;
  catalogue_.add(dlg.entry());
  fillCartridges();
  showFields();
}

void CSettingsDlg::onEdit() {
  const auto index = catalogue_.selected();
  if (!index)
    return;
  CEditCartridgeDlg dlg(this);
  dlg.setEntry(catalogue_.entries()[*index]);
  if (dlg.exec() != QDialog::Accepted)
    return;
  catalogue_.edit(dlg.entry());
  fillCartridges();
  showFields();
}

void CSettingsDlg::onDelete() {
  if (!catalogue_.deleteSelected())
    return;
  fillCartridges();
  showFields();
}

}  // namespace pw
