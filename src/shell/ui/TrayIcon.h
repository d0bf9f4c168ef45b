#pragma once
// The notification-area icon on the desktop: the shell side of CSystemTray over a
// QSystemTrayIcon, with the icon's pop-up menu.

#include <QObject>
#include <QRect>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "shell/SystemTray.h"

class QMenu;

namespace pw {

class TrayIcon : public QObject, public ITrayShell {
 public:
  struct MenuItem {
    int id = 0;
    QString text;
    std::vector<MenuItem> submenu;  // not empty: the item opens this sub-menu
    bool separator = false;
  };

  explicit TrayIcon(QObject* parent = nullptr);
  ~TrayIcon() override;

  // The icon's logic, asked what a double-click does and which item is the default.
  void setTray(CSystemTray* tray) { tray_ = tray; }
  // Builds the pop-up menu; a chosen item calls onCommand with its id. Each item's action is
  // named after its id, so automation finds it.
  void setMenu(const std::vector<MenuItem>& items, std::function<void(int commandId)> onCommand);

  QMenu* menu() const { return menu_.get(); }
  QRect geometry() const { return icon_.geometry(); }
  QSystemTrayIcon* icon() { return &icon_; }

  bool available() override;
  bool add(const TrayRecord& record, unsigned flags) override;
  bool modify(const TrayRecord& record, unsigned flags) override;
  bool remove() override;
  void showMessage(const std::string& title, const std::string& text) override;

 private:
  void apply(const TrayRecord& record, unsigned flags);
  void addItems(QMenu& menu, const std::vector<MenuItem>& items);
  void onActivated(QSystemTrayIcon::ActivationReason reason);
  void onMenuAboutToShow();
  void watchForNewPanel();

  QSystemTrayIcon icon_;
  std::unique_ptr<QMenu> menu_;
  std::vector<int> topIds_;  // the menu's top-level command ids by position, 0 for the others
  std::function<void(int)> onCommand_;
  CSystemTray* tray_ = nullptr;
  QTimer panelWatch_;
  bool panelWasThere_ = true;
};

}  // namespace pw
