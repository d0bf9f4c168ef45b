#pragma once
// The access password prompt (template 169): one masked field, OK and Storno.

#include <QDialog>

class QLineEdit;

namespace pw {

class CPasswordDlg : public QDialog {
 public:
  explicit CPasswordDlg(QWidget* parent = nullptr);
  // The entered text; meaningful after exec() returned Accepted.
  QString password() const;

 private:
  QLineEdit* edit_;
};

}  // namespace pw
