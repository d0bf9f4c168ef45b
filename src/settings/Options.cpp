#include "settings/Options.h"

namespace pw {

namespace {
// The values that both a confirmed Settings dialog and Exit write first, in this order.
void WriteCommonOptions(IProfile& profile, const Options& o) {
  profile.WriteString(keys::kPrinter, o.printer);
  profile.WriteString(keys::kCartridge, o.cartridge);
  profile.WriteInt(keys::kAutoQuality, o.autoQuality);
  profile.WriteInt(keys::kEmptyFlash, o.emptyFlash);
  profile.WriteInt(keys::kPopStatus, o.popStatus);
  profile.WriteInt(keys::kTooltip, o.tooltip);
  profile.WriteInt(keys::kQuality, o.quality);
  profile.WriteInt(keys::kAutoMonitor, o.autoMonitor);
  profile.WriteInt(keys::kAnyone, o.anyone);
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
  o.autoQuality = profile.ReadInt(keys::kAutoQuality, 1);
  o.emptyFlash = profile.ReadInt(keys::kEmptyFlash, 1);
  o.popStatus = profile.ReadInt(keys::kPopStatus, 1);
  o.tooltip = profile.ReadInt(keys::kTooltip, 1);
  o.autoMonitor = profile.ReadInt(keys::kAutoMonitor, 1);
  o.anyone = profile.ReadInt(keys::kAnyone, 0);
  o.windowsRun = profile.ReadInt(keys::kWindowsRun, 1);
  return o;
}

void SaveConfirmedSettings(IProfile& profile, const Options& o, const std::string& password) {
  WriteCommonOptions(profile, o);
  profile.WriteString(keys::kPassword, password);
  profile.WriteInt(keys::kFirstTime, 0);
  profile.WriteInt(keys::kWindowsRun, o.windowsRun);
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
