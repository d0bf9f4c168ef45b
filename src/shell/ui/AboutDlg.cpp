#include "shell/ui/AboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "adapters/qt/QtText.h"
#include "res/Strings.h"
#include "shell/ui/Bitmaps.h"
#include "shell/ui/DialogParts.h"
#include "shell/ui/Icons.h"
#include "shell/ui/StaticLink.h"

namespace pw {

namespace {
QLabel* centred(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// The e-mail address inside a mailto: URL: after "mailto:" and before any "?".
QString mailAddress(const QString& mailUrl) {
  QString address = mailUrl;
  if (address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
    address.remove(0, 7);
  return address.left(address.indexOf(QLatin1Char('?')));
}
}  // namespace

CAboutDlg::CAboutDlg(IUrlOpener& opener, QWidget* parent) : QDialog(parent) {
  setWindowTitle(loadQStr(ids::kAboutTitle));

  auto* ok = new QPushButton(loadQStr(ids::kOk), this);
  ok->setObjectName(idName(ctl::kOk));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* icon = new IconView(kProgramIcon, 32, this);
  icon->setObjectName(QStringLiteral("icon"));
  icon->setFixedSize(32, 32);

  auto* version = centred(loadQStr(ids::kVersion), this);
  version->setObjectName(idName(ctl::kTitle));
  makeBold(version);

  auto* group = new QGroupBox(loadQStr(ids::kAboutGroup), this);
  auto* maker = new QLabel(loadQStr(ids::kAboutMaker), group);

  const QString home = loadQStr(ids::kHomeUrl);
  auto* homeLink = new CStaticLink(opener, {}, group);
  homeLink->setObjectName(idName(ctl::about::kHomeLink));
  homeLink->setText(home);

  const QString address = mailAddress(loadQStr(ids::kMailUrl));
  auto* mailLink = new CStaticLink(opener, QStringLiteral("mailto:") + address, group);
  mailLink->setObjectName(idName(ctl::about::kMailLink));
  mailLink->setText(address);

  auto* picture = new QLabel(group);
  picture->setPixmap(loadBitmap(idName(kTitleBitmap), devicePixelRatioF()));

  // Arrangement: icon beside the centred program lines, the maker's group, the button.
  auto* lines = new QVBoxLayout;
  lines->addWidget(version);
  lines->addWidget(centred(loadQStr(ids::kAboutPurpose), this));
  lines->addWidget(centred(loadQStr(ids::kAboutCopyright), this));
  auto* head = new QHBoxLayout;
  head->addWidget(icon, 0, Qt::AlignTop);
  head->addLayout(lines, 1);

  auto* mailRow = new QHBoxLayout;
  mailRow->addWidget(new QLabel(loadQStr(ids::kAboutMailLabel), group));
  mailRow->addWidget(mailLink);
  mailRow->addStretch(1);

  auto* groupGrid = new QGridLayout(group);
  groupGrid->addWidget(maker, 0, 0, 1, 2);
  groupGrid->addWidget(homeLink, 1, 0, 1, 2, Qt::AlignLeft);
  groupGrid->addLayout(mailRow, 2, 0, 1, 2);
  groupGrid->addWidget(picture, 3, 0);
  groupGrid->addWidget(new QLabel(loadQStr(ids::kAboutMailInvitation), group), 3, 1);
  groupGrid->setColumnStretch(1, 1);

  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(head);
  layout->addWidget(group);
  layout->addLayout(buttonRow);
  setMinimumWidth(360);
}

}  // namespace pw
