#pragma once
// The Details dialog: the print log in an editable list, with Add, Delete, Save, Export and
// Delete all, and read-only fields for the printer, the cartridge and the page totals.

#include <QDialog>
#include <QString>

#include "adapters/qt/LocaleDateTime.h"
#include "details/DetailsValues.h"
#include "log/DataFile.h"

class QLineEdit;
class QPushButton;

namespace pw {

class CEditableListCtrl;

class CDetailsDlg : public QDialog {
 public:
  // The data file reports its own failures.
  explicit CDetailsDlg(DataFile& dataFile, QWidget* parent = nullptr);

  void setValues(const DetailsValues& v);  // before exec()
  DetailsValues values() const;            // after exec() == Accepted

  CEditableListCtrl& list() const { return *list_; }

  void setVisible(bool visible) override;
  void accept() override;

 private:
  void buildControls();
  // Loads the list and the totals from the data file; false when it could not be read.
  bool loadPrintLog();
  void showMembers();
  void enableRowButtons();
  std::vector<PrintRecord> listRecords() const;
  // Asks for the export target; an empty answer cancels.
  QString chooseExportFile();

  void onAdd();
  void onDelete();
  void onSave();
  void onExport();
  void onDeleteAll();

  DataFile& dataFile_;
  LocaleDateTime dateTime_;
  bool initialized_ = false;

  DetailsValues values_;  // printer, cartridge, maximum and the three totals, as shown
  CEditableListCtrl* list_ = nullptr;
  QLineEdit* printer_ = nullptr;
  QLineEdit* cartridge_ = nullptr;
  QLineEdit* maximum_ = nullptr;
  QLineEdit* best_ = nullptr;
  QLineEdit* normal_ = nullptr;
  QLineEdit* economic_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* deleteAll_ = nullptr;
};

}  // namespace pw
