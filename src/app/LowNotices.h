#pragma once
// The desktop notices that a supply runs low: once when the used-up share reaches the point where
// the icon starts flashing, and once for each ink the printer reports at or below its low mark.
// Neither is repeated until the log is emptied (a new cartridge) or the ink's level rises above
// its low mark again.
//
// Nothing is stored: the first state seen after start-up is taken as already told, so a restart
// neither repeats a notice nor shows one for what was low before the program ran.

#include <set>
#include <string>
#include <vector>

#include "app/SpoolerPorts.h"

namespace pw {

// The share from which the icon flashes.
inline constexpr int kLowShare = 96;

class LowNotices {
 public:
  // After each recount of the log. The notice's text, or empty.
  std::string onUsage(int share, bool logEmpty);
  // After each report of the printer's levels; an empty report (none, or no answer) changes
  // nothing. The notice's text, or empty.
  std::string onMarkers(const std::vector<Marker>& markers);

 private:
  bool usageSeen_ = false;
  bool usageTold_ = false;
  bool markersSeen_ = false;
  std::set<std::string> inksTold_;
};

}  // namespace pw
