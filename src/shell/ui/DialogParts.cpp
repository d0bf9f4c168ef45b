#include "shell/ui/DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <algorithm>

#include "adapters/qt/QtText.h"

namespace pw {

DialogUnits::DialogUnits(const QFont& font)
    : avgWidth_(QFontMetrics(font).averageCharWidth()), height_(QFontMetrics(font).height()) {}

QRect DialogUnits::operator()(int x, int y, int w, int h) const {
  return QRect(horizontal(x), vertical(y), std::max(1, horizontal(w)), std::max(1, vertical(h)));
}

void makeBold(QWidget* widget) {
  QFont bold = widget->font();
  bold.setWeight(QFont::Bold);
  widget->setFont(bold);
}

QDialogButtonBox* confirmButtons(QDialog* dialog, const QString& confirm, const QString& cancel) {
  auto* buttons = new QDialogButtonBox(dialog);
  auto* ok = buttons->addButton(confirm, QDialogButtonBox::AcceptRole);
  ok->setObjectName(idName(ctl::kOk));
  ok->setDefault(true);
  auto* no = buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  no->setObjectName(idName(ctl::kCancel));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace pw
