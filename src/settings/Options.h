#pragma once
// The user's options and the orders in which the program reads and writes them. The profile
// keeps each flag as the number 1 or 0; any number but 0 reads as set.

#include <string>

#include "base/Ports.h"

namespace pw {

struct Options {
  std::string printer;
  std::string cartridge;
  int quality = 1;  // fixed quality class: 0 Best, 1 Normal, 2 Economic (the list's index)
  bool autoQuality = true;
  bool emptyFlash = true;
  bool popStatus = true;
  bool tooltip = true;
  bool autoMonitor = true;
  bool anyone = false;
  bool windowsRun = true;
  bool operator==(const Options&) const = default;
};

// The option names as the profile keeps them.
namespace keys {
inline constexpr const char* kPrinter = "Printer";
inline constexpr const char* kCartridge = "Cartridge";
inline constexpr const char* kQuality = "Quality";
inline constexpr const char* kAutoQuality = "AutoQuality";
inline constexpr const char* kEmptyFlash = "EmptyFlash";
inline constexpr const char* kPopStatus = "PopStatus";
inline constexpr const char* kTooltip = "Tooltip";
inline constexpr const char* kAutoMonitor = "AutoMonitor";
inline constexpr const char* kAnyone = "Anyone";
inline constexpr const char* kWindowsRun = "WindowsRun";
inline constexpr const char* kPassword = "Anyonestr";
inline constexpr const char* kFirstTime = "FirstTime";
}  // namespace keys

// Start-up: Printer, Cartridge, Quality, AutoQuality, EmptyFlash, PopStatus, Tooltip,
// AutoMonitor, Anyone, WindowsRun, each with its default.
Options loadOptions(IProfile& profile);
// After a confirmed Settings dialog: every option, the password and FirstTime = 0.
void saveConfirmedSettings(IProfile& profile, const Options& options, const std::string& password);
// At Exit: the options but WindowsRun, then FirstTime = 0; never the password.
void saveAtExit(IProfile& profile, const Options& options);
// The first-run rule: the Settings dialog opens by itself while FirstTime reads exactly 1.
bool isFirstRun(IProfile& profile);
// The password is never kept in memory; it is read when needed.
std::string readPassword(IProfile& profile);

}  // namespace pw
