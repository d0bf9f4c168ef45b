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
constexpr IconId kProgramIcon = 128;

QLabel* Centred(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// The e-mail address inside a mailto: URL: after "mailto:" and before any "?".
QString MailAddress(const QString& mailUrl) {
  QString address = mailUrl;
  if (address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
    address.remove(0, 7);
  return address.left(address.indexOf(QLatin1Char('?')));
}
}  // namespace

CAboutDlg::CAboutDlg(IUrlOpener& opener, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("O programu Pagewarden"));

  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* icon = new IconView(kProgramIcon, 32, this);
  icon->setObjectName("icon");
  icon->setFixedSize(32, 32);

  auto* version = Centred(Q(LoadStr(ids::kVersion)), this);
  version->setObjectName(QStringLiteral("1012"));
  MakeBold(version);

  auto* group = new QGroupBox(QStringLiteral("Informace"), this);
  auto* maker = new QLabel(QStringLiteral("QUORBEL\nprogramy pro kancelář i domácnost"), group);

  const QString home = Q(LoadStr(ids::kHomeUrl));
  auto* homeLink = new CStaticLink(opener, {}, group);
  homeLink->setObjectName(QStringLiteral("1013"));
  homeLink->setText(home);

  const QString address = MailAddress(Q(LoadStr(ids::kMailUrl)));
  auto* mailLink = new CStaticLink(opener, QStringLiteral("mailto:") + address, group);
  mailLink->setObjectName(QStringLiteral("1014"));
  mailLink->setText(address);

  auto* picture = new QLabel(group);
  picture->setPixmap(LoadBitmap(QStringLiteral("130"), devicePixelRatioF()));

  // Arrangement: icon beside the centred program lines, the maker's group, the button.
  auto* lines = new QVBoxLayout;
  lines->addWidget(version);
  lines->addWidget(Centred(QStringLiteral("Program zjišťuje množství inkoustu v tiskárně."), this));
  lines->addWidget(Centred(QStringLiteral("Copyright © QUORBEL, všechna práva vyhrazena."), this));
  auto* head = new QHBoxLayout;
  head->addWidget(icon, 0, Qt::AlignTop);
  head->addLayout(lines, 1);

  auto* mailRow = new QHBoxLayout;
  mailRow->addWidget(new QLabel(QStringLiteral("e-mail:"), group));
  mailRow->addWidget(mailLink);
  mailRow->addStretch(1);

  auto* groupGrid = new QGridLayout(group);
  groupGrid->addWidget(maker, 0, 0, 1, 2);
  groupGrid->addWidget(homeLink, 1, 0, 1, 2, Qt::AlignLeft);
  groupGrid->addLayout(mailRow, 2, 0, 1, 2);
  groupGrid->addWidget(picture, 3, 0);
  groupGrid->addWidget(
      new QLabel(QStringLiteral("Pokud se Vám program líbí, pak nám pošlete e-mail."), group), 3,
      1);
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
