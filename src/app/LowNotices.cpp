#include "app/LowNotices.h"

#include <utility>

#include "base/Format.h"
#include "res/Strings.h"

namespace pw {

std::string LowNotices::onUsage(int share, bool logEmpty) {
  const bool low = share >= kLowShare;
  const bool first = !std::exchange(usageSeen_, true);
  if (logEmpty)
    usageTold_ = false;
  if (!low || usageTold_)
    return {};
  usageTold_ = true;
  return first ? std::string() : formatStr(ids::kNoticeUsage, share);
}

std::string LowNotices::onMarkers(const std::vector<Marker>& markers) {
  if (markers.empty())
    return {};
  const bool first = !std::exchange(markersSeen_, true);
  std::string newlyLow;
  for (const Marker& m : markers) {
    if (m.level < 0 || m.lowLevel < 0)
      continue;  // an unknown level or mark tells nothing either way
    if (m.level > m.lowLevel) {
      inksTold_.erase(m.name);
    } else if (inksTold_.insert(m.name).second && !first) {
      newlyLow += (newlyLow.empty() ? "" : ", ") + format("%s (%d %%)", m.name.c_str(), m.level);
    }
  }
  return newlyLow.empty() ? std::string() : formatStr(ids::kNoticeInk, newlyLow.c_str());
}

}  // namespace pw
