#include "shell/ui/TrayIcon.h"

#include <QAction>
#include <QMenu>
#include <optional>

#include "adapters/qt/QtText.h"
#include "shell/ui/Icons.h"

namespace pw {

namespace {
// Qt has no signal for a notification area that appears, so an icon waiting for one polls.
constexpr int kPanelPollMs = 2000;
}  // namespace

TrayIcon::TrayIcon(QObject* parent)
    : QObject(parent), icon_(this), menu_(std::make_unique<QMenu>()) {
  icon_.setContextMenu(menu_.get());
  connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
  connect(menu_.get(), &QMenu::aboutToShow, this, &TrayIcon::onMenuAboutToShow);
  panelWatch_.setInterval(kPanelPollMs);
  connect(&panelWatch_, &QTimer::timeout, this, &TrayIcon::watchForNewPanel);
}

TrayIcon::~TrayIcon() {
  icon_.setContextMenu(nullptr);
}

void TrayIcon::setMenu(const std::vector<MenuItem>& items, std::function<void(int)> onCommand) {
  menu_->clear();
  topIds_.clear();
  for (const auto& item : items)
    topIds_.push_back(item.separator || !item.submenu.empty() ? 0 : item.id);
  addItems(*menu_, items);
  onCommand_ = std::move(onCommand);
}

void TrayIcon::addItems(QMenu& menu, const std::vector<MenuItem>& items) {
  for (const auto& item : items) {
    if (item.separator) {
      menu.addSeparator();
    } else if (!item.submenu.empty()) {
      addItems(*menu.addMenu(item.text), item.submenu);
    } else {
      QAction* action = menu.addAction(item.text);
      action->setObjectName(idName(item.id));
      connect(action, &QAction::triggered, this, [this, id = item.id] {
        if (onCommand_)
          onCommand_(id);
      });
    }
  }
}

void TrayIcon::onMenuAboutToShow() {
  QAction* bold = nullptr;
  if (const auto pos = tray_ ? tray_->defaultItemPosition(topIds_) : std::nullopt)
    bold = menu_->actions().value(*pos);
  menu_->setDefaultAction(bold);
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason != QSystemTrayIcon::DoubleClick || !tray_)
    return;
  if (const auto command = tray_->doubleClickCommand(topIds_); command && onCommand_)
    onCommand_(*command);
}

bool TrayIcon::available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayIcon::add(const TrayRecord& record, unsigned flags) {
  // An add may leave the icon pending; the watch stops by itself when it is not.
  panelWasThere_ = available();
  panelWatch_.start();
  if (!panelWasThere_)
    return false;
  apply(record, flags);
  icon_.show();
  return true;
}

bool TrayIcon::modify(const TrayRecord& record, unsigned flags) {
  apply(record, flags);
  return icon_.isVisible();
}

bool TrayIcon::remove() {
  icon_.hide();
  return true;
}

void TrayIcon::showMessage(const std::string& title, const std::string& text) {
  // Long enough to read two sentences; a notification service may keep it longer.
  constexpr int kShownMs = 15000;
  icon_.showMessage(Q(title), Q(text), QSystemTrayIcon::Warning, kShownMs);
}

void TrayIcon::apply(const TrayRecord& record, unsigned flags) {
  if (flags & kTrayIcon)
    icon_.setIcon(iconFor(record.icon));
  if (flags & kTrayTip)
    icon_.setToolTip(Q(record.tip));
}

void TrayIcon::watchForNewPanel() {
  // Only a shown pending icon is put back, and every way into that state passes through Add,
  // which starts the watch again.
  if (!tray_ || !tray_->pending() || tray_->hidden()) {
    panelWatch_.stop();
    return;
  }
  const bool there = available();
  const bool appeared = there && !panelWasThere_;
  panelWasThere_ = there;
  if (appeared)
    tray_->restorePendingIcon();
}

}  // namespace pw
