#pragma once
// The Settings dialog: the printer to watch, the cartridge catalogue with the
// current cartridge, how print quality is found, the remaining options and the access password.
// The dialog only reads the data file; the Settings command writes options and catalogue on OK.

#include <QDialog>

#include "base/Ports.h"
#include "settings/Catalogue.h"
#include "settings/PrinterList.h"
#include "settings/SettingsValues.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace pw {

class BitmapButton;

class CSettingsDlg : public QDialog {
 public:
  CSettingsDlg(DataFile& dataFile, IPrinterList& printers, QWidget* parent = nullptr);
  // Fills the dialog: the options and password, the local printers and the catalogue read from
  // the data file. Call it before exec().
  void setValues(const SettingsValues& v);
  // The dialog's values as OK took them: options, password, catalogue and whether it was read.
  SettingsValues values() const;

  void accept() override;

 private:
  void buildControls();
  void optionsToControls();
  void controlsToOptions();
  void fillPrinters();
  QString currentPrinter() const;
  void fillCartridges();
  void showFields();
  void applyEnabling();

  void onQualitySelected(int index);
  void onAutoQualityClicked();
  void onAnyoneClicked();
  void onCartridgeSelected(int index);
  void onPrinterSelected();
  void onNew();
  void onEdit();
  void onDelete();

  DataFile& dataFile_;
  IPrinterList& printerList_;

  Options options_;
  std::string password_;
  CartridgeCatalogue catalogue_;
  bool catalogueRead_ = false;

  QLabel* title_;
  QComboBox* printer_;
  QComboBox* cartridge_;
  BitmapButton* new_;
  BitmapButton* delete_;
  BitmapButton* edit_;
  QLineEdit* printersText_;
  QLineEdit* maxPages_;
  QCheckBox* autoMonitor_;
  QCheckBox* autoQuality_;
  QComboBox* quality_;
  QCheckBox* popStatus_;
  QCheckBox* windowsRun_;
  QCheckBox* anyone_;
  QLineEdit* passwordEdit_;
  QCheckBox* tooltip_;
  QCheckBox* emptyFlash_;
};

}  // namespace pw
