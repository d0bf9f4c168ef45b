#pragma once
// The program's one icon in the notification area: its record (icon, tooltip), its flags, the
// animation through a list of icons, and the menu's default-item rule. The shell itself (a
// QSystemTrayIcon on the desktop, a fake in the tests) sits behind ITrayShell.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Ports.h"

namespace pw {

// Which fields of the record an add or modify carries.
enum TrayFlags : unsigned { kTrayMessage = 1, kTrayIcon = 2, kTrayTip = 4 };

// An icon is named by its resource id; 0 is the empty icon (an id without a picture).
using IconId = int;

struct TrayRecord {
  IconId icon = 0;
  std::string tip;  // at most 63 bytes, cut at a character boundary
};

class ITrayShell {
 public:
  virtual ~ITrayShell() = default;
  // Whether the desktop has a notification area at all.
  virtual bool available() = 0;
  virtual bool add(const TrayRecord& record, unsigned flags) = 0;
  virtual bool modify(const TrayRecord& record, unsigned flags) = 0;
  virtual bool remove() = 0;
  // A message from the icon: the desktop's notification service where there is one.
  virtual void showMessage(const std::string& title, const std::string& text) = 0;
};

class CSystemTray {
 public:
  static constexpr int kMaxTipBytes = 63;

  CSystemTray(ITrayShell& shell, ITimers& timers, IClock& clock);
  ~CSystemTray();
  CSystemTray(const CSystemTray&) = delete;
  CSystemTray& operator=(const CSystemTray&) = delete;

  // False when there is no notification area (nothing is shown then).
  bool createTrayIcon(const std::string& tip, IconId icon, int trayId, bool hidden);
  bool setTipText(const std::string& tip);
  bool setIconHandle(IconId icon);
  bool setIconResource(IconId id);  // an id without a picture gives the empty icon
  IconId iconHandle() const;
  bool addToTray();
  bool removeFromTray();
  bool ensureShown();
  bool loadIconRange(IconId first, IconId last);
  bool startAnimation(int stepMs, int seconds);  // seconds <= 0: without end
  bool nextAnimationFrame();
  bool endAnimation();
  bool setDefaultMenuItem(int item, bool byPosition);
  // False when the icon is not in the notification area (nothing is shown then).
  bool showMessage(const std::string& title, const std::string& text);

  // The notification area came back (a new panel): re-add an icon left pending.
  void restorePendingIcon();

  // A double-click on the icon: the command to send, or nothing. menuIds are the ids of the
  // menu's top-level items by position (0 for a separator or a sub-menu).
  std::optional<int> doubleClickCommand(const std::vector<int>& menuIds) const;
  // The default item to show bold in the menu, as a position, or nothing.
  std::optional<int> defaultItemPosition(const std::vector<int>& menuIds) const;

  // State, for the Qt layer and the tests.
  bool enabled() const { return enabled_; }
  bool hidden() const { return hidden_; }
  bool removed() const { return removed_; }
  bool pending() const { return pending_; }
  bool animating() const { return timerId_ != 0; }
  const TrayRecord& record() const { return record_; }
  const std::vector<IconId>& iconList() const { return iconList_; }

 private:
  void onAnimationTimer();

  ITrayShell& shell_;
  ITimers& timers_;
  IClock& clock_;
  TrayRecord record_;
  bool enabled_ = false;
  bool hidden_ = true;
  bool removed_ = true;
  bool pending_ = false;
  std::vector<IconId> iconList_;
  ITimers::Id timerId_ = 0;
  int frame_ = 0;
  std::int64_t startTime_ = 0;
  int animSeconds_ = 0;
  std::optional<IconId> savedIcon_;
  int defaultItem_ = 0;
  bool defaultByPos_ = true;
  unsigned createFlags_ = 0;  // what the first add carried; a re-add carries the same
};

// The printer's rim in an icon; the pictures are drawn with the green one.
enum class IconRim { Green, Yellow, Red };

// What an icon is drawn from: the picture :/icons/<file>.svg with the printer's rim recoloured.
struct IconPicture {
  IconId file = 0;
  IconRim rim = IconRim::Green;
};

// The picture of an icon id (the program's and the notification icon's have one, but for the
// blank frame); nothing for any other id.
std::optional<IconPicture> pictureOf(IconId id);
inline bool iconExists(IconId id) {
  return pictureOf(id).has_value();
}

}  // namespace pw
