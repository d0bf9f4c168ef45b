#pragma once
// What the Settings command and the Settings dialog exchange.

#include <string>
#include <vector>

#include "log/DataFile.h"
#include "settings/Options.h"

namespace pw {

// The values the Settings command hands to the Settings dialog and reads back after OK.
struct SettingsValues {
  Options options;
  std::string password;
  std::vector<CartridgeEntry> catalogue;  // the dialog's catalogue after OK, in list order
  bool catalogueRead = false;             // false: the data file could not be read at its start
};

}  // namespace pw
