#pragma once
// The About box (template 100): version, a few words on the program and its maker, and links to
// the maker's home page and e-mail address.

#include <QDialog>

#include "base/Ports.h"
#include "shell/UrlOpener.h"

namespace pw {

class CAboutDlg : public QDialog {
 public:
  explicit CAboutDlg(IUrlOpener& opener, QWidget* parent = nullptr);
};

}  // namespace pw
