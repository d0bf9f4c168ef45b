#include "settings/Options.h"

namespace pw {

namespace {

bool ReadFlag(IProfile& profile, const char* key, bool byDefault) {
  return profile.ReadInt(key, byDefault ? 1 : 0) != 0;
}
void WriteFlag(IProfile& profile, const char* key, bool value) {
  profile.WriteInt(key, value ? 1 : 0);
}

// The values that both a confirmed Settings dialog and Exit write first, in this order.
void WriteCommonOptions(IProfile& profile, const Options& o) {
  profile.WriteString(keys::kPrinter, o.printer);
  profile.WriteString(keys::kCartridge, o.cartridge);
  WriteFlag(profile, keys::kAutoQuality, o.autoQuality);
  WriteFlag(profile, keys::kEmptyFlash, o.emptyFlash);
  WriteFlag(profile, keys::kPopStatus, o.popStatus);
  WriteFlag(profile, keys::kTooltip, o.tooltip);
  profile.WriteInt(keys::kQuality, o.quality);
  WriteFlag(profile, keys::kAutoMonitor, o.autoMonitor);
  WriteFlag(profile, keys::kAnyone, o.anyone);
}
}  // namespace

Options LoadOptions(IProfile& profile) {
  Options o;
  o.printer = profile.ReadString(keys::kPrinter, "");
  o.cartridge = profile.ReadString(keys::kCartridge, "");
  o.quality = profile.ReadInt(keys::kQuality, 1);
  // A class the list has no entry for would leave the Settings dialog without a choice.
  if (o.quality < 0 || o.quality > 2)
    o.quality = 1;
  o.autoQuality = ReadFlag(profile, keys::kAutoQuality, true);
  o.emptyFlash = ReadFlag(profile, keys::kEmptyFlash, true);
  o.popStatus = ReadFlag(profile, keys::kPopStatus, true);
  o.tooltip = ReadFlag(profile, keys::kTooltip, true);
  o.autoMonitor = ReadFlag(profile, keys::kAutoMonitor, true);
  o.anyone = ReadFlag(profile, keys::kAnyone, false);
  o.windowsRun = ReadFlag(profile, keys::kWindowsRun, true);
  return o;
}

void SaveConfirmedSettings(IProfile& profile, const Options& o, const std::string& password) {
  WriteCommonOptions(profile, o);
  profile.WriteString(keys::kPassword, password);
  profile.WriteInt(keys::kFirstTime, 0);
  WriteFlag(profile, keys::kWindowsRun, o.windowsRun);
}

void SaveAtExit(IProfile& profile, const Options& o) {
  WriteCommonOptions(profile, o);
  profile.WriteInt(keys::kFirstTime, 0);
}

bool IsFirstRun(IProfile& profile) {
  return profile.ReadInt(keys::kFirstTime, 1) == 1;
}

std::string ReadPassword(IProfile& profile) {
  return profile.ReadString(keys::kPassword, "");
}

}  // namespace pw
