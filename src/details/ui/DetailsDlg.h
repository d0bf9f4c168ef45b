#pragma once
// The Details dialog: the print log in an editable list, with Add, Delete, Save, Export and
// Delete all, and read-only fields for the printer, the cartridge and the page totals.

#include <QDialog>
#include <QString>

#include "app/MonitorPorts.h"
#include "log/DataFile.h"
#include "platform/Ports.h"
#include "platform/qt/LocaleDateTime.h"

class QLineEdit;
class QPushButton;

namespace pw {

class CEditableListCtrl;

class CDetailsDlg : public QDialog {
  Q_OBJECT

 public:
  // The data file reports its own failures; `messages` is the same sink it was made with.
  CDetailsDlg(DataFile& dataFile, IMessages& messages, QWidget* parent = nullptr);

  void setValues(const DetailsValues& v);  // before exec()
  DetailsValues values() const;            // after exec() == Accepted

  CEditableListCtrl& list() const { return *m_list; }

  void setVisible(bool visible) override;
  void accept() override;

 private:
  void BuildControls();
  // Loads the list and the totals from the data file; false when it could not be read.
  bool LoadPrintLog();
  void ShowMembers();
  void EnableRowButtons();
  std::vector<PrintRecord> ListRecords() const;
  // Asks for the export target; an empty answer cancels.
  QString ChooseExportFile();

  void OnAdd();
  void OnDelete();
  void OnSave();
  void OnExport();
  void OnDeleteAll();

  DataFile& m_dataFile;
  LocaleDateTime m_dateTime;
  bool m_bInitialized = false;

  DetailsValues m_values;  // printer, cartridge, maximum and the three totals, as shown
  CEditableListCtrl* m_list = nullptr;
  QLineEdit* m_editPrinter = nullptr;
  QLineEdit* m_editCartridge = nullptr;
  QLineEdit* m_editMaximum = nullptr;
  QLineEdit* m_editBest = nullptr;
  QLineEdit* m_editNormal = nullptr;
  QLineEdit* m_editEconomic = nullptr;
  QPushButton* m_buttonDelete = nullptr;
  QPushButton* m_buttonExport = nullptr;
  QPushButton* m_buttonDeleteAll = nullptr;
};

}  // namespace pw
