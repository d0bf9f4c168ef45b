#include "settings/Options.h"

namespace pw {

namespace {

bool readFlag(IProfile& profile, const char* key, bool byDefault) {
  return profile.readInt(key, byDefault ? 1 : 0) != 0;
}
void writeFlag(IProfile& profile, const char* key, bool value) {
  profile.writeInt(key, value ? 1 : 0);
}

// The values that both a confirmed Settings dialog and Exit write first, in this order.
void writeCommonOptions(IProfile& profile, const Options& o) {
  profile.writeString(keys::kPrinter, o.printer);
  profile.writeString(keys::kCartridge, o.cartridge);
  writeFlag(profile, keys::kAutoQuality, o.autoQuality);
  writeFlag(profile, keys::kEmptyFlash, o.emptyFlash);
  writeFlag(profile, keys::kPopStatus, o.popStatus);
  writeFlag(profile, keys::kTooltip, o.tooltip);
  profile.writeInt(keys::kQuality, o.quality);
  writeFlag(profile, keys::kAutoMonitor, o.autoMonitor);
  writeFlag(profile, keys::kAnyone, o.anyone);
}
}  // namespace

Options loadOptions(IProfile& profile) {
  Options o;
  o.printer = profile.readString(keys::kPrinter, "");
  o.cartridge = profile.readString(keys::kCartridge, "");
  o.quality = profile.readInt(keys::kQuality, 1);
  // A class the list has no entry for would leave the Settings dialog without a choice.
  if (o.quality < 0 || o.quality > 2)
    o.quality = 1;
  o.autoQuality = readFlag(profile, keys::kAutoQuality, true);
  o.emptyFlash = readFlag(profile, keys::kEmptyFlash, true);
  o.popStatus = readFlag(profile, keys::kPopStatus, true);
  o.tooltip = readFlag(profile, keys::kTooltip, true);
  o.autoMonitor = readFlag(profile, keys::kAutoMonitor, true);
  o.anyone = readFlag(profile, keys::kAnyone, false);
  o.windowsRun = readFlag(profile, keys::kWindowsRun, true);
  return o;
}

void saveConfirmedSettings(IProfile& profile, const Options& o, const std::string& password) {
  writeCommonOptions(profile, o);
  profile.writeString(keys::kPassword, password);
  profile.writeInt(keys::kFirstTime, 0);
  writeFlag(profile, keys::kWindowsRun, o.windowsRun);
}

void saveAtExit(IProfile& profile, const Options& o) {
  writeCommonOptions(profile, o);
  profile.writeInt(keys::kFirstTime, 0);
}

bool isFirstRun(IProfile& profile) {
  return profile.readInt(keys::kFirstTime, 1) == 1;
}

std::string readPassword(IProfile& profile) {
  return profile.readString(keys::kPassword, "");
}

}  // namespace pw
