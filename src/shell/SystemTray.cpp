#include "shell/SystemTray.h"

#include <new>

#include "res/Ids.h"

namespace pw {

namespace {

constexpr unsigned kCreateFlags = kTrayMessage | kTrayIcon | kTrayTip;

bool isContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The shell's tooltip field holds 63 bytes and a terminating zero; a text that does not fit is
// cut where a character begins, so the tooltip never ends in half a character.
std::string fitTip(const std::string& text) {
  std::string tip = text.substr(0, text.find('\0'));
  constexpr auto kMax = static_cast<std::size_t>(CSystemTray::kMaxTipBytes);
  if (tip.size() <= kMax)
    return tip;
  std::size_t cut = kMax;
  // A UTF-8 character has at most three continuation bytes; a longer run is not text anyway.
  for (int back = 0; back < 3 && cut > 0 && isContinuationByte(tip[cut]); ++back)
    --cut;
  tip.resize(cut);
  return tip;
}

}  // namespace

std::optional<IconPicture> pictureOf(IconId id) {
  switch (id) {
    case kProgramIcon:
    case icons::kGreen:
    case icons::kGreenFrame2:
      return IconPicture{kProgramIcon};
    case icons::kYellow:
    case icons::kYellowFrame2:
      return IconPicture{kProgramIcon, IconRim::Yellow};
    case icons::kRed:
    case icons::kRedFrame2:
      return IconPicture{kProgramIcon, IconRim::Red};
    case icons::kGreenFrame3:
    case icons::kYellowFrame3:
    case icons::kRedFrame3:
      return IconPicture{icons::kGreenFrame3};
    case icons::kGreenFrame1:
    case icons::kYellowFrame1:
    case icons::kRedFrame1:
      return IconPicture{icons::kGreenFrame1};
    default:
      return std::nullopt;
  }
}

CSystemTray::CSystemTray(ITrayShell& shell, ITimers& timers, IClock& clock)
    : shell_(shell), timers_(timers), clock_(clock) {}

CSystemTray::~CSystemTray() {
  // The timer's callback points at this object; the saved icon no longer matters.
  if (timerId_ != 0)
    timers_.kill(timerId_);
  removeFromTray();
}

bool CSystemTray::createTrayIcon(const std::string& tip, IconId icon, int /*trayId*/, bool hidden) {
  enabled_ = shell_.available();
  if (!enabled_)
    return false;
  record_.icon = icon;
  record_.tip = fitTip(tip);
  hidden_ = hidden;
  createFlags_ = kCreateFlags;
  if (hidden)
    return true;
  const bool added = shell_.add(record_, kCreateFlags);
  removed_ = hidden_ = pending_ = !added;
  return added;
}

bool CSystemTray::setTipText(const std::string& tip) {
  if (!enabled_)
    return false;
  record_.tip = fitTip(tip);
  return hidden_ || shell_.modify(record_, kTrayTip);
}

bool CSystemTray::setIconHandle(IconId icon) {
  if (!enabled_)
    return false;
  record_.icon = icon;
  return hidden_ || shell_.modify(record_, kTrayIcon);
}

bool CSystemTray::setIconResource(IconId id) {
  return setIconHandle(iconExists(id) ? id : 0);
}

IconId CSystemTray::iconHandle() const {
  return enabled_ ? record_.icon : 0;
}

bool CSystemTray::addToTray() {
  if (!removed_)
    removeFromTray();
  if (enabled_) {
    if (shell_.add(record_, kCreateFlags))
      hidden_ = removed_ = false;
    else
      pending_ = true;
  }
  return !removed_;
}

bool CSystemTray::removeFromTray() {
  pending_ = false;
  if (!enabled_ || removed_)
    return true;
  if (shell_.remove())
    hidden_ = removed_ = true;
  return removed_;
}

bool CSystemTray::ensureShown() {
  if (removed_)
    return addToTray();
  if (hidden_) {
    addToTray();
    return !hidden_;
  }
  return true;
}

bool CSystemTray::loadIconRange(IconId first, IconId last) {
  if (first > last)
    return false;
  iconList_.clear();
  try {
    iconList_.reserve(static_cast<std::size_t>(static_cast<std::int64_t>(last) - first + 1));
    for (std::int64_t id = first; id <= last; ++id) {
      const auto icon = static_cast<IconId>(id);
      iconList_.push_back(iconExists(icon) ? icon : 0);
    }
  } catch (const std::bad_alloc&) {
    iconList_.clear();
    return false;
  }
  return true;
}

bool CSystemTray::startAnimation(int stepMs, int seconds) {
  endAnimation();
  frame_ = 0;
  startTime_ = clock_.nowSeconds();
  animSeconds_ = seconds;
  // The empty icon counts as nothing to put back.
  if (const IconId current = iconHandle(); current != 0)
    savedIcon_ = current;
  timerId_ = timers_.start(stepMs, true, [this] { onAnimationTimer(); });
  return timerId_ != 0;
}

void CSystemTray::onAnimationTimer() {
  const std::int64_t elapsed = clock_.nowSeconds() - startTime_;
  if (animSeconds_ > 0 && elapsed > animSeconds_)
    endAnimation();
  else
    nextAnimationFrame();
}

bool CSystemTray::nextAnimationFrame() {
  if (iconList_.empty())
    return false;
  frame_ = (frame_ + 1) % static_cast<int>(iconList_.size());
  return setIconHandle(iconList_[frame_]);
}

bool CSystemTray::endAnimation() {
  const bool killed = timerId_ != 0;
  if (killed)
    timers_.kill(timerId_);
  timerId_ = 0;
  if (savedIcon_) {
    setIconHandle(*savedIcon_);
    savedIcon_.reset();
  }
  return killed;
}

bool CSystemTray::setDefaultMenuItem(int item, bool byPosition) {
  defaultItem_ = item;
  defaultByPos_ = byPosition;
  return true;
}

bool CSystemTray::showMessage(const std::string& title, const std::string& text) {
  if (!enabled_ || removed_ || hidden_)
    return false;
  shell_.showMessage(title, text);
  return true;
}

void CSystemTray::restorePendingIcon() {
  if (!pending_ || hidden_)
    return;
  hidden_ = !shell_.add(record_, createFlags_);
  // A successful re-add stays pending, so a later new panel brings the icon back again.
  pending_ = !hidden_;
}

std::optional<int> CSystemTray::doubleClickCommand(const std::vector<int>& menuIds) const {
  if (!defaultByPos_)
    return defaultItem_;
  // A separator, a sub-menu or a position outside the menu names no command.
  if (defaultItem_ < 0 || defaultItem_ >= static_cast<int>(menuIds.size()))
    return std::nullopt;
  const int id = menuIds[defaultItem_];
  if (id == 0)
    return std::nullopt;
  return id;
}

std::optional<int> CSystemTray::defaultItemPosition(const std::vector<int>& menuIds) const {
  if (defaultByPos_) {
    if (defaultItem_ < 0 || defaultItem_ >= static_cast<int>(menuIds.size()))
      return std::nullopt;
    return defaultItem_;
  }
  for (std::size_t pos = 0; pos < menuIds.size(); ++pos)
    if (menuIds[pos] == defaultItem_ && defaultItem_ != 0)
      return static_cast<int>(pos);
  return std::nullopt;
}

}  // namespace pw
